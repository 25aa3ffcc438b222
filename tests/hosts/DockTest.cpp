// Docking the main window: the bounds each Dock item gives.
#include "hosts/standalone/LxDock.h"

#include <gtest/gtest.h>

#include <limits>

using namespace LxDock;

namespace {

TDockBounds Dock(std::int32_t Tag, std::int32_t W, std::int32_t H, TDockArea A) {
  const auto B = DockBounds(Tag, W, H, A);
  EXPECT_TRUE(B.has_value()) << "tag " << Tag;
  return B.value_or(TDockBounds{});
}

}  // namespace

TEST(Dock, CornersKeepTheWindowSize) {
  // A 1024 x 768 screen with a 30-pixel taskbar at the bottom.
  const TDockArea A{0, 0, 1024, 738};
  EXPECT_EQ(Dock(dkUpperLeft, 400, 300, A), (TDockBounds{0, 0, 400, 300}));
  EXPECT_EQ(Dock(dkUpperRight, 400, 300, A), (TDockBounds{624, 0, 400, 300}));
  EXPECT_EQ(Dock(dkLowerRight, 400, 300, A), (TDockBounds{624, 438, 400, 300}));
  EXPECT_EQ(Dock(dkLowerLeft, 400, 300, A), (TDockBounds{0, 438, 400, 300}));
}

TEST(Dock, EdgesTakeAQuarterOfTheRightAndBottomCoordinates) {
  const TDockArea A{0, 0, 1024, 738};
  EXPECT_EQ(Dock(dkLeft, 400, 300, A), (TDockBounds{0, 0, 256, 738}));
  EXPECT_EQ(Dock(dkTop, 400, 300, A), (TDockBounds{0, 0, 1024, 184}));  // 738 / 4 = 184.5
  EXPECT_EQ(Dock(dkRight, 400, 300, A), (TDockBounds{768, 0, 256, 738}));
  EXPECT_EQ(Dock(dkBottom, 400, 300, A), (TDockBounds{0, 554, 1024, 184}));
}

TEST(Dock, ATaskbarAtTheLeftOrTopIsNotSubtractedFromTheQuarters) {
  // Taskbar 60 pixels wide at the left: the width is a quarter of the right
  // coordinate (1024), not of the area's width (964), and the height the
  // whole bottom coordinate.
  const TDockArea Left{60, 0, 1024, 768};
  EXPECT_EQ(Dock(dkLeft, 400, 300, Left), (TDockBounds{60, 0, 256, 768}));
  EXPECT_EQ(Dock(dkTop, 400, 300, Left), (TDockBounds{60, 0, 1024, 192}));
  EXPECT_EQ(Dock(dkRight, 400, 300, Left), (TDockBounds{768, 0, 256, 768}));
  EXPECT_EQ(Dock(dkBottom, 400, 300, Left), (TDockBounds{60, 576, 1024, 192}));
  // Taskbar 40 pixels high at the top.
  const TDockArea Top{0, 40, 800, 600};
  EXPECT_EQ(Dock(dkLeft, 300, 200, Top), (TDockBounds{0, 40, 200, 600}));
  EXPECT_EQ(Dock(dkTop, 300, 200, Top), (TDockBounds{0, 40, 800, 150}));
  EXPECT_EQ(Dock(dkUpperRight, 300, 200, Top), (TDockBounds{500, 40, 300, 200}));
  EXPECT_EQ(Dock(dkLowerLeft, 300, 200, Top), (TDockBounds{0, 400, 300, 200}));
}

TEST(Dock, QuartersTruncateTowardZero) {
  // Odd coordinates: 1023 / 4 = 255, 767 / 4 = 191.
  const TDockArea A{0, 0, 1023, 767};
  EXPECT_EQ(Dock(dkRight, 10, 10, A), (TDockBounds{1023 - 255, 0, 255, 767}));
  EXPECT_EQ(Dock(dkBottom, 10, 10, A), (TDockBounds{0, 767 - 191, 1023, 191}));
  // A monitor left of the primary one gives negative coordinates: -7 / 4 = -1, not -2.
  const TDockArea Neg{-1280, -10, -7, -6};
  EXPECT_EQ(Dock(dkLeft, 10, 10, Neg), (TDockBounds{-1280, -10, -1, -6}));
  EXPECT_EQ(Dock(dkRight, 10, 10, Neg), (TDockBounds{-6, -10, -1, -6}));
  EXPECT_EQ(Dock(dkTop, 10, 10, Neg), (TDockBounds{-1280, -10, -7, -1}));
  EXPECT_EQ(Dock(dkBottom, 10, 10, Neg), (TDockBounds{-1280, -5, -7, -1}));
}

TEST(Dock, AWindowLargerThanTheAreaMayEndLeftOfOrAboveIt) {
  const TDockArea A{0, 0, 640, 480};
  EXPECT_EQ(Dock(dkLowerRight, 800, 600, A), (TDockBounds{-160, -120, 800, 600}));
}

TEST(Dock, AnyOtherTagDoesNothing) {
  const TDockArea A{0, 0, 1024, 768};
  for (std::int32_t Tag :
       {0, -1, 9, 100, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()})
    EXPECT_FALSE(DockBounds(Tag, 400, 300, A).has_value()) << Tag;
}

// The geometry is usable at compile time.
static_assert(DockBounds(dkLeft, 1, 1, TDockArea{0, 0, 8, 8})->Width == 2);
static_assert(!DockBounds(0, 1, 1, TDockArea{}).has_value());
