// IdeHost.exe with the panel plug-in as a whole: the host program started as
// its own process shows the panel, a separate client process (lxsend) sends
// records to the satellite window, a save-log command writes the panel's
// list, the host closes.
#include "StandaloneUtil.h"

#include <vector>

#include "model/OrlimoMsg.h"

#ifndef IDEHOST_EXE
#error "IDEHOST_EXE names the IDE host program"
#endif

namespace {

constexpr char SatelliteClass[] = "TBkFrmLxSatellite";
constexpr char SatelliteCaption[] = "Orlimo Satellite Window";

long RunLxSendToSatellite(const std::string& Args) {
  TLxProcess P;
  if (!P.Start(Quote(LXSEND_EXE) + " --quiet --to satellite " + Args, SW_HIDE)) return -2;
  return P.Wait(60000);
}

}  // namespace

TEST(IdeHostProgram, ThePanelSavesWhatAClientSentByteForByte) {
  ASSERT_EQ(FindWindowA(SatelliteClass, SatelliteCaption), nullptr) << "a satellite window is already there";
  TLxProcess Host;
  ASSERT_TRUE(Host.Start(Quote(IDEHOST_EXE) + " --show"));
  HWND Satellite = LxWaitForWindow(Host, SatelliteClass, SatelliteCaption, 30000);
  ASSERT_NE(Satellite, nullptr) << "the plug-in's satellite window did not appear";
  HWND Main = LxWaitForWindow(Host, "TIdeHostForm", "Orlimo IDE Host", 30000);
  ASSERT_NE(Main, nullptr);
  EXPECT_FALSE(IsWindowVisible(Satellite));

  const std::vector<TLxMessage> Messages{
      {lxmInfo, 1000, "Hello from the client", "", "E2eClient", ""},
      {lxmEnterMethod, 1010, "TForm1.Button1Click", "", "E2eClient", "TForm1"},
      {lxmObject, 1020, "Customer", "Name\tAcme\r\nCity\tSpringfield", "E2eClient", "TCustomer"},
      {lxmExitMethod, 1030, "TForm1.Button1Click", "", "E2eClient", ""},
      {lxmError, -5, "Negative tick", "", "Other", "TType"},
  };
  std::string Sent, Expected;
  for (const TLxMessage& M : Messages) {
    Sent += LogRecord(M.Kind, M.TickCount, M.Text, M.Details, M.AppName, M.TypeName);
    Expected +=
        LogRecord(M.Kind, M.TickCount, M.Text, M.Details.empty() ? "" : M.Details + "\r\n", M.AppName, M.TypeName);
  }
  const std::string SentFile = TempFile("ide-sent.olx");
  ASSERT_NO_FATAL_FAILURE(WriteAll(SentFile, Sent));
  EXPECT_EQ(RunLxSendToSatellite("--file " + Quote(SentFile)), 0);
  const std::string Saved = TempFile("ide-saved.olx");
  DeleteFileA(Saved.c_str());
  EXPECT_EQ(RunLxSendToSatellite("savelog " + Quote(Saved)), 0);
  ASSERT_TRUE(FileExists(Saved)) << "the panel did not save";
  const std::string Bytes = ReadAll(Saved);
  EXPECT_EQ(Bytes.size(), Expected.size());
  EXPECT_TRUE(Bytes == Expected) << "the saved log differs from what was sent";

  PostMessageA(Main, WM_CLOSE, 0, 0);
  EXPECT_EQ(Host.Wait(30000), 0) << "the host did not end after WM_CLOSE";
  EXPECT_EQ(FindWindowA(SatelliteClass, SatelliteCaption), nullptr);
  DeleteFileA(SentFile.c_str());
  DeleteFileA(Saved.c_str());
}
