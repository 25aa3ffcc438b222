// The inspector: the pane the selection handler fills (page per kind, the
// object grid, normalised text, the call stack), what a clear leaves, the
// inspector windows and the fonts that reach them.
#include "core/BkGrid.h"
#include "core/LxObjFrm.h"
#include "core/LxStmFrm.h"
#include "core/LxStrFrm.h"
#include "ViewerFixture.h"

#include "components/LxCommon.h"

#include <string>
#include <tuple>
#include <vector>

namespace {

class Inspector : public ViewerTest {
protected:
  void SetUp() override {
    ViewerTest::SetUp();
    C->FInspectorSplitter->SetPosition(300);
    C->SetViewInspectorPane(true);
    Pump();
  }
  void TearDown() override {
    CloseAllWindows();
    ViewerTest::TearDown();
  }
  std::int32_t AddBody(std::int32_t Kind, const std::string& Text, const std::string& Details,
                       const std::string& Type = "TType") {
    return C->AddMessage(Kind, Text, "client", Type, ++Tick, std::string_view(Details));
  }
  std::string Cell(int Col, int Row) { return C->FGrdObject->GetCell(Col, Row); }
  static std::string TextOf(HWND W) {
    std::string Text(static_cast<std::size_t>(GetWindowTextLengthA(W)) + 1, '\0');
    Text.resize(static_cast<std::size_t>(GetWindowTextA(W, Text.data(), static_cast<int>(Text.size()))));
    return Text;
  }
  static void CloseAllWindows() {
    for (TFrmInspect* W : InspectorWindows<TFrmInspect>()) delete W;
  }
  std::int32_t Tick = 0;
};

TEST_F(Inspector, EachKindHasItsPageAndItsBody) {
  const std::string Long(300, 'v');
  const auto Obj = AddBody(lxmObject, "obj", "Name\tMain\r\nCaption\ta\tb\r\nNoTab\r\nLong\t" + Long, "TCustomer");
  const auto Stm = AddBody(lxmStream, "stm", "00 01 02\r\n03 04");
  const auto Str = AddBody(lxmStringList, "str", "first\nsecond\r\n");
  const auto Inf = C->AddMessage(lxmInfo, "one\r\n\r\ntwo\n", "client", "", 9, std::nullopt);

  C->JumpToItem(Obj);
  EXPECT_EQ(C->FNbkView->GetPageIndex(), 1);
  ASSERT_EQ(C->FGrdObject->GetRowCount(), 5);
  EXPECT_EQ(C->FGrdObject->GetFixedRows(), 1);
  EXPECT_EQ(C->FGrdObject->GetDefaultRowHeight(), C->ObjectRowHeight());
  const std::vector<std::vector<std::string>> Rows = {
      {"Property", "Value"}, {"Name", "Main"}, {"Caption", "a\tb"}, {"", "NoTab"}, {"Long", Long.substr(0, 255)}};
  for (int R = 0; R < 5; ++R) {
    EXPECT_EQ(Cell(0, R), Rows[R][0]) << "row " << R;
    EXPECT_EQ(Cell(1, R), Rows[R][1]) << "row " << R;
  }
  EXPECT_EQ(C->FStsTypeName->GetCaption(), "TCustomer");

  C->JumpToItem(Stm);
  EXPECT_EQ(C->FNbkView->GetPageIndex(), 2);
  EXPECT_EQ(C->FEdtStream->GetText(), "00 01 02\r\n03 04\r\n");

  C->JumpToItem(Str);
  EXPECT_EQ(C->FNbkView->GetPageIndex(), 0);
  EXPECT_EQ(C->FEdtStringList->GetText(), "first\r\nsecond\r\n");

  // Kinds without a body show their text, line breaks normalised.
  C->JumpToItem(Inf);
  EXPECT_EQ(C->FNbkView->GetPageIndex(), 0);
  EXPECT_EQ(C->FEdtStringList->GetText(), "one\r\ntwo");
  EXPECT_TRUE(C->FEdtStringList->GetReadOnly());
  EXPECT_TRUE(C->FEdtStream->GetReadOnly());
}

TEST_F(Inspector, GridCellsRaisedHeaderAndNavyValues) {
  AddBody(lxmObject, "obj", "Name\tMain\r\nCaption\tForm1\r\nTag\t0");
  C->JumpToItem(0);
  Pump();
  TStringGrid& G = *C->FGrdObject;
  ASSERT_EQ(G.GetRow(), 1) << "the first property row is the current (selected) one";
  ASSERT_GT(G.GetWidth(), 100);
  const auto S = Paint(G);
  auto Has = [&](const RECT& R, COLORREF Color) {
    for (int Y = R.top; Y < R.bottom; ++Y)
      if (S->RowHas(Y, R.left, R.right, Color)) return true;
    return false;
  };
  const COLORREF Navy = RGB(0, 0, 128);
  const RECT Header = G.CellRect(0, 0);
  EXPECT_EQ(S->Pixel(Header.left, Header.top + 2), Sys(COLOR_BTNHIGHLIGHT)) << "raised: light left edge";
  EXPECT_EQ(S->Pixel(Header.left + 3, Header.top), Sys(COLOR_BTNHIGHLIGHT)) << "and top edge";
  EXPECT_EQ(S->Pixel(Header.right - 1, Header.top + 3), Sys(COLOR_BTNSHADOW)) << "dark right edge";
  EXPECT_EQ(S->Pixel(Header.left + 3, Header.bottom - 1), Sys(COLOR_BTNSHADOW)) << "and bottom edge";
  EXPECT_TRUE(Has(G.CellRect(1, 2), Navy)) << "a value";
  EXPECT_FALSE(Has(G.CellRect(0, 2), Navy)) << "a name";
  EXPECT_FALSE(Has(G.CellRect(1, 1), Navy)) << "a value in the selected row";
  EXPECT_FALSE(Has(G.CellRect(1, 0), Navy)) << "the header";
}

TEST_F(Inspector, GridColumnsShareTheWidthLeftByTheScrollBar) {
  std::string Details;
  for (int I = 0; I < 60; ++I) Details += "p" + std::to_string(I) + "\tv\r\n";
  AddBody(lxmObject, "obj", Details);
  C->JumpToItem(0);
  TStringGrid& G = *C->FGrdObject;
  G.SetAlign(alNone);
  G.SetWidth(216);
  ResizeGridColumns(G);
  const int Bar = GridScrollBarWidth(G);
  ASSERT_EQ(Bar, GetSystemMetrics(SM_CXVSCROLL)) << "sixty rows need a scroll bar";
  EXPECT_EQ(G.GetColWidth(0), (216 - Bar) / 2);
  EXPECT_EQ(G.GetColWidth(1), 216 - Bar - (216 - Bar) / 2 - 2);
  if (Bar == 16) {
    EXPECT_EQ(G.GetColWidth(0), 100);
    EXPECT_EQ(G.GetColWidth(1), 98);
  }
}

TEST_F(Inspector, LineBreakRunsBecomeOneAndTheEndsFollowTheirRule) {
  const std::vector<std::pair<std::string, std::string>> Cases = {
      {"", ""},           {"plain", "plain"},         {"\r\n\n\rA", "\r\nA"},
      {"A\r\n\r\n", "A"}, {"A\rB\nC", "A\r\nB\r\nC"}, {"A\n\r\n\rB", "A\r\nB"},
      {"\n", ""}};
  for (const auto& [In, Out] : Cases) EXPECT_EQ(TBkOrlimoComposite::NormalizeLineBreaks(In), Out) << In;
}

TEST_F(Inspector, AnObjectWithoutDetailsShowsTheHeaderAndOneEmptyRow) {
  AddBody(lxmObject, "full", "A\t1\r\nB\t2\r\nC\t3");
  const auto Empty = AddBody(lxmObject, "empty", "");
  C->JumpToItem(0);
  C->JumpToItem(Empty);
  ASSERT_EQ(C->FGrdObject->GetRowCount(), 2);
  EXPECT_EQ(Cell(0, 0), "Property");
  EXPECT_EQ(Cell(0, 1), "");
  EXPECT_EQ(Cell(1, 1), "");
}

TEST_F(Inspector, AMillionDetailsLinesAndHugeValuesFillTheGrid) {
  std::string Details;
  Details.reserve(12'000'000);
  for (int I = 0; I < 1'000'000; ++I) Details += "p\t" + std::to_string(I) + "\r\n";
  Details += std::string(100'000, 'x') + "\t" + std::string(100'000, 'y');
  const auto P = AddBody(lxmObject, "big", Details);
  C->JumpToItem(P);
  ASSERT_EQ(C->FGrdObject->GetRowCount(), 1'000'002);
  EXPECT_EQ(Cell(1, 1'000'000), "999999");
  EXPECT_EQ(Cell(0, 1'000'001).size(), 100'000u) << "names are not cut";
  EXPECT_EQ(Cell(1, 1'000'001), std::string(255, 'y'));
}

TEST_F(Inspector, LongBodiesFitThePaneAndTheWindows) {
  std::string Details;
  for (int I = 0; I < 5'000; ++I) Details += "line " + std::to_string(I) + "\r\n";
  ASSERT_GT(Details.size(), 30'000u) << "longer than a text box takes by default";
  const auto Stm = AddBody(lxmStream, "s", Details);
  const auto Str = AddBody(lxmStringList, "l", Details);
  C->JumpToItem(Stm);
  EXPECT_EQ(C->FEdtStream->GetText(), Details);
  C->OpenInspectorWindow();
  C->JumpToItem(Str);
  EXPECT_EQ(C->FEdtStringList->GetText(), Details);
  C->OpenInspectorWindow();
  ASSERT_EQ(InspectorWindows<TFrmInspectStream>().size(), 1u);
  ASSERT_EQ(InspectorWindows<TFrmInspectStringList>().size(), 1u);
  TMemo& Window = *InspectorWindows<TFrmInspectStringList>()[0]->EdtStringList;
  EXPECT_EQ(InspectorWindows<TFrmInspectStream>()[0]->EdtStream->GetText(), Details);
  EXPECT_EQ(Window.GetText(), Details);
  // The user may go on typing into it.
  EXPECT_GT(static_cast<DWORD>(SendMessageA(Window.GetHandle(), EM_GETLIMITTEXT, 0, 0)), 1'000'000u);
}

TEST_F(Inspector, SelectionHandlerButtonsFollowTheKind) {
  const auto Obj = AddBody(lxmObject, "obj", "Name\tMain");
  C->AddSeparator("", 5);
  const auto Exit = C->AddMessage(lxmExitMethod, "done", "client", "", 6, std::nullopt);
  C->SetViewCallStack(true);
  C->JumpToItem(Obj);
  EXPECT_EQ(C->FNbkView->GetPageIndex(), 3) << "the call stack wins over the grid";
  EXPECT_TRUE(C->FBtnInspector->GetEnabled());
  C->JumpToItem(1);
  EXPECT_FALSE(C->FBtnInspector->GetEnabled());
  EXPECT_FALSE(C->FBtnMethodMatch->GetEnabled());
  C->JumpToItem(Exit);
  EXPECT_FALSE(C->FBtnInspector->GetEnabled());
  EXPECT_TRUE(C->FBtnMethodMatch->GetEnabled());
  // The current item decides, selected or not; the host hears the same.
  bool Inspect = false, Match = false;
  C->OnLstMsgsClick = [&](TObject*, bool I, bool M) {
    Inspect = I;
    Match = M;
  };
  for (const auto& [Item, CanInspect, CanMatch] : {std::tuple{Obj, true, false}, std::tuple{Exit, false, true}}) {
    C->JumpToItem(Item);
    List->ClearSelection();
    ASSERT_EQ(List->GetItemIndex(), Item);
    C->LstMsgsClick();
    EXPECT_EQ(C->FBtnInspector->GetEnabled(), CanInspect) << Item;
    EXPECT_EQ(C->FBtnMethodMatch->GetEnabled(), CanMatch) << Item;
    EXPECT_EQ(Inspect, CanInspect) << Item;
    EXPECT_EQ(Match, CanMatch) << Item;
  }
}

TEST_F(Inspector, AHiddenPaneKeepsItsContentWhileTheStatusFollows) {
  AddBody(lxmObject, "first", "A\t1", "TFirst");
  AddBody(lxmObject, "second", "B\t2", "TSecond");
  C->JumpToItem(0);
  C->SetViewInspectorPane(false);
  C->JumpToItem(1);
  EXPECT_EQ(C->FStsTypeName->GetCaption(), "TSecond");
  EXPECT_TRUE(C->FBtnInspector->GetEnabled());
  EXPECT_EQ(Cell(0, 1), "A");
  C->SetViewInspectorPane(true);
  EXPECT_EQ(Cell(0, 1), "B") << "showing the pane fills it";
}

TEST_F(Inspector, ClearEmptiesEveryPartOfThePane) {
  AddBody(lxmObject, "obj", "A\t1");
  AddBody(lxmStream, "stm", "data");
  C->AddMessage(lxmEnterMethod, "m", "client", "", 7, std::nullopt);
  C->AddMessage(lxmExitMethod, "m", "client", "", 8, std::nullopt);
  C->JumpToItem(0);
  C->JumpToItem(1);
  C->JumpToItem(3);
  C->SetViewCallStack(true);
  C->JumpToItem(2);  // stack of one line
  C->SetViewCallStack(false);
  C->JumpToItem(2);
  ASSERT_FALSE(C->FEdtStringList->GetText().empty());
  ASSERT_TRUE(C->FBtnMethodMatch->GetEnabled());
  C->JumpToItem(0);
  C->Clear();
  EXPECT_EQ(Cell(0, 1), "");
  EXPECT_EQ(Cell(1, 0), "");
  EXPECT_EQ(C->FEdtStream->GetText(), "");
  EXPECT_EQ(C->FEdtStringList->GetText(), "");
  EXPECT_EQ(C->FLstCallStack->GetItems().Count(), 0);
  EXPECT_EQ(C->FNbkView->GetPageIndex(), 0);
  EXPECT_FALSE(C->FBtnInspector->GetEnabled());
  // The method-match button is left as it was (the host's menu item is too).
  C->AddMessage(lxmEnterMethod, "m", "client", "", 9, std::nullopt);
  C->JumpToItem(0);
  ASSERT_TRUE(C->FBtnMethodMatch->GetEnabled());
  C->Clear();
  EXPECT_TRUE(C->FBtnMethodMatch->GetEnabled());
}

// Enter A (0), Info (1), Enter B (1), Info X (2), Exit B (1), Exit A (0).
class CallStack : public Inspector, public ::testing::WithParamInterface<bool> {
protected:
  void SetUp() override {
    Inspector::SetUp();
    C->SetInsertAtEnd(GetParam());
    for (auto [Kind, Text] : {std::pair{lxmEnterMethod, "Enter A"},
                              {lxmInfo, "Info"},
                              {lxmEnterMethod, "Enter B"},
                              {lxmInfo, "Info X"},
                              {lxmExitMethod, "Exit B"},
                              {lxmExitMethod, "Exit A"}})
      C->AddMessage(Kind, Text, "client", "", ++Tick, std::nullopt);
    C->SetViewCallStack(true);
  }
  // The list position of the n-th message in order of arrival.
  std::int32_t At(std::int32_t Arrival) { return GetParam() ? Arrival : 5 - Arrival; }
  std::vector<std::pair<std::string, std::intptr_t>> Stack() {
    std::vector<std::pair<std::string, std::intptr_t>> Lines;
    const TStringItems& Items = C->FLstCallStack->GetItems();
    for (int I = 0; I < Items.Count(); ++I) Lines.emplace_back(Items[I], Items.GetObject(I));
    return Lines;
  }
};

TEST_P(CallStack, ListsTheEnclosingMethodsInnermostFirst) {
  C->JumpToItem(At(3));
  using L = std::vector<std::pair<std::string, std::intptr_t>>;
  EXPECT_EQ(Stack(), (L{{"Enter B", At(2)}, {"Enter A", At(0)}}));
  C->JumpToItem(At(2));
  EXPECT_EQ(Stack(), (L{{"Enter A", At(0)}})) << "a method's own enter is not listed";
  // A double click on a line jumps to its message.
  C->FLstCallStack->SetItemIndex(0);
  C->FLstCallStack->OnDblClick(C->FLstCallStack);
  EXPECT_EQ(List->GetItemIndex(), At(0));
  EXPECT_TRUE(List->GetSelected(At(0)));
  // The same through the panel's own list of lines.
  C->JumpToItem(At(3));
  TStringItems Strings;
  ASSERT_TRUE(C->TraverseCallStack(Strings));
  EXPECT_EQ(Strings.FStrings, (std::vector<std::string>{"Enter B", "Enter A"}));
}

TEST_P(CallStack, FindCurrentMethodAndMatchingMethodJump) {
  C->JumpToItem(At(3));
  C->FindCurrentMethod();
  EXPECT_EQ(List->GetItemIndex(), At(2));
  C->FindMatchingMethod();
  EXPECT_EQ(List->GetItemIndex(), At(4));
  EXPECT_EQ(List->GetSelCount(), 1);
  C->FBtnMethodMatch->Click();
  EXPECT_EQ(List->GetItemIndex(), At(2));
  // Shift+click: both ends selected, the partner current, the time between them shown.
  {
    TKeysDown Shift({VK_SHIFT});
    C->FBtnMethodMatch->Click();
  }
  EXPECT_EQ(List->GetItemIndex(), At(4));
  EXPECT_EQ(List->GetSelCount(), 2);
  EXPECT_TRUE(List->GetSelected(At(2)));
  EXPECT_TRUE(C->FStsTimeDiff->GetEnabled());
  // Outside every method there is no current method.
  C->JumpToItem(At(0));
  C->FindCurrentMethod();
  EXPECT_EQ(List->GetItemIndex(), At(0));
  EXPECT_EQ(List->GetSelCount(), 1);
}

TEST_P(CallStack, AMethodStillRunningHasNoPartner) {
  C->Clear();
  C->AddMessage(lxmEnterMethod, "Open", "client", "", 1, std::nullopt);
  C->AddMessage(lxmInfo, "inside", "client", "", 2, std::nullopt);
  const std::int32_t Enter = GetParam() ? 0 : 1;
  C->JumpToItem(Enter);
  C->FindMatchingMethod();
  EXPECT_EQ(List->GetSelCount(), 0);
  EXPECT_EQ(List->GetItemIndex(), Enter);
  EXPECT_TRUE(C->FBtnMethodMatch->GetEnabled()) << "the current item is still a method's end";
}

TEST_P(CallStack, ASingleMessageLeavesTheStackAsItWas) {
  C->JumpToItem(At(3));
  ASSERT_EQ(C->FLstCallStack->GetItems().Count(), 2);
  C->FLstMsgs->SelectAll();
  C->DeleteSelectedItems();
  C->AddMessage(lxmEnterMethod, "alone", "client", "", 50, std::nullopt);
  C->JumpToItem(0);
  EXPECT_EQ(C->FLstCallStack->GetItems().Count(), 2);
}

INSTANTIATE_TEST_SUITE_P(BothOrders, CallStack, ::testing::Bool(),
                         [](const auto& Info) { return Info.param ? "InsertAtEnd" : "NewestOnTop"; });

// ------------------------------------------------------------ windows

TEST_F(Inspector, EachInspectableKindOpensItsOwnWindow) {
  const auto Obj = AddBody(lxmObject, "Customer", "Name\tAcme\r\nCity\tSpringfield");
  const auto Stm = AddBody(lxmStream, "Bytes", "00 01\r\n02");
  const auto Str = AddBody(lxmStringList, "Lines", "a\r\nb");
  const auto Inf = C->AddMessage(lxmInfo, "info", "client", "", 9, std::nullopt);

  C->JumpToItem(Obj);
  C->FBtnInspector->Click();
  C->OpenInspectorWindow();
  const auto Objects = InspectorWindows<TFrmInspectObject>();
  ASSERT_EQ(Objects.size(), 2u) << "a new window on every call";
  TFrmInspectObject& O = *Objects[0];
  EXPECT_EQ(O.GetCaption(), "Customer");
  EXPECT_EQ(O.GetWidth(), 200);
  EXPECT_EQ(O.GetHeight(), 244);
  EXPECT_TRUE(O.GetVisible());
  EXPECT_TRUE(GetWindowLongA(O.GetHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(GetWindowLongA(O.GetHandle(), GWL_STYLE) & WS_THICKFRAME);
  EXPECT_EQ(O.GetFont().GetName(), "MS Sans Serif");
  ASSERT_NE(O.GetIcon(), nullptr) << "the object kind's picture";
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(O.GetHandle(), WM_GETICON, ICON_SMALL, 0)), O.GetIcon());
  EXPECT_EQ(O.GrdObject->GetParent(), O.Panel);
  EXPECT_EQ(O.GrdObject->GetRowCount(), 3);
  EXPECT_EQ(O.GrdObject->GetCell(0, 2), "City");
  EXPECT_EQ(O.GrdObject->GetCell(1, 2), "Springfield");
  EXPECT_EQ(O.GrdObject->GetFont().GetName(), C->ObjectFont().GetName());
  // Its columns follow its width.
  O.SetWidth(260);
  const int W = O.GrdObject->GetWidth() - GridScrollBarWidth(*O.GrdObject);
  EXPECT_EQ(O.GrdObject->GetColWidth(0), W / 2);
  EXPECT_EQ(O.GrdObject->GetColWidth(1), W - W / 2 - 2);

  C->JumpToItem(Stm);
  C->OpenInspectorWindow();
  ASSERT_EQ(InspectorWindows<TFrmInspectStream>().size(), 1u);
  TFrmInspectStream& S = *InspectorWindows<TFrmInspectStream>()[0];
  EXPECT_EQ(S.GetCaption(), "Bytes");
  EXPECT_EQ(S.GetWidth(), 300);
  EXPECT_EQ(S.GetHeight(), 214);
  EXPECT_EQ(S.EdtStream->GetText(), "00 01\r\n02\r\n");
  EXPECT_FALSE(S.EdtStream->GetReadOnly()) << "the windows' text boxes are editable";
  EXPECT_FALSE(S.EdtStream->GetWordWrap());
  EXPECT_EQ(S.EdtStream->GetFont().GetName(), C->StreamFont().GetName());

  C->JumpToItem(Str);
  C->OpenInspectorWindow();
  ASSERT_EQ(InspectorWindows<TFrmInspectStringList>().size(), 1u);
  TFrmInspectStringList& L = *InspectorWindows<TFrmInspectStringList>()[0];
  EXPECT_EQ(L.GetCaption(), "Lines");
  EXPECT_EQ(L.EdtStringList->GetText(), "a\r\nb\r\n");
  EXPECT_TRUE(L.EdtStringList->GetWordWrap());
  EXPECT_FALSE(L.EdtStringList->GetReadOnly());

  // Nothing to inspect in an info message; the windows outlive a clear.
  C->JumpToItem(Inf);
  C->OpenInspectorWindow();
  EXPECT_EQ(InspectorWindows<TFrmInspect>().size(), 4u);
  C->Clear();
  EXPECT_EQ(O.GrdObject->GetCell(1, 1), "Acme");
  EXPECT_EQ(L.EdtStringList->GetText(), "a\r\nb\r\n");
}

TEST_F(Inspector, ClosingAWindowFreesIt) {
  AddBody(lxmObject, "obj", "A\t1");
  AddBody(lxmStream, "stm", "s");
  for (int I = 0; I < 2; ++I) {
    C->JumpToItem(I);
    C->OpenInspectorWindow();
  }
  ASSERT_EQ(InspectorWindows<TFrmInspect>().size(), 2u);
  HWND Stream = InspectorWindows<TFrmInspectStream>()[0]->GetHandle();
  SendMessageA(InspectorWindows<TFrmInspectObject>()[0]->GetHandle(), WM_CLOSE, 0, 0);
  SendMessageA(Stream, WM_CLOSE, 0, 0);
  Pump();
  EXPECT_TRUE(InspectorWindows<TFrmInspect>().empty());
  EXPECT_FALSE(IsWindow(Stream));
}

TEST_F(Inspector, AStoredObjectFontSizesTheRowsOfEveryObjectShownAfterTheLoad) {
  const TOrlimoFonts Styles = FOrlimoFonts;  // the load fills the process's table
  TTempKey Key(TBkOrlimoComposite::RegistryKey);
  Key.Set("View", "Inspector", "1");
  Key.Set("ObjectFont", "Size", "20");
  C->LoadSettings();
  FOrlimoFonts = Styles;
  ASSERT_EQ(C->ObjectFont().GetSize(), 20);
  const int RowHeight = GetMinFontHeight(C->ObjectFont()) - 1;
  ASSERT_GT(RowHeight, 25);
  EXPECT_EQ(C->ObjectRowHeight(), RowHeight);
  AddBody(lxmObject, "first", "A\t1");
  AddBody(lxmObject, "second", "B\t2\r\nC\t3");
  for (int I = 0; I < 2; ++I) {
    C->JumpToItem(I);
    EXPECT_EQ(C->FGrdObject->GetDefaultRowHeight(), RowHeight) << I;
    EXPECT_EQ(C->FGrdObject->GetRowHeight(1), RowHeight) << I;
    C->OpenInspectorWindow();
    TFrmInspectObject& W = *InspectorWindows<TFrmInspectObject>().back();
    EXPECT_EQ(W.GrdObject->GetFont().GetSize(), 20) << I;
    EXPECT_EQ(W.GrdObject->GetRowHeight(1), RowHeight) << I;
  }
}

// Escape closes each kind of window, whichever control has the keyboard, and
// leaves the window's text as it was until then.
TEST_F(Inspector, EscapeClosesEveryKindOfWindow) {
  AddBody(lxmObject, "obj", "A\t1");
  AddBody(lxmStream, "stm", "00 01");
  AddBody(lxmStringList, "str", "one\r\ntwo");
  for (int I = 0; I < 3; ++I) {
    C->JumpToItem(I);
    C->OpenInspectorWindow();
    ASSERT_EQ(InspectorWindows<TFrmInspect>().size(), 1u) << I;
    TFrmInspect* W = InspectorWindows<TFrmInspect>()[0];
    HWND Window = W->GetHandle();
    auto* Control = dynamic_cast<TWinControl*>(W->Panel->GetControl(0));
    ASSERT_NE(Control, nullptr) << I;
    HWND Inner = Control->GetHandle();
    const std::string Text = TextOf(Inner);
    SetFocus(Inner);
    // Typed as a user types it: through the program's message loop.
    PostMessageA(Inner, WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageA(Inner, WM_KEYUP, VK_ESCAPE, 0xC0000001);
    Pump();
    EXPECT_FALSE(IsWindow(Window) && IsWindowVisible(Window)) << "window " << I << " is still on screen";
    EXPECT_TRUE(InspectorWindows<TFrmInspect>().empty()) << "window " << I << " is kept";
    if (IsWindow(Inner)) {
      EXPECT_EQ(TextOf(Inner), Text) << I;
    }
    CloseAllWindows();
  }
}

TEST_F(Inspector, FontChangesReachThePaneAndEveryWindow) {
  AddBody(lxmObject, "obj", "A\t1");
  AddBody(lxmStream, "stm", "s");
  AddBody(lxmStringList, "str", "l");
  for (int I = 0; I < 3; ++I) {
    C->JumpToItem(I);
    C->OpenInspectorWindow();
  }
  C->OpenInspectorWindow();  // a second string-list window
  C->JumpToItem(0);          // the pane shows the object

  C->MsgFont().SetName("Courier New");
  C->MessageFontChanged();
  EXPECT_EQ(C->FEdtStringList->GetFont().GetName(), "Courier New");
  for (auto* W : InspectorWindows<TFrmInspectStringList>())
    EXPECT_EQ(W->EdtStringList->GetFont().GetName(), "Courier New");

  C->ObjectFont().SetSize(16);
  C->ObjectFontChanged();
  const int RowHeight = GetMinFontHeight(C->ObjectFont()) - 1;
  EXPECT_EQ(C->ObjectRowHeight(), RowHeight);
  EXPECT_GT(RowHeight, 17);
  EXPECT_EQ(C->FGrdObject->GetFont().GetSize(), 16);
  EXPECT_EQ(C->FGrdObject->GetDefaultRowHeight(), RowHeight);
  TFrmInspectObject& O = *InspectorWindows<TFrmInspectObject>()[0];
  EXPECT_EQ(O.GrdObject->GetFont().GetSize(), 16);
  EXPECT_EQ(O.GrdObject->GetRowHeight(1), RowHeight);
  EXPECT_TRUE(C->FLblCallStack->GetFont().GetStyle() & fsBold);
  EXPECT_EQ(C->FLblCallStack->GetFont().GetSize(), 16);

  C->StreamFont().SetName("Arial");
  C->StreamFontChanged();
  EXPECT_EQ(C->FEdtStream->GetFont().GetName(), "Arial");
  EXPECT_EQ(InspectorWindows<TFrmInspectStream>()[0]->EdtStream->GetFont().GetName(), "Arial");

  // Another panel made meanwhile leaves the open windows' fonts alone.
  TBkOrlimoComposite Other(nullptr, &Clock);
  EXPECT_EQ(O.GrdObject->GetFont().GetSize(), 16);
  EXPECT_EQ(InspectorWindows<TFrmInspectStream>()[0]->EdtStream->GetFont().GetName(), "Arial");
}

}  // namespace
