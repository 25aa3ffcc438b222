// The window-procedure thunk: it binds the window to its object, keeps the
// system's default processing, and never lets an exception through.
#include "platform/Controls.h"
#include "platform/Forms.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

constexpr UINT UM_THROW = WM_USER + 1;
constexpr UINT UM_ECHO = WM_USER + 2;

class TThrowingControl : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  int MinMaxSeen = 0;
  void WndProc(TMessage& M) override {
    if (M.Msg == UM_THROW) throw std::runtime_error("Disk full");
    if (M.Msg == UM_ECHO) {
      M.Result = static_cast<LRESULT>(M.WParam) + 1;
      return;
    }
    if (M.Msg == UM_THROW + 10) throw 42;
    TCustomControl::WndProc(M);
  }
};

class TNamedForm : public TForm {
public:
  explicit TNamedForm(TComponent* Owner) : TForm(Owner) { SetWindowClassName("TPlatformTestFrm"); }
  int MinMaxSeen = 0;
  void WndProc(TMessage& M) override {
    if (M.Msg == WM_GETMINMAXINFO) {
      ++MinMaxSeen;
      auto* Info = reinterpret_cast<MINMAXINFO*>(M.LParam);
      Info->ptMinTrackSize = POINT{100, 150};
      M.Result = 0;
      return;
    }
    TForm::WndProc(M);
  }
};

TEST(Thunk, AnExceptionInAHandlerGoesToTheExceptionDisplayAndTheWindowLivesOn) {
  TExceptionRecorder Recorder;
  TForm Form(nullptr);
  auto* Control = new TThrowingControl(&Form);
  Control->SetParent(&Form);
  HWND Wnd = Control->GetHandle();
  EXPECT_EQ(::SendMessageA(Wnd, UM_THROW, 0, 0), 0);
  ASSERT_EQ(Recorder.Messages.size(), 1u);
  EXPECT_EQ(Recorder.Messages[0], "Disk full");
  ::SendMessageA(Wnd, UM_THROW + 10, 0, 0);  // not a std::exception
  ASSERT_EQ(Recorder.Messages.size(), 2u);
  EXPECT_EQ(::SendMessageA(Wnd, UM_ECHO, 41, 0), 42);
}

TEST(Thunk, WithoutAHandlerTheExceptionIsShownInAMessageBox) {
  std::string Text, Caption;
  UINT Flags = 0;
  Application->OnMessageBox = [&](const std::string& T, const std::string& C, UINT F) {
    Text = T;
    Caption = C;
    Flags = F;
    return IDOK;
  };
  Application->SetTitle("Orlimo");
  TForm Form(nullptr);
  auto* Control = new TThrowingControl(&Form);
  Control->SetParent(&Form);
  ::SendMessageA(Control->GetHandle(), UM_THROW, 0, 0);
  Application->OnMessageBox = nullptr;
  EXPECT_EQ(Text, "Disk full.");
  EXPECT_EQ(Caption, "Orlimo");
  EXPECT_TRUE(Flags & MB_ICONSTOP);
}

TEST(Thunk, TheWindowIsBoundAtCreationAndKeepsDefaultProcessing) {
  TNamedForm Form(nullptr);
  Form.SetCaption("Platform test (32-bit)");
  Form.SetBounds(10, 20, 200, 150);
  HWND Wnd = Form.GetHandle();
  // A form names its own window class; clients find it by class and caption.
  EXPECT_EQ(::FindWindowA("TPlatformTestFrm", "Platform test (32-bit)"), Wnd);
  EXPECT_EQ(TWinControl::FindControl(Wnd), &Form);
  // The caption was set by the default handling of WM_NCCREATE.
  char Buffer[64] = {};
  ::GetWindowTextA(Wnd, Buffer, sizeof(Buffer));
  EXPECT_STREQ(Buffer, "Platform test (32-bit)");
  // WM_GETMINMAXINFO arrives before WM_NCCREATE and still reaches the form.
  EXPECT_GE(Form.MinMaxSeen, 1);
  ::SetWindowPos(Wnd, nullptr, 0, 0, 10, 10, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
  RECT R{};
  ::GetWindowRect(Wnd, &R);
  EXPECT_EQ(R.right - R.left, 100);
  EXPECT_EQ(R.bottom - R.top, 150);
  EXPECT_EQ(Form.GetWidth(), 100);  // the fields follow the window
}

TEST(Thunk, DestroyingTheObjectDestroysItsWindowAndForgetsIt) {
  auto* Form = new TForm(nullptr);
  auto* Child = new TThrowingControl(Form);
  Child->SetParent(Form);
  HWND FormWnd = Form->GetHandle();
  HWND ChildWnd = Child->GetHandle();
  delete Form;
  EXPECT_FALSE(::IsWindow(FormWnd));
  EXPECT_FALSE(::IsWindow(ChildWnd));
  EXPECT_EQ(TWinControl::FindControl(FormWnd), nullptr);
}

TEST(Thunk, AWindowDestroyedFromOutsideLeavesTheObjectWithoutHandle) {
  TForm Form(nullptr);
  HWND Wnd = Form.GetHandle();
  ::DestroyWindow(Wnd);
  EXPECT_FALSE(Form.HandleAllocated());
  EXPECT_NE(Form.GetHandle(), nullptr);  // made again on demand
}

}  // namespace

namespace {

class TPopupTip : public TCustomControl {
public:
  explicit TPopupTip(TComponent* Owner) : TCustomControl(Owner) { SetVisible(false); }

protected:
  void CreateParams(TCreateParams& P) override {
    TCustomControl::CreateParams(P);
    P.Style = (P.Style & ~static_cast<DWORD>(WS_CHILD)) | WS_POPUP;
    P.ExStyle |= WS_EX_TOOLWINDOW;
  }
};

TEST(Windows, APopupChildIsOwnedByTheFormAndPlacedOnTheScreen) {
  TForm Form(nullptr);
  Form.SetBounds(100, 100, 300, 200);
  auto* Panel = new TCustomControl(&Form);
  Panel->SetParent(&Form);
  Panel->SetAlign(alClient);
  auto* Tip = new TPopupTip(&Form);
  Tip->SetParent(Panel);
  Form.HandleNeeded();
  HWND W = Tip->WindowHandle();
  ASSERT_NE(W, nullptr);
  EXPECT_EQ(::GetWindow(W, GW_OWNER), Form.WindowHandle());
  Tip->SetBounds(500, 400, 120, 30);  // screen coordinates
  RECT R{};
  ::GetWindowRect(W, &R);
  EXPECT_EQ(R.left, 500);
  EXPECT_EQ(R.top, 400);
  // The tip takes no part in the panel's layout, and the panel's size is unchanged by it.
  EXPECT_EQ(Tip->GetWidth(), 120);
}

TEST(Windows, AControlCanLiveInAForeignWindow) {
  HWND Host = ::CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(Host, nullptr);
  {
    TCustomControl Panel(nullptr);
    Panel.SetParentWindow(Host);
    Panel.SetBounds(0, 0, 400, 300);
    auto* Child = new TCustomControl(&Panel);
    Child->SetParent(&Panel);
    Child->SetAlign(alBottom);
    Child->SetHeight(20);
    HWND W = Panel.GetHandle();
    EXPECT_EQ(::GetParent(W), Host);
    EXPECT_EQ(Child->GetTop(), 280);
    ::SetWindowPos(W, nullptr, 0, 0, 400, 200, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_EQ(Child->GetTop(), 180);
  }
  EXPECT_EQ(::GetWindow(Host, GW_CHILD), nullptr);  // the control's window went with it
  ::DestroyWindow(Host);
}

}  // namespace
