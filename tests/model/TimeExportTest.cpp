// Time texts, the time base and the export line.
#include <gtest/gtest.h>

#include "model/ExportLine.h"
#include "model/MsgList.h"
#include "model/TimeText.h"

TEST(TimeText, ConvertTickCount) {
  EXPECT_EQ(ConvertTickCount(0), "0:00:00.000");
  EXPECT_EQ(ConvertTickCount(3600000 + 2 * 60000 + 3000 + 4), "1:02:03.004");
  EXPECT_EQ(ConvertTickCount(25 * 3600000), "1:00:00.000");
  EXPECT_EQ(ConvertTickCount(23 * 3600000 + 59 * 60000 + 59999), "23:59:59.999");
  // Negative values truncate toward zero in every part.
  EXPECT_EQ(ConvertTickCount(-61001), "0:-01:-01.-001");
  EXPECT_EQ(ConvertTickCount(INT32_MAX), "20:31:23.647");  // 596 h mod 24
  EXPECT_EQ(ConvertTickCount(INT32_MIN), "-596:-31:-23.-648");
}

TEST(TimeText, TimeBaseMovesBack) {
  TTimeBase B(100000, 10 * 3600000);
  EXPECT_EQ(B.TickCountToTime(100000 + 61500), "10:01:01.500");
  EXPECT_EQ(B.TickCountToTime(95000), "10:00:00.000");
  EXPECT_EQ(B.BaseTick(), 95000);
  EXPECT_EQ(B.BaseTime(), 10 * 3600000);
  EXPECT_EQ(B.TickCountToTime(100000), "10:00:05.000");

  // 32-bit wrap-around is well defined (no signed overflow).
  TTimeBase W(INT32_MAX - 10, 0);
  EXPECT_EQ(W.TimeOfTick(INT32_MAX), 10);
  TTimeBase W2(INT32_MIN, INT32_MAX);
  EXPECT_EQ(W2.TimeOfTick(INT32_MAX), INT32_MAX - 1);

  TManualClock C(5, 6);
  B.Reset(C);
  EXPECT_EQ(B.BaseTick(), 5);
  EXPECT_EQ(B.BaseTime(), 6);
  C.Advance(INT32_MAX);
  EXPECT_EQ(C.TickCount(), INT32_MIN + 4);
}

TEST(ExportLine, PartsAndLabels) {
  TManualClock Clock(1000, 9 * 3600000);
  TOrlimoMsgList L(Clock, "Viewer");
  L.AddMessage(lxmEnterMethod, "Enter", "App", "", 1000, std::nullopt);
  L.AddMessage(lxmWarning, "careful", "App", "", 2500, std::nullopt);
  L.AddMessage(77, "odd", "App", "", 1000, std::nullopt);
  L.AddSeparator("", 1000);

  TExportOptions Both{true, true};
  EXPECT_EQ(PrepareLine(L, 0, Both), "9:00:00.000\tMethod -->>\t: Enter");
  EXPECT_EQ(PrepareLine(L, 1, Both), "9:00:01.500\tWarning\t\t:     careful");
  EXPECT_EQ(PrepareLine(L, 2, Both), "9:00:00.000\t    odd");  // no label outside the table
  EXPECT_EQ(PrepareLine(L, 3, TExportOptions{false, true}), "--------\t:     ");
  EXPECT_EQ(PrepareLine(L, 1, TExportOptions{false, false}), "    careful");

  EXPECT_EQ(KindLabel(lxmStringList), "String List\t: ");
  EXPECT_EQ(KindLabel(lxmWakeUpSeparator), "========\t: ");
  EXPECT_EQ(KindLabel(-1), "");
  EXPECT_EQ(KindLabel(13), "");
}

TEST(ExportLine, TextExportInDisplayOrder) {
  TManualClock Clock;
  TOrlimoMsgList L(Clock, "Viewer");
  L.SetInsertAtEnd(false);
  L.AddMessage(lxmInfo, "old", "A", "", 0, std::nullopt);
  L.AddMessage(lxmInfo, "new", "A", "", 0, std::nullopt);
  EXPECT_EQ(BuildTextExport(L, "Orlimo Message Log - Saved on %s", "1/2/2024 at 10:00", TExportOptions{false, false}),
            "Orlimo Message Log - Saved on 1/2/2024 at 10:00\r\n\r\nnew\r\nold\r\n");
  L.Clear();
  EXPECT_EQ(BuildTextExport(L, "Saved on %s", "d", TExportOptions{}), "Saved on d\r\n\r\n");
}
