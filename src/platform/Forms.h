// Forms (top-level windows, modal dialogs), the application object and the
// hourglass cursor guard.
#pragma once

#include "platform/Controls.h"

#include <exception>
#include <functional>
#include <string>

class TMainMenu;

// Modal results: the platform's dialog answers.
using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;  // OK or Yes
inline constexpr TModalResult mrCancel = 2;  // Cancel or No
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };
using TBorderIcons = unsigned;
enum TFormStyle { fsNormal, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TPosition { poDesigned, poScreenCenter, poMainFormCenter };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

// A windowed control that hosts others (the base of panels that fill a form).
class TScrollingWinControl : public TWinControl {
public:
  explicit TScrollingWinControl(TComponent* AOwner);
};

class TButtonControl;
class TTimer;

// The small window that shows a control's hint, in the application's hint colour.
class THintWindow : public TCustomControl {
public:
  explicit THintWindow(TComponent* AOwner);
  // Shows Text with its top-left corner at the screen point, without activating.
  void ActivateHint(POINT ScreenPos, const std::string& Text);
  void ReleaseHint();
  // The window size the text needs.
  SIZE CalcHintSize(const std::string& Text);

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint(TCanvas& Canvas) override;
  void WndProc(TMessage& Message) override;
};

class TCustomForm : public TScrollingWinControl {
public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

  TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TBorderIcons GetBorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons Value);
  // Stay-on-top is switched on the existing window (no re-creation).
  TFormStyle GetFormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle Value);
  TWindowState GetWindowState() const;
  void SetWindowState(TWindowState Value);
  TPosition GetPosition() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  // The window's normal (restored) bounds, also while it is maximised.
  RECT GetNormalBounds();

  TMainMenu* GetMenu() const { return FMenu; }
  void SetMenu(TMainMenu* Value);

  TWinControl* GetActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* Value);
  bool GetActive() const;

  // Closes a modal form with this result; 0 keeps it open.
  TModalResult GetModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  bool IsModal() const { return FModal; }
  // Shows the form and runs a modal loop until ModalResult is set (a button
  // with a modal result, Escape on the cancel button, the close box: mrCancel).
  // Other windows of the application are disabled meanwhile.
  virtual TModalResult ShowModal();
  // Asks OnCloseQuery and OnClose; hides the form (a modal form gets mrCancel,
  // the main form ends the application).
  void Close();
  virtual bool CloseQuery();

  // Menu shortcuts of the main menu and the form's OnShortCut.
  virtual bool IsShortCut(WORD Key, TShiftState Shift);
  // Tab / Shift+Tab move the focus, Enter clicks the default button (only that
  // one: without a default button Enter does nothing), Escape the cancel button.
  virtual bool DialogKey(WORD Key, TShiftState Shift);
  // Moves the focus to the next (or previous) tab stop.
  void SelectNext(TWinControl* Current, bool Forward);

  std::function<void(TObject* Sender, TCloseAction& Action)> OnClose;
  std::function<void(TObject* Sender, bool& CanClose)> OnCloseQuery;
  std::function<void(TObject* Sender, WORD Key, TShiftState Shift, bool& Handled)> OnShortCut;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;

  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  void DoSetVisible(bool Value) override;
  virtual void DoClose(TCloseAction& Action);

private:
  friend class TWinControl;
  friend class TButtonControl;
  void ModalLoop();
  TButtonControl* FindButton(bool Default);

  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
  TFormStyle FFormStyle = fsNormal;
  TWindowState FWindowState = wsNormal;
  TPosition FPosition = poDesigned;
  TMainMenu* FMenu = nullptr;
  TWinControl* FActiveControl = nullptr;
  TModalResult FModalResult = mrNone;
  bool FModal = false;
};

class TForm : public TCustomForm {
public:
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

// ---------------------------------------------------------------- application
class TApplication {
public:
  TApplication();
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  // Common controls; call once before creating forms.
  void Initialize();
  // Shows the main form and processes messages until Terminate (or the main form closes).
  void Run();
  // Waits for and processes one message (idle work when the queue is empty).
  void HandleMessage();
  // Processes every queued message without waiting.
  void ProcessMessages();
  // Posts the quit message; Terminated turns true when the loop receives it.
  void Terminate();
  bool GetTerminated() const { return FTerminated; }

  TCustomForm* GetMainForm() const { return FMainForm; }
  void SetMainForm(TCustomForm* Value) { FMainForm = Value; }
  const std::string& GetTitle() const { return FTitle; }
  void SetTitle(const std::string& Value) { FTitle = Value; }
  TColor GetHintColor() const { return FHintColor; }
  void SetHintColor(TColor Value) { FHintColor = Value; }
  const std::string& GetHelpFile() const { return FHelpFile; }
  void SetHelpFile(const std::string& Value) { FHelpFile = Value; }
  // The help system command (WinHelp) on HelpFile.
  bool HelpCommand(UINT Command, ULONG_PTR Data);
  // Whether a window of this application is the active one.
  bool GetActive() const { return FActive; }

  // Hints: a control's hint shows HintPause ms after the mouse came to rest
  // on it and hides after HintHidePause ms, on a click or a key.
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  unsigned GetHintPause() const { return FHintPause; }
  void SetHintPause(unsigned Value) { FHintPause = Value; }
  unsigned GetHintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(unsigned Value) { FHintHidePause = Value; }
  void CancelHint();
  // The control whose hint is pending or showing, the hint window (null until
  // first needed) and the timer that drives both (tests call its Timer()).
  TControl* GetHintControl() const { return FHintControl; }
  THintWindow* GetHintWindow() const { return FHintWindow; }
  TTimer* GetHintTimer();
  // The text a hint shows: the part before the first '|'.
  static std::string GetShortHint(const std::string& Hint);

  // The exception display: OnException when set, else ShowException.
  // Never throws (it is called from the window-procedure thunk).
  void HandleException(const std::exception& E) noexcept;
  void HandleUnknownException() noexcept;
  // A message box with the exception's text.
  void ShowException(const std::exception& E);
  // MessageBoxA over the active window (OnMessageBox answers instead when set).
  int MessageBox(const std::string& Text, const std::string& Caption, UINT Flags);

  // A hidden window of the application (timers, popup menus, clipboard owner).
  HWND GetHandle();
  HINSTANCE GetInstance() const { return ModuleInstance(); }

  // Activation of the application (any of its windows becomes / stops being active).
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnIdle;
  std::function<void(TObject* Sender, const std::exception& E)> OnException;
  // When set, MessageBox returns its answer instead of showing a box.
  std::function<int(const std::string& Text, const std::string& Caption, UINT Flags)> OnMessageBox;
  // Called when a modal loop begins (the form is shown); it may set the
  // form's ModalResult or post input to it. For tests and automation.
  std::function<void(TCustomForm& Form)> OnModalBegin;

  // Called by the layer.
  void ModalStarted(TCustomForm& Form);
  void ActivateChanged(bool Active);
  void Idle();
  // Keyboard preprocessing and dispatch of one retrieved message.
  void ProcessMessage(MSG& Msg);
  // Called when a control (or its hint) goes away.
  void ControlDestroying(TControl* Control);

private:
  void HintMouseMessage(const MSG& Msg);
  void HintTimerExpired();
  TControl* FHintControl = nullptr;
  POINT FHintPos{0, 0};
  bool FHintShowing = false;
  THintWindow* FHintWindow = nullptr;
  TTimer* FHintTimer = nullptr;
  bool FShowHint = true;
  unsigned FHintPause = 500;
  unsigned FHintHidePause = 2500;

  TCustomForm* FMainForm = nullptr;
  std::string FTitle;
  std::string FHelpFile;
  TColor FHintColor = clInfoBk;
  bool FTerminated = false;
  bool FActive = false;
  bool FInitialized = false;
  HWND FHandle = nullptr;
};

// The one application object.
extern TApplication* const Application;

// ---------------------------------------------------------------- cursor
// Shows the hourglass while it lives; the normal cursor comes back when the
// last guard ends, also when an exception leaves the guarded block.
class TCursorGuard {
public:
  explicit TCursorGuard(TCursor Cursor = crHourGlass);
  ~TCursorGuard();
  TCursorGuard(const TCursorGuard&) = delete;
  TCursorGuard& operator=(const TCursorGuard&) = delete;
  // The cursor every window of the layer shows now (crDefault: its own).
  static TCursor ScreenCursor();

private:
  TCursor FPrevious;
};
