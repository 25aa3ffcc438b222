// Components, controls and windowed controls: ownership, bounds, visibility,
// alignment layout, the window-procedure thunk and the custom (self-painting)
// control base.
//
// The forms and the menus ("platform/Forms.h", "platform/Menus.h") build on
// this header, never the reverse: a control reaches its form through the
// hooks of its top parent (IsShortCut, DialogKey, ActiveControlChanged...),
// its popup menu through TCustomMenu, and menu commands through
// DispatchMenuCommand.
//
// Ownership: a component with an owner is deleted by that owner (children
// last-created first); deleting it earlier removes it from its owner. A
// control's parent is separate from its owner: the parent only lays it out
// and hosts its window. Every control is a window (created when its parent's
// window exists and it is first needed).
#pragma once

#include "model/DpiScale.h"
#include "platform/Graphics.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TObject {
public:
  virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

// ---------------------------------------------------------------- component
enum TOperation { opInsert, opRemove };

class TComponent : public TObject {
public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* GetOwner() const { return FOwner; }
  const std::string& GetName() const { return FName; }
  void SetName(const std::string& Value) { FName = Value; }
  std::intptr_t GetTag() const { return FTag; }
  void SetTag(std::intptr_t Value) { FTag = Value; }

  int GetComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* GetComponent(int Index) const { return FComponents.at(static_cast<size_t>(Index)); }
  // Owned component by name (case-insensitive), or null.
  TComponent* FindComponent(const std::string& Name) const;
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  // Deletes every owned component, the last one first.
  void DestroyComponents();

  // AComponent tells this component when it is deleted (Notification opRemove).
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  bool IsDestroying() const { return FDestroying; }

protected:
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  // Derived destructors that need owned components gone early call this.
  void BeginDestroy() { FDestroying = true; }

private:
  TComponent* FOwner = nullptr;
  std::string FName;
  std::intptr_t FTag = 0;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  bool FDestroying = false;
};

// ---------------------------------------------------------------- enums
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftFlag : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64
};
using TShiftState = unsigned;  // bit set of TShiftFlag
enum TCursor {
  crDefault,
  crArrow,
  crIBeam,
  crHourGlass,
  crCross,
  crUpArrow,
  crSizeAll,
  crSizeNWSE,
  crSizeNESW,
  crSizeNS,
  crSizeWE,
  crHSplit,
  crVSplit,
  crNo,
  crHandPoint,
  crAppStart
};
HCURSOR CursorHandle(TCursor Cursor);
// The shift state from the keyboard now (GetKeyState), and from mouse-message flags.
TShiftState KeyboardShiftState();
TShiftState MouseShiftState(WPARAM KeyFlags);

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

// Menu commands: a WM_COMMAND from a menu (no control window, notification 0)
// runs the menu item of its id. The menus register the handler with their
// first item; DispatchMenuCommand is false when no item has the id.
using TMenuCommandHandler = bool (*)(UINT Command);
void SetMenuCommandHandler(TMenuCommandHandler Handler);
bool DispatchMenuCommand(UINT Command);

struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};

// Private messages of the layer: reflected notifications. A parent hands a
// child the WM_COMMAND, WM_NOTIFY, colour and owner-draw messages about it as
// CN_BASE + the message, through ReflectToChild; a child's window procedure
// takes one only while that call is in progress (they carry pointers).
inline constexpr UINT CN_BASE = WM_APP + 0x3C00;
inline constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
inline constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
inline constexpr UINT CN_CTLCOLOR = CN_BASE + WM_CTLCOLOREDIT;  // WParam HDC; Result the HBRUSH
inline constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
inline constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;

class TControl;
class TWinControl;

// The DPI of the screen (LOGPIXELSX of its DC; 96 when it cannot be read).
int ScreenDpi();
// The DPI of a window: GetDpiForWindow where the system has it (looked up at
// run time, so the program still starts where it does not), otherwise the
// screen's.
int WindowDpi(HWND Wnd);

LRESULT ReflectToChild(TWinControl& Child, UINT Msg, WPARAM WParam, LPARAM LParam);
class TCustomForm;

// ---------------------------------------------------------------- menus, as the controls see them
// The base of the menus in "platform/Menus.h"; a control knows its popup menu
// only through these.
class TCustomMenu : public TComponent {
public:
  explicit TCustomMenu(TComponent* AOwner) : TComponent(AOwner) {}
  // Clicks the enabled item that has this shortcut; true when there was one.
  virtual bool IsShortCut(WORD Key, TShiftState Shift) = 0;
  // Shows the menu at a screen point as Control's context menu and runs the
  // chosen item; false when the menu has nothing to show there.
  virtual bool ContextPopup(TControl* Control, POINT Screen);
};

// ---------------------------------------------------------------- control
class TControl : public TComponent {
public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  TWinControl* GetParent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);

  int GetLeft() const { return FLeft; }
  int GetTop() const { return FTop; }
  int GetWidth() const { return FWidth; }
  int GetHeight() const { return FHeight; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  // Position in the parent's client coordinates (screen coordinates for
  // top-level and popup windows). Moves the window when it exists.
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  RECT GetBoundsRect() const { return RECT{FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
  void SetBoundsRect(const RECT& R) { SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top); }

  // The client rectangle (0, 0, client width, client height).
  virtual RECT GetClientRect();
  int GetClientWidth() { return GetClientRect().right; }
  int GetClientHeight() { return GetClientRect().bottom; }
  void SetClientWidth(int Value);
  void SetClientHeight(int Value);
  POINT ClientToScreen(POINT P);
  POINT ScreenToClient(POINT P);

  bool GetVisible() const { return FVisible; }
  virtual void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible and every parent up to the top visible too.
  bool Showing() const;
  bool GetEnabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);

  TAlign GetAlign() const { return FAlign; }
  virtual void SetAlign(TAlign Value);

  TColor GetColor() const { return FColor; }
  virtual void SetColor(TColor Value);
  bool GetParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  // The control's font; changing it repaints (and unsets ParentFont).
  TFont& GetFont() { return FFont; }
  void SetFont(const TFont& Value) { FFont.Assign(Value); }
  bool GetParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);

  // Caption and Text are the same string (the window text).
  std::string GetText() const;
  void SetText(const std::string& Value);
  std::string GetCaption() const { return GetText(); }
  void SetCaption(const std::string& Value) { SetText(Value); }

  const std::string& GetHint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  // The hint shows when the mouse rests on the control and ShowHint is on.
  // With ParentShowHint (the default) ShowHint follows the parent's; setting
  // ShowHint switches ParentShowHint off. Text after a '|' is not shown.
  bool GetShowHint() const;
  void SetShowHint(bool Value) {
    FShowHint = Value;
    FParentShowHint = false;
  }
  bool GetParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value) { FParentShowHint = Value; }
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor Value) { FCursor = Value; }
  // The menu a right click shows (a TPopupMenu); its shortcuts work while this
  // control or one of its children has the focus.
  TCustomMenu* GetPopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TCustomMenu* Value);

  virtual void Invalidate() = 0;
  virtual void Update() = 0;  // paints pending invalid parts now
  void Repaint() {
    Invalidate();
    Update();
  }
  void Refresh() { Repaint(); }
  virtual void BringToFront() = 0;
  virtual void SendToBack() = 0;

  // The form this control sits on (walking parents), or null. Defined with
  // the forms ("platform/Forms.h").
  TCustomForm* GetParentForm() const;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)> OnMouseDown;
  std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)> OnMouseUp;
  std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)> OnMouseMove;

  virtual void Click();
  virtual void DblClick();

  // DPI scaling. Every size a control is given in code is in design pixels
  // (96 DPI); a form rescales its tree once for its DPI before it is first
  // shown, and again when the window moves to a screen of another DPI.
  // The DPI this control is laid out for (96 until it is rescaled).
  int GetCurrentDpi() const { return FCurrentDpi; }
  // A design size at this control's DPI.
  int ScaleDesign(int DesignPixels) const { return ScaleForDpi(DesignPixels, FCurrentDpi); }
  // Rescales this control and its children from their DPI to ToDpi. Fonts
  // are rescaled only with ScaleFonts (a font's height follows the screen's
  // DPI when it is made, so only a move to another DPI needs it).
  void ScaleToDpi(int ToDpi, bool ScaleFonts = false);

protected:
  // The recursive step: the bounds, the font, the control's own design sizes
  // (DpiChanged), and for windowed controls the children, then the layout.
  virtual void ChangeScale(int FromDpi, int ToDpi, bool ScaleFonts);
  // Rescales the position and size (computed from the bounds first rescaled,
  // so going back and forth does not drift).
  virtual void ScaleBounds(int FromDpi, int ToDpi);
  // The font's height, unless it follows the parent's.
  void ScaleFont(int FromDpi, int ToDpi);
  // Hook for a control's own design sizes (item heights, glyph sizes, bar
  // widths, column widths...), called once its bounds are rescaled and
  // GetCurrentDpi is ToDpi. Rescale kept values with TDpiScaledValue or
  // recompute them from their design values with ScaleDesign.
  virtual void DpiChanged(int /*FromDpi*/, int /*ToDpi*/) {}

  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void Resize();  // after the size changed; fires OnResize
  // Change notifications (default: repaint).
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void TextChanged();
  virtual void EnabledChanged();
  virtual void VisibleChanged();
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // The parent asks for its layout again (alignment of siblings).
  void RequestAlign();
  // Bounds fields only (from the window's own moves).
  void UpdateBoundsFields(int ALeft, int ATop, int AWidth, int AHeight);
  // Window-side hooks implemented by TWinControl.
  virtual void DoSetBounds(int ALeft, int ATop, int AWidth, int AHeight) = 0;
  virtual void DoSetText(const std::string& Value) = 0;
  virtual std::string DoGetText() const = 0;
  virtual void DoSetVisible(bool Value) = 0;
  virtual void DoSetEnabled(bool Value) = 0;
  // The client size when there is no window yet (from the window styles).
  virtual SIZE ClientSizeWithoutHandle() const;

  friend class TWinControl;
  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  bool FVisible = true;
  bool FEnabled = true;
  TAlign FAlign = alNone;
  TColor FColor = clBtnFace;
  bool FParentColor = false;
  bool FParentFont = true;
  bool FChangingParentFont = false;
  TFont FFont;
  std::string FText;
  std::string FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TCursor FCursor = crDefault;
  TCustomMenu* FPopupMenu = nullptr;
  bool FMouseDownInside = false;
  int FCurrentDpi = DesignDpi;
  TDpiScaledValue FScaledLeft, FScaledTop, FScaledRight, FScaledBottom, FScaledFont;
};

// ---------------------------------------------------------------- windowed control
struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  // Window class: WinClassName is registered with the layer's thunk. When
  // SysClassName is set, the class is made as a superclass of that system
  // class (EDIT, BUTTON...) whose window procedure serves as default handler.
  std::string WinClassName;
  std::string SysClassName;
  UINT ClassStyle = CS_DBLCLKS;
  HBRUSH Background = nullptr;
  HICON Icon = nullptr;
};

class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  // The window, created (with its parents) when needed.
  HWND GetHandle();
  HWND WindowHandle() const { return FHandle; }  // may be null
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded();
  RECT GetClientRect() override;
  void DestroyHandle();
  // Destroys and re-creates the window (and the children's).
  void RecreateWnd();

  // A foreign window as parent (for a control without a TWinControl parent).
  HWND GetParentWindow() const { return FParentWindow; }
  void SetParentWindow(HWND Value);

  // The window class name this control registers (set before the window exists).
  void SetWindowClassName(const std::string& Value) { FWindowClassName = Value; }
  const std::string& GetWindowClassName() const { return FWindowClassName; }

  // Children, in creation order (the layout and the initial z-order).
  int GetControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* GetControl(int Index) const { return FControls.at(static_cast<size_t>(Index)); }
  bool ContainsControl(const TControl* Control) const;

  // Alignment: top-aligned children stack downward from the top, bottom ones
  // upward from the bottom, then left ones rightward, right ones leftward,
  // and client-aligned ones take what remains. Within one alignment the
  // children keep the order of their current positions (ties: creation
  // order); the child whose change caused the layout goes first.
  void DisableAlign();
  void EnableAlign();
  bool AlignDisabled() const { return FAlignLevel > 0; }
  void Realign();
  virtual void AlignControls(TControl* AControl, RECT& Rect);
  // The rectangle children are aligned in (default: the client rectangle).
  virtual void AdjustClientRect(RECT& Rect);

  bool Focused() const;
  virtual bool CanFocus() const;
  virtual void SetFocus();
  bool GetTabStop() const { return FTabStop; }
  void SetTabStop(bool Value);
  int GetTabOrder() const;
  void SetTabOrder(int Value);
  // Children that take the focus by Tab, in tab order.
  void GetTabOrderList(std::vector<TWinControl*>& List);

  bool GetMouseCapture() const;
  void SetMouseCapture(bool Value);

  void Invalidate() override;
  void Update() override;
  void BringToFront() override;
  void SendToBack() override;

  // Sends a message to the window (or straight to WndProc without a window).
  LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);

  // Paints the client area into any DC (WM_PAINT and WM_PRINTCLIENT both come here).
  virtual void PaintWindow(HDC DC);
  // Paints the control and its children into DC (for tests and printing).
  void PaintTo(HDC DC, int X, int Y);

  // The control that owns a window made by this layer, or null.
  static TWinControl* FindControl(HWND Wnd);

  std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)> OnKeyDown;
  std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)> OnKeyUp;
  std::function<void(TObject* Sender, char& Key)> OnKeyPress;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  // Keyboard preprocessing before a key-down message is dispatched: menu
  // shortcuts (this control's popup menu and its parents', then the top
  // parent's IsShortCut), then dialog keys (Tab, Enter, Escape) the control
  // does not want (the top parent's DialogKey). Returns true when the key was used.
  virtual bool PreProcessKey(MSG& Msg);
  // Whether a key-down may be offered to the shortcut processing (default: yes).
  virtual bool WantsShortCut(WORD Key, TShiftState Shift);
  // Hooks of a top parent (the form): shortcuts of a key pressed in any of its
  // controls, and the dialog keys they leave. Default: not used.
  virtual bool IsShortCut(WORD Key, TShiftState Shift);
  virtual bool DialogKey(WORD Key, TShiftState Shift);
  // Whether this control answers a dialog key of its form: Enter as the
  // default button, Escape as the cancel button (the form clicks it). Default: no.
  virtual bool IsDialogButton(WORD /*Key*/) const { return false; }
  // The topmost parent (this control when it has none).
  TWinControl* TopParent();

  // The window procedure of this control; handlers call the inherited one for
  // what they do not handle, which ends in DefaultHandler.
  virtual void WndProc(TMessage& Message);
  void DefaultHandler(TMessage& Message);

protected:
  virtual void CreateParams(TCreateParams& Params);
  virtual void CreateWnd();
  virtual void DestroyWnd();
  // Makes the window from Params. Overrides call the inherited one and then
  // set up the new window (its children do not exist yet).
  virtual void CreateWindowHandle(const TCreateParams& Params);
  // The window was made (children too).
  virtual void Loaded() {}

  // Hooks of a top parent (the form) about the controls inside it: Control
  // got the focus, Control (with its children) is leaving the tree, and
  // whether this window has a menu bar (for its client size).
  virtual void ActiveControlChanged(TWinControl* /*Control*/) {}
  virtual void ControlRemoving(TWinControl* /*Control*/) {}
  virtual bool HasMenuBar() const { return false; }

  virtual void KeyDown(WORD& Key, TShiftState Shift);
  virtual void KeyUp(WORD& Key, TShiftState Shift);
  virtual void KeyPress(char& Key);
  virtual void DoEnter();
  virtual void DoExit();
  // WM_GETDLGCODE answer of a control of this layer (default: arrows and chars).
  virtual LRESULT DialogCode(WPARAM Key);
  // Background erase (default: fill with Color; return true when erased).
  virtual bool EraseBackground(HDC DC);
  // Reflected notifications of native child windows (CN_* messages) arrive in WndProc.

  void DoSetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void ChangeScale(int FromDpi, int ToDpi, bool ScaleFonts) override;
  SIZE ClientSizeWithoutHandle() const override;
  void DoSetText(const std::string& Value) override;
  std::string DoGetText() const override;
  void DoSetVisible(bool Value) override;
  void DoSetEnabled(bool Value) override;
  void FontChanged() override;
  void ColorChanged() override;

  // A brush of the control's colour (for WM_CTLCOLOR answers and erasing).
  HBRUSH ColorBrush();

  friend class TControl;
  friend LRESULT CALLBACK OrlimoStdWndProc(HWND, UINT, WPARAM, LPARAM) noexcept;
  void InsertControl(TControl* Control);
  void RemoveControl(TControl* Control);
  void AlignControl(TControl* AControl);
  void ParentFontChanged();
  void ParentColorChanged();
  void UpdateShowing();

  HWND FHandle = nullptr;
  WNDPROC FDefWndProc = nullptr;
  HWND FParentWindow = nullptr;
  std::string FWindowClassName;
  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FTabList;
  int FAlignLevel = 0;
  bool FClickEvents = false;  // Click on a left press and release inside (self-painted controls)
  SIZE FLastClientSize{-1, -1};
  bool FAlignPending = false;
  bool FTabStop = false;
  bool FCreatingWindow = false;
  bool FDestroyingHandle = false;
  TBrushHandle FColorBrush;
  COLORREF FColorBrushColor = CLR_INVALID;
};

// ---------------------------------------------------------------- custom control
// A self-painting windowed control: override Paint. The canvas passed to Paint
// has the control's font and a brush of its colour; the same canvas is
// available outside painting (GetCanvas) for measuring text.
class TControlCanvas;

class TCustomControl : public TWinControl {
public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;

  TCanvas& GetCanvas();
  // Paint into a memory bitmap first (no flicker).
  bool GetDoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }

  void PaintWindow(HDC DC) override;

protected:
  virtual void Paint(TCanvas& Canvas);
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;
  bool EraseBackground(HDC DC) override;

private:
  std::unique_ptr<TControlCanvas> FCanvas;
  bool FDoubleBuffered = false;
};

// What the framework calls a graphic control: here a windowed custom control
// that does not take the focus (labels, speed buttons, spacers, bars).
class TGraphicControl : public TCustomControl {
public:
  explicit TGraphicControl(TComponent* AOwner);
  bool CanFocus() const override { return false; }

protected:
  void WndProc(TMessage& Message) override;
};

// The canvas of a control: the paint DC while painting, otherwise a DC of the
// control's window (or a screen-compatible memory DC before the window exists)
// that is released when the application goes idle.
class TControlCanvas : public TCanvas {
public:
  explicit TControlCanvas(TWinControl& Control);
  ~TControlCanvas() override;
  void FreeHandle();
  // Used during painting.
  void AttachPaintDC(HDC DC);
  void DetachPaintDC();
  // Releases every control canvas DC (the application calls this when idle).
  static void FreeDeviceContexts();

protected:
  void CreateHandle() override;

private:
  TWinControl& FControl;
  TWindowDC FWindowDC;
  TMemoryDC FMemoryDC;
  bool FPainting = false;
};

// The window procedure of every window class the layer registers. It stores
// the control at WM_NCCREATE, dispatches to TWinControl::WndProc and never
// lets an exception through (they go to the application's exception display).
LRESULT CALLBACK OrlimoStdWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) noexcept;

// Unregisters the window classes this copy of the layer registered. A DLL
// holding a copy calls it (through TApplication::FinalizeModule) before it is
// unloaded, once its windows are gone: the system keeps a DLL's classes, with
// window procedures that would then point nowhere.
void UnregisterWindowClasses();
