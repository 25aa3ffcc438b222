// Dates and times as text in the system's own patterns, for the date in the
// header line of a text export or a printout.
//
// A pattern is a short date or short time picture as the system keeps it
// (for example "M/d/yyyy" and "h:mm tt"):
//   d dd ddd dddd   day, two-digit day, abbreviated and full day name
//   M MM MMM MMMM   month, two-digit month, abbreviated and full month name
//   y yy yyyy       year without century (no leading zero, two digits), full year
//   g gg            era
//   h hh H HH       hour 1..12 and 0..23, without and with a leading zero
//   m mm s ss       minutes and seconds, without and with a leading zero
//   t tt            first character of the AM/PM designator, the whole designator
//   '...'           literal text ('' inside is one quote)
// Any other character stands for itself. A run of a letter longer than the
// longest form listed counts as the longest form (yyy is yyyy).
#pragma once

#include <string>
#include <string_view>

// A moment of local time.
struct TDateTimeParts {
  int Year = 2000, Month = 1, Day = 1;
  int DayOfWeek = 6;  // 0 = Sunday
  int Hour = 0, Minute = 0, Second = 0;
};

// The locale's patterns and names (English ones by default).
struct TDateLocale {
  std::string ShortDate = "M/d/yyyy";
  std::string ShortTime = "h:mm tt";
  std::string AM = "AM", PM = "PM";
  std::string Era = "A.D.";
  std::string ShortMonth[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::string LongMonth[12] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};
  std::string ShortDay[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::string LongDay[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
};

// T formatted with Pattern.
std::string FormatDatePattern(std::string_view Pattern, const TDateTimeParts& T, const TDateLocale& Locale);

// The header date: T formatted with the header's date-time format (the
// viewer's string `ddddd "at" t`), in which "ddddd" is the locale's short
// date, "t" its short time, text in double or single quotes is literal and
// any other character stands for itself.
std::string FormatHeaderDate(std::string_view Format, const TDateTimeParts& T, const TDateLocale& Locale);
