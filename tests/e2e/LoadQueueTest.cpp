// Orlimo.exe loading a large log file (File, Open) while a client keeps
// sending: the viewer answers the client during the load, but what the client
// sends is handled after the last loaded record, so a save-log command that
// arrives during the load writes the whole loaded list.
#include "KeyboardUtil.h"
#include "StandaloneUtil.h"
#include "ViewerWindows.h"

#include <thread>
#include <vector>

#include "model/OrlimoMsg.h"

namespace {

constexpr char ClientApp[] = "LoadClient";

LRESULT SendToViewer(HWND Window, std::int32_t Kind, const std::string& Text, std::int32_t Tick) {
  const std::string R = BuildClientRecord(Kind, Tick, Text, "", ClientApp, "");
  COPYDATASTRUCT Data{};
  Data.dwData = static_cast<ULONG_PTR>(static_cast<std::uint32_t>(Kind));
  Data.cbData = static_cast<DWORD>(R.size());
  Data.lpData = const_cast<char*>(R.data());
  DWORD_PTR Reply = 0;
  if (!SendMessageTimeoutA(Window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&Data), SMTO_NORMAL, 120000, &Reply))
    return -1;
  return static_cast<LRESULT>(Reply);
}

class LoadQueueProgram : public StandaloneProgram {
protected:
  void TearDown() override {
    if (Viewer.Running()) {
      PostMessageA(Window, WM_CLOSE, 0, 0);
      Viewer.Wait(30000);
    }
    for (const std::string& F : Files) DeleteFileA(F.c_str());
  }
  std::string File(const std::string& Name) {
    Files.push_back(TempFile(Name));
    DeleteFileA(Files.back().c_str());
    return Files.back();
  }
  std::vector<std::string> Files;
};

}  // namespace

TEST_F(LoadQueueProgram, ASaveLogCommandSentDuringALoadWritesTheWholeList) {
  // Enough records that the load reads its file in many pieces.
  constexpr int Loaded = 150000;
  std::string Log;
  Log.reserve(static_cast<std::size_t>(Loaded) * 240);
  for (int I = 0; I < Loaded; ++I) Log += LogRecord(lxmInfo, 10 + I, "loaded " + std::to_string(I), "", "Big", "");
  const std::string Big = File("big.olx");
  ASSERT_NO_FATAL_FAILURE(WriteAll(Big, Log));
  ASSERT_NO_FATAL_FAILURE(StartViewer());
  TViewerKeyboard Keys(Window);
  ASSERT_TRUE(WaitUntil(Window, [&] { return ClassOf(Keys.Focus()) == "TBkEditListBox"; }));
  ASSERT_EQ(SendToViewer(Window, lxmInfo, "before", 1), 1);  // the load replaces it

  // Ctrl+O, then the file dialog answered while a client sends save-log
  // commands until one of them is answered before its file exists: that one
  // arrived during the load and was held.
  HWND Dialog = nullptr;
  {
    THeldKeys Ctrl(Keys, {VK_CONTROL});
    ASSERT_TRUE(Ctrl.Attached());
    Keys.Type('O');
    Dialog = WaitForFileDialog(Window, Viewer.Id());
    ASSERT_NE(Dialog, nullptr);
  }
  std::vector<std::string> Direct;  // saves handled at once
  std::string Held;                 // the first save held by the load
  std::thread Client([&] {
    for (int I = 0; I < 5000 && Held.empty(); ++I) {
      const std::string Name = File("save-" + std::to_string(I) + ".olx");
      if (SendToViewer(Window, lxmSaveLog, Name, 2) != 1) break;
      if (!FileExists(Name)) {
        Held = Name;
      } else {
        Direct.push_back(Name);
        if (ReadAll(Name).size() >= Log.size()) break;  // the load is over
      }
    }
  });
  AnswerFileDialog(Dialog, Big);
  Client.join();
  ASSERT_FALSE(Held.empty()) << "no save-log command arrived during the load (" << Direct.size() << " before)";

  // More messages, then a last save: after the loaded list, in the order sent.
  EXPECT_EQ(SendToViewer(Window, lxmInfo, "after 1", 3), 1);
  EXPECT_EQ(SendToViewer(Window, lxmWarning, "after 2", 4), 1);
  const std::string Last = File("last.olx");
  EXPECT_EQ(SendToViewer(Window, lxmSaveLog, Last, 5), 1);
  ASSERT_TRUE(WaitUntil(
      Window, [&] { return FileExists(Last) && ReadAll(Last).size() > Log.size(); }, 120000));
  Settle(Window);

  const std::string Whole = ReadAll(Held);
  EXPECT_EQ(Whole.size(), Log.size());
  EXPECT_TRUE(Whole == Log) << "the save held during the load wrote the whole loaded list";
  for (const std::string& Name : Direct) {
    const std::string Bytes = ReadAll(Name);
    EXPECT_EQ(Bytes.find("loaded "), std::string::npos) << Name << " was written in the middle of the load";
  }
  const std::string After = Log + LogRecord(lxmInfo, 3, "after 1", "", ClientApp, "") +
                            LogRecord(lxmWarning, 4, "after 2", "", ClientApp, "");
  const std::string Final = ReadAll(Last);
  EXPECT_EQ(Final.size(), After.size());
  EXPECT_TRUE(Final == After) << "the loaded list first, then the client's messages in order";
  CloseViewer();
}
