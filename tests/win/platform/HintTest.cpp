// Hints: the control under the mouse shows its hint after a pause, in the
// application's hint colour; clicks, keys and other controls end it.
#include "platform/Forms.h"
#include "platform/Timers.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

namespace {

class HintTest : public ::testing::Test {
protected:
  HintTest() : Form(nullptr) {
    Form.SetBounds(0, 0, 300, 200);
    Bar = new TCustomControl(&Form);
    Bar->SetParent(&Form);
    Bar->SetBounds(0, 0, 300, 40);
    Bar->SetShowHint(true);
    Button = new TCustomControl(&Form);
    Button->SetParent(Bar);
    Button->SetBounds(4, 4, 25, 25);
    Button->SetHint("Clear Messages|Removes every message");
    Plain = new TCustomControl(&Form);
    Plain->SetParent(&Form);
    Plain->SetBounds(0, 50, 100, 100);
    Form.Show();
  }
  ~HintTest() override { Application->CancelHint(); }
  void MoveOver(TWinControl* C, int X = 5, int Y = 5) {
    MSG Msg{C->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(X, Y), 0, {X, Y}};
    Msg.pt = C->ClientToScreen(POINT{X, Y});
    Application->ProcessMessage(Msg);
  }
  bool HintVisible() {
    THintWindow* W = Application->GetHintWindow();
    return W && W->HandleAllocated() && ::IsWindowVisible(W->WindowHandle());
  }
  TForm Form;
  TCustomControl* Bar;
  TCustomControl* Button;
  TCustomControl* Plain;
};

TEST_F(HintTest, ShowsTheShortHintAfterThePauseAndHidesItLater) {
  MoveOver(Button);
  EXPECT_EQ(Application->GetHintControl(), Button);
  EXPECT_TRUE(Application->GetHintTimer()->IsActive());
  EXPECT_FALSE(HintVisible());
  Application->GetHintTimer()->Timer();  // the pause is over
  ASSERT_TRUE(HintVisible());
  THintWindow* W = Application->GetHintWindow();
  EXPECT_EQ(W->GetText(), "Clear Messages");
  EXPECT_EQ(W->GetColor(), Application->GetHintColor());
  // Below the mouse, not activated.
  EXPECT_GT(W->GetTop(), Button->ClientToScreen(POINT{5, 5}).y);
  EXPECT_NE(::GetActiveWindow(), W->WindowHandle());
  // Painted in the hint colour.
  TBitmap Shot(W->GetWidth(), W->GetHeight());
  ::SendMessageA(W->WindowHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(Shot.GetCanvas().GetHandle()), PRF_CLIENT);
  EXPECT_EQ(Shot.GetCanvas().GetPixel(1, 1), static_cast<TColor>(ColorToRGB(Application->GetHintColor())));
  Application->GetHintTimer()->Timer();  // shown long enough
  EXPECT_FALSE(HintVisible());
  // Moving on the same control does not show it again.
  MoveOver(Button, 6, 6);
  EXPECT_FALSE(Application->GetHintTimer()->IsActive());
}

TEST_F(HintTest, AClickOrAnotherControlEndsTheHint) {
  MoveOver(Button);
  Application->GetHintTimer()->Timer();
  ASSERT_TRUE(HintVisible());
  MSG Click{Button->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5), 0, {0, 0}};
  Application->ProcessMessage(Click);
  MSG Up{Button->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5), 0, {0, 0}};
  Application->ProcessMessage(Up);
  EXPECT_FALSE(HintVisible());
  EXPECT_EQ(Application->GetHintControl(), nullptr);

  MoveOver(Button);
  Application->GetHintTimer()->Timer();
  ASSERT_TRUE(HintVisible());
  MoveOver(Plain);  // no hint there
  EXPECT_FALSE(HintVisible());
  EXPECT_EQ(Application->GetHintControl(), nullptr);
}

TEST_F(HintTest, ShowHintComesFromTheParentUnlessSetAndDestroyingTheControlCancels) {
  EXPECT_TRUE(Button->GetShowHint());  // from the bar
  Bar->SetShowHint(false);
  MoveOver(Button);
  EXPECT_EQ(Application->GetHintControl(), nullptr);
  Button->SetShowHint(true);
  EXPECT_FALSE(Button->GetParentShowHint());
  MoveOver(Button);
  EXPECT_EQ(Application->GetHintControl(), Button);
  delete Button;
  EXPECT_EQ(Application->GetHintControl(), nullptr);
}

}  // namespace
