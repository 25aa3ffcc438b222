// Status panes: captions, glyph frames and the one shared polling timer.
#include "components/LxStatus.h"
#include "components/LxSysRes.h"
#include "TestUtil.h"

#include <memory>

namespace {

// Pixels of colour C inside the caption area (frame excluded).
int CountPixels(const TTestSurface& S, COLORREF C) {
  int N = 0;
  for (int Y = 2; Y < 18; ++Y)
    for (int X = 2; X < 98; ++X) N += S.At(X, Y) == C ? 1 : 0;
  return N;
}

TEST(StatusPane, CaptionIsEngravedWhenDisabledAndAbsentWhenEmpty) {
  THostForm Form;
  TLxStatusPane P(&Form);
  P.SetParent(&Form);
  P.SetFillColor(0x00E0E0E0);
  P.GetFont().SetColor(0x000000FF);
  P.SetCaption("Messages 42");
  TTestSurface On(100, 20);
  P.PaintWindow(On.DC());
  EXPECT_GT(CountPixels(On, 0x0000FF), 10);
  EXPECT_EQ(On.At(0, 0), Sys(clBtnFace));    // outside the frame: the pane colour
  EXPECT_EQ(On.At(1, 1), Sys(clBtnShadow));  // the status frame inside the border width
  EXPECT_EQ(On.At(2, 10), 0x00E0E0E0u);      // the caption rectangle in the fill colour
  P.SetEnabled(false);
  TTestSurface Off(100, 20);
  P.PaintWindow(Off.DC());
  EXPECT_EQ(CountPixels(Off, 0x0000FF), 0);
  EXPECT_GT(CountPixels(Off, Sys(clBtnShadow)), 10);    // the engraved text
  EXPECT_GT(CountPixels(Off, Sys(clBtnHighlight)), 3);  // and its light edge
  P.SetCaption("");
  TTestSurface Empty(100, 20);
  P.PaintWindow(Empty.DC());
  EXPECT_EQ(Empty.At(10, 10), Sys(clBtnFace));  // no caption: nothing but the frame
  const RECT R = P.GetCaptionRect();
  EXPECT_TRUE(RectIs(R, 2, 2, 98, 18));
}

TEST(StatusPane, GlyphFramesAreCountedFromTheStrip) {
  THostForm Form;
  TLxGlyphStatus G(&Form);
  G.SetParent(&Form);
  TBitmap Two(36, 18), Five(90, 18);
  G.SetGlyph(Two);
  EXPECT_EQ(G.GetNumGlyphs(), 2);
  G.SetGlyph(Five);
  EXPECT_EQ(G.GetNumGlyphs(), 1);
  G.SetGlyph(Two);
  // The caption gives way to the glyph frame and its offset.
  EXPECT_EQ(G.GetCaptionRect().left, 2 + 18 + 2);
  G.SetGlyphAlignment(gaRight);
  EXPECT_EQ(G.GetCaptionRect().right, 98 - 18 - 2);
}

TEST(StatusPane, GlyphShowsTheDisabledFrameOnTheFillColour) {
  THostForm Form;
  TLxGlyphStatus G(&Form);
  G.SetParent(&Form);
  G.SetFillColor(0x00FFFFFF);
  TBitmap Strip(8, 4);  // two 4 x 4 frames: red, then blue; bottom-left pixel transparent
  HDC DC = Strip.GetCanvas().GetHandle();
  FillSolid(DC, RECT{0, 0, 4, 4}, 0x0000FF);
  FillSolid(DC, RECT{4, 0, 8, 4}, 0xFF0000);
  FillSolid(DC, RECT{0, 3, 1, 4}, 0x00FF00);
  FillSolid(DC, RECT{4, 3, 5, 4}, 0x00FF00);
  G.SetGlyph(Strip);
  G.SetNumGlyphs(2);
  // Left: GlyphOffset 2 + BorderWidth 1 + 1 for the status frame; centred vertically.
  const int X = 4, Y = 1 + (20 - 4 - 1 - 1) / 2;
  TTestSurface On(100, 20);
  G.PaintWindow(On.DC());
  EXPECT_EQ(On.At(X + 1, Y + 1), 0x0000FFu);
  EXPECT_EQ(On.At(X, Y + 3), 0x00FFFFFFu);  // transparent: the fill colour shows
  G.SetEnabled(false);
  TTestSurface Off(100, 20);
  G.PaintWindow(Off.DC());
  EXPECT_EQ(Off.At(X + 1, Y + 1), 0xFF0000u);
}

TEST(PollingPanes, ShareOneTimerThatTicksThemInOrder) {
  THostForm Form;
  EXPECT_EQ(TLxPollingTimer::Instance(), nullptr);
  std::vector<std::string> Ticks;
  auto Clock = std::make_unique<TLxClockStatus>(&Form);
  Clock->SetParent(&Form);
  auto Key = std::make_unique<TLxKeyStatus>(&Form);
  Key->SetParent(&Form);
  Clock->OnTimerExpired = [&](TObject*) { Ticks.push_back("clock"); };
  Key->OnTimerExpired = [&](TObject*) { Ticks.push_back("key"); };
  TLxPollingTimer* T = TLxPollingTimer::Instance();
  ASSERT_NE(T, nullptr);
  EXPECT_EQ(T->GetTimer().GetInterval(), 500u);
  EXPECT_TRUE(Key->GetActive());
  Clock->SetInterval(250);
  EXPECT_EQ(Key->GetInterval(), 250u);
  T->GetTimer().Timer();
  EXPECT_EQ(Ticks, (std::vector<std::string>{"clock", "key"}));
  Clock.reset();
  EXPECT_EQ(TLxPollingTimer::Instance(), T);
  Key.reset();
  EXPECT_EQ(TLxPollingTimer::Instance(), nullptr);
}

// A handler may free its own pane, the last one: the shared timer lives on
// until its tick is over, and a pane made meanwhile keeps it.
TEST(PollingPanes, AHandlerThatFreesTheLastPaneEndsTheTimerOnlyAfterTheTick) {
  THostForm Form;
  auto* Key = new TLxKeyStatus(&Form);
  Key->SetParent(&Form);
  TLxPollingTimer* T = TLxPollingTimer::Instance();
  ASSERT_NE(T, nullptr);
  std::vector<TLxPollingTimer*> DuringTick;
  Key->OnTimerExpired = [&](TObject* Sender) {
    delete static_cast<TLxKeyStatus*>(Sender);
    DuringTick.push_back(TLxPollingTimer::Instance());
  };
  T->GetTimer().Timer();
  EXPECT_EQ(DuringTick, std::vector<TLxPollingTimer*>{T}) << "the timer outlives its tick";
  EXPECT_EQ(TLxPollingTimer::Instance(), nullptr) << "and goes with it";

  // Freed and replaced in the same tick: the timer stays and serves the new pane.
  auto* First = new TLxKeyStatus(&Form);
  First->SetParent(&Form);
  T = TLxPollingTimer::Instance();
  std::unique_ptr<TLxClockStatus> Second;
  int SecondTicks = 0;
  First->OnTimerExpired = [&](TObject* Sender) {
    delete static_cast<TLxKeyStatus*>(Sender);
    Second = std::make_unique<TLxClockStatus>(&Form);
    Second->SetParent(&Form);
    Second->OnTimerExpired = [&](TObject*) { ++SecondTicks; };
  };
  T->GetTimer().Timer();
  ASSERT_EQ(TLxPollingTimer::Instance(), T);
  T->GetTimer().Timer();
  EXPECT_EQ(SecondTicks, 1);
  Second.reset();
  EXPECT_EQ(TLxPollingTimer::Instance(), nullptr);
}

TEST(PollingPanes, ClockFormatsAndKeyPaneNamesItsKey) {
  THostForm Form;
  TLxClockStatus Clock(&Form);
  Clock.SetParent(&Form);
  EXPECT_EQ(Clock.GetWidth(), 150);
  EXPECT_FALSE(Clock.GetDisplayText().empty());
  Clock.SetFormat("'year' yyyy");
  SYSTEMTIME Now{};
  ::GetLocalTime(&Now);
  EXPECT_EQ(Clock.GetDisplayText(), "year " + std::to_string(Now.wYear));
  TLxKeyStatus Key(&Form);
  Key.SetParent(&Form);
  Key.SetKey(tkNumLock);
  EXPECT_EQ(Key.GetWidth(), 45);
  EXPECT_EQ(Key.GetAlignment(), taCenter);
}

TEST(PollingPanes, ResourcesWithoutTheMeterReadZero) {
  EXPECT_EQ(GetFreeSystemResources(GFSR_SYSTEMRESOURCES), 0);
  EXPECT_EQ(GetFreeSystemResources(GFSR_USERRESOURCES), 0);
  EXPECT_EQ(GetFreeSystemResources(GFSR_GDIRESOURCES), 0);
  THostForm Form;
  TLxResourceStatus R(&Form);
  R.SetParent(&Form);
  R.SetResourceType(rtGDI);
  EXPECT_EQ(R.GetValue(), 0);
  EXPECT_EQ(R.GetHint(), "GDI: 0%");
  R.SetResourceType(rtMemory);
  EXPECT_GT(R.GetValue(), 0);
  EXPECT_EQ(R.GetHint().rfind("Memory: ", 0), 0u);
  R.SetShowPercent(true);
  R.SetBarStyle(bsLED);
  EXPECT_FALSE(R.GetShowPercent());
}

}  // namespace
