// The standalone viewer's main form: one viewer panel filling its client
// area, the main menu that drives it, the window placement kept in the
// registry, docking to the screen's edges and corners, and the intake of the
// clients' messages (class "TBkFrmOrlimo", caption "Orlimo (32-bit)").
#pragma once

#include <string>
#include <vector>

#include "platform/Forms.h"
#include "platform/Menus.h"

class TBkOrlimoComposite;
class TLxIntakePanel;

class TBkFrmOrlimo : public TForm {
public:
  static constexpr const char* WindowClass = "TBkFrmOrlimo";
  static constexpr const char* WindowCaption = "Orlimo (32-bit)";
  // The registry key of the standalone viewer; the placement is in "Position".
  static constexpr const char* RegistryKey = "Software\\Brunelk\\Orlimo\\1.0";
  static constexpr const char* PositionKey = "Software\\Brunelk\\Orlimo\\1.0\\Position";
  static constexpr int DefaultWidth = 506;
  static constexpr int DefaultHeight = 300;
  static constexpr int MinTrackWidth = 100;
  static constexpr int MinTrackHeight = 150;

  // Args: the program's command-line arguments (without the program name).
  TBkFrmOrlimo(TComponent* AOwner, const std::vector<std::string>& Args);
  ~TBkFrmOrlimo() override;

  TBkOrlimoComposite* GetViewer() const { return FViewer; }

  // The main menu and its items.
  TMainMenu* MnuMain = nullptr;
  TMenuItem* MnuFile = nullptr;
  TMenuItem* MnuOpen = nullptr;
  TMenuItem* MnuSave = nullptr;
  TMenuItem* MnuLogToFile = nullptr;
  TMenuItem* MnuSep16 = nullptr;
  TMenuItem* MnuPrint = nullptr;
  TMenuItem* MnuSep5 = nullptr;
  TMenuItem* MnuExit = nullptr;
  TMenuItem* MnuEdit = nullptr;
  TMenuItem* MnuCopy = nullptr;
  TMenuItem* MnuCopyAll = nullptr;
  TMenuItem* MnuSep11 = nullptr;
  TMenuItem* MnuDelete = nullptr;
  TMenuItem* MnuClear = nullptr;
  TMenuItem* MnuResetIndentLevel = nullptr;
  TMenuItem* MnuSep12 = nullptr;
  TMenuItem* MnuSelectAll = nullptr;
  TMenuItem* MnuSearch = nullptr;
  TMenuItem* MnuFind = nullptr;
  TMenuItem* MnuFindNext = nullptr;
  TMenuItem* MnuSep1 = nullptr;
  TMenuItem* MnuFindMatchingMethod = nullptr;
  TMenuItem* MnuFindCurrentMethod = nullptr;
  TMenuItem* MnuSep20 = nullptr;
  TMenuItem* MnuFilter = nullptr;
  TMenuItem* MnuView = nullptr;
  TMenuItem* MnuInspector = nullptr;
  TMenuItem* MnuSep8 = nullptr;
  TMenuItem* MnuViewIcons = nullptr;
  TMenuItem* MnuTimeStamp = nullptr;
  TMenuItem* MnuAppName = nullptr;
  TMenuItem* MnuSep6 = nullptr;
  TMenuItem* MnuToolbar = nullptr;
  TMenuItem* MnuWrapButtons = nullptr;
  TMenuItem* MnuStatusBar = nullptr;
  TMenuItem* MnuOnTop = nullptr;
  TMenuItem* MnuSep10 = nullptr;
  TMenuItem* MnuInspectorPane = nullptr;
  TMenuItem* MnuViewCallStack = nullptr;
  TMenuItem* MnuViewDetails = nullptr;
  TMenuItem* MnuScratchPad = nullptr;
  TMenuItem* MnuSep4 = nullptr;
  TMenuItem* MnuDock = nullptr;
  TMenuItem* MnuDockUL = nullptr;
  TMenuItem* MnuDockUR = nullptr;
  TMenuItem* MnuDockLR = nullptr;
  TMenuItem* MnuDockLL = nullptr;
  TMenuItem* MnuDockL = nullptr;
  TMenuItem* MnuDockT = nullptr;
  TMenuItem* MnuDockR = nullptr;
  TMenuItem* MnuDockB = nullptr;
  TMenuItem* MnuSep3 = nullptr;
  TMenuItem* MnuPreferences = nullptr;
  TMenuItem* MnuSep21 = nullptr;
  TMenuItem* MnuTheme = nullptr;
  TMenuItem* MnuThemeFollow = nullptr;
  TMenuItem* MnuThemeLight = nullptr;
  TMenuItem* MnuThemeDark = nullptr;
  TMenuItem* MnuMessages = nullptr;
  TMenuItem* MnuIgnoreMessages = nullptr;
  TMenuItem* MnuCaptureDebugOutput = nullptr;
  TMenuItem* MnuCaptureGlobalDebugOutput = nullptr;
  TMenuItem* MnuNetworkMessages = nullptr;
  TMenuItem* MnuSep14 = nullptr;
  TMenuItem* MnuAddCheckPoint = nullptr;
  TMenuItem* MnuAddNote = nullptr;
  TMenuItem* MnuAddSeparator = nullptr;
  TMenuItem* MnuSep2 = nullptr;
  TMenuItem* MnuInsertNote = nullptr;
  TMenuItem* MnuInsertSeparator = nullptr;
  TMenuItem* MnuSep9 = nullptr;
  TMenuItem* MnuSelectNavMsg = nullptr;
  TMenuItem* MnuCPFirst = nullptr;
  TMenuItem* MnuCPPrev = nullptr;
  TMenuItem* MnuCPNext = nullptr;
  TMenuItem* MnuCPLast = nullptr;
  TMenuItem* MnuHelp = nullptr;
  TMenuItem* MnuHelpContents = nullptr;
  TMenuItem* MnuSep7 = nullptr;
  TMenuItem* MnuAbout = nullptr;

  // The panel's callbacks: they keep the menu's check marks and enabled
  // states in step with the panel.
  void CompositeUpdateMenu(TObject* Sender);
  void CompositeUpdateStatus(TObject* Sender, bool HasSelection, bool HasItems);
  void CompositeUpdateNav(TObject* Sender, bool FirstEnabled, bool PrevEnabled, bool NextEnabled, bool LastEnabled);
  void CompositeLstMsgsClick(TObject* Sender, bool CanInspect, bool CanMatchMethod);
  // The application became active: the status bar and the menu states are refreshed.
  void AppActivate(TObject* Sender);

  void LoadFormSettings();
  void SaveFormSettings();

  // Handlers of the menu items with more to do than one panel call.
  void MnuExitClick(TObject* Sender);
  void MnuOnTopClick(TObject* Sender);
  void MnuViewCallStackClick(TObject* Sender);
  void MnuViewDetailsClick(TObject* Sender);
  void MnuDockClick(TObject* Sender);
  void MnuCPClick(TObject* Sender);
  // A Theme item: its tag is the look chosen.
  void MnuThemeClick(TObject* Sender);

  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void DoClose(TCloseAction& Action) override;
  // Switches the window's stay-on-top style (between the panel's composite move).
  virtual void ApplyStayOnTop(bool OnTop);

private:
  void CreateMainMenu();
  TMenuItem* NewItem(TMenuItem* Parent, const std::string& Caption, const std::string& ShortCut = {},
                     TNotifyEvent Click = nullptr);
  // Inverts the item's check mark and hands the new state to the panel.
  void Toggle(TMenuItem* Item, void (TBkOrlimoComposite::*Setter)(bool));
  void FormCreate(const std::vector<std::string>& Args);
  void UpdateStayOnTop();
  void WMGetMinMaxInfo(TMessage& Message);
  // The window's normal (restored) rectangle in screen coordinates, also
  // while it is minimised.
  RECT NormalBoundsOnScreen();
  void WMCopyData(TMessage& Message);

  TBkOrlimoComposite* FViewer = nullptr;  // owned by the form
  std::vector<TLxIntakePanel*> FIntakePanels;
  bool FSettingsSaved = false;
};
