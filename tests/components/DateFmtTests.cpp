// Date and time texts of the clock pane.
#include "components/LxDateFmt.h"

#include <gtest/gtest.h>

TEST(Clock, FormatDateTimeText) {
  TLxDateTime T{2024, 3, 5, 2, 14, 7, 9, 42};
  TLxDateNames N;
  EXPECT_EQ(FormatDateTimeText("hh:nn:ss", T, N), "14:07:09");
  EXPECT_EQ(FormatDateTimeText("h:mm am/pm", T, N), "2:07 pm");
  EXPECT_EQ(FormatDateTimeText("dddd, d mmmm yyyy", T, N), "Tuesday, 5 March 2024");
  EXPECT_EQ(FormatDateTimeText("dd/mm/yy 'at' hh:nn:ss.zzz", T, N), "05/03/24 at 14:07:09.042");
  EXPECT_EQ(FormatDateTimeText("", T, N), "3/5/2024 2:07:09 PM");
  N.DateSeparator = '.';
  EXPECT_EQ(FormatDateTimeText("ddd d/m", T, N), "Tue 5.3");
  T.Hour = 0;
  EXPECT_EQ(FormatDateTimeText("h AMPM", T, N), "12 AM");
}
