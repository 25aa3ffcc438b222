// The confirmation dialogs: texts, layout, default and cancel buttons, and
// where they appear, answered by keys posted to them.
#include "core/BkLxUtil.h"
#include "core/LxClrFrm.h"
#include "core/LxFulFrm.h"
#include "core/LxIndFrm.h"
#include "CoreTestUtil.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

RECT Rect(int Left, int Top, int Width, int Height) { return RECT{Left, Top, Left + Width, Top + Height}; }

bool operator==(const RECT& A, const RECT& B) {
  return A.left == B.left && A.top == B.top && A.right == B.right && A.bottom == B.bottom;
}

std::string Show(const RECT& R) {
  return "(" + std::to_string(R.left) + ", " + std::to_string(R.top) + ", " + std::to_string(R.right) + ", " +
         std::to_string(R.bottom) + ")";
}

bool Intersect(const RECT& A, const RECT& B) {
  RECT Both{};
  return IntersectRect(&Both, &A, &B) != 0;
}

// Every control lies inside its container's client area, no label overlaps
// a control beside it, and each label's text fits its rectangle as its font
// draws it (one line, or wrapped in the label's width).
void ExpectLaidOut(TWinControl& Container, const std::string& Where) {
  const RECT Client{0, 0, Container.GetWidth(), Container.GetHeight()};
  const RECT Area = dynamic_cast<TCustomForm*>(&Container) ? Container.GetClientRect() : Client;
  for (int I = 0; I < Container.GetControlCount(); ++I) {
    TControl* C = Container.GetControl(I);
    const RECT R = C->GetBoundsRect();
    RECT Inside{};
    UnionRect(&Inside, &R, &Area);
    EXPECT_TRUE(Inside == Area) << Where << ": " << C->GetCaption() << " " << Show(R) << " outside " << Show(Area);
    if (auto* L = dynamic_cast<TCustomLabel*>(C)) {
      for (int J = 0; J < Container.GetControlCount(); ++J) {
        TControl* Other = Container.GetControl(J);
        if (Other == C) continue;
        EXPECT_FALSE(Intersect(R, Other->GetBoundsRect()))
            << Where << ": \"" << L->GetCaption() << "\" overlaps " << Other->GetCaption();
      }
      TCanvas& Canvas = L->GetCanvas();
      Canvas.SetFont(L->GetFont());
      RECT Need{0, 0, L->GetWordWrap() ? L->GetWidth() : 0, 0};
      Canvas.DrawText(L->GetCaption(), Need, L->DrawTextFlags() | DT_CALCRECT);
      EXPECT_LE(Need.right, L->GetWidth()) << Where << ": " << L->GetCaption();
      EXPECT_LE(Need.bottom, L->GetHeight()) << Where << ": " << L->GetCaption();
    }
    if (auto* W = dynamic_cast<TWinControl*>(C)) ExpectLaidOut(*W, Where);
  }
}

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
    EXPECT_GE(D.GetClientWidth(), 326) << "as designed, or wider for the text";
    EXPECT_EQ(D.GetClientHeight(), 47);
    EXPECT_EQ(D.Label->GetCaption(), "Clear All Messages?");
    EXPECT_EQ(D.BtnYes->GetCaption(), "&Yes");
    EXPECT_EQ(D.BtnNo->GetCaption(), "&No");
    EXPECT_TRUE(D.BtnYes->GetDefault());
    EXPECT_TRUE(D.BtnNo->GetCancel());
    EXPECT_EQ(D.BtnNo->GetLeft(), D.BtnYes->GetLeft() + 84);
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
    EXPECT_GE(D.GetClientHeight(), 101) << "as designed, or taller for the text";
    Text = D.Label->GetCaption();
    EXPECT_EQ(D.BtnYes->GetTop(), D.GetClientHeight() - 33);
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
    EXPECT_GE(D.GetClientHeight(), 215) << "as designed, or taller for the texts";
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

// Gives the dialog and every control in it a font of this height. Under Wine
// the only face is a wide one: at height -9 its texts take the room MS Sans
// Serif 8 takes on the system the dialogs were designed on.
void UseFontHeight(TWinControl& Control, int Height) {
  Control.GetFont().SetHeight(Height);
  for (int I = 0; I < Control.GetControlCount(); ++I) {
    TControl* C = Control.GetControl(I);
    C->GetFont().SetHeight(Height);
    if (auto* W = dynamic_cast<TWinControl*>(C)) UseFontHeight(*W, Height);
  }
}
constexpr int DesignedWidthFont = -9;

// Where the texts fit, every control stands exactly where it was designed.
TEST(DialogLayout, TheDesignedLayoutStaysWhereTheTextsFit) {
  TFrmConfirmClear Clear;
  UseFontHeight(Clear, DesignedWidthFont);
  Clear.FitLayout();
  EXPECT_EQ(Clear.GetClientWidth(), 326);
  EXPECT_EQ(Clear.GetClientHeight(), 47);
  EXPECT_EQ(Clear.Label->GetLeft(), 52);
  EXPECT_EQ(Clear.Label->GetTop(), 16);
  EXPECT_TRUE(Clear.BtnYes->GetBoundsRect() == Rect(160, 12, 75, 25)) << Show(Clear.BtnYes->GetBoundsRect());
  EXPECT_TRUE(Clear.BtnNo->GetBoundsRect() == Rect(244, 12, 75, 25)) << Show(Clear.BtnNo->GetBoundsRect());
  EXPECT_TRUE(Clear.Image->GetBoundsRect() == Rect(8, 8, 32, 32));
  ExpectLaidOut(Clear, "clear");

  TFrmResetIndentLevel Indent;
  UseFontHeight(Indent, DesignedWidthFont);
  Indent.FitLayout();
  EXPECT_EQ(Indent.GetClientWidth(), 328);
  EXPECT_EQ(Indent.GetClientHeight(), 101);
  EXPECT_TRUE(Indent.Label->GetBoundsRect() == Rect(56, 8, 261, 52)) << Show(Indent.Label->GetBoundsRect());
  EXPECT_TRUE(Indent.BtnYes->GetBoundsRect() == Rect(160, 68, 75, 25));
  EXPECT_TRUE(Indent.BtnNo->GetBoundsRect() == Rect(244, 68, 75, 25));
  ExpectLaidOut(Indent, "indent");

  TFrmMessageListFull Full;
  UseFontHeight(Full, DesignedWidthFont);
  Full.FitLayout();
  EXPECT_EQ(Full.GetClientWidth(), 382);
  EXPECT_EQ(Full.GetClientHeight(), 215);
  const std::vector<std::pair<TControl*, RECT>> Designed = {
      {Full.Label, Rect(48, 8, 314, 26)},      {Full.GrpIgnore, Rect(48, 44, 325, 77)},
      {Full.LblIgnore, Rect(8, 16, 231, 52)},  {Full.BtnIgnore, Rect(244, 16, 75, 25)},
      {Full.GrpClear, Rect(48, 128, 325, 77)}, {Full.LblClear, Rect(8, 16, 210, 52)},
      {Full.BtnClear, Rect(240, 16, 75, 25)},
  };
  for (const auto& [C, R] : Designed)
    EXPECT_TRUE(C->GetBoundsRect() == R) << C->GetCaption() << " " << Show(C->GetBoundsRect());
  ExpectLaidOut(Full, "full");
}

// With the font the dialogs ask for, as this system draws it (a face wider
// than MS Sans Serif: the texts ran under the buttons and out of the labels),
// no text overlaps a control or is cut, and every control is inside.
TEST(DialogLayout, TheSystemsStandInFontIsMeasured) {
  TFrmConfirmClear Clear;
  ExpectLaidOut(Clear, "clear");
  EXPECT_EQ(Clear.BtnNo->GetLeft() - Clear.BtnYes->GetLeft(), 84);
  TFrmResetIndentLevel Indent;
  ExpectLaidOut(Indent, "indent");
  TFrmMessageListFull Full;
  ExpectLaidOut(Full, "full");
  EXPECT_EQ(Full.GrpClear->GetTop() - (Full.GrpIgnore->GetTop() + Full.GrpIgnore->GetHeight()), 7);
}

// A wider font moves the buttons right of the clear question and widens the
// dialog; back at a font that fits, the layout is the designed one again.
TEST(DialogLayout, AWiderFontMovesTheClearButtonsClearOfTheQuestion) {
  TFrmConfirmClear D;
  D.GetFont().SetHeight(-16);
  D.FitLayout();
  ASSERT_GT(D.Label->GetLeft() + D.Label->GetWidth(), 160 - TLxConfirmForm::LabelGap) << "the font is not wider";
  EXPECT_EQ(D.BtnYes->GetLeft(), D.Label->GetLeft() + D.Label->GetWidth() + TLxConfirmForm::LabelGap);
  EXPECT_EQ(D.BtnNo->GetLeft() - D.BtnYes->GetLeft(), 84) << "the buttons keep their spacing";
  EXPECT_EQ(D.BtnYes->GetTop(), 12);
  EXPECT_EQ(D.GetClientWidth(), D.BtnNo->GetLeft() + 75 + 7) << "and the dialog its margin";
  EXPECT_EQ(D.GetClientHeight(), 47);
  ExpectLaidOut(D, "clear, wide font");
  // Shown, the buttons are where the layout put them.
  D.HandleNeeded();
  RECT Yes{};
  GetWindowRect(D.BtnYes->GetHandle(), &Yes);
  MapWindowPoints(nullptr, D.GetHandle(), reinterpret_cast<POINT*>(&Yes), 2);
  EXPECT_EQ(Yes.left, D.BtnYes->GetLeft());

  D.GetFont().SetHeight(DesignedWidthFont);
  D.FitLayout();
  EXPECT_EQ(D.GetClientWidth(), 326);
  EXPECT_TRUE(D.BtnYes->GetBoundsRect() == Rect(160, 12, 75, 25)) << Show(D.BtnYes->GetBoundsRect());
  EXPECT_TRUE(D.BtnNo->GetBoundsRect() == Rect(244, 12, 75, 25));
}

// Longer texts than designed grow the wrapped labels: what is below them
// moves down, the groups and the dialog grow, nothing overlaps.
TEST(DialogLayout, LongerTextsGrowTheLabelsAndPushWhatIsBelow) {
  TFrmResetIndentLevel Indent;
  Indent.GetFont().SetHeight(-15);
  Indent.FitLayout();
  EXPECT_GT(Indent.Label->GetHeight(), 52);
  EXPECT_EQ(Indent.BtnYes->GetTop(), Indent.Label->GetTop() + Indent.Label->GetHeight() + 8);
  EXPECT_EQ(Indent.BtnNo->GetTop(), Indent.BtnYes->GetTop());
  EXPECT_EQ(Indent.GetClientHeight(), Indent.BtnYes->GetTop() + 25 + 8);
  ExpectLaidOut(Indent, "indent, wide font");
  // A word wider than the label widens it and the dialog.
  Indent.Label->SetCaption("Reset TBkOrlimoCompositeWithAVeryLongNameThatDoesNotBreakAnywhereAtAll?");
  Indent.FitLayout();
  EXPECT_GT(Indent.Label->GetWidth(), 261);
  EXPECT_GT(Indent.GetClientWidth(), 328);
  ExpectLaidOut(Indent, "indent, long word");

  TFrmMessageListFull Full;
  UseFontHeight(Full, DesignedWidthFont);
  const std::string Long = Full.LblIgnore->GetCaption() + " " + Full.LblIgnore->GetCaption();
  Full.Label->SetCaption(Full.Label->GetCaption() + " " + Full.Label->GetCaption());
  Full.LblIgnore->SetCaption(Long);
  Full.FitLayout();
  EXPECT_GT(Full.Label->GetHeight(), 26);
  EXPECT_GT(Full.LblIgnore->GetHeight(), 52);
  EXPECT_GT(Full.GrpIgnore->GetHeight(), 77);
  EXPECT_EQ(Full.GrpIgnore->GetTop(), 44 + Full.Label->GetHeight() - 26);
  EXPECT_EQ(Full.GrpClear->GetTop(), Full.GrpIgnore->GetTop() + Full.GrpIgnore->GetHeight() + 7);
  EXPECT_EQ(Full.GrpClear->GetHeight(), 77) << "its text fits";
  EXPECT_EQ(Full.GetClientHeight(), Full.GrpClear->GetTop() + 77 + 10);
  EXPECT_EQ(Full.BtnIgnore->GetTop(), 16);
  EXPECT_EQ(Full.GetClientWidth(), 382);
  ExpectLaidOut(Full, "full, long texts");
}

}  // namespace
