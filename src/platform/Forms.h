// Forms: top-level windows and modal dialogs. The application object
// ("platform/Application.h") and the cursor guard ("platform/Controls.h") come
// with this header.
#pragma once

#include "platform/Application.h"
#include "platform/Controls.h"

#include <functional>

class TMainMenu;

// Modal results: the platform's dialog answers.
using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;      // OK or Yes
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
  bool IsShortCut(WORD Key, TShiftState Shift) override;
  // Tab / Shift+Tab move the focus, Enter clicks the default button (only that
  // one: without a default button Enter does nothing), Escape the cancel button.
  bool DialogKey(WORD Key, TShiftState Shift) override;
  // Moves the focus to the next (or previous) tab stop.
  void SelectNext(TWinControl* Current, bool Forward);

  // Rescales the form for its window's DPI once, when it is first shown
  // (its window and its controls exist then, laid out in design pixels).
  // Done already: nothing happens.
  void ScaleForWindowDpi();
  // Bounds measured on the screen as it is now (a saved window position):
  // the first rescaling for the window's DPI keeps them and scales only the
  // controls inside.
  void SetDeviceBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    SetBounds(ALeft, ATop, AWidth, AHeight);
    FDeviceBounds = true;
  }

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
  void DestroyWnd() override;
  void DoSetVisible(bool Value) override;
  // A form keeps its position and rescales its client size.
  void ScaleBounds(int FromDpi, int ToDpi) override;
  // WM_DPICHANGED: the window takes the system's suggested rectangle and its
  // controls are rescaled where they are (nothing is re-created).
  void WMDpiChanged(TMessage& Message);
  virtual void DoClose(TCloseAction& Action);
  void ActiveControlChanged(TWinControl* Control) override;
  void ControlRemoving(TWinControl* Control) override;
  bool HasMenuBar() const override { return FMenu != nullptr; }
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void ModalLoop();
  // The control that answers a dialog key (IsDialogButton), or null.
  TWinControl* FindDialogButton(WORD Key);

  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
  TFormStyle FFormStyle = fsNormal;
  TWindowState FWindowState = wsNormal;
  TPosition FPosition = poDesigned;
  TMainMenu* FMenu = nullptr;
  TWinControl* FActiveControl = nullptr;
  TModalResult FModalResult = mrNone;
  bool FModal = false;
  bool FDpiScaled = false;
  bool FDpiChanging = false;
  bool FDeviceBounds = false;
};

class TForm : public TCustomForm {
public:
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};
