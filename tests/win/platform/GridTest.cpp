// String grid geometry, selection, scrolling and painting; notebook pages.
#include "platform/Forms.h"
#include "platform/Grids.h"
#include "platform/Pages.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

namespace {

class GridTest : public ::testing::Test {
protected:
  GridTest() : Form(nullptr) {
    Form.SetBorderStyle(bsNone);
    Form.SetBounds(0, 0, 216, 120);
    Grid = new TStringGrid(&Form);
    Grid->SetParent(&Form);
    Grid->SetBorder(false);
    Grid->SetBounds(0, 0, 216, 120);
    Grid->SetColCount(2);
    Grid->SetRowCount(3);
    Grid->SetFixedCols(0);
    Grid->SetFixedRows(1);
    Grid->SetDefaultRowHeight(17);
    Grid->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goColSizing | goRowSelect |
                     goThumbTracking);
    Grid->SetColWidth(0, 100);
    Grid->SetColWidth(1, 98);
    Grid->SetCell(0, 0, "Property");
    Grid->SetCell(1, 0, "Value");
    Form.Show();
  }
  TForm Form;
  TStringGrid* Grid;
};

TEST_F(GridTest, CellsSitSideBySideWithOnePixelGridLines) {
  EXPECT_EQ(Grid->CellRect(0, 0).right, 100);
  const RECT Value = Grid->CellRect(1, 1);
  EXPECT_EQ(Value.left, 101);
  EXPECT_EQ(Value.top, 18);
  EXPECT_EQ(Value.bottom, 35);
  int C = -1, R = -1;
  EXPECT_TRUE(Grid->MouseToCell(150, 40, C, R));
  EXPECT_EQ(C, 1);
  EXPECT_EQ(R, 2);
  EXPECT_FALSE(Grid->MouseToCell(150, 110, C, R));  // below the last row
}

TEST_F(GridTest, AVerticalScrollBarAppearsOnlyWhenTheRowsDoNotFit) {
  HWND W = Grid->GetHandle();
  EXPECT_FALSE(::GetWindowLongA(W, GWL_STYLE) & WS_VSCROLL);
  Grid->SetRowCount(20);
  EXPECT_TRUE(::GetWindowLongA(W, GWL_STYLE) & WS_VSCROLL);
  // Scrolling by rows; the fixed row stays.
  ::SendMessageA(W, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(Grid->GetTopRow(), 2);
  EXPECT_TRUE(::IsRectEmpty(&static_cast<const RECT&>(Grid->CellRect(0, 1))));
  EXPECT_EQ(Grid->CellRect(0, 0).top, 0);
  ::SendMessageA(W, WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(Grid->GetTopRow() + Grid->GetVisibleRowCount(), 20);
  Grid->SetRowCount(3);
  EXPECT_FALSE(::GetWindowLongA(W, GWL_STYLE) & WS_VSCROLL);
  EXPECT_EQ(Grid->GetTopRow(), 1);
}

TEST_F(GridTest, ClicksAndKeysMoveTheSelectedRowAndFireClick) {
  int Clicks = 0;
  Grid->OnClick = [&](TObject*) { ++Clicks; };
  HWND W = Grid->GetHandle();
  ::SendMessageA(W, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 40));
  ::SendMessageA(W, WM_LBUTTONUP, 0, MAKELPARAM(30, 40));
  EXPECT_EQ(Grid->GetRow(), 2);
  EXPECT_EQ(Clicks, 1);
  ::SendMessageA(W, WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(Grid->GetRow(), 1);
  ::SendMessageA(W, WM_KEYDOWN, VK_UP, 0);  // the fixed row cannot be selected
  EXPECT_EQ(Grid->GetRow(), 1);
  EXPECT_EQ(Clicks, 2);
  // Changing a cell neither moves nor scrolls.
  Grid->SetCell(1, 2, "changed");
  EXPECT_EQ(Grid->GetRow(), 1);
  EXPECT_EQ(Grid->GetCell(1, 2), "changed");
}

TEST_F(GridTest, DraggingAHeaderBoundarySizesTheColumn) {
  HWND W = Grid->GetHandle();
  ::SendMessageA(W, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 5));
  ::SendMessageA(W, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(80, 5));
  ::SendMessageA(W, WM_LBUTTONUP, 0, MAKELPARAM(80, 5));
  EXPECT_EQ(Grid->GetColWidth(0), 80);
  EXPECT_EQ(Grid->GetRow(), 1);  // no selection change
}

TEST_F(GridTest, PaintsThePreparedColoursAndCallsTheDrawHandlerPerCell) {
  Grid->SetCell(1, 1, "x");
  int Calls = 0;
  TGridDrawState HeaderState = 0, SelectedState = 0;
  Grid->OnDrawCell = [&](TObject*, int C, int R, RECT, TGridDrawState State) {
    ++Calls;
    if (C == 0 && R == 0) HeaderState = State;
    if (C == 0 && R == 1) SelectedState = State;
  };
  TBitmap Shot(216, 120);
  ::SendMessageA(Grid->GetHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(Shot.GetCanvas().GetHandle()), PRF_CLIENT);
  EXPECT_EQ(Calls, 6);
  EXPECT_TRUE(HeaderState & gdFixed);
  EXPECT_TRUE(SelectedState & gdSelected);
  TCanvas& S = Shot.GetCanvas();
  EXPECT_EQ(S.GetPixel(50, 5), static_cast<TColor>(ColorToRGB(clBtnFace)));     // fixed row
  EXPECT_EQ(S.GetPixel(90, 20), static_cast<TColor>(ColorToRGB(clHighlight)));  // selected row 1
  EXPECT_EQ(S.GetPixel(90, 40), static_cast<TColor>(ColorToRGB(clWindow)));     // row 2
  EXPECT_EQ(S.GetPixel(100, 40), clSilver);                                     // grid line
  EXPECT_EQ(S.GetPixel(210, 40), static_cast<TColor>(ColorToRGB(clWindow)));    // right of the cells
  EXPECT_EQ(S.GetPixel(50, 80), static_cast<TColor>(ColorToRGB(clWindow)));     // below the rows
}

TEST(Notebook, ShowsOnePageAtATimeFillingTheNotebook) {
  TForm Form(nullptr);
  auto* Book = new TNotebook(&Form);
  Book->SetParent(&Form);
  Book->SetBounds(0, 0, 120, 80);
  Book->SetPages({"StringList", "Object", "Stream", "CallStack"});
  EXPECT_EQ(Book->GetPageIndex(), 0);
  EXPECT_EQ(Book->GetActivePage(), "StringList");
  int Changes = 0;
  Book->OnPageChanged = [&](TObject*) { ++Changes; };
  Book->SetActivePage("stream");
  EXPECT_EQ(Book->GetPageIndex(), 2);
  EXPECT_TRUE(Book->GetPage(2)->GetVisible());
  EXPECT_FALSE(Book->GetPage(0)->GetVisible());
  EXPECT_EQ(Book->GetPage(2)->GetWidth(), 120);
  EXPECT_EQ(Book->GetPage(2)->GetHeight(), 80);
  Book->SetPageIndex(7);  // ignored
  Book->SetPageIndex(2);  // unchanged: no event
  EXPECT_EQ(Changes, 1);
  Form.HandleNeeded();
  EXPECT_TRUE(::IsWindowVisible(Book->GetPage(2)->WindowHandle()) || !::IsWindowVisible(Form.WindowHandle()));
  EXPECT_FALSE(::GetWindowLongA(Book->GetPage(0)->WindowHandle(), GWL_STYLE) & WS_VISIBLE);
  delete Book->GetPage(2);
  EXPECT_EQ(Book->GetPageCount(), 3);
  EXPECT_EQ(Book->GetActivePage(), "CallStack");
}

}  // namespace
