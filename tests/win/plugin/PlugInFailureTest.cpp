// The plug-in when things go wrong: unloading with or without the host,
// panels open at unload, a panel destroyed while a message is handed out,
// and a client sending while a panel moves.
#include "plugin/PlugInTestUtil.h"

#include <functional>

#include "model/OrlimoMsg.h"
#include "protocol/LxSatFrm.h"

using namespace plugin_test;

namespace {

bool ClassRegistered(HMODULE Module, const char* Name) {
  WNDCLASSA Wc{};
  return GetClassInfoA(reinterpret_cast<HINSTANCE>(Module), Name, &Wc) != FALSE;
}

// A panel that runs OnMessage while it is handed a message.
class TActingPanel : public TLxIntakePanel {
public:
  std::function<void()> OnMessage;
  int Messages = 0;
  bool GetIgnoreMessages() const override { return false; }
  void AddCheckPoint(std::string_view, std::int32_t) override {}
  void AddSeparator(std::string_view, std::int32_t) override {}
  void Clear() override {}
  void ScratchPadMsg(std::int32_t, std::string_view) override {}
  void SaveLogFile(const std::string&) override {}
  std::int32_t AddMessage(std::int32_t, std::string_view, std::string_view, std::string_view, std::int32_t,
                          std::optional<std::string_view>) override {
    ++Messages;
    if (OnMessage) OnMessage();
    return 0;
  }
  void SetSatellite(TBkFrmLxSatellite*) override {}
  void AppendSharedItemsFrom(TLxIntakePanel&) override {}
};

}  // namespace

TEST_F(PlugInHost, UnloadFreesTheSatelliteAndTheClassesAndALoadAgainWorks) {
  ShowPanel();
  HMODULE Module = GetModuleHandleA("LxPnl30.dll");
  ASSERT_NE(Module, nullptr);
  ASSERT_TRUE(ClassRegistered(Module, SatelliteClass));
  // The components' DLL (its own controls in the panel) goes as well.
  HMODULE Components = GetModuleHandleA("LxCmps30.dll");
  ASSERT_NE(Components, nullptr);
  ASSERT_TRUE(ClassRegistered(Components, "TOrlimoCustomControl"));
  Form->Host().ClearCallLog();
  Form->UnloadPlugIn();
  EXPECT_EQ(GetModuleHandleA("LxPnl30.dll"), nullptr);
  EXPECT_EQ(Satellite(), nullptr);
  EXPECT_FALSE(ClassRegistered(Module, SatelliteClass)) << "the satellite's window class went with the DLL";
  EXPECT_FALSE(ClassRegistered(Module, "TBkOrlimoComposite"));
  EXPECT_EQ(GetModuleHandleA("LxCmps30.dll"), nullptr);
  EXPECT_FALSE(ClassRegistered(Components, "TOrlimoCustomControl"));
  EXPECT_EQ(Form->Host().GetPlugInCount(), 0);
  const auto& Log = Form->Host().CallLog();
  ASSERT_EQ(Log.size(), 2u);
  EXPECT_EQ(Log[0].rfind("UnregisterPlugInClass(", 0), 0u) << Log[0];
  EXPECT_NE(Log[0].find("TBkOrlimoPanelPlugIn"), std::string::npos) << Log[0];
  EXPECT_EQ(Log[1], std::string("UnsubscribeNotifications(") + PlugInName + ", 0x4000)");
  EXPECT_EQ(ReadSetting("IgnoreMessages"), "0") << "the panel saved its settings when it was closed";

  ASSERT_TRUE(Form->LoadPlugIn(ModuleDir() + "LxPnl30.dll")) << Form->LastError();
  EXPECT_EQ(CountSatellites(), 1);
  ShowPanel();
  ASSERT_EQ(Send(lxmNote, 7, "again"), 1);
  EXPECT_EQ(Listed(0), LogRecord(lxmNote, 7, "again"));
}

TEST_F(PlugInHost, FinalizeEndsTheUnitWhileTheDllIsStillLoaded) {
  ShowPanel();
  HMODULE Module = GetModuleHandleA("LxPnl30.dll");
  ASSERT_NE(Module, nullptr);
  auto Finalize = reinterpret_cast<void (*)()>(reinterpret_cast<void*>(GetProcAddress(Module, "Finalize")));
  ASSERT_NE(Finalize, nullptr);
  Form->Host().ClearCallLog();
  // What the host does before FreeLibrary: the whole teardown runs here, not
  // in the DLL's unloading under the loader lock.
  Finalize();
  EXPECT_EQ(GetModuleHandleA("LxPnl30.dll"), Module) << "still loaded";
  EXPECT_EQ(Satellite(), nullptr);
  EXPECT_EQ(Form->InstanceCount(), 0) << "the host closed the plug-in's panel";
  EXPECT_EQ(Form->Host().GetPlugInCount(), 0);
  EXPECT_FALSE(ClassRegistered(Module, SatelliteClass));
  EXPECT_FALSE(ClassRegistered(Module, "TBkOrlimoComposite"));
  const std::vector<std::string> Log = Form->Host().CallLog();
  ASSERT_EQ(Log.size(), 2u);
  EXPECT_EQ(Log[0].rfind("UnregisterPlugInClass(", 0), 0u) << Log[0];
  EXPECT_EQ(ReadSetting("IgnoreMessages"), "0") << "the panel saved its settings";
  // Once only: neither a second call nor the unloading does it again.
  Finalize();
  Form->UnloadPlugIn();
  EXPECT_EQ(GetModuleHandleA("LxPnl30.dll"), nullptr);
  EXPECT_EQ(Form->Host().CallLog(), Log);
}

TEST_F(PlugInHost, AHostThatDoesNotCallFinalizeStillUnloadsCleanly) {
  ShowPanel();
  ASSERT_EQ(Send(lxmInfo, 1, "listed"), 1);
  HMODULE Module = GetModuleHandleA("LxPnl30.dll");
  Form->UnloadPlugIn(true, false);
  EXPECT_EQ(GetModuleHandleA("LxPnl30.dll"), nullptr);
  EXPECT_EQ(Satellite(), nullptr) << "no window is left whose code is gone";
  EXPECT_EQ(Form->Host().GetPlugInCount(), 0) << "nor a plug-in object";
  EXPECT_EQ(ReadSetting("IgnoreMessages"), "0");
  // Only the window classes stay registered; loading again works all the same.
  EXPECT_TRUE(ClassRegistered(Module, SatelliteClass));
  ASSERT_TRUE(Form->LoadPlugIn(ModuleDir() + "LxPnl30.dll")) << Form->LastError();
  EXPECT_EQ(CountSatellites(), 1);
  ShowPanel();
  ASSERT_EQ(Send(lxmNote, 2, "again"), 1);
  EXPECT_EQ(Listed(0), LogRecord(lxmNote, 2, "again"));
}

TEST_F(PlugInHost, UnloadWithPanelsOpenClosesThemFirst) {
  ShowPanel();
  ASSERT_TRUE(Form->OpenSecondPanel());
  ASSERT_EQ(Send(lxmInfo, 1, "kept"), 1);
  Form->UnloadPlugIn(false);
  EXPECT_EQ(Form->InstanceCount(), 0) << "the plug-in's end had the host close its panels";
  EXPECT_EQ(Satellite(), nullptr);
  EXPECT_EQ(GetModuleHandleA("LxPnl30.dll"), nullptr);
  EXPECT_EQ(ReadSetting("IgnoreMessages"), "0");
}

TEST_F(PlugInHost, TheHostObjectMissingAtDestructionAndUnload) {
  ShowPanel();
  HMODULE Module = GetModuleHandleA("LxPnl30.dll");
  Form->StopHost();
  EXPECT_EQ(CodeRush, nullptr);
  EXPECT_EQ(Form->InstanceCount(), 0) << "the host closed the panels of the plug-ins it released";
  ASSERT_NE(Satellite(), nullptr) << "the plug-in is still loaded";
  Form->UnloadPlugIn();
  EXPECT_EQ(GetModuleHandleA("LxPnl30.dll"), nullptr);
  EXPECT_EQ(Satellite(), nullptr);
  EXPECT_FALSE(ClassRegistered(Module, SatelliteClass));
  // Loaded with no host: Register makes nothing.
  ASSERT_TRUE(Form->LoadPlugIn(ModuleDir() + "LxPnl30.dll"));
  EXPECT_EQ(Satellite(), nullptr);
  Form->UnloadPlugIn();
}

TEST_F(PlugInHost, APanelDestroyedWhileAMessageIsHandedOutGetsNothing) {
  TBkFrmLxSatellite* S = PlugInSatellite();
  ASSERT_NE(S, nullptr);
  TActingPanel Acting;
  S->AddCompositeReference(&Acting);
  ShowPanel();
  ASSERT_TRUE(Form->OpenSecondPanel());
  ASSERT_EQ(S->GetComposites().size(), 3u);

  Acting.OnMessage = [&] { Form->CloseSecondPanel(); };
  EXPECT_EQ(Send(lxmInfo, 1, "while closing"), 1);
  EXPECT_EQ(Form->InstanceCount(), 1);
  EXPECT_EQ(S->GetComposites().size(), 2u);
  EXPECT_EQ(Listed(0), LogRecord(lxmInfo, 1, "while closing")) << "the panel after the closed one still got it";

  // The first panel moved away in the middle of a message: the destroyed one
  // is not called; the one made in its place lists what comes next (and the
  // message of the move itself only when the system gave it the old one's
  // address, which keeps the old one's turn).
  Acting.OnMessage = [&] { Form->MovePanel(rpRight); };
  EXPECT_EQ(Send(lxmInfo, 2, "while moving"), 1);
  Acting.OnMessage = nullptr;
  EXPECT_EQ(Form->Instance(0)->Position, rpRight);
  EXPECT_EQ(Send(lxmInfo, 3, "after"), 1);
  const std::string After = LogRecord(lxmInfo, 3, "after");
  const std::string Got = Listed(0);
  EXPECT_TRUE(Got == After || Got == LogRecord(lxmInfo, 2, "while moving") + After);
  EXPECT_EQ(Acting.Messages, 3);
  S->RemoveCompositeReference(&Acting);
}

TEST_F(PlugInHost, ThePanelsAfterOneDestroyedDuringAMessageKeepTheirTurns) {
  TBkFrmLxSatellite* S = PlugInSatellite();
  ASSERT_NE(S, nullptr);
  ShowPanel();
  ASSERT_TRUE(Form->OpenSecondPanel());
  TActingPanel Acting, Tail;
  S->AddCompositeReference(&Acting);
  S->AddCompositeReference(&Tail);
  // The second panel, before the acting one in the list, goes during its turn.
  Acting.OnMessage = [&] { Form->CloseSecondPanel(); };
  EXPECT_EQ(Send(lxmInfo, 1, "one"), 1);
  EXPECT_EQ(Form->InstanceCount(), 1);
  EXPECT_EQ(Tail.Messages, 1) << "the last panel kept its turn";
  EXPECT_EQ(Listed(0), LogRecord(lxmInfo, 1, "one"));
  S->RemoveCompositeReference(&Tail);
  S->RemoveCompositeReference(&Acting);
}

TEST_F(PlugInHost, AClientSendingWhileThePanelMoves) {
  ShowPanel();
  LRESULT Reply = -1;
  Form->OnMoveGap = [&] { Reply = Send(lxmInfo, 5, "alone, in between"); };
  Form->MovePanel(rpLeft);
  EXPECT_EQ(Reply, 1) << "taken, with no panel to list it yet";
  EXPECT_EQ(Listed(0), LogRecord(lxmInfo, 5, "alone, in between")) << "kept for the panel made after the move";

  // With a second panel open, that one keeps it and the moved panel gets a copy.
  ASSERT_TRUE(Form->OpenSecondPanel());
  Form->OnMoveGap = [&] { Reply = Send(lxmInfo, 6, "in between"); };
  Form->MovePanel(rpBottom);
  Form->OnMoveGap = nullptr;
  EXPECT_EQ(Reply, 1);
  const std::string Before = LogRecord(lxmInfo, 5, "alone, in between");
  EXPECT_EQ(Listed(1), Before + LogRecord(lxmInfo, 6, "in between"));
  EXPECT_EQ(Listed(0), Listed(1));
  ASSERT_EQ(Send(lxmInfo, 7, "after"), 1);
  EXPECT_EQ(Listed(0), Before + LogRecord(lxmInfo, 6, "in between") + LogRecord(lxmInfo, 7, "after"));
  EXPECT_EQ(Listed(0), Listed(1));
}

TEST_F(PlugInHost, APanelRegisteredTwiceLeavesNoEntryWhenDestroyed) {
  TBkFrmLxSatellite* S = PlugInSatellite();
  ASSERT_NE(S, nullptr);
  ShowPanel();
  PlugIn()->ShowPanelComponent(Form->Instance(0)->Component);
  EXPECT_EQ(S->GetComposites().size(), 1u) << "the plug-in serves a panel shown again once";
  S->AddCompositeReference(Panel(0));
  ASSERT_EQ(S->GetComposites().size(), 2u);
  Form->MovePanel(rpLeft);
  ASSERT_EQ(S->GetComposites().size(), 1u) << "both entries of the destroyed panel went";
  EXPECT_EQ(S->GetComposites().front(), Panel(0));
  EXPECT_EQ(Send(lxmInfo, 1, "once"), 1);
  EXPECT_EQ(Listed(0), LogRecord(lxmInfo, 1, "once"));
}
