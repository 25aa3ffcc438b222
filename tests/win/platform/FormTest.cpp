// Modal forms: a real modal loop that buttons, keys and the close box end with
// the platform's modal results.
#include "platform/Forms.h"
#include "platform/PlatformExcept.h"
#include "platform/StdCtrls.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

namespace {

class TAskForm : public TForm {
public:
  TAskForm() : TForm(nullptr) {
    SetBorderStyle(bsDialog);
    SetCaption("Orlimo");
    SetClientWidth(326);
    SetClientHeight(47);
    BtnYes = AddButton("&Yes", 160, mrOk);
    BtnYes->SetDefault(true);
    BtnNo = AddButton("&No", 244, mrCancel);
    BtnNo->SetCancel(true);
    BtnIgnore = AddButton("&Ignore", 76, mrIgnore);
  }
  TButton* AddButton(const std::string& Caption, int Left, TModalResult Result) {
    auto* B = new TButton(this);
    B->SetParent(this);
    B->SetCaption(Caption);
    B->SetBounds(Left, 12, 75, 25);
    B->SetModalResult(Result);
    return B;
  }
  TButton* BtnYes;
  TButton* BtnNo;
  TButton* BtnIgnore;
};

HWND FocusOr(HWND Fallback) {
  HWND Focus = ::GetFocus();
  return Focus ? Focus : Fallback;
}

TEST(Modal, ButtonsEndTheLoopWithTheirResults) {
  TAskForm Form;
  {
    TModalHook Hook([&](TCustomForm&) { ::PostMessageA(Form.BtnIgnore->GetHandle(), BM_CLICK, 0, 0); });
    EXPECT_EQ(Form.ShowModal(), mrIgnore);
  }
  EXPECT_FALSE(Form.GetVisible());
  EXPECT_FALSE(::IsWindowVisible(Form.WindowHandle()));
  {
    TModalHook Hook([&](TCustomForm&) { ::PostMessageA(Form.BtnYes->GetHandle(), BM_CLICK, 0, 0); });
    EXPECT_EQ(Form.ShowModal(), mrOk);
  }
  {
    // A hook may answer directly.
    TModalHook Hook([&](TCustomForm& F) { F.SetModalResult(mrCancel); });
    EXPECT_EQ(Form.ShowModal(), 2);
  }
}

TEST(Modal, EscapeClicksTheCancelButtonAndEnterTheDefaultButton) {
  TAskForm Form;
  {
    TModalHook Hook(
        [&](TCustomForm& F) { ::PostMessageA(FocusOr(F.WindowHandle()), WM_KEYDOWN, VK_ESCAPE, 0x00010001); });
    EXPECT_EQ(Form.ShowModal(), mrCancel);
  }
  {
    // Enter on another button still answers with the default button.
    TModalHook Hook([&](TCustomForm&) {
      Form.BtnIgnore->SetFocus();
      ::PostMessageA(Form.BtnIgnore->WindowHandle(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    });
    EXPECT_EQ(Form.ShowModal(), mrOk);
  }
  {
    // Enter in an edit: the default button answers.
    auto* Edit = new TEdit(&Form);
    Edit->SetParent(&Form);
    TModalHook Hook([&](TCustomForm&) {
      Edit->SetFocus();
      ::PostMessageA(Edit->WindowHandle(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    });
    EXPECT_EQ(Form.ShowModal(), mrOk);
    delete Edit;
  }
}

TEST(Modal, WithoutADefaultButtonEnterDoesNothing) {
  TAskForm Form;
  Form.BtnYes->SetDefault(false);
  TModalHook Hook([&](TCustomForm& F) {
    ::PostMessageA(F.WindowHandle(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    // After the Enter key, Escape: the loop must still be running to see it.
    ::PostMessageA(F.WindowHandle(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  });
  EXPECT_EQ(Form.ShowModal(), mrCancel);
}

TEST(Modal, TheCloseBoxCountsAsCancelUnlessCloseQueryRefuses) {
  TAskForm Form;
  int Asked = 0;
  Form.OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = ++Asked > 1; };
  TModalHook Hook([&](TCustomForm& F) {
    ::PostMessageA(F.WindowHandle(), WM_CLOSE, 0, 0);
    ::PostMessageA(F.WindowHandle(), WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(Form.ShowModal(), mrCancel);
  EXPECT_EQ(Asked, 2);
}

TEST(Modal, OtherWindowsAreDisabledMeanwhileAndEnabledAfter) {
  TForm Main(nullptr);
  Main.Show();
  TAskForm Form;
  bool MainEnabledDuring = true;
  TModalHook Hook([&](TCustomForm& F) {
    MainEnabledDuring = ::IsWindowEnabled(Main.WindowHandle()) != FALSE;
    F.SetModalResult(mrOk);
  });
  EXPECT_EQ(Form.ShowModal(), mrOk);
  EXPECT_FALSE(MainEnabledDuring);
  EXPECT_TRUE(::IsWindowEnabled(Main.WindowHandle()));
}

TEST(Modal, AnExceptionInTheHookStillRestoresEverything) {
  TForm Main(nullptr);
  Main.Show();
  TAskForm Form;
  {
    TModalHook Hook([&](TCustomForm&) { throw std::runtime_error("hook failed"); });
    EXPECT_THROW(Form.ShowModal(), std::runtime_error);
  }
  EXPECT_TRUE(::IsWindowEnabled(Main.WindowHandle()));
  EXPECT_FALSE(Form.IsModal());
  EXPECT_FALSE(Form.GetVisible());
  TModalHook Hook([&](TCustomForm& F) { F.SetModalResult(mrOk); });
  EXPECT_EQ(Form.ShowModal(), mrOk);  // usable again
}

TEST(Modal, AVisibleFormCannotBeShownModally) {
  TAskForm Form;
  Form.Show();
  EXPECT_THROW(Form.ShowModal(), EInvalidOperation);
}

TEST(Form, ClientSizeAndBorderStyleShapeTheWindow) {
  TAskForm Form;
  Form.HandleNeeded();
  RECT R{};
  ::GetClientRect(Form.WindowHandle(), &R);
  EXPECT_EQ(R.right, 326);
  EXPECT_EQ(R.bottom, 47);
  const LONG Style = ::GetWindowLongA(Form.WindowHandle(), GWL_STYLE);
  EXPECT_FALSE(Style & WS_THICKFRAME);
  EXPECT_TRUE(Style & WS_CAPTION);
}

TEST(Form, StayOnTopSwitchesWithoutANewWindow) {
  TForm Form(nullptr);
  HWND Wnd = Form.GetHandle();
  Form.SetFormStyle(fsStayOnTop);
  EXPECT_EQ(Form.WindowHandle(), Wnd);
  EXPECT_TRUE(::GetWindowLongA(Wnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
  Form.SetFormStyle(fsNormal);
  EXPECT_FALSE(::GetWindowLongA(Wnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST(Form, MaximisedFormKeepsItsNormalBounds) {
  TForm Form(nullptr);
  Form.SetBounds(30, 40, 300, 200);
  Form.Show();
  Form.SetWindowState(wsMaximized);
  EXPECT_EQ(Form.GetWindowState(), wsMaximized);
  const RECT Normal = Form.GetNormalBounds();
  EXPECT_EQ(Normal.right - Normal.left, 300);
  EXPECT_EQ(Normal.bottom - Normal.top, 200);
  Form.SetWindowState(wsNormal);
  EXPECT_EQ(Form.GetWidth(), 300);
}

TEST(Form, ActivationFocusesTheFirstTabStopAndLaterTheControlThatHadTheFocus) {
  TAskForm Form;
  Form.BtnNo->SetTabOrder(0);
  Form.Show();
  EXPECT_EQ(::GetFocus(), Form.BtnNo->WindowHandle());
  EXPECT_EQ(Form.GetActiveControl(), Form.BtnNo);
  Form.BtnIgnore->SetFocus();
  // A form without controls keeps the focus itself.
  TForm Other(nullptr);
  Other.Show();
  ASSERT_EQ(::GetActiveWindow(), Other.WindowHandle());
  EXPECT_EQ(::GetFocus(), Other.WindowHandle());
  ::SetActiveWindow(Form.WindowHandle());
  EXPECT_EQ(::GetFocus(), Form.BtnIgnore->WindowHandle());
  // The control that had the focus is hidden meanwhile: the first tab stop again.
  ::SetActiveWindow(Other.WindowHandle());
  Form.BtnIgnore->SetVisible(false);
  ::SetActiveWindow(Form.WindowHandle());
  EXPECT_EQ(::GetFocus(), Form.BtnNo->WindowHandle());
}

TEST(Form, ClosingTheMainFormEndsTheApplicationLoop) {
  TForm Main(nullptr);
  Application->SetMainForm(&Main);
  Main.Show();
  bool Closed = false;
  Main.OnClose = [&](TObject*, TCloseAction&) { Closed = true; };
  ::PostMessageA(Main.WindowHandle(), WM_CLOSE, 0, 0);
  Application->Run();
  EXPECT_TRUE(Closed);
  EXPECT_TRUE(Application->GetTerminated());
  Application->SetMainForm(nullptr);
}

}  // namespace
