// OrlimoClient.dll's C interface, called from C (CInterface.c) and by its
// plain export names, the way C# and Python reach it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "CInterface.h"
#include "ClientTestUtil.h"
#include "model/OrlimoMsg.h"
#include "OrlimoClient.h"

using namespace client_test;

static_assert(ORLIMO_INFO == lxmInfo && ORLIMO_WARNING == lxmWarning && ORLIMO_ERROR == lxmError &&
              ORLIMO_CHECK_POINT == lxmCheckPoint && ORLIMO_OBJECT == lxmObject && ORLIMO_STREAM == lxmStream &&
              ORLIMO_STRING_LIST == lxmStringList && ORLIMO_PROPERTY == lxmProperty && ORLIMO_NOTE == lxmNote &&
              ORLIMO_ENTER_METHOD == lxmEnterMethod && ORLIMO_EXIT_METHOD == lxmExitMethod &&
              ORLIMO_SEPARATOR == lxmSeparator && ORLIMO_CLEAR == lxmClear && ORLIMO_SCRATCH_PAD == lxmScratchPad &&
              ORLIMO_SAVE_LOG == lxmSaveLog);

namespace {

class CInterface : public ::testing::Test {
protected:
  TExePath ExePath;
  TByPass ByPass;
};

}  // namespace

// First in this program: the DLL's sender is made at its first use.
TEST_F(CInterface, ARegistryErrorIsReportedAndTheNextCallTriesAgain) {
  TViewerWindow Viewer;
  ByPass.SetDword(1);
  EXPECT_EQ(CSendNulls(), ORLIMO_FAILED);
  EXPECT_STREQ(CLastError(), "Invalid data type for 'ByPass'");
  EXPECT_EQ(CFindViewer(0), nullptr);
  EXPECT_STREQ(CLastError(), "Invalid data type for 'ByPass'");
  ByPass.Remove();
  EXPECT_EQ(CSendNulls(), ORLIMO_TAKEN);
  EXPECT_STREQ(CLastError(), "");
  EXPECT_EQ(Viewer.Received.size(), 1u);
}

TEST_F(CInterface, SendsWhatItIsGiven) {
  TViewerWindow Viewer;
  EXPECT_EQ(CSendEveryArgument(), ORLIMO_TAKEN);
  EXPECT_EQ(CSendNulls(), ORLIMO_TAKEN);
  EXPECT_EQ(CSendCommand(ORLIMO_SCRATCH_PAD, "2@two"), ORLIMO_TAKEN);
  ASSERT_EQ(Viewer.Received.size(), 3u);
  const TOrlimoRecord R = Viewer.Received[0].Record();
  EXPECT_EQ(Viewer.Received[0].Kind, static_cast<std::uint32_t>(ORLIMO_OBJECT));
  EXPECT_EQ(R.Text, "Customer");
  EXPECT_EQ(R.Details, "Name\tAcme\r\nCity\tSpringfield");
  EXPECT_EQ(R.TypeName, "TCustomer");
  EXPECT_EQ(R.AppName, "client_c_tests");
  EXPECT_EQ(Viewer.Received[1].Bytes.size(), 227u);
  EXPECT_EQ(Viewer.Received[2].Text(), "2@two");
}

TEST_F(CInterface, TellsAViewerThatRefusedFromOneThatIsMissing) {
  {
    TViewerWindow Refusing(0);
    EXPECT_EQ(CSendCommand(ORLIMO_INFO, "refused"), ORLIMO_REFUSED);
  }
  ASSERT_EQ(FindWindowA("TBkFrmOrlimo", "Orlimo (32-bit)"), nullptr);
  EXPECT_EQ(CSendCommand(ORLIMO_INFO, "lost"), ORLIMO_NO_VIEWER);
  EXPECT_STREQ(CLastError(), "");
}

TEST_F(CInterface, FindsTheViewerAndReportsAFailedStart) {
  ASSERT_EQ(FindWindowA("TBkFrmOrlimo", "Orlimo (32-bit)"), nullptr);
  ExePath.SetString("\"C:\\no such folder\\Orlimo.exe\"");
  EXPECT_EQ(CFindViewer(0), nullptr);
  EXPECT_STREQ(CLastError(), "") << "nothing is started";
  EXPECT_EQ(CFindViewer(1), nullptr);
  EXPECT_STREQ(CLastError(), "Orlimo (32-bit) could not be started");
  EXPECT_EQ(CSendCommand(ORLIMO_INFO, "x"), ORLIMO_FAILED);
  EXPECT_STREQ(CLastError(), "Orlimo (32-bit) could not be started");
  {
    TSatelliteWindow Satellite;
    EXPECT_EQ(CFindViewer(0), Satellite.Handle());
    EXPECT_EQ(CFindViewer(1), Satellite.Handle());
    EXPECT_STREQ(CLastError(), "");
  }
}

TEST_F(CInterface, ExportsThePlainNamesOtherLanguagesCall) {
  HMODULE Dll = LoadLibraryA("OrlimoClient.dll");
  ASSERT_NE(Dll, nullptr);
  using TSend = int(__stdcall*)(int, const char*, const char*, const char*);
  using TLastError = const char*(__stdcall*)();
  auto Send = reinterpret_cast<TSend>(reinterpret_cast<void*>(GetProcAddress(Dll, "OrlimoSend")));
  auto LastError = reinterpret_cast<TLastError>(reinterpret_cast<void*>(GetProcAddress(Dll, "OrlimoLastError")));
  ASSERT_NE(Send, nullptr);
  ASSERT_NE(LastError, nullptr);
  EXPECT_NE(GetProcAddress(Dll, "OrlimoFindViewer"), nullptr);
  TViewerWindow Viewer;
  EXPECT_EQ(Send(ORLIMO_WARNING, "by name", nullptr, "TName"), ORLIMO_TAKEN);
  EXPECT_STREQ(LastError(), "");
  ASSERT_EQ(Viewer.Received.size(), 1u);
  EXPECT_EQ(Viewer.Received[0].Text(), "by name");
  EXPECT_EQ(Viewer.Received[0].Record().TypeName, "TName");
  FreeLibrary(Dll);
}
