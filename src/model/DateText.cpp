#include "model/DateText.h"

#include <cstdio>

namespace {

void AppendNumber(std::string& Out, int Value, bool TwoDigits) {
  char Buf[16];
  std::snprintf(Buf, sizeof Buf, TwoDigits ? "%02d" : "%d", Value);
  Out += Buf;
}

// Index into a name table, kept inside it.
int Clamp(int Value, int Lo, int Hi) { return Value < Lo ? Lo : Value > Hi ? Hi : Value; }

// Length of the run of C starting at I.
std::size_t RunLength(std::string_view S, std::size_t I) {
  std::size_t N = 1;
  while (I + N < S.size() && S[I + N] == S[I]) ++N;
  return N;
}

// Copies the quoted text starting at the quote at I (a doubled quote inside
// is one quote) and returns the index after the closing quote.
std::size_t AppendQuoted(std::string& Out, std::string_view S, std::size_t I) {
  const char Quote = S[I++];
  while (I < S.size()) {
    if (S[I] == Quote) {
      if (I + 1 < S.size() && S[I + 1] == Quote) {
        Out += Quote;
        I += 2;
        continue;
      }
      return I + 1;
    }
    Out += S[I++];
  }
  return I;  // no closing quote: the rest is literal
}

}  // namespace

std::string FormatDatePattern(std::string_view Pattern, const TDateTimeParts& T, const TDateLocale& Locale) {
  std::string Out;
  const int Month = Clamp(T.Month, 1, 12) - 1;
  const int Dow = Clamp(T.DayOfWeek, 0, 6);
  const int Hour12 = T.Hour % 12 == 0 ? 12 : T.Hour % 12;
  const std::string& Designator = T.Hour < 12 ? Locale.AM : Locale.PM;
  std::size_t I = 0;
  while (I < Pattern.size()) {
    const char C = Pattern[I];
    if (C == '\'') {
      I = AppendQuoted(Out, Pattern, I);
      continue;
    }
    const std::size_t N = RunLength(Pattern, I);
    switch (C) {
      case 'd':
        if (N <= 2)
          AppendNumber(Out, T.Day, N == 2);
        else
          Out += N == 3 ? Locale.ShortDay[Dow] : Locale.LongDay[Dow];
        break;
      case 'M':
        if (N <= 2)
          AppendNumber(Out, T.Month, N == 2);
        else
          Out += N == 3 ? Locale.ShortMonth[Month] : Locale.LongMonth[Month];
        break;
      case 'y':
        if (N <= 2)
          AppendNumber(Out, T.Year % 100, N == 2);
        else
          AppendNumber(Out, T.Year, false);
        break;
      case 'g': Out += Locale.Era; break;
      case 'h': AppendNumber(Out, Hour12, N >= 2); break;
      case 'H': AppendNumber(Out, T.Hour, N >= 2); break;
      case 'm': AppendNumber(Out, T.Minute, N >= 2); break;
      case 's': AppendNumber(Out, T.Second, N >= 2); break;
      case 't':
        if (N == 1) {
          if (!Designator.empty()) Out += Designator[0];
        } else {
          Out += Designator;
        }
        break;
      default: Out.append(N, C); break;
    }
    I += N;
  }
  return Out;
}

std::string FormatHeaderDate(std::string_view Format, const TDateTimeParts& T, const TDateLocale& Locale) {
  std::string Out;
  std::size_t I = 0;
  while (I < Format.size()) {
    const char C = Format[I];
    if (C == '"' || C == '\'') {
      I = AppendQuoted(Out, Format, I);
      continue;
    }
    const std::size_t N = RunLength(Format, I);
    if (C == 'd' && N == 5)
      Out += FormatDatePattern(Locale.ShortDate, T, Locale);
    else if (C == 't' && N == 1)
      Out += FormatDatePattern(Locale.ShortTime, T, Locale);
    else
      Out.append(N, C);
    I += N;
  }
  return Out;
}
