// The scratch pad: lines set through the intake, kept while hidden, cleared
// from its popup menu, and drawn with grey right-aligned line numbers.
#include "ViewerFixture.h"

#include "model/OrlimoRecord.h"
#include "protocol/LxDispatch.h"

namespace {

class ScratchPad : public ViewerTest {
protected:
  LRESULT Receive(const std::string& Text) {
    const std::string R = BuildClientRecord(lxmScratchPad, 1, Text, {}, "Client", "");
    return LxDispatchRecord(lxmScratchPad, R.data(), R.size(), {C}, TLxIntakeMode::MainForm);
  }
  std::string Line(int I) { return C->FGrdScratchPad->GetCell(1, I); }
};

TEST_F(ScratchPad, GridHasAHundredNumberedLines) {
  TStringGrid* G = C->FGrdScratchPad;
  EXPECT_EQ(G->GetRowCount(), 100);
  EXPECT_EQ(G->GetColCount(), 2);
  EXPECT_EQ(G->GetFixedRows(), 0);
  EXPECT_EQ(G->GetFixedCols(), 1);
  EXPECT_EQ(G->GetDefaultRowHeight(), 17);
  EXPECT_EQ(G->GetColWidth(0), 20);
  EXPECT_EQ(G->GetCell(0, 0), "0");
  EXPECT_EQ(G->GetCell(0, 99), "99");
  EXPECT_EQ(G->GetOptions(), static_cast<TGridOptions>(goVertLine | goHorzLine | goRowSelect | goThumbTracking));
}

TEST_F(ScratchPad, MessagesReplaceLinesThroughTheIntake) {
  EXPECT_EQ(Receive("5@Hello"), LxReplyTaken);
  EXPECT_EQ(Line(5), "Hello");
  EXPECT_EQ(C->GetScratchPadLine(5), "Hello") << "one store: the grid";
  Receive("5@World");
  EXPECT_EQ(Line(5), "World");
  Receive("7@a@b@");
  EXPECT_EQ(Line(7), "a@b@");
  Receive("7@");
  EXPECT_EQ(Line(7), "");
  Receive("100@out");
  Receive("-1@out");
  for (int I = 0; I < 100; ++I) EXPECT_EQ(Line(I), I == 5 ? "World" : "") << I;
  EXPECT_EQ(List->Count(), 0) << "scratch-pad lines never enter the list";
}

TEST_F(ScratchPad, LinesArriveWhileHiddenAndShowWhenShown) {
  const int Row = C->FGrdScratchPad->GetRow();
  C->ScratchPadMsg(40, "while hidden");
  EXPECT_EQ(C->FGrdScratchPad->GetRow(), Row) << "the selection does not move";
  EXPECT_EQ(C->FGrdScratchPad->GetTopRow(), 0) << "the grid does not scroll";
  C->SetViewScratchPad(true);
  EXPECT_EQ(Line(40), "while hidden");
  C->SetViewScratchPad(false);
  C->ScratchPadMsg(41, "again");
  C->SetViewScratchPad(true);
  EXPECT_EQ(Line(41), "again");
}

TEST_F(ScratchPad, ClearKeepsTheNumbersAndOnlyItsMenuItemClears) {
  C->ScratchPadMsg(0, "zero");
  C->ScratchPadMsg(99, "last");
  C->Clear();
  EXPECT_EQ(Line(0), "zero") << "clearing the list keeps the scratch pad";
  C->FMnuScratchPadPopup->GetItems()->GetItem(0)->Click();
  for (int I = 0; I < 100; ++I) {
    EXPECT_EQ(Line(I), "");
    EXPECT_EQ(C->FGrdScratchPad->GetCell(0, I), std::to_string(I));
  }
}

TEST_F(ScratchPad, ClickUpdatesTheStatus) {
  int Fired = 0;
  C->OnUpdateStatus = [&](TObject*, bool, bool) { ++Fired; };
  C->SetViewScratchPad(true);
  HWND G = C->FGrdScratchPad->GetHandle();
  ClickAt(G, 60, 17 * 2 + 5);
  EXPECT_EQ(Fired, 1);
  EXPECT_EQ(C->FGrdScratchPad->GetRow(), 2);
}

TEST_F(ScratchPad, LineNumbersAreGreyAndRightAligned) {
  C->SetViewScratchPad(true);
  C->ScratchPadMsg(3, "WWWW");
  TStringGrid* G = C->FGrdScratchPad;
  G->SetRow(0);
  auto S = Paint(*G);
  const COLORREF Grey = RGB(128, 128, 128);
  const RECT N = G->CellRect(0, 3);
  // The number sits at the right of its cell, the left stays clear.
  bool Right = false, Left = false;
  for (int Y = N.top + 2; Y < N.bottom - 1; ++Y) {
    Right = Right || S->RowHas(Y, N.right - 10, N.right - 3, Grey);
    Left = Left || S->RowHas(Y, N.left, N.left + 6, Grey);
  }
  EXPECT_TRUE(Right);
  EXPECT_FALSE(Left);
  // A grey line along the cell's right edge.
  EXPECT_EQ(S->Pixel(N.right - 1, N.top + 8), Grey);
  EXPECT_EQ(S->Pixel(N.right - 1, N.bottom - 1), Grey);
  // The line text is drawn left in the window-text colour.
  const RECT T = G->CellRect(1, 3);
  bool Text = false;
  for (int Y = T.top + 2; Y < T.bottom - 1; ++Y)
    Text = Text || S->RowHas(Y, T.left + 2, T.left + 12, Sys(COLOR_WINDOWTEXT));
  EXPECT_TRUE(Text);
}

}  // namespace
