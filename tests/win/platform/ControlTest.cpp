// Controls: painting into any DC, keyboard and mouse handlers, native
// controls' state with and without their windows, focus order, clipboard and
// the hourglass guard.
#include "model/ScopeExit.h"
#include "platform/Clipboard.h"
#include "platform/CommonDialogs.h"
#include "platform/Forms.h"
#include "platform/PlatformExcept.h"
#include "platform/StdCtrls.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class TSwatch : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  std::vector<WORD> Keys;
  std::string Typed;

protected:
  void Paint(TCanvas& Canvas) override {
    Canvas.FillRect(GetClientRect());  // the control's colour
    Canvas.GetBrush().SetColor(clRed);
    Canvas.FillRect(RECT{0, 0, 4, 4});
  }
  void KeyDown(WORD& Key, TShiftState Shift) override {
    Keys.push_back(Key);
    if (Key == VK_DELETE) Key = 0;  // swallowed
    TCustomControl::KeyDown(Key, Shift);
  }
  void KeyPress(char& Key) override {
    Typed += Key;
    TCustomControl::KeyPress(Key);
  }
};

TEST(CustomControl, PaintsItselfAndItsChildrenIntoAMemoryDC) {
  TForm Form(nullptr);
  Form.SetBorderStyle(bsNone);
  Form.SetBounds(0, 0, 40, 30);
  Form.SetColor(clWhite);
  auto* Swatch = new TSwatch(&Form);
  Swatch->SetParent(&Form);
  Swatch->SetBounds(10, 10, 20, 10);
  Swatch->SetColor(clBlue);
  Form.HandleNeeded();
  TBitmap Shot(40, 30);
  Form.PaintTo(Shot.GetCanvas().GetHandle(), 0, 0);
  HDC DC = Shot.GetCanvas().GetHandle();
  EXPECT_EQ(PixelAt(DC, 1, 1), clWhite);
  EXPECT_EQ(PixelAt(DC, 11, 11), clRed);
  EXPECT_EQ(PixelAt(DC, 20, 15), clBlue);
  EXPECT_EQ(PixelAt(DC, 35, 25), clWhite);
  // WM_PRINTCLIENT goes through the same painting.
  TBitmap Client(20, 10);
  ::SendMessageA(Swatch->GetHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(Client.GetCanvas().GetHandle()),
                 PRF_CLIENT);
  EXPECT_EQ(Client.GetCanvas().GetPixel(1, 1), clRed);
  EXPECT_EQ(Client.GetCanvas().GetPixel(10, 5), clBlue);
}

TEST(CustomControl, KeyHandlersMaySwallowKeys) {
  TForm Form(nullptr);
  auto* Swatch = new TSwatch(&Form);
  Swatch->SetParent(&Form);
  WORD Seen = 0;
  Swatch->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) { Seen = Key; };
  ::SendMessageA(Swatch->GetHandle(), WM_KEYDOWN, VK_DELETE, 0);
  ::SendMessageA(Swatch->GetHandle(), WM_KEYDOWN, VK_F2, 0);
  ::SendMessageA(Swatch->GetHandle(), WM_CHAR, 'x', 0);
  ASSERT_EQ(Swatch->Keys.size(), 2u);
  EXPECT_EQ(Seen, VK_F2);  // the event did not see the swallowed Delete
  EXPECT_EQ(Swatch->Typed, "x");
}

TEST(CustomControl, AClickIsAPressAndReleaseInside) {
  TForm Form(nullptr);
  auto* Swatch = new TSwatch(&Form);
  Swatch->SetParent(&Form);
  Swatch->SetBounds(0, 0, 50, 20);
  int Clicks = 0, Doubles = 0;
  Swatch->OnClick = [&](TObject*) { ++Clicks; };
  Swatch->OnDblClick = [&](TObject*) { ++Doubles; };
  HWND W = Swatch->GetHandle();
  ::SendMessageA(W, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageA(W, WM_LBUTTONUP, 0, MAKELPARAM(6, 5));
  ::SendMessageA(W, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageA(W, WM_LBUTTONUP, 0, MAKELPARAM(200, 5));  // released outside
  ::SendMessageA(W, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(Doubles, 1);
}

TEST(NativeControls, KeepTheirStateAcrossWindowCreation) {
  TForm Form(nullptr);
  auto* Edit = new TEdit(&Form);
  Edit->SetParent(&Form);
  Edit->SetText("before");
  auto* List = new TListBox(&Form);
  List->SetParent(&Form);
  List->AddItem("one", 1);
  List->AddItem("two", 2);
  List->SetItemIndex(1);
  auto* Combo = new TComboBox(&Form);
  Combo->SetStyle(csDropDownList);
  Combo->SetParent(&Form);
  Combo->SetItems({"Info", "Warning", "Error"});
  Combo->SetItemIndex(2);
  auto* Check = new TCheckBox(&Form);
  Check->SetParent(&Form);
  Check->SetChecked(true);

  Form.HandleNeeded();
  char Buffer[32] = {};
  ::GetWindowTextA(Edit->WindowHandle(), Buffer, sizeof(Buffer));
  EXPECT_STREQ(Buffer, "before");
  EXPECT_EQ(::SendMessageA(List->WindowHandle(), LB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(List->GetItemIndex(), 1);
  EXPECT_EQ(::SendMessageA(Combo->WindowHandle(), CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(::SendMessageA(Check->WindowHandle(), BM_GETCHECK, 0, 0), BST_CHECKED);

  // What the user changes in the window is what the control reports.
  ::SetWindowTextA(Edit->WindowHandle(), "typed");
  EXPECT_EQ(Edit->GetText(), "typed");
  // And it survives a re-created window.
  Form.RecreateWnd();
  EXPECT_EQ(Edit->GetText(), "typed");
  EXPECT_EQ(List->GetItemIndex(), 1);
  EXPECT_EQ(Combo->GetItemIndex(), 2);
}

TEST(NativeControls, NotificationsBecomeEvents) {
  TForm Form(nullptr);
  auto* Edit = new TEdit(&Form);
  Edit->SetParent(&Form);
  int Changes = 0;
  Edit->OnChange = [&](TObject*) { ++Changes; };
  Form.HandleNeeded();
  ::SetWindowTextA(Edit->WindowHandle(), "x");
  EXPECT_EQ(Changes, 1);

  auto* Button = new TButton(&Form);
  Button->SetParent(&Form);
  int Clicks = 0;
  Button->OnClick = [&](TObject*) { ++Clicks; };
  ::SendMessageA(Button->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Clicks, 1);
}

TEST(Focus, TabMovesThroughTheTabStopsInTabOrder) {
  TForm Form(nullptr);
  auto* A = new TEdit(&Form);
  A->SetParent(&Form);
  auto* B = new TEdit(&Form);
  B->SetParent(&Form);
  auto* C = new TButton(&Form);
  C->SetParent(&Form);
  C->SetTabOrder(0);  // first now
  Form.Show();
  std::vector<TWinControl*> Order;
  Form.GetTabOrderList(Order);
  ASSERT_EQ(Order.size(), 3u);
  EXPECT_EQ(Order[0], C);
  EXPECT_EQ(Order[1], A);
  Form.SelectNext(A, true);
  EXPECT_TRUE(B->Focused());
  Form.SelectNext(B, true);
  EXPECT_TRUE(C->Focused());
  Form.SelectNext(C, false);
  EXPECT_TRUE(B->Focused());
}

// A top parent that is not a form: the controls inside reach it only through
// the hooks, as they reach a form.
class TTopHost : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  std::vector<WORD> ShortCuts, DialogKeys;
  TWinControl* Active = nullptr;
  TWinControl* Leaving = nullptr;
  bool IsShortCut(WORD Key, TShiftState) override {
    ShortCuts.push_back(Key);
    return Key == VK_F5;
  }
  bool DialogKey(WORD Key, TShiftState) override {
    DialogKeys.push_back(Key);
    return true;
  }

protected:
  void ActiveControlChanged(TWinControl* Control) override { Active = Control; }
  void ControlRemoving(TWinControl* Control) override { Leaving = Control; }
};

TEST(Focus, ATopParentHearsOfShortcutsDialogKeysFocusAndLeavingControls) {
  TTopHost Host(nullptr);
  Host.SetBounds(0, 0, 200, 100);
  auto* Inner = new TCustomControl(&Host);
  Inner->SetParent(&Host);
  auto* Swatch = new TSwatch(&Host);
  Swatch->SetParent(Inner);
  Host.HandleNeeded();
  ::ShowWindow(Host.WindowHandle(), SW_SHOW);
  Swatch->SetFocus();
  EXPECT_EQ(Host.Active, Swatch);
  Host.Active = nullptr;
  ::SetFocus(Inner->GetHandle());  // WM_SETFOCUS tells it too
  EXPECT_EQ(Host.Active, Inner);

  auto Press = [&](WORD Key) {
    MSG Msg{Swatch->GetHandle(), WM_KEYDOWN, Key, 0, 0, {0, 0}};
    Application->ProcessMessage(Msg);
  };
  Press(VK_F5);   // used as a shortcut: the control never sees it
  Press(VK_F6);   // offered, refused, typed
  Press(VK_TAB);  // a dialog key the control does not want
  EXPECT_EQ(Host.ShortCuts, (std::vector<WORD>{VK_F5, VK_F6, VK_TAB}));
  EXPECT_EQ(Host.DialogKeys, std::vector<WORD>{VK_TAB});
  EXPECT_EQ(Swatch->Keys, std::vector<WORD>{VK_F6});

  delete Inner;
  EXPECT_EQ(Host.Leaving, Inner);
}

TEST(Clipboard, PlainTextRoundTrip) {
  const std::string Text = "Line one\r\nLine two \xE9";
  Clipboard().SetAsText(Text);
  EXPECT_TRUE(Clipboard().HasText());
  EXPECT_EQ(Clipboard().GetAsText(), Text);
}

// The text is prepared before the clipboard is touched: when its memory cannot
// be had or locked, the copy fails with the clipboard as it was.
TEST(Clipboard, AFailedCopyLeavesTheClipboardAsItWas) {
  Clipboard().SetAsText("kept");
  auto Restore = ScopeExit([] { Clipboard().Allocate = nullptr; });
  Clipboard().Allocate = [](unsigned, std::size_t) -> void* { return nullptr; };
  EXPECT_THROW(Clipboard().SetAsText("a huge list"), EClipboardException);
  EXPECT_EQ(Clipboard().GetAsText(), "kept");
  // A moveable block of no bytes is discarded: it cannot be locked.
  Clipboard().Allocate = [](unsigned Flags, std::size_t) -> void* { return ::GlobalAlloc(Flags, 0); };
  EXPECT_THROW(Clipboard().SetAsText("a huge list"), EClipboardException);
  EXPECT_EQ(Clipboard().GetAsText(), "kept");
  Clipboard().Allocate = nullptr;
  Clipboard().SetAsText("new");
  EXPECT_EQ(Clipboard().GetAsText(), "new");
}

TEST(CursorGuard, RestoresTheNormalCursorAlsoWhenAnExceptionLeaves) {
  EXPECT_EQ(TCursorGuard::ScreenCursor(), crDefault);
  try {
    TCursorGuard Busy;
    EXPECT_EQ(TCursorGuard::ScreenCursor(), crHourGlass);
    EXPECT_EQ(::GetCursor(), CursorHandle(crHourGlass));
    { TCursorGuard Nested; }
    EXPECT_EQ(TCursorGuard::ScreenCursor(), crHourGlass);  // the outer guard still holds
    throw std::runtime_error("load failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(TCursorGuard::ScreenCursor(), crDefault);
  EXPECT_EQ(::GetCursor(), CursorHandle(crDefault));
}

TEST(Label, AutoSizeFollowsTheText) {
  TForm Form(nullptr);
  auto* Label = new TLabel(&Form);
  Label->SetParent(&Form);
  Label->SetCaption("Call Stack");
  const int Short = Label->GetWidth();
  Label->SetCaption("Call Stack and more");
  EXPECT_GT(Label->GetWidth(), Short);
  Label->SetAutoSize(false);
  Label->SetCaption("x");
  EXPECT_GT(Label->GetWidth(), Short);
}

}  // namespace

namespace {

TEST(Label, EveryPaintFillsTheBackgroundAgain) {
  // Paint leaves the canvas's brush clear for the text; the next paint must
  // still get a solid brush of the control's colour, or old text shows through.
  TForm Form(nullptr);
  auto* Label = new TLabel(&Form);
  Label->SetParent(&Form);
  Label->SetAutoSize(false);
  Label->SetBounds(0, 0, 60, 20);
  Label->SetColor(clRed);
  Label->SetCaption("x");
  Form.Show();
  for (int Paint = 0; Paint < 2; ++Paint) {
    TBitmap Shot(60, 20);
    ::SendMessageA(Label->GetHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(Shot.GetCanvas().GetHandle()),
                   PRF_CLIENT);
    EXPECT_EQ(Shot.GetCanvas().GetPixel(55, 15), static_cast<TColor>(ColorToRGB(clRed))) << "paint " << Paint;
  }
}

TEST(Application, ActivationOfTheProgramReachesTheCallbacksOnce) {
  TForm A(nullptr), B(nullptr);
  A.HandleNeeded();
  B.HandleNeeded();
  int Activated = 0, Deactivated = 0;
  Application->OnActivate = [&](TObject*) { ++Activated; };
  Application->OnDeactivate = [&](TObject*) { ++Deactivated; };
  ::SendMessageA(A.WindowHandle(), WM_ACTIVATEAPP, FALSE, 0);
  ::SendMessageA(B.WindowHandle(), WM_ACTIVATEAPP, FALSE, 0);
  ::SendMessageA(A.WindowHandle(), WM_ACTIVATEAPP, TRUE, 0);
  ::SendMessageA(B.WindowHandle(), WM_ACTIVATEAPP, TRUE, 0);  // every top-level window hears it
  Application->OnActivate = nullptr;
  Application->OnDeactivate = nullptr;
  EXPECT_EQ(Activated, 1);
  EXPECT_LE(Deactivated, 1);
}

TEST(CommonDialogs, FiltersTakeTheSystemsFormAndAHookMayAnswer) {
  const std::string Native = TOpenDialog::NativeFilter("Log files (*.olx)|*.olx|All files (*.*)|*.*");
  const char Expected[] = "Log files (*.olx)\0*.olx\0All files (*.*)\0*.*\0\0";
  EXPECT_EQ(Native, std::string(Expected, sizeof(Expected) - 1));
  TSaveDialog Save(nullptr);
  TCommonDialog::ExecuteHook = [](TCommonDialog& D) {
    static_cast<TSaveDialog&>(D).FileName = "C:\\log.olx";
    return true;
  };
  EXPECT_TRUE(Save.Execute());
  TCommonDialog::ExecuteHook = nullptr;
  EXPECT_EQ(Save.FileName, "C:\\log.olx");
}

}  // namespace
