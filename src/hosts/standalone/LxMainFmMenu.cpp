// The main form's menu: its items with captions, shortcuts, design states and
// tags, what each runs, and the panel callbacks that keep it in step.
#include "hosts/standalone/LxMainFm.h"

#include "hosts/standalone/LxDock.h"

#include "core/BkLogToFile.h"
#include "core/BkLxUtil.h"
#include "core/BkOrlimo.h"

#include "model/ScopeExit.h"

TMenuItem* TBkFrmOrlimo::NewItem(TMenuItem* Parent, const std::string& Caption, const std::string& ShortCut,
                                 TNotifyEvent Click) {
  auto* Item = new TMenuItem(this);
  Item->SetCaption(Caption);
  if (!ShortCut.empty()) Item->SetShortCut(TextToShortCut(ShortCut));
  if (!Item->IsLine()) Item->OnClick = std::move(Click);
  Parent->Add(Item);
  return Item;
}

void TBkFrmOrlimo::CreateMainMenu() {
  MnuMain = new TMainMenu(this);
  TMenuItem* Bar = MnuMain->GetItems();
  // A call of the panel.
  auto Run = [this](void (TBkOrlimoComposite::*Operation)()) {
    return [this, Operation](TObject*) { (FViewer->*Operation)(); };
  };
  // A call of the panel, then its status update.
  auto RunAndUpdate = [this](auto Operation) {
    return [this, Operation](TObject*) {
      Operation(*FViewer);
      FViewer->UpdateStatus();
    };
  };
  auto Toggles = [this](void (TBkOrlimoComposite::*Setter)(bool)) {
    return [this, Setter](TObject* Sender) { Toggle(static_cast<TMenuItem*>(Sender), Setter); };
  };
  auto Handler = [this](void (TBkFrmOrlimo::*Method)(TObject*)) {
    return [this, Method](TObject* Sender) { (this->*Method)(Sender); };
  };

  MnuFile = NewItem(Bar, "&File");
  MnuOpen = NewItem(MnuFile, "&Open...", "Ctrl+O", Run(&TBkOrlimoComposite::OpenMessageLog));
  MnuSave = NewItem(MnuFile, "&Save...", "Ctrl+S", Run(&TBkOrlimoComposite::SaveMessages));
  MnuLogToFile = NewItem(MnuFile, "&Log to File...", "", Run(&TBkOrlimoComposite::ChangeLogToFile));
  MnuSep16 = NewItem(MnuFile, "-");
  MnuPrint = NewItem(MnuFile, "&Print...", "", Run(&TBkOrlimoComposite::Print));
  MnuSep5 = NewItem(MnuFile, "-");
  MnuExit = NewItem(MnuFile, "E&xit", "Alt+F4", Handler(&TBkFrmOrlimo::MnuExitClick));

  MnuEdit = NewItem(Bar, "&Edit");
  MnuCopy = NewItem(MnuEdit, "&Copy", "Ctrl+C", Run(&TBkOrlimoComposite::CopyToClipboard));
  MnuCopyAll = NewItem(MnuEdit, "Copy A&ll", "", Run(&TBkOrlimoComposite::CopyAllToClipboard));
  MnuSep11 = NewItem(MnuEdit, "-");
  MnuDelete = NewItem(MnuEdit, "&Delete", "", Run(&TBkOrlimoComposite::DeleteSelectedItems));
  MnuClear = NewItem(MnuEdit, "Clea&r", "", Run(&TBkOrlimoComposite::ClearWithPrompt));
  MnuResetIndentLevel = NewItem(MnuEdit, "Reset &Indent Level", "", Run(&TBkOrlimoComposite::ResetIndentLevel));
  MnuSep12 = NewItem(MnuEdit, "-");
  MnuSelectAll = NewItem(MnuEdit, "Select &All", "Ctrl+A", Run(&TBkOrlimoComposite::SelectAll));

  MnuSearch = NewItem(Bar, "&Search");
  MnuFind = NewItem(MnuSearch, "&Find...", "Ctrl+F", Run(&TBkOrlimoComposite::Find));
  MnuFindNext = NewItem(MnuSearch, "Find &Next", "F3", [this](TObject*) { FViewer->FindNext(false); });
  MnuSep1 = NewItem(MnuSearch, "-");
  MnuFindMatchingMethod = NewItem(MnuSearch, "Find Matching &Method", "", Run(&TBkOrlimoComposite::FindMatchingMethod));
  MnuFindMatchingMethod->SetEnabled(false);
  MnuFindCurrentMethod = NewItem(MnuSearch, "Find &Current Method", "", Run(&TBkOrlimoComposite::FindCurrentMethod));
  MnuSep20 = NewItem(MnuSearch, "-");
  MnuFilter = NewItem(MnuSearch, "Filter and &Highlight...", "Ctrl+H", Run(&TBkOrlimoComposite::FilterAndHighlight));

  MnuView = NewItem(Bar, "&View");
  MnuInspector = NewItem(MnuView, "Inspector Wind&ow...", "", Run(&TBkOrlimoComposite::OpenInspectorWindow));
  MnuInspector->SetEnabled(false);
  MnuSep8 = NewItem(MnuView, "-");
  MnuViewIcons = NewItem(MnuView, "&Icons", "", Toggles(&TBkOrlimoComposite::SetViewIcons));
  MnuViewIcons->SetChecked(true);
  MnuTimeStamp = NewItem(MnuView, "Time &Stamp", "", Toggles(&TBkOrlimoComposite::SetViewTimeStamp));
  MnuAppName = NewItem(MnuView, "Application &Name", "", Toggles(&TBkOrlimoComposite::SetViewAppName));
  MnuSep6 = NewItem(MnuView, "-");
  MnuToolbar = NewItem(MnuView, "&Toolbar", "", Toggles(&TBkOrlimoComposite::SetViewToolbar));
  MnuToolbar->SetChecked(true);
  MnuWrapButtons = NewItem(MnuView, "&Wrap Buttons", "", Toggles(&TBkOrlimoComposite::SetWrapButtons));
  MnuWrapButtons->SetChecked(true);
  MnuStatusBar = NewItem(MnuView, "Status &Bar", "", Toggles(&TBkOrlimoComposite::SetViewStatusBar));
  MnuStatusBar->SetChecked(true);
  MnuOnTop = NewItem(MnuView, "&Always On Top", "", Handler(&TBkFrmOrlimo::MnuOnTopClick));
  MnuSep10 = NewItem(MnuView, "-");
  MnuInspectorPane = NewItem(MnuView, "Inspector &Pane", "F5", Toggles(&TBkOrlimoComposite::SetViewInspectorPane));
  MnuViewCallStack = NewItem(MnuView, "&Call Stack", "", Handler(&TBkFrmOrlimo::MnuViewCallStackClick));
  MnuViewCallStack->SetGroupIndex(3);
  MnuViewDetails = NewItem(MnuView, "D&etails", "", Handler(&TBkFrmOrlimo::MnuViewDetailsClick));
  MnuViewDetails->SetGroupIndex(3);
  MnuViewDetails->SetChecked(true);
  MnuScratchPad = NewItem(MnuView, "Scratc&h Pad", "F6", Toggles(&TBkOrlimoComposite::SetViewScratchPad));
  MnuScratchPad->SetGroupIndex(4);
  MnuSep4 = NewItem(MnuView, "-");
  MnuSep4->SetGroupIndex(4);
  MnuDock = NewItem(MnuView, "&Dock");
  MnuDock->SetGroupIndex(4);
  const TNotifyEvent Dock = Handler(&TBkFrmOrlimo::MnuDockClick);
  auto DockItem = [&](const char* Caption, LxDock::TDockTag Tag) {
    TMenuItem* Item = NewItem(MnuDock, Caption, "", Dock);
    Item->SetTag(Tag);
    return Item;
  };
  MnuDockUL = DockItem("&Upper Left", LxDock::dkUpperLeft);
  MnuDockUR = DockItem("Upper &Right", LxDock::dkUpperRight);
  MnuDockLR = DockItem("&Lower Right", LxDock::dkLowerRight);
  MnuDockLL = DockItem("L&ower Left", LxDock::dkLowerLeft);
  MnuDockL = DockItem("Left", LxDock::dkLeft);
  MnuDockL->SetBreak(true);  // a new column
  MnuDockT = DockItem("Top", LxDock::dkTop);
  MnuDockR = DockItem("Right", LxDock::dkRight);
  MnuDockB = DockItem("&Bottom", LxDock::dkBottom);
  MnuSep3 = NewItem(MnuView, "-");
  MnuSep3->SetGroupIndex(4);
  MnuPreferences = NewItem(MnuView, "P&references...", "", Run(&TBkOrlimoComposite::ChangePreferences));
  MnuPreferences->SetGroupIndex(4);
  MnuSep21 = NewItem(MnuView, "-");
  MnuSep21->SetGroupIndex(4);
  MnuTheme = NewItem(MnuView, "&Theme");
  MnuTheme->SetGroupIndex(4);
  const TNotifyEvent Theme = Handler(&TBkFrmOrlimo::MnuThemeClick);
  auto ThemeItem = [&](const char* Caption, std::int32_t Look) {
    TMenuItem* Item = NewItem(MnuTheme, Caption, "", Theme);
    Item->SetTag(Look);
    Item->SetRadioItem(true);
    return Item;
  };
  MnuThemeFollow = ThemeItem("&Follow Windows", ThemeFollowWindows);
  MnuThemeLight = ThemeItem("&Light", ThemeLight);
  MnuThemeDark = ThemeItem("&Dark", ThemeDark);
  MnuThemeFollow->SetChecked(true);

  MnuMessages = NewItem(Bar, "&Messages");
  MnuIgnoreMessages = NewItem(MnuMessages, "&Ignore Messages", "", Toggles(&TBkOrlimoComposite::SetIgnoreMessages));
  MnuCaptureDebugOutput =
      NewItem(MnuMessages, "Capture &Debug Output", "Ctrl+D", Run(&TBkOrlimoComposite::CaptureDebugOutputClick));
  MnuCaptureGlobalDebugOutput =
      NewItem(MnuMessages, "Capture &Global Debug Output", "", Run(&TBkOrlimoComposite::CaptureGlobalDebugOutputClick));
  MnuNetworkMessages = NewItem(MnuMessages, "&Network Messages...", "", Run(&TBkOrlimoComposite::NetworkMessagesClick));
  MnuSep14 = NewItem(MnuMessages, "-");
  // Entries made from the menu carry no application name.
  MnuAddCheckPoint = NewItem(MnuMessages, "Add &Check Point", "", RunAndUpdate([](TBkOrlimoComposite& V) {
                               V.AddCheckPoint("", static_cast<std::int32_t>(GetTickCount()));
                             }));
  MnuAddNote = NewItem(MnuMessages, "Add No&te", "", RunAndUpdate([](TBkOrlimoComposite& V) { V.AddNote(); }));
  MnuAddSeparator = NewItem(MnuMessages, "Add &Separator", "", RunAndUpdate([](TBkOrlimoComposite& V) {
                              V.AddSeparator("", static_cast<std::int32_t>(GetTickCount()));
                            }));
  MnuSep2 = NewItem(MnuMessages, "-");
  MnuInsertNote = NewItem(MnuMessages, "Insert N&ote", "", RunAndUpdate([](TBkOrlimoComposite& V) { V.InsertNote(); }));
  MnuInsertSeparator = NewItem(MnuMessages, "Insert Sepa&rator", "", RunAndUpdate([](TBkOrlimoComposite& V) {
                                 V.InsertSeparator("", static_cast<std::int32_t>(GetTickCount()));
                               }));
  MnuSep9 = NewItem(MnuMessages, "-");
  MnuSelectNavMsg =
      NewItem(MnuMessages, "Select Navigator &Message...", "", Run(&TBkOrlimoComposite::SelectNavigatorMessage));
  const TNotifyEvent Navigate = Handler(&TBkFrmOrlimo::MnuCPClick);
  auto NavItem = [&](const char* Caption, const char* Keys, int Tag) {
    TMenuItem* Item = NewItem(MnuMessages, Caption, Keys, Navigate);
    Item->SetTag(Tag);
    Item->SetEnabled(false);
    return Item;
  };
  MnuCPFirst = NavItem("&First", "", 0);
  MnuCPPrev = NavItem("&Previous", "Ctrl+P", 1);
  MnuCPNext = NavItem("&Next", "Ctrl+N", 2);
  MnuCPLast = NavItem("&Last", "", 3);

  MnuHelp = NewItem(Bar, "&Help");
  MnuHelpContents = NewItem(MnuHelp, "&Contents", "", Run(&TBkOrlimoComposite::InvokeHelpContents));
  MnuSep7 = NewItem(MnuHelp, "-");
  MnuAbout = NewItem(MnuHelp, "&About", "", Run(&TBkOrlimoComposite::DisplayAboutBox));

  SetMenu(MnuMain);
}

void TBkFrmOrlimo::Toggle(TMenuItem* Item, void (TBkOrlimoComposite::*Setter)(bool)) {
  Item->SetChecked(!Item->GetChecked());
  (FViewer->*Setter)(Item->GetChecked());
}

// ---------------------------------------------------------------- handlers

void TBkFrmOrlimo::MnuExitClick(TObject*) { Close(); }

void TBkFrmOrlimo::MnuViewCallStackClick(TObject*) {
  MnuViewCallStack->SetChecked(true);
  MnuViewDetails->SetChecked(false);
  FViewer->SetViewCallStack(true);
}

void TBkFrmOrlimo::MnuViewDetailsClick(TObject*) {
  MnuViewDetails->SetChecked(true);
  MnuViewCallStack->SetChecked(false);
  FViewer->SetViewCallStack(false);
}

void TBkFrmOrlimo::MnuCPClick(TObject* Sender) {
  FViewer->JumpToMessage(static_cast<std::int32_t>(static_cast<TMenuItem*>(Sender)->GetTag()));
}

void TBkFrmOrlimo::MnuDockClick(TObject* Sender) {
  RECT Work{};
  BkLxUtil::GetDesktopClientRect(Work);
  const auto Bounds =
      LxDock::DockBounds(static_cast<std::int32_t>(static_cast<TMenuItem*>(Sender)->GetTag()), GetWidth(), GetHeight(),
                         LxDock::TDockArea{Work.left, Work.top, Work.right, Work.bottom});
  if (Bounds) SetBounds(Bounds->Left, Bounds->Top, Bounds->Width, Bounds->Height);
}

void TBkFrmOrlimo::MnuThemeClick(TObject* Sender) {
  auto* Item = static_cast<TMenuItem*>(Sender);
  Item->SetChecked(true);
  FViewer->SetTheme(static_cast<std::int32_t>(Item->GetTag()));
}

void TBkFrmOrlimo::MnuOnTopClick(TObject*) {
  MnuOnTop->SetChecked(!MnuOnTop->GetChecked());
  UpdateStayOnTop();
}

void TBkFrmOrlimo::UpdateStayOnTop() {
  FViewer->PrepareForCompositeMove();
  // The panel gets its items back also when the style cannot be changed; the
  // check mark then shows the style the window really has.
  auto Finished = ScopeExit([this] {
    try {
      FViewer->FinishedCompositeMove();
    } catch (const std::exception& E) {
      Application->HandleException(E);
    }
    MnuOnTop->SetChecked(GetFormStyle() == fsStayOnTop);
  });
  ApplyStayOnTop(MnuOnTop->GetChecked());
}

void TBkFrmOrlimo::ApplyStayOnTop(bool OnTop) { SetFormStyle(OnTop ? fsStayOnTop : fsNormal); }

// ---------------------------------------------------------------- panel callbacks

void TBkFrmOrlimo::CompositeUpdateMenu(TObject*) {
  MnuViewIcons->SetChecked(FViewer->GetViewIcons());
  MnuTimeStamp->SetChecked(FViewer->GetViewTimeStamp());
  MnuAppName->SetChecked(FViewer->GetViewAppName());
  // Radio items: checking one unchecks the other.
  if (FViewer->GetViewCallStack())
    MnuViewCallStack->SetChecked(true);
  else
    MnuViewDetails->SetChecked(true);
  MnuToolbar->SetChecked(FViewer->GetViewToolbar());
  MnuWrapButtons->SetChecked(FViewer->GetWrapButtons());
  MnuStatusBar->SetChecked(FViewer->GetViewStatusBar());
  MnuInspectorPane->SetChecked(FViewer->GetViewInspectorPane());
  MnuScratchPad->SetChecked(FViewer->GetViewScratchPad());
  MnuIgnoreMessages->SetChecked(FViewer->GetIgnoreMessages());
  MnuLogToFile->SetChecked(FViewer->LogToFile().Active());
  MnuCaptureDebugOutput->SetChecked(FViewer->GetCaptureDebugOutput());
  MnuCaptureGlobalDebugOutput->SetChecked(FViewer->GetCaptureGlobalDebugOutput());
  for (TMenuItem* Item : {MnuThemeFollow, MnuThemeLight, MnuThemeDark})
    if (Item->GetTag() == FViewer->GetTheme()) Item->SetChecked(true);
}

void TBkFrmOrlimo::CompositeUpdateStatus(TObject*, bool HasSelection, bool HasItems) {
  for (TMenuItem* Item : {MnuSave, MnuPrint, MnuCopyAll, MnuSelectAll, MnuFindCurrentMethod})
    Item->SetEnabled(HasItems);
  MnuCopy->SetEnabled(HasSelection);
  MnuDelete->SetEnabled(HasSelection);
  if (!HasItems) MnuInspector->SetEnabled(false);
}

void TBkFrmOrlimo::CompositeUpdateNav(TObject*, bool FirstEnabled, bool PrevEnabled, bool NextEnabled,
                                      bool LastEnabled) {
  MnuCPFirst->SetEnabled(FirstEnabled);
  MnuCPPrev->SetEnabled(PrevEnabled);
  MnuCPNext->SetEnabled(NextEnabled);
  MnuCPLast->SetEnabled(LastEnabled);
}

void TBkFrmOrlimo::CompositeLstMsgsClick(TObject*, bool CanInspect, bool CanMatchMethod) {
  MnuInspector->SetEnabled(CanInspect);
  MnuFindMatchingMethod->SetEnabled(CanMatchMethod);
}

void TBkFrmOrlimo::AppActivate(TObject*) {
  if (FViewer) FViewer->UpdateStatus();
}
