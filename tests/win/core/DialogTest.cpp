// The confirmation dialogs: texts, layout, default and cancel buttons, and
// where they appear, answered by keys posted to them.
#include "core/BkLxUtil.h"
#include "core/LxClrFrm.h"
#include "core/LxFulFrm.h"
#include "core/LxIndFrm.h"
#include "CoreTestUtil.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class DialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    Host = std::make_unique<TForm>(nullptr);
    Host->SetBounds(100, 80, 500, 400);
    Panel = new TPanelLike(Host.get());
    Panel->SetParent(Host.get());
    Panel->SetAlign(alClient);
    Host->Show();
  }
  void TearDown() override { Host.reset(); }

  class TPanelLike : public TCustomControl {
  public:
    using TCustomControl::TCustomControl;
  };

  static void PostKey(TCustomForm& F, WPARAM Key) {
    HWND Target = GetFocus();
    if (!Target || !IsChild(F.GetHandle(), Target)) Target = F.GetHandle();
    PostMessageA(Target, WM_KEYDOWN, Key, 1);
  }
  static RECT ScreenRect(HWND W) {
    RECT R{};
    GetWindowRect(W, &R);
    return R;
  }

  std::unique_ptr<TForm> Host;
  TPanelLike* Panel = nullptr;
};

TEST_F(DialogTest, ConfirmClearEnterIsYesEscapeIsNo) {
  RECT Where{};
  TModalAnswer Enter([&](TCustomForm& F) {
    auto& D = dynamic_cast<TFrmConfirmClear&>(F);
    EXPECT_EQ(D.GetCaption(), "Orlimo");
    EXPECT_EQ(D.GetClientWidth(), 326);
    EXPECT_EQ(D.GetClientHeight(), 47);
    EXPECT_EQ(D.Label->GetCaption(), "Clear All Messages?");
    EXPECT_EQ(D.BtnYes->GetCaption(), "&Yes");
    EXPECT_EQ(D.BtnNo->GetCaption(), "&No");
    EXPECT_TRUE(D.BtnYes->GetDefault());
    EXPECT_TRUE(D.BtnNo->GetCancel());
    EXPECT_EQ(D.BtnNo->GetLeft(), 244);
    EXPECT_EQ(D.Image->GetIcon(), LoadIconA(nullptr, IDI_QUESTION));
    EXPECT_TRUE(GetWindowLongA(F.GetHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    Where = ScreenRect(F.GetHandle());
    PostKey(F, VK_RETURN);
  });
  EXPECT_FALSE(UserAbortsClear(*Panel, 0));
  const RECT S = ScreenRect(Panel->GetHandle());
  EXPECT_EQ(Where.left, S.left + 10);
  EXPECT_EQ(Where.top, S.top + 10);

  TModalAnswer Escape([&](TCustomForm& F) {
    Where = ScreenRect(F.GetHandle());
    PostKey(F, VK_ESCAPE);
  });
  EXPECT_TRUE(UserAbortsClear(*Panel, 25));
  EXPECT_EQ(Where.top, S.top + 35) << "below the toolbar";
  EXPECT_EQ(FrmConfirmClear, nullptr);
}

TEST_F(DialogTest, ResetIndentIsCentredOverThePanel) {
  RECT Where{};
  std::string Text;
  TModalAnswer Yes([&](TCustomForm& F) {
    auto& D = dynamic_cast<TFrmResetIndentLevel&>(F);
    EXPECT_EQ(D.GetClientWidth(), 328);
    EXPECT_EQ(D.GetClientHeight(), 101);
    Text = D.Label->GetCaption();
    EXPECT_EQ(D.BtnYes->GetTop(), 68);
    Where = ScreenRect(F.GetHandle());
    D.BtnYes->Click();
  });
  EXPECT_TRUE(ActuallyResetIndentLevel(*Panel));
  EXPECT_NE(Text.find("lxmEnterMethod and lxmExitMethod"), std::string::npos);
  EXPECT_NE(Text.find("indent level.  Are you sure"), std::string::npos);
  const RECT S = ScreenRect(Panel->GetHandle());
  EXPECT_EQ(Where.left, S.left + ((S.right - S.left) - (Where.right - Where.left)) / 2);
  EXPECT_EQ(Where.top, S.top + ((S.bottom - S.top) - (Where.bottom - Where.top)) / 2);

  TModalAnswer No([](TCustomForm& F) { PostKey(F, VK_ESCAPE); });
  EXPECT_FALSE(ActuallyResetIndentLevel(*Panel));
}

TEST_F(DialogTest, ListFullEnterDoesNothingEscapeClears) {
  TModalAnswer Keys([](TCustomForm& F) {
    auto& D = dynamic_cast<TFrmMessageListFull&>(F);
    EXPECT_EQ(D.GetClientWidth(), 382);
    EXPECT_EQ(D.GetClientHeight(), 215);
    EXPECT_EQ(D.GrpIgnore->GetCaption(), "Option 1 - Ignore");
    EXPECT_EQ(D.GrpClear->GetCaption(), "Option 2 - Clear");
    EXPECT_TRUE(D.GrpIgnore->GetFont().GetStyle() & fsBold);
    EXPECT_FALSE(D.LblIgnore->GetFont().GetStyle() & fsBold);
    EXPECT_EQ(D.BtnIgnore->GetCaption(), "&Ignore");
    EXPECT_EQ(D.BtnClear->GetCaption(), "&Clear");
    EXPECT_FALSE(D.BtnIgnore->GetDefault());
    EXPECT_FALSE(D.BtnClear->GetDefault());
    EXPECT_EQ(D.Image->GetIcon(), LoadIconA(nullptr, IDI_HAND));
    EXPECT_FALSE(GetWindowLongA(F.GetHandle(), GWL_STYLE) & WS_SYSMENU) << "no close box";
    PostKey(F, VK_RETURN);
    PostKey(F, VK_ESCAPE);
  });
  EXPECT_EQ(ListIsFullResponse(*Panel), 2);
  // Enter alone leaves the dialog up: once the queue is empty again the
  // test closes it itself.
  TModalAnswer EnterOnly([](TCustomForm& F) {
    PostKey(F, VK_RETURN);
    Application->OnIdle = [&F](TObject*) {
      if (F.GetModalResult() != mrNone) return;
      F.SetModalResult(77);
      PostMessageA(F.GetHandle(), WM_NULL, 0, 0);  // wakes the modal loop
    };
  });
  EXPECT_EQ(ListIsFullResponse(*Panel), 77);
  Application->OnIdle = nullptr;

  TModalAnswer Ignore([](TCustomForm& F) { dynamic_cast<TFrmMessageListFull&>(F).BtnIgnore->Click(); });
  EXPECT_EQ(ListIsFullResponse(*Panel), 5);
}

}  // namespace
