// How each kind of line looks: painted through WM_PRINTCLIENT (the same
// routine as WM_PAINT) into a memory surface and checked on pixels.
#include "core/BkOrlimo.h"
#include "CoreTestUtil.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class PaintTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 420, 420);  // eleven rows fit under the toolbar
    C = new TBkOrlimoComposite(Form.get(), &Clock);
    C->SetParent(Form.get());
    C->SetAlign(alClient);
    Form->Show();
    List = C->FLstMsgs;
    Wnd = List->GetHandle();
    // The shown form gave the list the focus; lines are checked without the
    // focus rectangle, which one test gives back.
    SetFocus(nullptr);
  }
  void TearDown() override { Form.reset(); }

  std::unique_ptr<TSurface> Paint() {
    List->FlushChanges();
    auto S = std::make_unique<TSurface>(List->GetClientWidth(), List->GetClientHeight());
    SendMessageA(Wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(S->DC()), PRF_CLIENT);
    return S;
  }
  RECT Row(int I) { return List->ItemRect(I); }

  TManualClock Clock{0, 0};
  std::unique_ptr<TForm> Form;
  TBkOrlimoComposite* C = nullptr;
  TBkEditListBox* List = nullptr;
  HWND Wnd = nullptr;
};

// Colours of the info icon's art: its rim and its transparent corner.
const COLORREF InfoRim = RGB(0x00, 0x3C, 0x8C);

TEST_F(PaintTest, IconsShowOnTheNormalAndTheSelectedBackground) {
  C->AddMessage(lxmInfo, "info", "a", "", 0, std::nullopt);
  C->AddMessage(lxmInfo, "info", "a", "", 0, std::nullopt);
  List->SetSelected(1, true);
  auto S = Paint();
  const int X = 4, Y0 = Row(0).top + 2, Y1 = Row(1).top + 2;
  EXPECT_EQ(S->Pixel(X + 4, Y0), InfoRim);
  EXPECT_EQ(S->Pixel(X, Y0), Sys(COLOR_WINDOW)) << "purple is transparent";
  EXPECT_EQ(S->Pixel(X + 4, Y1), InfoRim);
  EXPECT_EQ(S->Pixel(X, Y1), Sys(COLOR_HIGHLIGHT));
  // Without icons the cell is not drawn.
  C->SetViewIcons(false);
  auto N = Paint();
  EXPECT_FALSE(N->RowHas(Row(0).top + 2, 0, 2, InfoRim));
  EXPECT_FALSE(N->RowHas(Row(0).top + 2, 4, 18, InfoRim));
}

TEST_F(PaintTest, EveryIconKindHasItsOwnPicture) {
  for (int K = 0; K <= 10; ++K) C->AddMessage(K, "k", "a", "", 0, std::nullopt);
  auto S = Paint();
  for (int K = 0; K <= 10; ++K) {
    const RECT R = Row(K);
    const int Left = R.left + C->GetItemMsgInfo(K).IndentLevel() * C->IndentWidth() + 4;
    EXPECT_TRUE(S->AnyOtherThan(RECT{Left, R.top + 2, Left + 14, R.top + 13}, Sys(COLOR_WINDOW))) << K;
  }
}

TEST_F(PaintTest, TextStartsAfterTheIndentAndTheIconCell) {
  C->AddMessage(lxmEnterMethod, "enter", "a", "", 0, std::nullopt);
  C->AddMessage(lxmInfo, "WWWWWW", "a", "", 0, std::nullopt);  // level 1
  auto S = Paint();
  const RECT R = Row(1);
  // Nothing but background left of the indent step (no icon there), the
  // icon in the second step, the text from 24 + 24 on.
  EXPECT_FALSE(S->AnyOtherThan(RECT{0, R.top, 24, R.bottom}, Sys(COLOR_WINDOW)));
  EXPECT_TRUE(S->RowHas(R.top + 2, 28, 42, InfoRim));
  EXPECT_FALSE(S->AnyOtherThan(RECT{42, R.top, 48, R.bottom}, Sys(COLOR_WINDOW)));
  EXPECT_TRUE(S->AnyOtherThan(RECT{48, R.top, 120, R.bottom}, Sys(COLOR_WINDOW)));
}

TEST_F(PaintTest, SeparatorIsALineThroughTheMiddle) {
  C->AddSeparator("", 0);
  auto S = Paint();
  const RECT R = Row(0);
  const int M = R.top + (R.bottom - R.top) / 2;
  EXPECT_EQ(S->Pixel(2, M), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(S->Pixel(R.right - 3, M), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(S->Pixel(1, M), Sys(COLOR_WINDOW));
  EXPECT_EQ(S->Pixel(R.right - 2, M), Sys(COLOR_WINDOW));
  EXPECT_FALSE(S->AnyOtherThan(RECT{0, R.top, R.right, M}, Sys(COLOR_WINDOW)));
}

TEST_F(PaintTest, WakeUpSeparatorIsAHatchedBand) {
  C->SetInsertSeparatorOnWakeUp(true);
  C->AddMessage(lxmInfo, "a", "a", "", 0, std::nullopt);
  C->AddMessage(lxmInfo, "b", "a", "", 60000, std::nullopt);
  ASSERT_EQ(C->GetItemMsgInfo(1).MsgType(), lxmWakeUpSeparator);
  auto S = Paint();
  const RECT R = Row(1);
  const COLORREF Grey = RGB(128, 128, 128);
  EXPECT_EQ(S->Pixel(0, R.top), Grey) << "the frame";
  EXPECT_EQ(S->Pixel(R.right - 1, R.bottom - 1), Grey);
  EXPECT_TRUE(S->RowHas(R.top + 8, 1, 60, Grey)) << "the hatch";
  EXPECT_TRUE(S->RowHas(R.top + 8, 1, 60, Sys(COLOR_WINDOW))) << "between the hatch lines";

  C->JumpToItem(1);
  auto Sel = Paint();
  EXPECT_TRUE(Sel->RowHas(R.top + 8, 1, 60, Sys(COLOR_HIGHLIGHT)));
  EXPECT_TRUE(Sel->RowHas(R.top + 8, 1, 60, Sys(COLOR_HIGHLIGHTTEXT)));
}

TEST_F(PaintTest, KindColourAndSelectionColour) {
  FOrlimoFonts[lxmError] = TOrlimoFontRec{false, clRed, 0};
  C->AddMessage(lxmError, "WWWWWWWW", "a", "", 0, std::nullopt);
  C->AddMessage(lxmError, "WWWWWWWW", "a", "", 0, std::nullopt);
  List->SetSelected(1, true);
  auto S = Paint();
  EXPECT_TRUE(S->RowHas(Row(0).top + 8, 24, 100, RGB(255, 0, 0)));
  EXPECT_FALSE(S->RowHas(Row(1).top + 8, 24, 100, RGB(255, 0, 0))) << "selected text is highlight text";
  EXPECT_TRUE(S->RowHas(Row(1).top + 8, 24, 100, Sys(COLOR_HIGHLIGHT)));
  FOrlimoFonts[lxmError] = TOrlimoFontRec{};
}

TEST_F(PaintTest, TimeAndNameColumnsAtTheRightEdge) {
  C->AddMessage(lxmInfo, "m", "SomeApp", "", 61500, std::nullopt);
  auto Plain = Paint();
  const RECT R = Row(0);
  EXPECT_FALSE(Plain->AnyOtherThan(RECT{R.right - 60, R.top, R.right, R.bottom}, Sys(COLOR_WINDOW)));
  C->SetViewTimeStamp(true);
  C->SetViewAppName(true);
  auto S = Paint();
  EXPECT_TRUE(S->AnyOtherThan(RECT{R.right - C->TimeStampWidth(), R.top, R.right - 2, R.bottom}, Sys(COLOR_WINDOW)));
  EXPECT_FALSE(S->AnyOtherThan(RECT{R.right - 2, R.top, R.right, R.bottom}, Sys(COLOR_WINDOW)));
  const int AppLeft = R.right - C->TimeStampWidth() - C->AppNameWidth();
  EXPECT_TRUE(S->AnyOtherThan(RECT{AppLeft + 4, R.top, AppLeft + C->AppNameWidth(), R.bottom}, Sys(COLOR_WINDOW)));
  EXPECT_FALSE(S->AnyOtherThan(RECT{AppLeft, R.top, AppLeft + 4, R.bottom}, Sys(COLOR_WINDOW)));
}

TEST_F(PaintTest, FocusedCaretGetsTheFocusRectangle) {
  C->AddMessage(lxmInfo, "a", "a", "", 0, std::nullopt);
  C->AddMessage(lxmInfo, "b", "a", "", 0, std::nullopt);
  SetFocus(Wnd);
  ASSERT_EQ(GetFocus(), Wnd);
  C->JumpToItem(1);
  List->ClearSelection();
  auto S = Paint();
  const RECT R = Row(1);
  EXPECT_TRUE(S->AnyOtherThan(RECT{R.right / 2, R.top, R.right / 2 + 4, R.top + 1}, Sys(COLOR_WINDOW)))
      << "dotted top edge";
  EXPECT_FALSE(S->AnyOtherThan(RECT{R.right / 2, Row(0).top, R.right / 2 + 4, Row(0).top + 1}, Sys(COLOR_WINDOW)));
}

}  // namespace
