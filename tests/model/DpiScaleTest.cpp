// Rescaling between two DPIs, and values that move between DPIs and back
// without drifting.
#include <gtest/gtest.h>

#include <climits>

#include "model/DpiScale.h"

namespace {

TEST(ScaleBetweenDpi, AgreesWithTheDesignRuleFrom96AndRoundsLikeIt) {
  for (int V : {0, 1, 3, 17, 18, 25, -7, 163, 1000})
    for (int Dpi : {96, 120, 144, 168, 192})
      EXPECT_EQ(ScaleBetweenDpi(V, 96, Dpi), ScaleForDpi(V, Dpi)) << V << " " << Dpi;
  EXPECT_EQ(ScaleBetweenDpi(27, 144, 96), 18);
  EXPECT_EQ(ScaleBetweenDpi(26, 144, 192), 35);  // 34.67
  EXPECT_EQ(ScaleBetweenDpi(3, 192, 96), 2);     // 1.5 away from zero
  EXPECT_EQ(ScaleBetweenDpi(-3, 192, 96), -2);
  EXPECT_EQ(ScaleBetweenDpi(1, 192, 96), 1);   // never 0
  EXPECT_EQ(ScaleBetweenDpi(50, 0, 144), 75);  // unknown counts as 96
  EXPECT_EQ(ScaleBetweenDpi(50, 144, -1), 33);
  EXPECT_EQ(ScaleBetweenDpi(INT_MAX, 96, 192), INT_MAX);
}

TEST(DpiScaledValue, GoesBackAndForthWithoutDrift) {
  // Odd sizes would creep by a pixel when rescaled from the last result.
  for (int Design : {1, 3, 17, 25, 163, -9}) {
    SCOPED_TRACE(Design);
    TDpiScaledValue V;
    int Now = Design;
    int Dpi = 96;
    for (int To : {144, 192, 120, 144, 96, 192, 96}) {
      Now = V.Rescale(Now, Dpi, To);
      Dpi = To;
      EXPECT_EQ(Now, ScaleForDpi(Design, To)) << To;
    }
  }
}

TEST(DpiScaledValue, AValueChangedMeanwhileBecomesTheNewBase) {
  TDpiScaledValue V;
  EXPECT_EQ(V.Rescale(17, 96, 144), 26);
  // The user dragged it to 40 at 144 DPI.
  EXPECT_EQ(V.Rescale(40, 144, 192), 53);
  EXPECT_EQ(V.Rescale(53, 192, 144), 40);
  EXPECT_EQ(V.Rescale(40, 144, 96), 27);
}

}  // namespace
