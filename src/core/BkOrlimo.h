// The viewer panel: TBkOrlimoComposite, the whole viewer as one control that
// any window can host. It owns the message list model and every child widget
// (status bar, the scratch-pad and inspector splitters, the message list, the
// detail notebook, the toolbar with its button groups, the popup menus), all
// built in code when it is constructed, and carries out the operations those
// widgets invoke.
//
// The class has one header and is implemented by concern:
//   BkOrlimo.cpp          construction, list operations, list drawing, tip
//   BkOrlimoAssembly.cpp  the widget tree, menus, window creation
//   BkOrlimoView.cpp      view settings, resizing, splitters, composite move
//   BkOrlimoStatus.cpp    status bar panes, time difference, notifications
//   BkOrlimoScratch.cpp   scratch pad
//   BkOrlimoSettings.cpp  registry settings, fonts, kind styles, preferences
//   BkOrlimoFiles.cpp     log files, text export, printing, clipboard
//   BkOrlimoCommands.cpp  the buttons and the list's popup menu
//   BkOrlimoHelp.cpp      help contents and the about box
//   BkOrlimoInspect.cpp   the selection handler, inspector pane and windows,
//                         call stack, font changes
//   BkOrlimoNavigate.cpp  navigator, find, method matching
//
// The intake windows reach it through TLxIntakePanel.
#pragma once

#include "core/BkListBox.h"
#include "core/BkPopupTip.h"
#include "core/BkStatusBar.h"
#include "core/LxNetFrm.h"

#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/Grids.h"
#include "platform/Menus.h"
#include "platform/Pages.h"
#include "platform/StdCtrls.h"

#include "components/LxLabel.h"
#include "components/LxMnuBtn.h"
#include "components/LxPanel.h"
#include "components/LxSpdBtn.h"
#include "components/LxSplit.h"
#include "components/LxStatus.h"

#include "model/CallStack.h"
#include "model/MsgFilter.h"
#include "model/MsgList.h"
#include "model/Navigator.h"
#include "model/Settings.h"
#include "model/ThemeColors.h"
#include "protocol/LxIntake.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// One entry of the kind style table: colour and text style of a message kind
// (the style bits are the font's own: bold, italic, underline, strike-out).
using TOrlimoFontRec = TOrlimoKindStyle;
using TOrlimoFonts = TOrlimoKindStyles;

// The kind style table: one per process, shared by every panel.
extern TOrlimoFonts FOrlimoFonts;

// The system clock: GetTickCount and the local time of day.
class TWinClock : public TOrlimoClock {
public:
  std::int32_t TickCount() override;
  std::int32_t TimeOfDay() override;
};

using TLstMessagesEvent = std::function<void(TObject* Sender, bool CanInspect, bool CanMatchMethod)>;
using TStatusUpdateEvent = std::function<void(TObject* Sender, bool HasSelection, bool HasItems)>;
using TNavUpdateEvent =
    std::function<void(TObject* Sender, bool FirstEnabled, bool PrevEnabled, bool NextEnabled, bool LastEnabled)>;

// The navigation commands, numbered as the navigator buttons' tags: first,
// previous, next, last. They also index the buttons' enabled states.
enum TNavCommand : std::size_t { nvFirst, nvPrev, nvNext, nvLast };
inline constexpr std::size_t NavCommandCount = nvLast + 1;

// The private message that places the splitter bars once the window has its
// real size: WParam the inspector bar's position, LParam the scratch pad's.
inline constexpr UINT UM_INITSPLITTERBARPOS = WM_USER + 201;
// Posted when logging to file failed: the panel tells the user then, after
// the message that caused it has been listed.
inline constexpr UINT UM_LOGFILEERROR = WM_USER + 202;
// A log load stopped at a full list: the list-full question, asked once the
// load is over (see LoadMessages).
inline constexpr UINT UM_LOADLISTFULL = WM_USER + 203;

class TBkLogToFile;
class ELogFileError;
class TFrmPreferences;
class TLxDbgCapture;
class TLxNetIntake;
class TSettingsStore;
class TTextDevice;

class TBkOrlimoComposite : public TScrollingWinControl, public TLxIntakePanel, private TMsgListObserver {
public:
  static constexpr int IconWidth = 14;
  static constexpr int IconHeight = 11;
  static constexpr COLORREF IconTransparentColor = RGB(128, 0, 128);
  static constexpr int ScratchPadLines = 100;
  // Registry keys of the settings: the standalone program's and the plug-in's.
  static constexpr const char* RegistryKey = "Software\\Brunelk\\Orlimo\\1.0";
  static constexpr const char* CodeRushRegistryKey = "Software\\Brunelk\\Orlimo\\1.0\\CodeRush";

  // Clock: the time source (null: the system clock). It must outlive the panel.
  explicit TBkOrlimoComposite(TComponent* AOwner, TOrlimoClock* Clock = nullptr);
  // The panel made for the IDE plug-in: it loads its settings when its window
  // is made and saves them when it is destroyed, under the plug-in's key.
  static TBkOrlimoComposite* CreateForCodeRush(TComponent* AOwner, TOrlimoClock* Clock = nullptr);
  ~TBkOrlimoComposite() override;

  bool IsForCodeRush() const { return FForCodeRush; }
  // The registry key of this panel's settings.
  std::string SettingsKey() const { return FForCodeRush ? CodeRushRegistryKey : RegistryKey; }

  // --- child widgets (all owned by the panel, made by CreateEmbeddedComponents)
  TBkOrlimoStatusBar* FStatusBar = nullptr;
  TLxGlyphStatus* FStsTimeDiff = nullptr;
  TLxStatusPane* FStsMsgCount = nullptr;
  TLxStatusPane* FStsSelCount = nullptr;
  TLxStatusPane* FStsTypeName = nullptr;
  TLxStatusPane* FStsHelp = nullptr;  // never made
  TLxPanel* FSeparator = nullptr;
  TLxSplitter* FScratchPadSplitter = nullptr;
  TStringGrid* FGrdScratchPad = nullptr;
  TLxSplitter* FInspectorSplitter = nullptr;
  TLxPanel* FPnlMsgs = nullptr;
  TBkEditListBox* FLstMsgs = nullptr;
  TLxPanel* FPnlDetail = nullptr;
  TLxPanel* FPnlCallStack = nullptr;
  TLxLabel* FLblCallStack = nullptr;
  TListBox* FLstCallStack = nullptr;
  TLxPanel* FPnlStringList = nullptr;
  TLxLabel* FLblStringList = nullptr;
  TLxLabel* FLblFill = nullptr;
  TMemo* FEdtStringList = nullptr;
  TLxPanel* FPnlStream = nullptr;
  TLxLabel* FLblStream = nullptr;
  TMemo* FEdtStream = nullptr;
  TStringGrid* FGrdObject = nullptr;
  TNotebook* FNbkView = nullptr;
  TLxToolbar* FToolbar = nullptr;
  TLxToolbar* FTbgMessage = nullptr;
  TLxSpeedButton* FBtnIgnoreMessages = nullptr;
  TLxSpeedButton* FBtnCaptureDebugOutput = nullptr;
  TLxSpeedButton* FBtnClear = nullptr;
  TLxSpacer* FSpacer1 = nullptr;
  TLxSpeedButton* FBtnNote = nullptr;
  TLxSpeedButton* FBtnSeparator = nullptr;
  TLxSpeedButton* FBtnCheckPoint = nullptr;
  TLxToolbar* FTbgNavigate = nullptr;
  TLxSpeedButton* FBtnFirst = nullptr;
  TLxSpeedButton* FBtnPrev = nullptr;
  TLxMenuSpeedButton* FBtnNavMsg = nullptr;
  TPopupMenu* FMnuNavMsg = nullptr;
  TLxSpeedButton* FBtnNext = nullptr;
  TLxSpeedButton* FBtnLast = nullptr;
  TLxSpacer* FSpacer2 = nullptr;
  TLxSpeedButton* FBtnMethodMatch = nullptr;
  TLxToolbar* FTbgView = nullptr;
  TLxSpeedButton* FBtnOptions = nullptr;
  TLxSpeedButton* FBtnIcons = nullptr;
  TLxSpeedButton* FBtnTimeStamp = nullptr;
  TLxSpacer* FSpacer3 = nullptr;
  TLxSpeedButton* FBtnInspectorPane = nullptr;
  TLxSpeedButton* FBtnScratchPad = nullptr;
  TLxSpeedButton* FBtnCallStack = nullptr;
  TLxSpacer* FSpacer4 = nullptr;
  TLxSpeedButton* FBtnInspector = nullptr;
  TPopupMenu* FMnuPopup = nullptr;
  TMenuItem* FMnuCaptureDebugOutput = nullptr;
  TMenuItem* FMnuCaptureGlobalDebugOutput = nullptr;
  TMenuItem* FMnuLogToFile = nullptr;
  TPopupMenu* FMnuScratchPadPopup = nullptr;
  TLxToolbar* FTbgFilter = nullptr;
  TEdit* FEdtQuickFilter = nullptr;

  // --- the message list ------------------------------------------------------
  TOrlimoMsgList& Messages() { return *FMsgs; }
  TBkPopupTip& Tip() { return *FTip; }
  // The tip's font size in points.
  static constexpr int TipFontSize = 8;

  std::int32_t AddMessage(std::int32_t Kind, std::string_view Text, std::string_view AppName, std::string_view TypeName,
                          std::int32_t TickCount, std::optional<std::string_view> Details) override;
  void InsertMessage(std::int32_t Position, std::int32_t Kind, std::string_view Text, std::string_view AppName,
                     std::string_view TypeName, std::int32_t TickCount, std::optional<std::string_view> Details);
  void AddCheckPoint(std::string_view AppName, std::int32_t TickCount) override;
  void AddSeparator(std::string_view AppName, std::int32_t TickCount) override;
  void InsertSeparator(std::string_view AppName, std::int32_t TickCount);
  const TOrlimoMsgInfo& GetItemMsgInfo(std::int32_t Position) const;
  const TOrlimoMsgInfo* GetCurrentMsgInfo() const;
  void SetSatellite(TBkFrmLxSatellite* Satellite) override { FSatellite = Satellite; }
  TBkFrmLxSatellite* GetSatellite() const { return FSatellite; }
  void AppendSharedItemsFrom(TLxIntakePanel& First) override;

  // --- scratch pad -----------------------------------------------------------
  // Line 0..99 becomes Text (in the grid, also while it is hidden); other
  // line numbers are ignored.
  void ScratchPadMsg(std::int32_t Line, std::string_view Text) override;
  const std::string& GetScratchPadLine(std::int32_t Line) const;
  void DrawScratchPadCell(int ACol, int ARow, const RECT& Rect, TGridDrawState State);

  // --- virtual operations, in slot order ---------------------------------------
  virtual void ClearScratchPad();
  virtual void SetNavigatorGlyph();
  // Checks the navigator menu item at Position (the navigator kind).
  virtual void CheckNavMsgsMenuItem(std::int32_t Position);
  virtual void DisplayTimeDifference();

protected:
  virtual void Initialize();

public:
  virtual void SelectNavigatorMessage();
  // Command 0 first, 1 previous, 2 next, 3 last.
  virtual void JumpToMessage(std::int32_t Command);
  virtual void Find();
  virtual void FindNext(bool FirstSearch);
  virtual void FindMatchingMethod();
  virtual void FindCurrentMethod();
  virtual void JumpToItem(std::int32_t Position);
  virtual std::string PrepareLine(std::int32_t Position);
  virtual void ProcessMessage(const void* Record, std::size_t Size);
  // Replaces the list with the log's records. When the list fills before the
  // end, the load stops there and the list-full question comes after it
  // (posted): Ignore keeps what was loaded, Clear clears the list and loads
  // the rest of the file from the record that did not fit.
  virtual void LoadMessages(const std::string& FileName);
  // The list-full question of a load that stopped, if one waits (what
  // UM_LOADLISTFULL runs). Nothing happens when the program was told to end
  // while it showed.
  void AskLoadListFull();
  bool LoadListFullPending() const { return FLoadFullAt.has_value(); }
  virtual void OpenMessageLog();
  virtual void SaveMessages();
  void SaveLogFile(const std::string& FileName) override;
  virtual void Print();
  virtual void ClearWithPrompt();
  virtual void ResetIndentLevel();
  void Clear() override;
  virtual void DeleteSelectedItems();
  virtual void CopyToClipboard();
  virtual void CopyAllToClipboard();
  virtual void SelectAll();
  virtual void InvokeHelpContents();
  virtual void DisplayAboutBox();
  virtual void AddNote();
  virtual void InsertNote();

  // --- further operations ------------------------------------------------------
  void OpenInspectorWindow();
  void ChangePreferences();
  void LoadSettings();
  void SaveSettings();
  // Before and after a host destroys and re-creates the panel's window: keeps
  // every item with its record and the selection.
  void PrepareForCompositeMove();
  void FinishedCompositeMove();
  // A changed font reaches the inspector pane and every open inspector window.
  void MessageFontChanged();
  void ObjectFontChanged();
  void StreamFontChanged();

  // --- settings, preferences and files -------------------------------------------
  // LoadSettings/SaveSettings over any store (they use the registry key of
  // SettingsKey()).
  void LoadSettingsFrom(TSettingsStore& Store);
  void SaveSettingsTo(TSettingsStore& Store);
  // What ChangePreferences does after OK, in order.
  void ApplyPreferences(TFrmPreferences& Dialog);
  // Face name (exact), size, style and colour all equal.
  static bool FontsAreEqual(const TFont& A, const TFont& B);
  // All entries agree in use-default flag, colour and style.
  static bool FontArraysAreEqual(const TOrlimoFonts& A, const TOrlimoFonts& B);
  // Writes the text export of the list to FileName.
  void SaveTextFile(const std::string& FileName);
  // The printout (header, empty line, one export line per item) on Device,
  // whose canvas is Canvas.
  void PrintMessages(TTextDevice& Device, TCanvas& Canvas);
  // The current moment as the header of an export or a printout shows it.
  static std::string HeaderDateText();

  // --- settings ----------------------------------------------------------------
  bool GetIgnoreMessages() const override { return FMsgs->GetIgnoreMessages(); }
  void SetIgnoreMessages(bool Value);
  bool GetInsertSeparatorOnWakeUp() const { return FMsgs->GetInsertSeparatorOnWakeUp(); }
  void SetInsertSeparatorOnWakeUp(bool Value) { FMsgs->SetInsertSeparatorOnWakeUp(Value); }
  bool GetBeepOnWakeUp() const { return FMsgs->GetBeepOnWakeUp(); }
  void SetBeepOnWakeUp(bool Value) { FMsgs->SetBeepOnWakeUp(Value); }
  std::int32_t GetIdleTime() const { return FMsgs->GetIdleTime(); }
  void SetIdleTime(std::int32_t Value) { FMsgs->SetIdleTime(Value); }
  std::int32_t GetNavigatorMessage() const { return FMsgs->GetNavigatorMessage(); }
  void SetNavigatorMessage(std::int32_t Value);
  // The look (BkOrlimoView.cpp): ThemeFollowWindows, ThemeLight or ThemeDark.
  std::int32_t GetTheme() const { return FTheme; }
  // The user's choice: stored in the settings at once, and applied.
  void SetTheme(std::int32_t Value);
  // Makes the process-wide look the one the choice gives (reading Windows'
  // own choice when it follows Windows): at start, after a choice, and when
  // Windows' colours changed. A change repaints every window and gives the
  // panes their fonts in the new look.
  void ApplyTheme();
  // A settings font as the panes show it: in the dark look, a colour the
  // user never changed is the dark text colour.
  static TFont ShownFont(const TFont& Font);
  bool GetViewToolbar() const { return FViewToolbar; }
  void SetViewToolbar(bool Value);
  bool GetWrapButtons() const { return FWrapButtons; }
  void SetWrapButtons(bool Value);
  bool GetViewStatusBar() const { return FViewStatusBar; }
  void SetViewStatusBar(bool Value);
  bool GetViewInspectorPane() const { return FViewInspectorPane; }
  void SetViewInspectorPane(bool Value);
  bool GetViewScratchPad() const { return FViewScratchPad; }
  void SetViewScratchPad(bool Value);
  bool GetViewCallStack() const { return FViewCallStack; }
  void SetViewCallStack(bool Value);
  bool GetViewIcons() const { return FViewIcons; }
  void SetViewIcons(bool Value);
  bool GetViewTimeStamp() const { return FViewTimeStamp; }
  void SetViewTimeStamp(bool Value);
  bool GetViewAppName() const { return FViewAppName; }
  void SetViewAppName(bool Value);
  bool GetInsertAtEnd() const { return FMsgs->GetInsertAtEnd(); }
  void SetInsertAtEnd(bool Value) { FMsgs->SetInsertAtEnd(Value); }
  bool GetConfirmOnClear() const { return FConfirmOnClear; }
  void SetConfirmOnClear(bool Value) { FConfirmOnClear = Value; }
  bool GetKeepMsgInView() const { return FKeepMsgInView; }
  void SetKeepMsgInView(bool Value) { FKeepMsgInView = Value; }
  TFont& GetLstMsgsFont() { return FLstMsgs->GetFont(); }
  void SetLstMsgsFont(const TFont& Font);
  TFont& MsgFont() { return FMsgFont; }
  TFont& ObjectFont() { return FObjectFont; }
  TFont& StreamFont() { return FStreamFont; }
  // The toolbar's height when it is shown, else 0 (the clear confirmation
  // sits below it).
  virtual int ToolbarOffset() const;
  const std::string& LocalAppName() const { return FMsgs->GetLocalAppName(); }

  // --- debug output of other programs (BkOrlimoDbgOutput.cpp) ----------------
  static constexpr int DbgOutputGroupIndex = 8;  // the toolbar toggle's group
  bool GetCaptureDebugOutput() const;
  // Starts or stops the capture; false (capture off) when another program
  // already reads the channel or it cannot be opened.
  bool SetCaptureDebugOutput(bool Value);
  // The user's command (menus, toolbar): toggles the capture; a box says so
  // when another program holds the channel.
  void CaptureDebugOutputClick();
  // The stored value at start: on, or the refusal in the type-name pane.
  void ApplyCaptureDebugOutputSetting(bool Value);
  TLxDbgCapture* DbgCapture() const { return FDbgCapture.get(); }
  // The same for the global channel (services and other sessions), beside
  // the session's: it needs the right to create global objects.
  bool GetCaptureGlobalDebugOutput() const;
  bool SetCaptureGlobalDebugOutput(bool Value);
  void CaptureGlobalDebugOutputClick();
  void ApplyCaptureGlobalDebugOutputSetting(bool Value);
  TLxDbgCapture* DbgGlobalCapture() const { return FDbgGlobalCapture.get(); }

  // Syslog messages from the network (BkOrlimoNetwork.cpp). The settings as
  // the user chose them; Listen stays on only while the listener runs.
  const TNetSettings& GetNetSettings() const { return FNet; }
  // Applies S: the listener (re)started or stopped. False, with listening
  // off and the reason in Refusal, when the port cannot be opened.
  bool SetNetSettings(const TNetSettings& S, std::string* Refusal = nullptr);
  // The user's command (Messages menu, list menu): the dialog; a port that
  // cannot be opened is said in a box.
  void NetworkMessagesClick();
  // The stored values at start: a refusal goes to the type-name pane.
  void ApplyNetSettingsAtStart(const TNetSettings& S);
  TLxNetIntake* NetIntake() const { return FNetIntake.get(); }

  // --- filters and highlighting (BkOrlimoFilter.cpp) -------------------------
  // The list shows the messages the rules and the quick filter let through;
  // every index the list and the operations on "the list" use is an index
  // among the shown messages. Without a filter the two are the same.
  static constexpr unsigned QuickFilterDelay = 150;  // ms without a key before the quick filter applies
  const TMsgFilter& Filter() const { return *FFilter; }
  bool Filtering() const { return FFiltering; }
  std::int32_t ShownCount() const { return FFiltering ? FShown.Count() : FMsgs->Count(); }
  // The list position of the Index-th shown message (Index itself when out of range).
  std::int32_t ShownPosition(std::int32_t Index) const {
    return FFiltering && Index >= 0 && Index < FShown.Count() ? FShown.Position(Index) : Index;
  }
  // The shown index of the message at list position Position, -1 when hidden.
  std::int32_t ShownIndexOf(std::int32_t Position) const { return FFiltering ? FShown.IndexOf(Position) : Position; }
  // New rules: stored under the panel's key, applied at once.
  void SetFilterRules(std::vector<TFilterRule> Rules);
  // The quick filter's text, applied at once (typing applies it after QuickFilterDelay).
  void SetQuickFilterText(std::string_view Text);
  // The "Filter and Highlight" dialog; OK applies and stores its rules.
  void FilterAndHighlight();
  // Ctrl+E: the keyboard to the quick filter box.
  void FocusQuickFilter();
  // What the quick filter's timer runs: the box's text applied.
  void QuickFilterTimer();
  TTimer& QuickFilterTimerObject() { return *FQuickFilterTimer; }
  // The stored rules (they are read with the other settings).
  void LoadFilterRules(TSettingsStore& Store);
  // Re-filtering runs in slices of at most RefilterSliceTime ms between
  // messages (the first at once, so a short list is done before the call
  // returns); the list shows the previous view until it is done. A change of
  // the filter abandons the slice in progress and starts again.
  static constexpr unsigned RefilterSliceTime = 30;
  bool RefilterPending() const { return FRefilter != nullptr; }
  // One slice (what the re-filtering's timer runs); true when it finished
  // (or nothing was pending). Items: at most this many messages tested (0: by time).
  bool RefilterSlice(std::int32_t Items = 0);
  // The slices' size in messages (0: by time), for the first slice and the timer's.
  std::int32_t RefilterSliceItems = 0;
  // The first status pane: "4096 Messages", or "12 of 4,096 Messages" while filtering.
  std::string MessageCountText() const;

  // --- rendering -------------------------------------------------------------
  int IndentWidth() const { return FIndentWidth; }
  int AppNameWidth() const { return FAppNameWidth; }
  int TimeStampWidth() const { return FTimeStampWidth; }
  RECT GetMessageRect(std::int32_t Level, const RECT& ItemRect) const;
  RECT GetAppRect(const RECT& MessageRect) const;
  RECT GetTimeRect(const RECT& ItemRect, const RECT& MessageRect, const RECT& AppRect) const;
  std::string CropMessage(std::string Text, int Width);
  void InitIcons();
  TBitmap* Icon(std::int32_t Kind, bool Selected);
  bool UpdateAppNameWidth(std::string_view AppName);
  bool UpdateTimeStampWidth();
  void UpdateItemHeight();
  void UpdateList();
  void ReverseList();
  void ShowTip();
  void HideTip();
  bool GetTipVisible() const { return FTipVisible; }
  // Colour and style of a kind (-1: the default) from the kind style table.
  static void SetFontColorStyle(TFont& Font, std::int32_t Kind);
  // Chooses the detail notebook's page for the current message.
  void UpdateNotebookPage();

  // --- inspector, call stack, navigator and find ------------------------------
  // The call stack of the current item into Strings (each line's object its
  // position), innermost first; false, and Strings unchanged, when there is
  // no current item or fewer than two items.
  bool TraverseCallStack(TStringItems& Strings);
  // The lines the last call stack was made of (empty once items are cleared or deleted).
  const std::vector<TCallStackLine>& GetCallStackLines() const { return FCallStackLines; }
  // The pane as a list clear leaves it: empty grid, text boxes and call
  // stack, page 0, the inspect and method-match buttons off.
  void ClearInspectorPane();
  // The pane's controls (not the inspector windows) take the panel's fonts;
  // the object grid's row height follows the object font.
  void ApplyInspectorFonts();
  int ObjectRowHeight() const { return FObjectRowHeight; }
  // Message text for the text box: every run of CR and LF between two other
  // characters becomes one CR LF; a run at the start one CR LF, at the end none.
  static std::string NormalizeLineBreaks(std::string_view Text);
  // The find settings (they last as long as the panel).
  const std::string& GetFindText() const { return FFindText; }
  const TFindOptions& GetFindOptions() const { return FFindOptions; }
  void SetFindSettings(const std::string& Text, const TFindOptions& Options);

  // --- logging to file (BkOrlimoLogging.cpp) -----------------------------------
  TBkLogToFile& LogToFile() { return *FLogToFile; }
  // The "Log to File" dialog; OK applies and stores its values.
  void ChangeLogToFile();
  // The message box of a failure (what UM_LOGFILEERROR runs).
  void ShowLogFileError();

  // --- notifications ---------------------------------------------------------
  TLstMessagesEvent OnLstMsgsClick;
  TNotifyEvent OnSplitterChange;
  TNotifyEvent OnUpdateMenu;
  TStatusUpdateEvent OnUpdateStatus;
  TNavUpdateEvent OnUpdateNav;
  // The navigator buttons' enabled states, indexed by TNavCommand.
  std::array<bool, NavCommandCount> NavButtonsEnabled() const { return FNavEnabled; }

  // The selection handler: what a click on the list runs.
  virtual void LstMsgsClick();
  // Overridable notifications, in this order.
  virtual void LstMsgsClick(bool CanInspect, bool CanMatchMethod);
  virtual void SplitterChange();
  virtual void DoUpdateMenu();
  virtual void DoUpdateStatus(bool HasSelection, bool NotEmpty);
  virtual void DoUpdateNav();
  virtual void ResizeComponent();
  virtual void ResizeScratchPadColumns();
  // The toolbar wraps its buttons (WrapButtons) only while the panes below it
  // keep their minimum heights; otherwise its buttons stay in one row.
  void FitToolbarRows();

  // Panes, toggle buttons, time difference, then OnUpdateStatus.
  void UpdateStatus();
  // Re-evaluates the navigator buttons and fires OnUpdateNav.
  void UpdateNavButtons();

  // --- handlers of the child widgets -------------------------------------------
  void InspectorSplitterChange();
  void UMInitSplitterBarPos(TMessage& Message);
  void WMSize(TMessage& Message);

  void WndProc(TMessage& Message) override;

protected:
  TBkOrlimoComposite(TComponent* AOwner, TOrlimoClock* Clock, bool ForCodeRush);
  void CreateWnd() override;

  void CreateEmbeddedComponents();
  // A menu item owned by the panel, appended to Menu ("-": a separator line).
  TMenuItem* CreateMenuItem(TPopupMenu* Menu, int Tag, TNotifyEvent Click, const std::string& ShortCut,
                            const std::string& Caption, bool RadioItem);

  // The list's event handlers.
  void LstMsgsDrawItem(TBkVertListBox& Control, std::int32_t Index, const RECT& Rect, TOwnerDrawState State);
  void LstMsgsSizeEditRect(std::int32_t Index, RECT& EditRect);
  void LstMsgsShowingEditor(std::int32_t Index, bool& AllowShow);

private:
  // TMsgListObserver
  void WakeUpBeep() override;
  void BeforeInsert(std::int32_t Kind, std::string_view AppName) override;
  void NavigatorKindInserted(std::int32_t Position) override;
  void AfterInsert(std::int32_t Position) override;
  void ItemsLoaded(std::int32_t First, std::int32_t Count) override;
  TListFullAnswer ListFull() override;
  void Cleared() override;
  void IgnoreMessagesChanged(bool Ignore) override;

  void ResetColumnWidths();
  void MeasureAllColumns();
  // The object font reaches the object grid, the call stack and the page captions.
  void ApplyObjectFont();
  // Entry 0 of the kind style table from the message font.
  void RefreshDefaultKindStyle();

  // Assembly helpers.
  TLxToolbar* CreateButtonGroup(int Width, TFrameStyle Outer);
  TLxSpeedButton* CreateButton(TLxToolbar* Group, int Hint, const char* Glyph, TNotifyEvent Click);
  TLxSpacer* CreateSpacer(TLxToolbar* Group);
  void PopupMenuClick(TObject* Sender);
  void ScratchPadPopupClick(TObject* Sender);
  void NavMsgMenuClick(TObject* Sender);
  void MethodMatchClick();
  void ToggleClick(TLxSpeedButton* Button);
  // The count panes, from the list's repaint (messages arriving in a burst).
  void ListRepainted();
  // The navigator buttons take the enabled states kept for them.
  void ApplyNavButtons();
  // Splitter positions read from the settings wait for the window.
  void PostSplitterBarPos();
  // Whether the list holds items and has a current one.
  bool HasCurrentItem() const;

  void LogFileFailed(const ELogFileError& Error);
  // The type-name pane shows the log file's name while nothing is selected.
  void ShowLogFileName(std::int32_t Selected);

  bool FForCodeRush = false;
  std::unique_ptr<TBkLogToFile> FLogToFile;
  std::string FLogFileError;  // waiting for UM_LOGFILEERROR
  // A load that stopped at a full list: the file and the offset of the first
  // record not taken, waiting for UM_LOADLISTFULL.
  struct TLoadFullAt {
    std::string FileName;
    std::uint64_t Offset = 0;
  };
  std::optional<TLoadFullAt> FLoadFullAt;
  void LoadMessagesFrom(const std::string& FileName, std::uint64_t Offset);
  std::string FLogNameShown;  // what ShowLogFileName put in the pane
  std::unique_ptr<TWinClock> FOwnClock;
  std::unique_ptr<TOrlimoMsgList> FMsgs;
  class TItems;
  std::unique_ptr<TItems> FItems;
  TBkListItems* ListItems() const;
  TBkPopupTip* FTip = nullptr;
  bool FTipVisible = false;
  TBkFrmLxSatellite* FSatellite = nullptr;

  bool FConfirmOnClear = true;
  bool FKeepMsgInView = false;
  bool FViewToolbar = true;
  bool FWrapButtons = true;
  bool FViewStatusBar = true;
  bool FViewInspectorPane = false;
  bool FViewScratchPad = false;
  bool FViewCallStack = false;
  bool FViewIcons = true;
  bool FViewTimeStamp = false;
  bool FViewAppName = false;

  int FLastWidth = 300;
  int FLastInspectorBarPos = 0;
  int FInspectorBarPos = 265;
  int FScratchPadBarPos = 100;
  bool FBarPosPending = false;
  // The items kept while the window is re-created (composite move).
  struct TSavedItems {
    std::vector<TOrlimoMsgInfoRef> Items;
    std::vector<std::int32_t> Selected;
    std::int32_t Caret = -1;
    std::int32_t Top = 0;
  };
  std::unique_ptr<TSavedItems> FSavedItems;
  // What the status panes last fired (count changes from the list's repaint).
  int FLastStatusFlags = -1;

  TFont FMsgFont;
  TFont FObjectFont;
  TFont FStreamFont;
  int FIndentWidth = 24;
  int FAppNameWidth = 0;
  int FTimeStampWidth = 0;
  // Application names already measured for the current list font.
  struct TNameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view S) const { return std::hash<std::string_view>{}(S); }
  };
  std::unordered_map<std::string, int, TNameHash, std::equal_to<>> FAppNameWidths;
  // The name measured last and its width (-1: none), asked first.
  std::string FLastAppName;
  int FLastAppNameWidth = -1;
  int FSampleTimeWidth = -1;
  std::array<std::array<std::unique_ptr<TBitmap>, 2>, IconKindCount> FIcons;
  std::array<bool, NavCommandCount> FNavEnabled{};

  // Inspector, call stack and find (BkOrlimoInspect.cpp, BkOrlimoNavigate.cpp).
  void FillInspectorPane(const TOrlimoMsgInfo& Info, std::int32_t Position);
  void FillCallStack();
  int FObjectRowHeight = 16;
  std::vector<TCallStackLine> FCallStackLines;  // reused: no allocation per click; emptied when items go
  std::string FFindText;
  TFindOptions FFindOptions;
  std::unique_ptr<TFindText> FFindMatcher;

  // Filters (BkOrlimoFilter.cpp).
  // Builds the shown index anew for the current rules and quick text at once.
  void Refilter();
  // Starts re-filtering in slices (see RefilterSlice).
  void FilterChanged();
  // The list takes a new shown index, keeping the current message, the
  // selection and the top row where they stay shown.
  void ShowFiltered(TMsgFilterIndex Index, bool Filtering);
  // The list changed in a way the re-filtering in progress cannot follow.
  void RestartRefilter();
  struct TRefilterJob {
    TMsgFilterIndex Index;  // of the positions before Next
    std::int32_t Next = 0;
    TCursorGuard Hourglass;  // from the first slice to the last
  };
  // Searches over the shown messages (BkOrlimoNavigate.cpp): the first index
  // from From towards the end (Down) or 0 whose message Accept takes, -1 if none.
  std::int32_t ShownSearch(std::int32_t From, bool Down,
                           const std::function<bool(const TOrlimoMsgInfo&)>& Accept) const;
  std::int32_t ShownNavigatorTarget(std::int32_t Command, std::int32_t Current) const;
  bool ShownByFilter(const TOrlimoMsgInfo& Info) const;
  void CreateQuickFilter();
  std::unique_ptr<TMsgFilter> FFilter;
  TMsgFilterIndex FShown;
  bool FFiltering = false;
  std::unique_ptr<TTimer> FQuickFilterTimer;
  std::unique_ptr<TRefilterJob> FRefilter;
  std::unique_ptr<TTimer> FRefilterTimer;

  // Debug output capture; the last members, so the readers end first.
  void DbgCaptureChanged();
  struct TDbgCaptureDelete {
    void operator()(TLxDbgCapture* Capture) const;
  };
  // What the last refused start of the global capture tells the user.
  const char* FDbgGlobalRefusal = nullptr;
  std::unique_ptr<TLxDbgCapture, TDbgCaptureDelete> FDbgCapture;
  std::unique_ptr<TLxDbgCapture, TDbgCaptureDelete> FDbgGlobalCapture;
  struct TNetIntakeDelete {
    void operator()(TLxNetIntake* Intake) const;
  };
  TNetSettings FNet;
  std::unique_ptr<TLxNetIntake, TNetIntakeDelete> FNetIntake;
  std::int32_t FTheme = ThemeFollowWindows;
};
