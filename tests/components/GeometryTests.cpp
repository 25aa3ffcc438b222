// Geometry of the components: borders, toolbar rows, splitter panes, bars,
// status panes, label angles, menu placement and the spin edit's parts.
#include "components/LxGeometry.h"

#include <gtest/gtest.h>

TEST(Borders, ClientRectShrinksByFrameWidthAndBothBorders) {
  TLxPanelFrame F;  // raised outer (2 lines), no inner
  EXPECT_EQ(PanelClientRect({0, 0, 100, 50}, F), (TLxRect{2, 2, 98, 48}));
  F.FrameSides = sdBottomSide;
  F.BorderWidth = 3;
  F.BorderInner = fsStatus;
  F.BorderSides = sdTopSide | sdLeftSide;
  // frame: bottom 1; width 3 all round; outer 2 + inner 1 on left and top only
  EXPECT_EQ(PanelClientRect({0, 0, 100, 50}, F), (TLxRect{6, 6, 97, 46}));
  // An empty side set leaves the rectangle to the frame lines and border width.
  F.BorderSides = sdNoSides;
  F.FrameSides = sdNoSides;
  F.BorderWidth = 0;
  EXPECT_EQ(PanelClientRect({0, 0, 100, 50}, F), (TLxRect{0, 0, 100, 50}));
  EXPECT_EQ(BorderThickness(fsNone), 0);
  for (TFrameStyle S : {fsFlat, fsStatus, fsPopup}) EXPECT_EQ(BorderThickness(S), 1);
  for (TFrameStyle S : {fsGroove, fsBump, fsLowered, fsButtonDown, fsRaised, fsButtonUp})
    EXPECT_EQ(BorderThickness(S), 2);
}

TEST(Borders, CaptionVerticalPlacement) {
  TLxRect R{0, 3, 50, 20};
  PanelCaptionVertical(avCenter, 8, R);
  EXPECT_EQ(R.Top, 7);
  EXPECT_EQ(R.Bottom, 15);
  R = {0, 3, 50, 20};
  PanelCaptionVertical(avBottom, 8, R);
  EXPECT_EQ(R.Top, 11);
  EXPECT_EQ(R.Bottom, 20);
  // The centre uses an arithmetic shift: a negative sum rounds down.
  R = {0, -10, 50, 1};
  PanelCaptionVertical(avCenter, 0, R);
  EXPECT_EQ(R.Top, -5);
}

namespace {
std::vector<TLxToolbarItem> Buttons(int N, int W = 25, int H = 25) {
  std::vector<TLxToolbarItem> V(static_cast<std::size_t>(N));
  for (auto& B : V) {
    B.Width = W;
    B.Height = H;
  }
  return V;
}
TLxToolbarLayoutOut Lay(const TLxToolbarLayoutIn& In, const std::vector<TLxToolbarItem>& Items) {
  return ToolbarPositionControls(In, Items, std::vector<TLxRect>(Items.size()));
}
}  // namespace

TEST(Toolbar, WrapsOnlyWhenTheLastControlPassesWidthLessOneMargin) {
  TLxToolbarLayoutIn In;  // margin 4, row height 25, top, auto size
  auto Items = Buttons(4);
  In.Width = 4 + 4 * 25 + 4;  // exactly wide enough
  auto Out = Lay(In, Items);
  EXPECT_EQ(Out.Rows, 1);
  EXPECT_EQ(Out.Bounds[3], (TLxRect{79, 4, 104, 29}));
  EXPECT_EQ(Out.NewHeight, 25 + 8);
  In.Width -= 1;
  Out = Lay(In, Items);
  EXPECT_EQ(Out.Rows, 2);
  EXPECT_EQ(Out.Bounds[2].Left, 54);
  EXPECT_EQ(Out.Bounds[3], (TLxRect{4, 29, 29, 54}));
  EXPECT_EQ(Out.NewHeight, 2 * 25 + 8);
}

TEST(Toolbar, ThreeRowsAutoSizeAndFirstEntryNeverWraps) {
  TLxToolbarLayoutIn In;
  In.Width = 40;  // one button per row
  auto Out = Lay(In, Buttons(3));
  EXPECT_EQ(Out.Rows, 3);
  EXPECT_EQ(Out.NewHeight, 25 * 3 + 2 * 4);
  EXPECT_EQ(Out.Bounds[0].Left, 4);
  EXPECT_EQ(Out.Bounds[2].Top, 2 * 25 + 4);
  // Too narrow even for the first: it stays on row 1.
  In.Width = 10;
  Out = Lay(In, Buttons(1));
  EXPECT_EQ(Out.Rows, 1);
  // Height unchanged: nothing to report.
  In.Width = 400;
  In.Height = 33;
  EXPECT_FALSE(Lay(In, Buttons(2)).NewHeight.has_value());
  // Wrapping off: one row however narrow.
  In.WrapControls = false;
  In.Width = 30;
  EXPECT_EQ(Lay(In, Buttons(5)).Rows, 1);
}

TEST(Toolbar, SpacersHiddenControlsAndCentring) {
  TLxToolbarLayoutIn In;
  In.Width = 500;
  auto Items = Buttons(4);
  Items[1].Spacer = true;
  Items[1].Width = 30;  // the layout gives it its own size
  Items[2].Visible = false;
  Items[3].Height = 15;
  auto Out = Lay(In, Items);
  EXPECT_EQ(Out.Bounds[1], (TLxRect{29, 4 + 12 - 14, 37, 4 + 12 - 14 + 29}));
  EXPECT_FALSE(Out.Placed[2]);
  EXPECT_EQ(Out.Bounds[3].Left, 37);  // no gap for the hidden control
  EXPECT_EQ(Out.Bounds[3].Top, 4 + 12 - 7);
  // Vertical orientation: spacer is RowHeight + 4 wide and 8 high.
  In.Orientation = orVertical;
  In.Align = laLeft;
  In.Height = 500;
  Out = Lay(In, Items);
  EXPECT_EQ(Out.Bounds[1].Width(), 29);
  EXPECT_EQ(Out.Bounds[1].Height(), 8);
  EXPECT_EQ(Out.Bounds[1].Top, 29);
  EXPECT_EQ(Out.NewWidth, 25 + 8);
}

TEST(Toolbar, SideAlignedAutoSizeOnlyAfterAWrap) {
  TLxToolbarLayoutIn In;
  In.Align = laLeft;
  In.Width = 70;
  auto Out = Lay(In, Buttons(2));
  EXPECT_FALSE(Out.NewWidth.has_value());
  Out = Lay(In, Buttons(3));  // 4+25+25 = 54, third passes 66
  EXPECT_EQ(Out.NewWidth, 4 + 54);
  In.Align = laClient;
  Out = Lay(In, Buttons(3));
  EXPECT_FALSE(Out.NewWidth.has_value());
  EXPECT_FALSE(Out.NewHeight.has_value());
}

TEST(Toolbar, AutoStyleByAlignmentAndLook) {
  EXPECT_EQ(ToolbarAutoStyle(laTop, true, true), (TLxToolbarStyle{fsNone, fsGroove, sdTopSide, sdNoSides}));
  EXPECT_EQ(ToolbarAutoStyle(laBottom, true, false), (TLxToolbarStyle{fsNone, fsNone, sdBottomSide, sdNoSides}));
  EXPECT_EQ(ToolbarAutoStyle(laLeft, true, true), (TLxToolbarStyle{fsNone, fsGroove, sdLeftSide, sdNoSides}));
  EXPECT_EQ(ToolbarAutoStyle(laRight, false, true), (TLxToolbarStyle{fsNone, fsPopup, sdAllSides, sdLeftSide}));
  EXPECT_EQ(ToolbarAutoStyle(laNone, false, true), (TLxToolbarStyle{fsNone, fsPopup, sdAllSides, sdBottomSide}));
  EXPECT_EQ(StatusBarAutoStyle(true).Height, 19);
  EXPECT_EQ(StatusBarAutoStyle(false).FrameSides, sdTopSide);
  EXPECT_EQ(StatusBarClientRect({0, 0, 100, 19}, true, false), (TLxRect{-1, 1, 101, 20}));
  EXPECT_EQ(StatusBarClientRect({0, 0, 100, 19}, true, true), (TLxRect{0, 2, 100, 20}));
  EXPECT_EQ(StatusBarClientRect({1, 1, 99, 20}, false, false), (TLxRect{1, 1, 99, 20}));
}

TEST(Toolbar, SizeGripAndGrooves) {
  auto G = SizeGripLines({0, 0, 300, 19}, 300, 19);
  EXPECT_EQ(G.Fill, (TLxRect{286, 6, 299, 19}));
  ASSERT_EQ(G.Highlight.size(), 3u);
  ASSERT_EQ(G.Shadow.size(), 6u);
  EXPECT_EQ(G.Highlight[2], (TLxLine{{295, 17}, {299, 13}}));
  EXPECT_EQ(G.Shadow[0], (TLxLine{{288, 17}, {299, 6}}));
  EXPECT_EQ(SizeGripRect(300, 19), (TLxRect{287, 0, 300, 19}));
  EXPECT_EQ(G.PenWidth, 1);
  EXPECT_EQ(SizeGripWidth(), 12);
  // At 200 % every offset and the pens are twice the design.
  auto G2 = SizeGripLines({0, 0, 600, 38}, 600, 38, 192);
  EXPECT_EQ(G2.Fill, (TLxRect{572, 12, 598, 38}));
  EXPECT_EQ(G2.Highlight[2], (TLxLine{{590, 34}, {598, 26}}));
  EXPECT_EQ(G2.Shadow[0], (TLxLine{{576, 34}, {598, 12}}));
  EXPECT_EQ(G2.PenWidth, 2);
  EXPECT_EQ(SizeGripRect(600, 38, 192), (TLxRect{574, 0, 600, 38}));
  EXPECT_EQ(SizeGripWidth(144), 18);
  auto H = SpacerGroove({0, 0, 40, 10});
  EXPECT_EQ(H.Shadow, (TLxLine{{1, 4}, {40, 4}}));
  EXPECT_EQ(H.Highlight.A.Y, 5);
  auto V = SpacerGroove({0, 0, 8, 29});
  EXPECT_EQ(V.Shadow, (TLxLine{{3, 1}, {3, 29}}));
  EXPECT_EQ(V.Highlight.A.X, 4);
}

TEST(Splitter, PaneLayoutBothOrientationsAndHiddenPanes) {
  TLxRect C{2, 2, 202, 102};
  auto L = SplitterPaneLayout(C, orHorizontal, 60, 4, true, true);
  EXPECT_EQ(L.Pane1, (TLxRect{2, 2, 62, 102}));
  EXPECT_EQ(L.Bar, (TLxRect{62, 2, 66, 102}));
  EXPECT_EQ(L.Pane2, (TLxRect{66, 2, 202, 102}));
  L = SplitterPaneLayout(C, orVertical, 30, 5, true, true);
  EXPECT_EQ(L.Pane1, (TLxRect{2, 2, 202, 32}));
  EXPECT_EQ(L.Bar, (TLxRect{2, 32, 202, 37}));
  EXPECT_EQ(L.Pane2, (TLxRect{2, 37, 202, 102}));
  // Lower pane hidden: the upper one takes everything and the bar vanishes.
  L = SplitterPaneLayout(C, orVertical, 30, 5, true, false);
  EXPECT_EQ(L.Pane1, C);
  EXPECT_EQ(L.Bar.Width() * L.Bar.Height(), 0);
  EXPECT_EQ(L.Pane2.Height(), 0);
  L = SplitterPaneLayout(C, orHorizontal, 30, 5, false, true);
  EXPECT_EQ(L.Pane2, C);
  EXPECT_EQ(L.Pane1.Width(), 0);
}

TEST(Splitter, FittingAPaneKeepsBothMinimumsThenSharesInProportion) {
  EXPECT_EQ(SplitterFitPane(400, 150, 100, 50), 150);  // room for what is asked
  EXPECT_EQ(SplitterFitPane(400, 20, 100, 50), 100);   // its own minimum
  EXPECT_EQ(SplitterFitPane(400, 380, 100, 50), 350);  // the other pane's
  EXPECT_EQ(SplitterFitPane(120, 150, 100, 50), 80);   // 120 in the ratio 100 : 50
  EXPECT_EQ(SplitterFitPane(120, 150, 0, 0), 120);     // no minimums: only the room
  EXPECT_EQ(SplitterFitPane(120, -40, 0, 0), 0);
  EXPECT_EQ(SplitterFitPane(-4, 150, 100, 50), 0);
}

TEST(Splitter, CheckPositionLimits) {
  TLxSplitterLimits L;  // size 200, bar 4, no border
  EXPECT_EQ(SplitterCheckPosition(L, -5), 0);
  EXPECT_EQ(SplitterCheckPosition(L, 500), 196);
  L.BorderWidth = 3;
  L.Style = ssGroove;
  EXPECT_EQ(SplitterCheckPosition(L, 500), 200 - 4 - 6 - 4);
  L.PositionMin = 20;
  L.PositionMax = 150;
  EXPECT_EQ(SplitterCheckPosition(L, 5), 20);
  EXPECT_EQ(SplitterCheckPosition(L, 170), 150);
  L.Pane2Visible = false;  // nothing limits the far end
  EXPECT_EQ(SplitterCheckPosition(L, 500), 500);
  L.Pane1Visible = false;
  EXPECT_EQ(SplitterCheckPosition(L, -7), -7);
}

TEST(Splitter, PercentAndPositionRoundHalfToEven) {
  EXPECT_EQ(SplitterPercentOf(99, 200, 4, 7), 50);
  EXPECT_EQ(SplitterPercentOf(1, 10, 4, 7), 12);  // 12.5 -> 12
  EXPECT_EQ(SplitterPercentOf(3, 10, 4, 7), 38);  // 37.5 -> 38
  EXPECT_EQ(SplitterPercentOf(3, 1, 4, 7), 7);    // nothing to divide by
  EXPECT_EQ(SplitterPositionOf(50, 200, 4), 99);
  EXPECT_EQ(SplitterPositionOf(25, 204, 8), 50);
  EXPECT_EQ(SplitterPositionOf(25, 300, 4), 74);  // exactly 74.5: to even
  auto G = SplitterBarGroove({60, 0, 66, 100}, orHorizontal, ssGroove);
  EXPECT_EQ(G.Shadow, (TLxLine{{62, 0}, {62, 100}}));
  EXPECT_EQ(G.Highlight, (TLxLine{{63, 0}, {63, 100}}));
  G = SplitterBarGroove({0, 10, 100, 14}, orVertical, ssBump);
  EXPECT_EQ(G.Highlight.A.Y, 11);
  EXPECT_EQ(G.Shadow.A.Y, 12);
}

TEST(Bars, LEDSegments) {
  auto L = LEDBarLayout(60, 20, 50);  // short bar: at most 10 segments
  EXPECT_EQ(L.Segments, 10);
  EXPECT_EQ(L.SegSize, 6);
  EXPECT_EQ(L.Lead, 0);
  EXPECT_EQ(L.Lit, 5);
  L = LEDBarLayout(103, 20, 99);
  EXPECT_EQ(L.SegSize, 5);
  EXPECT_EQ(L.Lead, 1);
  EXPECT_EQ(L.Lit, 19);
  EXPECT_EQ(LEDBarLayout(100, 20, 250).Lit, 20);
  EXPECT_EQ(LEDBarLayout(100, 0, 50).Segments, 0);
  EXPECT_EQ(LEDBarLayout(5, 10, 50).Segments, 0);
  auto S = LEDBarSegments({0, 0, 10, 103}, orVertical, LEDBarLayout(103, 20, 10));
  ASSERT_EQ(S.size(), 20u);
  EXPECT_EQ(S[0], (TLxRect{0, 97, 10, 102}));
}

TEST(Bars, PercentFillTextAndParts) {
  EXPECT_EQ(PercentBarFill({0, 0, 200, 20}, orHorizontal, 100), (TLxRect{0, 0, 200, 20}));
  EXPECT_EQ(PercentBarFill({0, 0, 200, 20}, orHorizontal, 150), (TLxRect{0, 0, 200, 20}));
  EXPECT_EQ(PercentBarFill({10, 0, 210, 20}, orHorizontal, 33), (TLxRect{10, 0, 76, 20}));
  EXPECT_EQ(PercentBarFill({0, 0, 20, 50}, orVertical, 25), (TLxRect{0, 38, 20, 50}));  // 12.5 -> 12
  EXPECT_EQ(PercentText(42), "42%");
  EXPECT_EQ(ProgressPercent(1, 3), 33);
  EXPECT_EQ(ProgressPercent(9, 4), 100);
  EXPECT_EQ(ProgressPercent(5, 0), 0);
  EXPECT_EQ(MinFontHeight(13, 16), 16);
  EXPECT_EQ(MinFontHeight(20, 16), 24);
}

TEST(StatusPanes, CaptionRectAndGlyphs) {
  EXPECT_EQ(StatusCaptionRect({0, 0, 100, 20}, fsStatus, 1), (TLxRect{2, 2, 98, 18}));
  EXPECT_EQ(StatusCaptionRect({0, 0, 100, 20}, fsLowered, 2), (TLxRect{4, 4, 96, 16}));
  EXPECT_EQ(StatusCaptionRect({0, 0, 100, 20}, fsNone, 2), (TLxRect{2, 2, 98, 18}));
  EXPECT_EQ(DetectNumGlyphs(36, 18), 2);
  EXPECT_EQ(DetectNumGlyphs(72, 18), 4);
  EXPECT_EQ(DetectNumGlyphs(90, 18), 1);
  EXPECT_EQ(DetectNumGlyphs(30, 18), 1);
  EXPECT_EQ(DetectNumGlyphs(0, 0), 1);
  auto P = GlyphStatusPlace(100, 20, 36, 18, 2, gaLeft, 2, 1, fsStatus, 16);
  EXPECT_EQ(P.FrameWidth, 18);
  EXPECT_EQ(P.DrawHeight, 16);
  EXPECT_EQ(P.Left, 4);
  EXPECT_EQ(P.Top, 1 + 1);
  P = GlyphStatusPlace(100, 20, 36, 18, 2, gaRight, 2, 1, fsLowered, 14);
  EXPECT_EQ(P.Left, 100 - 18 - 2 - 1 - 2 + 2);
}

TEST(Label, AngleNormalisation) {
  EXPECT_EQ(NormalizeAngle(-90), 270);
  EXPECT_EQ(NormalizeAngle(360), 0);
  EXPECT_EQ(NormalizeAngle(725), 5);
  EXPECT_EQ(NormalizeAngle(-450), 270);
}

TEST(MenuButton, HeightAndPlacement) {
  std::vector<TLxMenuLine> M(9);
  EXPECT_EQ(ExpectedMenuHeight(M, 20), 4 + 9 * 18);
  M[3].Separator = true;
  M[4].Visible = false;
  EXPECT_EQ(ExpectedMenuHeight(M, 20), 4 + 7 * 18 + 10);
  M[6].Break = true;  // first column: 4 items and a separator; second: 3 items
  EXPECT_EQ(ExpectedMenuHeight(M, 20), 4 + 4 * 18 + 10);
  const TLxRect B{100, 500, 125, 525};
  EXPECT_EQ(MenuButtonPlacement(B, 200, 0, 768), (TLxPoint{0, 25}));
  EXPECT_EQ(MenuButtonPlacement(B, 300, 0, 768), (TLxPoint{0, -303}));
  EXPECT_EQ(MenuButtonPlacement(B, 600, 0, 768), (TLxPoint{25, -603}));
}

TEST(SpinEdit, Layout) {
  auto L = SpinEditLayout(47, 10, 17, 21);
  EXPECT_EQ(L.Height, 21);
  EXPECT_EQ(L.UpButton, (TLxRect{0, 0, 17, 10}));
  EXPECT_EQ(L.DownButton, (TLxRect{0, 10, 17, 21}));
  EXPECT_EQ(L.Panel, (TLxRect{30, 0, 47, 21}));
  EXPECT_EQ(L.Edit, (TLxRect{0, 0, 31, 21}));
}
