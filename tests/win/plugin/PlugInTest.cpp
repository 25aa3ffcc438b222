// The plug-in in the host program: registration, commands, about lines, the
// panel's identity, moves, two panels, and the client sender with the
// satellite present.
#include "plugin/PlugInTestUtil.h"

#include "client/ClientTestUtil.h"
#include "model/MsgList.h"
#include "model/OrlimoMsg.h"
#include "protocol/client/BkLxIntf.h"

using namespace plugin_test;

namespace {
const std::string Plg = PlugInName;
}

TEST_F(PlugInHost, RegisterMakesTheSatelliteAndRegistersInSixSteps) {
  const std::vector<std::string> Expected{
      "RegisterPlugIn(" + Plg + ")",
      "RegisterCommand(" + Plg + ", ToggleOrlimoPanel)",
      "RegisterCommand(" + Plg + ", FocusOrlimoPanel)",
      "SubscribeNotifications(" + Plg + ", 0x4000)",
      "RegisterRequestedStringList(" + Plg + ", Orlimo v1.0, 3)",
  };
  EXPECT_EQ(Form->Host().CallLog(), Expected);
  HWND S = Satellite();
  ASSERT_NE(S, nullptr);
  EXPECT_FALSE(IsWindowVisible(S));
  EXPECT_EQ(GetAncestor(S, GA_PARENT), GetDesktopWindow()) << "no owner, no parent";
  EXPECT_EQ(Form->Host().GetNotificationMask(PlugIn()), 0x4000u);
  ASSERT_NE(PlugIn(), nullptr);
  EXPECT_EQ(PlugIn()->GetName(), Plg);
  EXPECT_EQ(PlugIn()->GetDescription(), "Orlimo v1.0");
  // Messages before any panel exists are taken (and kept for the first panel).
  EXPECT_EQ(Send(lxmInfo, 1, "nobody"), 1);
}

TEST_F(PlugInHost, RegisterASecondTimeChangesNothing) {
  auto Register = reinterpret_cast<void (*)()>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("LxPnl30.dll"), "Register")));
  ASSERT_NE(Register, nullptr);
  const auto Before = Form->Host().CallLog();
  HWND S = Satellite();
  Register();
  EXPECT_EQ(Form->Host().CallLog(), Before);
  EXPECT_EQ(Form->Host().GetPlugInCount(), 1);
  EXPECT_EQ(CountSatellites(), 1);
  EXPECT_EQ(Satellite(), S);
}

TEST_F(PlugInHost, TheTwoCommandsWorkInAnyLetterCase) {
  Form->Host().ClearCallLog();
  ASSERT_TRUE(Form->RunCommand("toggleorlimopanel"));
  EXPECT_EQ(Form->Host().CallLog(), std::vector<std::string>{"TogglePanel(" + Plg + ", -1)"});
  ASSERT_EQ(Form->InstanceCount(), 1);
  EXPECT_TRUE(Form->IsPanelVisible(Plg, -1));
  EXPECT_EQ(Form->Instance(0)->Position, 2) << "the plug-in's default place";
  ASSERT_TRUE(Form->RunCommand("TOGGLEORLIMOPANEL"));
  EXPECT_FALSE(Form->IsPanelVisible(Plg, -1));
  EXPECT_EQ(Form->InstanceCount(), 1) << "hidden, not destroyed";

  Form->Host().ClearCallLog();
  SetForegroundWindow(Form->GetHandle());
  ASSERT_TRUE(Form->RunCommand("fOcUsOrLiMoPaNeL"));
  EXPECT_EQ(Form->Host().CallLog(),
            (std::vector<std::string>{"ShowPanel(" + Plg + ", -1)", "GetPanelComponent(" + Plg + ")"}));
  EXPECT_TRUE(Form->IsPanelVisible(Plg, -1));
  HWND Focus = GetFocus();
  char Cls[64] = {};
  GetClassNameA(Focus, Cls, sizeof Cls);
  EXPECT_STREQ(Cls, "TBkEditListBox") << "the message list has the keyboard focus";
  EXPECT_TRUE(IsChild(Form->Instance(0)->Component->WindowHandle(), Focus));
}

TEST_F(PlugInHost, AnUnknownCommandIsIgnored) {
  Form->Host().ClearCallLog();
  EXPECT_FALSE(Form->RunCommand("ToggleOrlimo")) << "not registered with the host";
  PlugIn()->HandleCommand("ToggleOrlimoPanelX");
  PlugIn()->HandleCommand("");
  EXPECT_TRUE(Form->Host().CallLog().empty());
  EXPECT_EQ(Form->InstanceCount(), 0);
}

TEST_F(PlugInHost, TheAboutLinesAreTwelveNeutralLines) {
  TRushStrings Lines{"left over"};
  ASSERT_TRUE(Form->Host().GetRequestedStringList("ORLIMO v1.0", Lines));
  ASSERT_EQ(Lines.size(), 12u);
  EXPECT_EQ(Lines[0], "Orlimo v1.0");
  EXPECT_EQ(Lines[1], "");
  EXPECT_NE(Lines[2].find("1998"), std::string::npos);
  EXPECT_EQ(Lines[5], "The following support options are available for Orlimo:");
  for (size_t I : {1u, 4u, 6u, 8u, 10u}) EXPECT_EQ(Lines[I], "") << I;
  const char* Labels[] = {"E-mail:", "Web:", "News:"};
  for (int N = 0; N < 3; ++N) {
    const std::string& L = Lines[7 + 2 * N];
    EXPECT_EQ(L.rfind(std::string(Labels[N]) + "\t|", 0), 0u) << L;
    EXPECT_EQ(std::count(L.begin(), L.end(), '|'), 2) << L;
  }
  TRushStrings Other{"left over"};
  EXPECT_FALSE(PlugIn()->GetRequestedStringList("Other list", 3, &Other));
  EXPECT_TRUE(Other.empty()) << "cleared even when the name is not the plug-in's";
  EXPECT_FALSE(PlugIn()->GetRequestedStringList("Orlimo v1.0", 3, nullptr));
  EXPECT_EQ(Form->AboutLines().size(), 12u);
}

TEST_F(PlugInHost, ThePanelsCaptionPlaceAndTabPicture) {
  EXPECT_EQ(PlugIn()->GetCaption(), "Orlimo");
  EXPECT_EQ(PlugIn()->GetDefaultPosition(), 2);
  EXPECT_EQ(PlugIn()->GetTransparentBitmapColor(), RGB(0, 128, 128));
  HBITMAP Tab = PlugIn()->GetBitmap();
  ASSERT_NE(Tab, nullptr);
  BITMAP Bm{};
  GetObjectA(Tab, sizeof Bm, &Bm);
  EXPECT_EQ(Bm.bmWidth, 12);
  EXPECT_EQ(Bm.bmHeight, 12);
  HDC DC = CreateCompatibleDC(nullptr);
  HGDIOBJ Old = SelectObject(DC, Tab);
  EXPECT_EQ(GetPixel(DC, 0, 0), RGB(0, 128, 128)) << "the corner is the transparent colour";
  EXPECT_EQ(GetPixel(DC, 1, 0), RGB(0, 0, 0));
  SelectObject(DC, Old);
  DeleteDC(DC);
  DeleteObject(Tab);

  // The host draws the tab picture without its transparent colour.
  ShowPanel();
  TIdeDockPanel* Frame = Form->Instance(0)->Frame;
  ASSERT_NE(Frame, nullptr);
  EXPECT_EQ(Frame->GetCaption(), "");
  const int W = Frame->GetWidth(), H = Frame->GetHeight();
  HDC Screen = GetDC(nullptr);
  HDC Mem = CreateCompatibleDC(Screen);
  HBITMAP Pic = CreateCompatibleBitmap(Screen, W, H);
  ReleaseDC(nullptr, Screen);
  Old = SelectObject(Mem, Pic);
  Frame->PaintTo(Mem, 0, 0);
  const int Top = (TIdeDockPanel::CaptionHeight - 12) / 2;
  EXPECT_EQ(GetPixel(Mem, 4 + 1, Top), RGB(0, 0, 0)) << "the picture's frame";
  EXPECT_NE(GetPixel(Mem, 4, Top), RGB(0, 128, 128)) << "its transparent colour is not drawn";
  SelectObject(Mem, Old);
  DeleteObject(Pic);
  DeleteDC(Mem);
}

TEST_F(PlugInHost, AShownPanelReceivesAndMovingKeepsTheUsersIgnoreState) {
  ShowPanel();
  ASSERT_EQ(Send(lxmInfo, 10, "one"), 1);
  EXPECT_EQ(Listed(0), LogRecord(lxmInfo, 10, "one"));
  EXPECT_FALSE(Panel(0)->GetIgnoreMessages());

  // The user receives: the panel made after the move receives too.
  Form->Host().ClearCallLog();
  Form->MovePanel(rpLeft);
  EXPECT_EQ(Form->Instance(0)->Position, rpLeft);
  ASSERT_NE(Panel(0), nullptr);
  EXPECT_FALSE(Panel(0)->GetIgnoreMessages());
  EXPECT_EQ(Send(lxmWarning, 11, "two"), 1);
  EXPECT_EQ(Listed(0), LogRecord(lxmInfo, 10, "one") + LogRecord(lxmWarning, 11, "two"))
      << "the lone panel's messages came along";
  EXPECT_EQ(Form->Host().CallLog().front(), "GetPanelComponent(" + Plg + ")");
  EXPECT_EQ(ReadSetting("IgnoreMessages"), "0");

  // The user ignores (stored setting): it still does after two moves.
  delete Form;
  Form = nullptr;
  WriteSetting("IgnoreMessages", "1");
  Form = new TIdeHostForm(nullptr);
  Form->Show();
  ASSERT_TRUE(Form->LoadPlugIn(ModuleDir() + "LxPnl30.dll"));
  ShowPanel();
  EXPECT_TRUE(Panel(0)->GetIgnoreMessages());
  Form->MovePanel(rpRight);
  EXPECT_TRUE(Panel(0)->GetIgnoreMessages());
  Form->MovePanel(rpBottom);
  EXPECT_TRUE(Panel(0)->GetIgnoreMessages());
  Send(lxmInfo, 12, "ignored");
  EXPECT_EQ(Listed(0), "");
}

TEST_F(PlugInHost, AMoveBeforeTheHostsWindowExistsKeepsTheUsersIgnoreState) {
  delete Form;
  Form = new TIdeHostForm(nullptr);
  ASSERT_TRUE(Form->LoadPlugIn(ModuleDir() + "LxPnl30.dll"));
  ASSERT_FALSE(Form->HandleAllocated());
  ShowPanel();
  Form->MovePanel(rpLeft);
  Form->Show();
  EXPECT_FALSE(Panel(0)->GetIgnoreMessages());
  EXPECT_EQ(ReadSetting("IgnoreMessages"), "0");
  EXPECT_EQ(Send(lxmInfo, 1, "received"), 1);
  EXPECT_EQ(Listed(0), LogRecord(lxmInfo, 1, "received"));
}

TEST_F(PlugInHost, AMoveOfAnotherPlugInsPanelChangesNothing) {
  ShowPanel();
  PlugIn()->Event_PanelAboutToMove("SomeoneElsesPanel", 1, 2);
  EXPECT_FALSE(Panel(0)->GetIgnoreMessages());
  PlugIn()->Event_PanelAboutToMove("brunelk_orlimopanelplugin", 2, 1);
  EXPECT_TRUE(Panel(0)->GetIgnoreMessages()) << "the plug-in's own name in another letter case";
}

TEST_F(PlugInHost, MessagesSentBeforeThePanelIsShownAreListedWhenItOpens) {
  TBkFrmLxSatellite* S = PlugInSatellite();
  ASSERT_NE(S, nullptr);
  EXPECT_EQ(S->GetKeptCapacity(), static_cast<std::size_t>(TOrlimoMsgList::DefaultCapacity));
  // The panel is hidden (not made yet): what arrives is kept, in order; a
  // clear command drops what came before it, as it would empty the list.
  ASSERT_EQ(Send(lxmInfo, 1, "cleared away"), 1);
  ASSERT_EQ(Send(lxmClear, 2, ""), 1);
  ASSERT_EQ(Send(lxmInfo, 3, "early"), 1);
  ASSERT_EQ(Send(lxmScratchPad, 4, "5@kept line"), 1);
  ASSERT_EQ(Send(lxmWarning, 5, "second"), 1);
  // With no panel there is no list to save: the command is not kept.
  const std::string File = TempFile("nopanel.olx");
  DeleteFileA(File.c_str());
  ASSERT_EQ(Send(lxmSaveLog, 6, File), 1);
  EXPECT_EQ(GetFileAttributesA(File.c_str()), INVALID_FILE_ATTRIBUTES);
  // A record that does not decode is refused as before, and not kept.
  COPYDATASTRUCT Bad{static_cast<ULONG_PTR>(lxmInfo), 10, const_cast<char*>("too short")};
  EXPECT_EQ(SendMessageA(Satellite(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&Bad)), 0);
  EXPECT_EQ(S->GetKeptCount(), 4u);

  ShowPanel();
  const std::string Early = LogRecord(lxmInfo, 3, "early") + LogRecord(lxmWarning, 5, "second");
  EXPECT_EQ(Listed(0), Early) << "the panel did not start with what came before it";
  EXPECT_EQ(S->GetKeptCount(), 0u);
  ASSERT_EQ(Send(lxmInfo, 7, "after"), 1);
  EXPECT_EQ(Listed(0), Early + LogRecord(lxmInfo, 7, "after"));
  // A second panel starts with the first one's, not with the kept ones again.
  ASSERT_TRUE(Form->OpenSecondPanel());
  EXPECT_EQ(Listed(1), Listed(0));
}

TEST_F(PlugInHost, WhatIsKeptForTheFirstPanelIsBoundedByTheListsCapacity) {
  TBkFrmLxSatellite* S = PlugInSatellite();
  ASSERT_NE(S, nullptr);
  S->SetKeptCapacity(2);
  EXPECT_EQ(Send(lxmInfo, 1, "one"), 1);
  EXPECT_EQ(Send(lxmInfo, 2, "two"), 1);
  EXPECT_EQ(Send(lxmInfo, 3, "three"), 0) << "beyond the capacity a message is not taken";
  ShowPanel();
  EXPECT_EQ(Listed(0), LogRecord(lxmInfo, 1, "one") + LogRecord(lxmInfo, 2, "two"));
}

TEST_F(PlugInHost, AFirstPanelThatIgnoresMessagesDoesNotListWhatWasKept) {
  WriteSetting("IgnoreMessages", "1");
  TBkFrmLxSatellite* S = PlugInSatellite();
  ASSERT_NE(S, nullptr);
  ASSERT_EQ(Send(lxmInfo, 1, "unwanted"), 1);
  ShowPanel();
  EXPECT_TRUE(Panel(0)->GetIgnoreMessages());
  EXPECT_EQ(Listed(0), "");
  EXPECT_EQ(S->GetKeptCount(), 0u) << "dropped, not kept for a later panel";
}

TEST_F(PlugInHost, TwoPanelsBothListEveryMessageTheSecondStartingWithACopy) {
  ShowPanel();
  std::string Expected;
  for (int I = 0; I < 3; ++I) {
    ASSERT_EQ(Send(lxmInfo, 100 + I, "early " + std::to_string(I)), 1);
    Expected += LogRecord(lxmInfo, 100 + I, "early " + std::to_string(I));
  }
  ASSERT_TRUE(Form->OpenSecondPanel());
  ASSERT_EQ(Form->InstanceCount(), 2);
  EXPECT_EQ(Form->Instance(1)->Position, rpFloating);
  EXPECT_EQ(Listed(1), Expected) << "the second panel starts with the first one's messages";
  for (int I = 0; I < 2; ++I) {
    ASSERT_EQ(Send(lxmError, 200 + I, "late " + std::to_string(I)), 1);
    Expected += LogRecord(lxmError, 200 + I, "late " + std::to_string(I));
  }
  EXPECT_EQ(Listed(0), Expected);
  EXPECT_EQ(Listed(1), Expected);

  // A save-log command goes to the first panel only.
  const std::string File = TempFile("first.olx");
  DeleteFileA(File.c_str());
  ASSERT_EQ(Send(lxmSaveLog, 0, File), 1);
  EXPECT_EQ(ReadAll(File), Expected);
  DeleteFileA(File.c_str());

  // The user closes the floating window: the host destroys that panel.
  SendMessageA(Form->Instance(1)->Float->GetHandle(), WM_CLOSE, 0, 0);
  Application->ProcessMessages();
  EXPECT_EQ(Form->InstanceCount(), 1);
  ASSERT_EQ(Send(lxmInfo, 300, "after"), 1);
  EXPECT_EQ(Listed(0), Expected + LogRecord(lxmInfo, 300, "after"));
}

TEST_F(PlugInHost, TheClientSenderHonoursByPassWithTheSatellitePresent) {
  ShowPanel();
  client_test::TCaptureWindow Main("TBkFrmOrlimo", "Orlimo (32-bit)");
  client_test::TByPass ByPass;

  ByPass.SetString("1");
  {
    TBkOrlimo Sender;
    Sender.SetAppName("Test");
    EXPECT_TRUE(Sender.GetByPassSatellite());
    Sender.SendMsg(lxmInfo, "to the main window", "");
  }
  ASSERT_EQ(Main.Received.size(), 1u);
  EXPECT_EQ(Main.Received[0].Text(), "to the main window");
  EXPECT_EQ(Listed(0), "");

  ByPass.SetString("0");
  {
    TBkOrlimo Sender;
    Sender.SetAppName("Test");
    Sender.SendMsg(lxmInfo, "to the satellite", "");
  }
  EXPECT_EQ(Main.Received.size(), 1u);
  const std::string Got = Listed(0);
  TOrlimoRecord R;
  ASSERT_EQ(DecodeRecord(Got.data(), Got.size(), R), TRecordStatus::Ok);
  EXPECT_EQ(R.Text, "to the satellite");
}
