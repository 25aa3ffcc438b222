// The text device's line and page arithmetic, drawn into a bitmap page.
#include "platform/Printers.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

class TextDeviceTest : public ::testing::Test {
protected:
  TextDeviceTest() : Page(200, 100) {
    Canvas().GetBrush().SetColor(clWhite);
    Canvas().FillRect(RECT{0, 0, 200, 100});
    Canvas().GetBrush().SetStyle(bsClear);
    Canvas().GetFont().SetName("Courier New");
    Canvas().GetFont().SetHeight(-10);
    Canvas().GetFont().SetColor(clBlack);
  }
  TCanvas& Canvas() { return Page.GetCanvas(); }
  int CharHeight() {
    TEXTMETRICA TM{};
    Canvas().Realize();
    ::GetTextMetricsA(Canvas().GetHandle(), &TM);
    return TM.tmHeight;
  }
  int AveWidth() {
    TEXTMETRICA TM{};
    Canvas().Realize();
    ::GetTextMetricsA(Canvas().GetHandle(), &TM);
    return TM.tmAveCharWidth;
  }
  bool InkIn(const RECT& R) {
    for (int Y = R.top; Y < R.bottom; ++Y)
      for (int X = R.left; X < R.right; ++X)
        if (Canvas().GetPixel(X, Y) != clWhite) return true;
    return false;
  }
  TBitmap Page;
  int NewPages = 0;
  TTextDevice Device{Canvas(), 200, 100, [this] { ++NewPages; }};
};

TEST_F(TextDeviceTest, LinesGoDownByTheTallestTextPlusTwo) {
  const int H = Canvas().TextHeight("Xy");
  Device.WriteLine("Header");
  EXPECT_EQ(Device.GetY(), H + 2);
  EXPECT_EQ(Device.GetX(), 0);
  Device.WriteLine("");  // an empty line is one character height
  EXPECT_EQ(Device.GetY(), H + 2 + CharHeight());
  EXPECT_TRUE(InkIn(RECT{0, 0, 60, H}));
  // CR is ignored, LF ends the line.
  Device.Write("a\r\nb");
  EXPECT_EQ(Device.GetY(), 2 * (H + 2) + CharHeight());
  EXPECT_EQ(Device.GetX(), Canvas().TextWidth("b"));
}

TEST_F(TextDeviceTest, ALongRunIsCutWhereItNoLongerFits) {
  const std::string Long(60, 'W');
  const int PerLine = 200 / Canvas().TextWidth("W");
  Device.Write(Long);
  const int H = Canvas().TextHeight("W") + 2;
  EXPECT_EQ(Device.GetY(), H * ((60 - 1) / PerLine));
  EXPECT_EQ(Device.GetX(),
            Canvas().TextWidth(std::string(static_cast<size_t>(60 % PerLine ? 60 % PerLine : PerLine), 'W')));
  EXPECT_TRUE(InkIn(RECT{0, 0, 200, 100}));
}

TEST_F(TextDeviceTest, TabsStopAtMultiplesOfEightCharacterWidths) {
  const int Tab = 8 * AveWidth();
  Device.Write("\t");
  EXPECT_EQ(Device.GetX(), Tab);
  Device.Write(std::string(1, 'i'));
  Device.Write("\t");
  EXPECT_EQ(Device.GetX(), 2 * Tab);
}

// A text exactly Width pixels wide in the canvas's font, made of characters
// whose widths add up to it ("" when none does).
std::string TextOfWidth(TCanvas& Canvas, int Width) {
  std::vector<std::pair<char, int>> Chars;
  for (char C = '!'; C <= '~'; ++C) Chars.emplace_back(C, Canvas.TextWidth(std::string(1, C)));
  std::vector<std::string> Made(static_cast<size_t>(Width) + 1);
  std::vector<bool> Can(static_cast<size_t>(Width) + 1, false);
  Can[0] = true;
  for (int W = 1; W <= Width; ++W)
    for (const auto& [C, CW] : Chars)
      if (CW > 0 && CW <= W && Can[static_cast<size_t>(W - CW)]) {
        Can[static_cast<size_t>(W)] = true;
        Made[static_cast<size_t>(W)] = Made[static_cast<size_t>(W - CW)] + C;
        break;
      }
  return Can[static_cast<size_t>(Width)] ? Made[static_cast<size_t>(Width)] : std::string();
}

TEST_F(TextDeviceTest, ATabStopLessThanTwoPixelsAheadIsSkipped) {
  Canvas().GetFont().SetName("Tahoma");  // proportional: texts of any width
  const int Tab = 8 * AveWidth();
  const std::string OneShort = TextOfWidth(Canvas(), Tab - 1);
  const std::string TwoShort = TextOfWidth(Canvas(), Tab - 2);
  ASSERT_EQ(Canvas().TextWidth(OneShort), Tab - 1);
  ASSERT_EQ(Canvas().TextWidth(TwoShort), Tab - 2);
  TTextDevice Near(Canvas(), 200, 100, nullptr);
  Near.Write(OneShort);
  ASSERT_EQ(Near.GetX(), Tab - 1);
  Near.Write("\t");
  EXPECT_EQ(Near.GetX(), 2 * Tab) << "one pixel ahead: the next stop";
  TTextDevice Far(Canvas(), 200, 100, nullptr);
  Far.Write(TwoShort + "\t");
  EXPECT_EQ(Far.GetX(), Tab) << "two pixels ahead: this stop";
}

TEST_F(TextDeviceTest, ANewPageBeginsBeforeTheLastTwoLinesAndOnFormFeed) {
  const int H = Canvas().TextHeight("X") + 2;
  int Lines = 0;
  while (NewPages == 0 && Lines < 100) {
    Device.WriteLine("X");
    ++Lines;
  }
  EXPECT_EQ(NewPages, 1);
  EXPECT_EQ(Device.GetY(), 0);
  // The last line printed on the page started at most at page height - 2 lines.
  EXPECT_EQ(Lines, (100 - 2 * H) / H + 1);
  Device.Write("abc\fdef");
  EXPECT_EQ(NewPages, 2);
  EXPECT_EQ(Device.GetY(), 0);
  EXPECT_EQ(Device.GetX(), Canvas().TextWidth("def"));
}

TEST_F(TextDeviceTest, TheFontInEffectAtEachWriteIsUsed) {
  TTextDevice Tall(Canvas(), 200, 1000, nullptr);
  Tall.Write("a");
  const int Small = Canvas().TextHeight("a");
  Canvas().GetFont().SetHeight(-30);
  Tall.Write("B");
  Tall.WriteLine("");
  EXPECT_EQ(Tall.GetY(), std::max(Small, Canvas().TextHeight("B")) + 2);
}

}  // namespace
