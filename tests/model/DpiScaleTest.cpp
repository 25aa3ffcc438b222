// Rescaling between two DPIs, and values that move between DPIs and back
// without drifting.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "model/DpiScale.h"
#include "model/PixelArtScale.h"

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

namespace {

constexpr std::uint32_t Clear = 0xFF00FF, Ink = 0x000080, Light = 0xFFFFFF;

// Widths of the runs of Colour along row Y (or column X when Column).
std::vector<int> Runs(const std::vector<std::uint32_t>& P, int W, int H, int Line, bool Column, std::uint32_t Colour) {
  std::vector<int> R;
  int Run = 0;
  for (int I = 0; I <= (Column ? H : W); ++I) {
    const bool In = I < (Column ? H : W) && P[static_cast<std::size_t>(Column ? I * W + Line : Line * W + I)] == Colour;
    if (In) {
      ++Run;
    } else if (Run) {
      R.push_back(Run);
      Run = 0;
    }
  }
  return R;
}

TEST(PixelArtThreeHalves, OutlinesComeOutTwoPixelsWideWhereverTheyStand) {
  // Two one-pixel rings, one starting on an even and one on an odd pixel:
  // nearest-neighbour makes one side of each one pixel and the other two.
  for (const int Offset : {0, 1}) {
    SCOPED_TRACE(Offset);
    const int W = 10, H = 10;
    std::vector<std::uint32_t> Art(static_cast<std::size_t>(W) * H, Clear);
    const auto Put = [&](int X, int Y) { Art[static_cast<std::size_t>(Y) * W + static_cast<std::size_t>(X)] = Ink; };
    for (int I = Offset; I < Offset + 7; ++I) {
      Put(I, Offset);
      Put(I, Offset + 6);
      Put(Offset, I);
      Put(Offset + 6, I);
    }
    const std::vector<std::uint32_t> Big = ScalePixelArtThreeHalves(Art.data(), W, H, Clear);
    ASSERT_EQ(Big.size(), 15u * 15u);
    // Through the ring's middle, across and down: two sides of two pixels each.
    const int Mid = (Offset + 3) * 3 / 2;
    EXPECT_EQ(Runs(Big, 15, 15, Mid, false, Ink), (std::vector<int>{2, 2}));
    EXPECT_EQ(Runs(Big, 15, 15, Mid, true, Ink), (std::vector<int>{2, 2}));
  }
}

TEST(PixelArtThreeHalves, KeepsTheCornersAndAddsNoColourOfItsOwn) {
  // A 2 x 2 block: the pair's own pixels at the corners; between them what stands out.
  const std::uint32_t Art[4] = {Light, Clear, Clear, Ink};
  const std::vector<std::uint32_t> Big = ScalePixelArtThreeHalves(Art, 2, 2, Clear);
  EXPECT_EQ(Big, (std::vector<std::uint32_t>{Light, Light, Clear,  //
                                             Light, Ink, Ink,      //
                                             Clear, Ink, Ink}));
  EXPECT_EQ(StandsOut(Light, Ink, Clear), Ink);  // the darker of two drawn pixels
  EXPECT_EQ(StandsOut(Ink, Light, Clear), Ink);
  EXPECT_EQ(StandsOut(Clear, Light, Clear), Light);  // drawn over transparent
  EXPECT_EQ(StandsOut(Clear, Clear, Clear), Clear);
  // Odd sizes are not pairs: nothing.
  EXPECT_TRUE(ScalePixelArtThreeHalves(Art, 1, 2, Clear).empty());
  const std::vector<std::uint32_t> Empty(4, Clear);
  EXPECT_EQ(ScalePixelArtThreeHalves(Empty.data(), 2, 2, Clear), std::vector<std::uint32_t>(9, Clear));
}

}  // namespace
