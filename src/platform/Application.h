// The application object: the message loop, the exception display, the
// application's hidden window and the hints of the controls.
#pragma once

#include "platform/Controls.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TCustomForm;
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
  THintWindow* GetHintWindow() const { return FHintWindow.get(); }
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
  // The hidden window if it exists now, else null (never makes one).
  HWND ExistingHandle() const { return FHandle && ::IsWindow(FHandle) ? FHandle : nullptr; }
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

  // A form closed with caFree: it is freed once the message loop comes back
  // (the application keeps the list; the posted message carries nothing).
  void ReleaseForm(TCustomForm* Form);
  void FreeReleasedForms();
  const std::vector<TCustomForm*>& GetReleasedForms() const { return FReleasedForms; }
  // Whether a WM_COMMAND of menu id Command that reached Wnd may run: always,
  // but while a modal form is up only in that form and of its own menu.
  bool AcceptsMenuCommand(HWND Wnd, UINT Command) const;
  // Whether input for Wnd would reach it: it and its parents are enabled.
  static bool InputAllowed(HWND Wnd);
  // The modal forms that are up, the innermost last.
  const std::vector<TCustomForm*>& GetModalForms() const { return FModalForms; }

  // Called by the layer.
  void ModalStarted(TCustomForm& Form);
  void ModalEnded(TCustomForm& Form);
  void FormDestroying(TCustomForm* Form);
  void ActivateChanged(bool Active);
  void Idle();
  // Keyboard preprocessing and dispatch of one retrieved message.
  void ProcessMessage(MSG& Msg);
  // Called when a control (or its hint) goes away.
  void ControlDestroying(TControl* Control);
  // For a DLL holding its own copy of this layer, before it is unloaded: the
  // hint, the hidden window (and with it every timer) go, and the window
  // classes are unregistered. The copy stays usable: what is needed again is
  // made again.
  void FinalizeModule();

private:
  void HintMouseMessage(const MSG& Msg);
  void HintTimerExpired();
  TControl* FHintControl = nullptr;
  // The hint control's window: a control made by another copy of this layer
  // (a plug-in's) tells only its own copy when it goes, so the window is what
  // shows that the control still exists.
  HWND FHintWnd = nullptr;
  POINT FHintPos{0, 0};
  bool FHintShowing = false;
  std::unique_ptr<THintWindow> FHintWindow;
  std::unique_ptr<TTimer> FHintTimer;
  bool FShowHint = true;
  unsigned FHintPause = 500;
  unsigned FHintHidePause = 2500;

  TCustomForm* FMainForm = nullptr;
  std::vector<TCustomForm*> FReleasedForms;
  std::vector<TCustomForm*> FModalForms;
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
