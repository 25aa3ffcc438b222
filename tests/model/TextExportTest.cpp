// The text export's header line and date, its one buffer, and the report of
// a damaged log file.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "model/DateText.h"
#include "model/ExportLine.h"
#include "model/LogFile.h"
#include "model/MsgList.h"

namespace {

constexpr const char* HeaderDateFormat = "ddddd \"at\" t";  // the viewer's string
// Tuesday 5 March 2024, 14:07:09.
constexpr TDateTimeParts Afternoon{2024, 3, 5, 2, 14, 7, 9};

std::string Date(const char* ShortDate, const char* ShortTime, const TDateTimeParts& T = Afternoon) {
  TDateLocale Locale;
  Locale.ShortDate = ShortDate;
  Locale.ShortTime = ShortTime;
  return FormatHeaderDate(HeaderDateFormat, T, Locale);
}

}  // namespace

TEST(HeaderDate, ShortDateAtShortTime) {
  EXPECT_EQ(Date("M/d/yyyy", "h:mm tt"), "3/5/2024 at 2:07 PM");
  EXPECT_EQ(Date("dd.MM.yyyy", "HH:mm:ss"), "05.03.2024 at 14:07:09");
  EXPECT_EQ(Date("yyyy-MM-dd", "H:m:s"), "2024-03-05 at 14:7:9");
  EXPECT_EQ(Date("ddd, MMM d yy", "hh:mm t"), "Tue, Mar 5 24 at 02:07 P");
  EXPECT_EQ(Date("dddd d MMMM yyyy", "h.mm"), "Tuesday 5 March 2024 at 2.07");
  EXPECT_EQ(Date("d/M/y g", "tt h:mm"), "5/3/24 A.D. at PM 2:07");
  EXPECT_EQ(Date("'Day' d 'o''clock'", "h 'h'"), "Day 5 o'clock at 2 h");
  EXPECT_EQ(Date("M/d/yy", "h:mm tt", TDateTimeParts{2005, 12, 31, 6, 0, 5, 0}), "12/31/05 at 12:05 AM");
  EXPECT_EQ(Date("M/d/y", "hh:mm tt", TDateTimeParts{2009, 1, 1, 4, 12, 0, 0}), "1/1/9 at 12:00 PM");
  EXPECT_EQ(Date("M/d/yyyy", "h:mm 'unclosed"), "3/5/2024 at 2:07 unclosed");

  TDateLocale German;
  German.ShortDate = "dd.MM.yyyy";
  German.ShortTime = "HH:mm";
  German.LongMonth[2] = "M\xE4rz";
  EXPECT_EQ(FormatHeaderDate("ddddd 'um' t", Afternoon, German), "05.03.2024 um 14:07");
  EXPECT_EQ(FormatDatePattern("d MMMM", Afternoon, German), "5 M\xE4rz");
}

TEST(TextExport, HeaderLine) {
  EXPECT_EQ(FormatHeaderLine("Orlimo Message Log - Saved on %s", "3/5/2024 at 2:07 PM"),
            "Orlimo Message Log - Saved on 3/5/2024 at 2:07 PM");
  EXPECT_EQ(FormatHeaderLine("100%% on %s%", "d"), "100% on d%");
  EXPECT_EQ(FormatHeaderLine("no date", "d"), "no date");
}

TEST(TextExport, OneTimePerTickWhateverTheOrder) {
  TManualClock Clock(1000, 9 * 3600000 + 59 * 60000 + 59000);
  TOrlimoMsgList L(Clock, "Viewer");
  L.AddMessage(lxmInfo, "first", "App", "", 2000, std::nullopt);
  L.AddMessage(lxmEnterMethod, "earlier", "App", "", 500, std::nullopt);  // moves the base back on arrival
  L.AddMessage(lxmWarning, "last", "App", "", 2000, std::nullopt);
  EXPECT_EQ(L.TimeBase().BaseTick(), 500);
  const std::string Out = BuildTextExport(L, "Saved on %s", "today", TExportOptions{true, true});
  EXPECT_EQ(Out,
            "Saved on today\r\n"
            "\r\n"
            "10:00:00.500\tInfo\t\t: first\r\n"  // the same tick, the same time
            "9:59:59.000\tMethod -->>\t: earlier\r\n"
            "10:00:00.500\tWarning\t\t:     last\r\n");

  // Newest first, as a log of an earlier run loads: every line keeps its own
  // time, the first export as any later one.
  TOrlimoMsgList Top(Clock, "Viewer");
  Top.SetInsertAtEnd(false);
  for (std::int32_t Tick : {100, 200, 300}) Top.AddMessage(lxmInfo, "m", "App", "", Tick, std::nullopt);
  const std::string First = BuildTextExport(Top, "%s", "d", TExportOptions{true, false});
  EXPECT_EQ(First, "d\r\n\r\n9:59:59.200\tm\r\n9:59:59.100\tm\r\n9:59:59.000\tm\r\n");
  EXPECT_EQ(BuildTextExport(Top, "%s", "d", TExportOptions{true, false}), First);

  const std::string Name = ::testing::TempDir() + "orlimo_export_test.txt";
  WriteFileBytes(Name, "an older and longer file that the export replaces");
  SaveTextExport(L, Name, "Saved on %s", "today", TExportOptions{true, true});
  const TFileBytes Bytes = ReadFileBytes(Name);
  EXPECT_EQ(std::string(Bytes.Data.get(), Bytes.Size), Out);
  std::remove(Name.c_str());
  EXPECT_THROW(SaveTextExport(L, ::testing::TempDir() + "no/such/dir/x.txt", "%s", "d", TExportOptions{}),
               EOrlimoFileError);
}

TEST(LogReport, DamagedFileTellsWhatWasReadAndWhereTheRestWasSkipped) {
  TManualClock Clock;
  TOrlimoMsgList L(Clock, "Viewer");
  for (const char* T : {"one", "two", "three"}) L.AddMessage(lxmInfo, T, "", "", 0, std::nullopt);
  TStringLogSink Sink;
  WriteLog(L, Sink);
  const std::string& Bytes = Sink.Bytes;  // records of 228, 228 and 230 bytes

  TOrlimoMsgList M(Clock, "Viewer");
  TLogLoadResult R = ReadLog(M, Bytes.data(), Bytes.size());
  EXPECT_FALSE(R.Skipped());
  EXPECT_EQ(LogLoadReport(R, "all.olx"), "");

  R = ReadLog(M, Bytes.data(), 2 * 228 + 226);  // the third record cut in its text
  EXPECT_TRUE(R.Skipped());
  EXPECT_EQ(R.Records, 2);
  EXPECT_EQ(R.Offset, 456u);
  EXPECT_EQ(LogLoadReport(R, "C:\\logs\\cut.olx"),
            "The log file \"C:\\logs\\cut.olx\" is damaged. 2 records were read; the rest of the file, from byte 456 "
            "on, was skipped (the file ends inside a record).");

  M.Clear();
  R = ReadLog(M, Bytes.data(), 228 + 100);
  EXPECT_EQ(LogLoadReport(R, "h.olx"),
            "The log file \"h.olx\" is damaged. 1 record was read; the rest of the file, from byte 228 on, was "
            "skipped (the file ends inside a record header).");
  EXPECT_EQ(M.Count(), 1);

  std::string Negative = Bytes;
  Negative[8 + 3] = '\x80';  // the first record's text length below 0
  M.Clear();
  R = ReadLog(M, Negative.data(), Negative.size());
  EXPECT_EQ(LogLoadReport(R, "n.olx"),
            "The log file \"n.olx\" is damaged. 0 records were read; the rest of the file, from byte 0 on, was "
            "skipped (a record declares a negative length).");
}
