// The satellite window serving real viewer panels: records arrive as
// WM_COPYDATA and end up in each panel's list, shared between panels.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/BkOrlimo.h"
#include "model/OrlimoMsg.h"
#include "model/OrlimoRecord.h"
#include "protocol/LxSatFrm.h"

namespace {

LRESULT SendToSatellite(HWND Wnd, std::int32_t Kind, const std::string& Text, const std::string& Details = {},
                        std::int32_t Tick = 1000) {
  const std::string R = BuildClientRecord(Kind, Tick, Text, Details, "Client", "TType");
  COPYDATASTRUCT Data{};
  Data.dwData = static_cast<ULONG_PTR>(static_cast<std::uint32_t>(Kind));
  Data.cbData = static_cast<DWORD>(R.size());
  Data.lpData = const_cast<char*>(R.data());
  return SendMessageA(Wnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&Data));
}

std::string TempName(const std::string& Name) {
  char Dir[MAX_PATH];
  GetTempPathA(MAX_PATH, Dir);
  return std::string(Dir) + "orlimo-satellite-" + std::to_string(GetCurrentProcessId()) + "-" + Name;
}

std::string ReadBytes(const std::string& File) {
  std::string Bytes;
  if (FILE* F = std::fopen(File.c_str(), "rb")) {
    char Buf[4096];
    std::size_t N;
    while ((N = std::fread(Buf, 1, sizeof Buf, F)) > 0) Bytes.append(Buf, N);
    std::fclose(F);
  }
  return Bytes;
}

std::string LoadedRecord(int I) {
  std::string R;
  EncodeRecord(R, lxmInfo, 5000 + I, "loaded " + std::to_string(I), "", "Loader", "", 1);
  return R;
}

class SatelliteViewer : public ::testing::Test {
protected:
  void SetUp() override {
    Clock.Set(1000, 10 * 3600 * 1000);
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 400, 300);
    for (auto*& P : Panels) {
      P = new TBkOrlimoComposite(Form.get(), &Clock);
      P->SetParent(Form.get());
      P->SetAlign(alLeft);
      P->SetWidth(200);
    }
    Form->Show();
  }
  void TearDown() override {
    Satellite.reset();
    Form.reset();
  }
  std::string Text(TBkOrlimoComposite* P, int I) { return std::string(P->Messages().GetItemText(I)); }

  TManualClock Clock;
  std::unique_ptr<TForm> Form;
  TBkOrlimoComposite* Panels[2] = {};
  std::unique_ptr<TBkFrmLxSatellite> Satellite = std::make_unique<TBkFrmLxSatellite>();
};

}  // namespace

TEST_F(SatelliteViewer, ASecondPanelStartsWithTheFirstPanelsMessagesAndThenGetsNewOnes) {
  auto [First, Second] = Panels;
  Satellite->AddCompositeReference(First);
  EXPECT_EQ(First->GetSatellite(), Satellite.get());
  HWND W = Satellite->GetHandle();
  for (int I = 0; I < 10; ++I) EXPECT_EQ(SendToSatellite(W, lxmInfo, "message " + std::to_string(I)), 1);
  Satellite->AddCompositeReference(Second);
  ASSERT_EQ(Second->Messages().Count(), 10);
  for (int I = 0; I < 10; ++I) EXPECT_EQ(&Second->GetItemMsgInfo(I), &First->GetItemMsgInfo(I));

  EXPECT_EQ(SendToSatellite(W, lxmObject, "object", "A\t1\r\nB\t2"), 1);
  ASSERT_EQ(First->Messages().Count(), 11);
  ASSERT_EQ(Second->Messages().Count(), 11);
  // Each panel made its own record of the new message.
  EXPECT_NE(&First->GetItemMsgInfo(10), &Second->GetItemMsgInfo(10));
  EXPECT_EQ(Second->GetItemMsgInfo(10).Details().Count(), 2);
  EXPECT_EQ(Second->GetItemMsgInfo(10).TypeName(), "TType");

  // Check points are numbered by each panel; a clear empties both.
  SendToSatellite(W, lxmCheckPoint, "ignored");
  EXPECT_EQ(Text(First, 11), "Check Point #1");
  EXPECT_EQ(Text(Second, 11), "Check Point #1");
  EXPECT_EQ(SendToSatellite(W, lxmClear, ""), 1);
  EXPECT_EQ(First->Messages().Count(), 0);
  EXPECT_EQ(Second->Messages().Count(), 0);
  // A panel that is destroyed leaves the satellite.
  Satellite->RemoveCompositeReference(First);
  Satellite->RemoveCompositeReference(Second);
}

TEST_F(SatelliteViewer, IgnoringPanelsAreSkippedButTheFirstStillSavesTheLog) {
  auto [First, Second] = Panels;
  Satellite->AddCompositeReference(First);
  Satellite->AddCompositeReference(Second);
  HWND W = Satellite->GetHandle();
  Second->SetIgnoreMessages(true);
  EXPECT_EQ(SendToSatellite(W, lxmWarning, "only the first", {}, 1234), 1);
  EXPECT_EQ(SendToSatellite(W, lxmScratchPad, "3@hello"), 1);
  EXPECT_EQ(First->Messages().Count(), 1);
  EXPECT_EQ(Second->Messages().Count(), 0);
  EXPECT_EQ(First->GetScratchPadLine(3), "hello");
  EXPECT_EQ(Second->GetScratchPadLine(3), "");

  First->SetIgnoreMessages(true);
  char Dir[MAX_PATH];
  GetTempPathA(MAX_PATH, Dir);
  const std::string File = std::string(Dir) + "orlimo-satellite-" + std::to_string(GetCurrentProcessId()) + ".olx";
  DeleteFileA(File.c_str());
  EXPECT_EQ(SendToSatellite(W, lxmSaveLog, File), 1);
  std::string Bytes;
  if (FILE* F = std::fopen(File.c_str(), "rb")) {
    char Buf[1024];
    std::size_t N;
    while ((N = std::fread(Buf, 1, sizeof Buf, F)) > 0) Bytes.append(Buf, N);
    std::fclose(F);
  }
  std::string Expected;
  EncodeRecord(Expected, lxmWarning, 1234, "only the first", "", "Client", "TType", 1);
  EXPECT_TRUE(Bytes == Expected);
  DeleteFileA(File.c_str());
  Satellite->RemoveCompositeReference(First);
  Satellite->RemoveCompositeReference(Second);
}

TEST_F(SatelliteViewer, APanelRegisteredAgainKeepsItsMessagesOnce) {
  auto [First, Second] = Panels;
  Satellite->AddCompositeReference(First);
  HWND W = Satellite->GetHandle();
  for (int I = 0; I < 3; ++I) SendToSatellite(W, lxmInfo, "message " + std::to_string(I));
  // Shown again by its host, the first panel is not given its own items again.
  Satellite->AddCompositeReference(First);
  EXPECT_EQ(First->Messages().Count(), 3);
  EXPECT_EQ(First->GetItemMsgInfo(0).RefCount(), 1u);
  // Neither is a second panel given the first panel's items twice.
  Satellite->AddCompositeReference(Second);
  Satellite->AddCompositeReference(Second);
  ASSERT_EQ(Second->Messages().Count(), 3);
  EXPECT_EQ(&Second->GetItemMsgInfo(2), &First->GetItemMsgInfo(2));
  EXPECT_EQ(First->GetItemMsgInfo(0).RefCount(), 2u);
  EXPECT_EQ(Text(Second, 2), "message 2");
  // Every entry is served: each registration lists a new message once more.
  SendToSatellite(W, lxmWarning, "later");
  EXPECT_EQ(First->Messages().Count(), 5);
  EXPECT_EQ(Second->Messages().Count(), 5);
  // Each registration is undone by one removal.
  for (int I = 0; I < 2; ++I) {
    Satellite->RemoveCompositeReference(First);
    Satellite->RemoveCompositeReference(Second);
  }
  EXPECT_TRUE(Satellite->GetComposites().empty());
}

// The log comes through a pipe the test writes, so the load lasts until the
// test has finished: another thread's client messages are handled while the
// load pumps (it answers clients between the pieces it reads), and each piece
// written lets it come round to them.
TEST_F(SatelliteViewer, WhatClientsSendWhileALogLoadsComesAfterItAndActsOnTheWholeList) {
  TBkOrlimoComposite* P = Panels[0];
  Satellite->AddCompositeReference(P);
  HWND W = Satellite->GetHandle();
  EXPECT_EQ(SendToSatellite(W, lxmInfo, "before"), 1);  // the load replaces it
  const std::string Pipe = "\\\\.\\pipe\\orlimo-load-" + std::to_string(GetCurrentProcessId());
  HANDLE Server =
      CreateNamedPipeA(Pipe.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 1 << 16, 1 << 16, 0, nullptr);
  ASSERT_NE(Server, INVALID_HANDLE_VALUE);
  const std::string Saved = TempName("during-load.olx");
  DeleteFileA(Saved.c_str());

  std::atomic<bool> AllSent{false};
  std::atomic<bool> SavedBeforeTheEnd{false};
  int Loaded = 0;
  std::thread Writer([&] {
    ConnectNamedPipe(Server, nullptr);
    auto WriteOne = [&] {
      const std::string R = LoadedRecord(Loaded++);
      DWORD Done = 0;
      WriteFile(Server, R.data(), static_cast<DWORD>(R.size()), &Done, nullptr);
    };
    for (int I = 0; I < 10; ++I) WriteOne();
    while (!AllSent) WriteOne();
    SavedBeforeTheEnd = GetFileAttributesA(Saved.c_str()) != INVALID_FILE_ATTRIBUTES;
    for (int I = 0; I < 10; ++I) WriteOne();
    FlushFileBuffers(Server);  // until the viewer has read it all
    CloseHandle(Server);
  });
  std::vector<LRESULT> Replies;
  std::thread Client([&] {
    Replies.push_back(SendToSatellite(W, lxmInfo, "client 1"));
    Replies.push_back(SendToSatellite(W, lxmSaveLog, Saved));
    Replies.push_back(SendToSatellite(W, lxmInfo, "client 2"));
    Replies.push_back(SendToSatellite(W, lxmClear, ""));
    Replies.push_back(SendToSatellite(W, lxmInfo, "client 3"));
    AllSent = true;
  });
  P->LoadMessages(Pipe);
  Client.join();
  Writer.join();

  EXPECT_EQ(Replies, std::vector<LRESULT>(5, 1)) << "each taken at once";
  EXPECT_FALSE(SavedBeforeTheEnd) << "the save-log command waited for the load";
  // The save-log command wrote the whole loaded list and what came before it.
  std::string Expected;
  for (int I = 0; I < Loaded; ++I) Expected += LoadedRecord(I);
  std::string Client1;
  EncodeRecord(Client1, lxmInfo, 1000, "client 1", "", "Client", "TType", 1);
  Expected += Client1;
  const std::string Bytes = ReadBytes(Saved);
  EXPECT_EQ(Bytes.size(), Expected.size());
  EXPECT_TRUE(Bytes == Expected) << "the log saved during the load is the whole list";
  DeleteFileA(Saved.c_str());
  // The clear emptied the whole list, not a part of it.
  ASSERT_EQ(P->Messages().Count(), 1);
  EXPECT_EQ(Text(P, 0), "client 3");
  Satellite->RemoveCompositeReference(P);
}
