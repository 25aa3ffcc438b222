// The spin edit: clamping and formatting, keys, the typing filter, the
// buttons and their auto-repeat.
#include "components/LxSpnEdt.h"
#include "TestUtil.h"

#include <vector>

namespace {

class SpinEditTest : public ::testing::Test {
protected:
  SpinEditTest() : Form(300, 200), Spin(&Form) {
    Spin.SetParent(&Form);
    Spin.OnClick = [this](TObject*, TSpinButtonType B) { Clicks.push_back(B); };
  }
  HWND Edit() { return Spin.GetEdit()->WindowHandle(); }
  std::string Text() { return Spin.GetEdit()->GetText(); }
  void Key(WORD K) { ::SendMessageA(Edit(), WM_KEYDOWN, K, 0); }
  void Char(char C) { ::SendMessageA(Edit(), WM_CHAR, static_cast<unsigned char>(C), 0); }
  THostForm Form;
  TLxSpinEdit Spin;
  std::vector<TSpinButtonType> Clicks;
};

TEST_F(SpinEditTest, DefaultsLayoutAndTheTypingFilter) {
  EXPECT_EQ(Text(), "0");
  EXPECT_EQ(Spin.GetWidth(), 47);
  const int H = Spin.GetHeight();
  EXPECT_GE(H, GetMinFontHeight(Spin.GetFont()) + 4 * ::GetSystemMetrics(SM_CYBORDER) + 1);
  EXPECT_EQ(Spin.GetButtonPanel()->GetLeft(), 47 - 17);
  EXPECT_TRUE(RectIs(Spin.GetUpButton()->GetBoundsRect(), 0, 0, 17, H / 2));
  EXPECT_TRUE(RectIs(Spin.GetDownButton()->GetBoundsRect(), 0, H / 2, 17, H));
  EXPECT_EQ(Spin.GetEdit()->GetWidth(), 47 - 17 + 1);
  // By default the value changes only through the buttons and keys.
  Char('5');
  Char('\b');
  EXPECT_EQ(Text(), "0");
  Key(VK_DELETE);
  EXPECT_EQ(Text(), "0");
  Spin.SetAllowKeyEdit(true);
  Char('7');
  EXPECT_NE(Text().find('7'), std::string::npos);
  Char('a');
  EXPECT_EQ(Text().find('a'), std::string::npos);
}

TEST_F(SpinEditTest, KeysStepByIncrementAndPageSize) {
  Key(VK_UP);
  EXPECT_EQ(Text(), "1");
  Key(VK_PRIOR);
  EXPECT_EQ(Text(), "11");
  Key(VK_DOWN);
  Key(VK_NEXT);
  EXPECT_EQ(Text(), "0");
  Key(VK_DOWN);  // already at Min
  EXPECT_EQ(Text(), "0");
  EXPECT_EQ(Clicks, (std::vector<TSpinButtonType>{sbUp, sbUp, sbDown, sbDown, sbDown}));
}

TEST_F(SpinEditTest, ValuesAreClampedAndFormatted) {
  Spin.SetValue(150);
  EXPECT_EQ(Text(), "100");
  Spin.SetMin(200);  // Max follows
  EXPECT_EQ(Spin.GetMax(), 200);
  Spin.SetMin(0);
  Spin.SetMax(0);
  Spin.SetValue(12345);
  EXPECT_EQ(Text(), "12345");  // Min = Max: no limit
  Spin.SetMax(100);
  Spin.SetIntegersOnly(false);
  Spin.SetDecimals(2);
  Spin.SetValue(2.5);
  const std::string Sep(1, LocaleDecimalSeparator());
  EXPECT_EQ(Text(), "2" + Sep + "50");
  Spin.SetIntegersOnly(true);
  EXPECT_EQ(Spin.GetDecimals(), 0);
  EXPECT_EQ(Text(), "2");
  Spin.GetEdit()->SetText("not a number");
  EXPECT_EQ(Spin.GetValue(), 0);
  // Leaving the field brings a typed value back into range.
  Spin.GetEdit()->SetText("500");
  ::SendMessageA(Edit(), WM_KILLFOCUS, 0, 0);
  EXPECT_EQ(Text(), "100");
}

TEST_F(SpinEditTest, ReadOnlyAndRefusedStepsKeepTheValue) {
  Spin.SetValue(5);
  Spin.SetReadOnly(true);
  Spin.IncValue(1);
  Key(VK_UP);
  EXPECT_EQ(Text(), "5");
  Spin.SetReadOnly(false);
  Spin.OnChanging = [](TObject*, bool& Allow) { Allow = false; };
  Spin.IncValue(1);
  EXPECT_EQ(Text(), "5");
  EXPECT_TRUE(Clicks.empty());
}

TEST_F(SpinEditTest, HeldButtonRepeatsAfter400ThenEvery100) {
  TLxRapidFireButton* Up = Spin.GetUpButton();
  EXPECT_EQ(Up->GetInitialDelay(), 400u);
  EXPECT_EQ(Up->GetDelay(), 100u);
  ::SendMessageA(Up->WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 3));
  ASSERT_NE(Up->GetRepeatTimer(), nullptr);
  EXPECT_TRUE(Up->GetRepeatTimer()->GetEnabled());
  EXPECT_EQ(Up->GetRepeatTimer()->GetInterval(), 400u);
  EXPECT_EQ(Text(), "0");  // nothing until the first tick or the release
  Up->GetRepeatTimer()->Timer();
  EXPECT_EQ(Up->GetRepeatTimer()->GetInterval(), 100u);
  EXPECT_EQ(Text(), "1");
  Up->GetRepeatTimer()->Timer();
  EXPECT_EQ(Text(), "2");
  ::SendMessageA(Up->WindowHandle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 3));
  EXPECT_FALSE(Up->GetRepeatTimer()->GetEnabled());
  EXPECT_EQ(Text(), "3");  // the release inside is a click too
  // Dragged off the button: the ticks click no more.
  ::SendMessageA(Up->WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 3));
  ::SendMessageA(Up->WindowHandle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 60));
  Up->GetRepeatTimer()->Timer();
  EXPECT_EQ(Text(), "3");
  ::SendMessageA(Up->WindowHandle(), WM_LBUTTONUP, 0, MAKELPARAM(60, 60));
  EXPECT_EQ(Text(), "3");
}

}  // namespace
