// Date and time texts of the clock pane: a date and time, the month and day
// names and the locale's formats, and the formatter of format strings.
#pragma once

#include <string>
#include <string_view>

#include "components/LxCmpsApi.h"

// A date and time, and the texts that format it.
struct TLxDateTime {
  int Year = 2000, Month = 1, Day = 1, DayOfWeek = 6;  // DayOfWeek: 0 = Sunday
  int Hour = 0, Minute = 0, Second = 0, Milli = 0;
};
struct TLxDateNames {
  std::string ShortMonth[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::string LongMonth[12] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};
  std::string ShortDay[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::string LongDay[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  std::string ShortDateFormat = "m/d/yyyy";
  std::string LongDateFormat = "dddd, mmmm d, yyyy";
  std::string ShortTimeFormat = "h:nn AMPM";
  std::string LongTimeFormat = "h:nn:ss AMPM";
  char DateSeparator = '/', TimeSeparator = ':';
  std::string TimeAMString = "AM", TimePMString = "PM";
};
// Formats T with the specifiers c, d, dd, ddd, dddd, ddddd, dddddd, m, mm,
// mmm, mmmm (minutes right after an hour), yy, yyyy, h, hh, n, nn, s, ss, z,
// zzz, t, tt, am/pm, a/p, ampm, / and : (the separators), and quoted literals.
LXCMPS_API std::string FormatDateTimeText(std::string_view Format, const TLxDateTime& T, const TLxDateNames& Names);
