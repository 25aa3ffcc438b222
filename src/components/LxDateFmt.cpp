#include "components/LxDateFmt.h"

#include <cctype>
#include <cstdio>

namespace {
void AppendNumber(std::string& Out, int V, int Digits) {
  char Buf[16];
  std::snprintf(Buf, sizeof Buf, "%0*d", Digits, V);
  Out += Buf;
}

bool StartsWithText(std::string_view S, std::size_t At, std::string_view Word) {
  if (S.size() - At < Word.size()) return false;
  for (std::size_t I = 0; I < Word.size(); ++I)
    if (std::tolower(static_cast<unsigned char>(S[At + I])) != Word[I]) return false;
  return true;
}

void FormatInto(std::string& Out, std::string_view F, const TLxDateTime& T, const TLxDateNames& N, int Depth) {
  bool LastWasHour = false;
  std::size_t I = 0;
  auto Run = [&](char C) {
    std::size_t K = 0;
    while (I + K < F.size() && std::tolower(static_cast<unsigned char>(F[I + K])) == C) ++K;
    return K;
  };
  auto HasAmPm = [&] {
    const std::string Lower = [&] {
      std::string L(F);
      for (char& C : L) C = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
      return L;
    }();
    return Lower.find("am/pm") != std::string::npos || Lower.find("a/p") != std::string::npos ||
           Lower.find("ampm") != std::string::npos;
  };
  while (I < F.size()) {
    const char C = F[I];
    const char L = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
    if (C == '\'' || C == '"') {
      const std::size_t End = F.find(C, I + 1);
      const std::size_t Stop = End == std::string_view::npos ? F.size() : End;
      Out.append(F.substr(I + 1, Stop - I - 1));
      I = Stop == F.size() ? Stop : Stop + 1;
      continue;
    }
    if (StartsWithText(F, I, "am/pm")) {
      const bool Upper = C == 'A';
      Out += T.Hour < 12 ? (Upper ? "AM" : "am") : (Upper ? "PM" : "pm");
      I += 5;
      continue;
    }
    if (StartsWithText(F, I, "a/p")) {
      Out += T.Hour < 12 ? (C == 'A' ? "A" : "a") : (C == 'A' ? "P" : "p");
      I += 3;
      continue;
    }
    if (StartsWithText(F, I, "ampm")) {
      Out += T.Hour < 12 ? N.TimeAMString : N.TimePMString;
      I += 4;
      continue;
    }
    switch (L) {
      case 'c':
        if (Depth < 2) {
          FormatInto(Out, N.ShortDateFormat, T, N, Depth + 1);
          if (T.Hour || T.Minute || T.Second) {
            Out += ' ';
            FormatInto(Out, N.LongTimeFormat, T, N, Depth + 1);
          }
        }
        ++I;
        break;
      case 'd': {
        const std::size_t K = Run('d');
        if (K == 1)
          AppendNumber(Out, T.Day, 1);
        else if (K == 2)
          AppendNumber(Out, T.Day, 2);
        else if (K == 3)
          Out += N.ShortDay[T.DayOfWeek % 7];
        else if (K == 4)
          Out += N.LongDay[T.DayOfWeek % 7];
        else if (K == 5 && Depth < 2)
          FormatInto(Out, N.ShortDateFormat, T, N, Depth + 1);
        else if (Depth < 2)
          FormatInto(Out, N.LongDateFormat, T, N, Depth + 1);
        I += K;
        break;
      }
      case 'm': {
        const std::size_t K = Run('m');
        if (LastWasHour && K <= 2)
          AppendNumber(Out, T.Minute, static_cast<int>(K));
        else if (K == 1)
          AppendNumber(Out, T.Month, 1);
        else if (K == 2)
          AppendNumber(Out, T.Month, 2);
        else if (K == 3)
          Out += N.ShortMonth[(T.Month + 11) % 12];
        else
          Out += N.LongMonth[(T.Month + 11) % 12];
        I += K;
        break;
      }
      case 'y': {
        const std::size_t K = Run('y');
        if (K <= 2)
          AppendNumber(Out, T.Year % 100, 2);
        else
          AppendNumber(Out, T.Year, 4);
        I += K;
        break;
      }
      case 'h': {
        const std::size_t K = Run('h');
        int H = T.Hour;
        if (HasAmPm()) {
          H %= 12;
          if (H == 0) H = 12;
        }
        AppendNumber(Out, H, K >= 2 ? 2 : 1);
        I += K;
        LastWasHour = true;
        continue;
      }
      case 'n': {
        const std::size_t K = Run('n');
        AppendNumber(Out, T.Minute, K >= 2 ? 2 : 1);
        I += K;
        break;
      }
      case 's': {
        const std::size_t K = Run('s');
        AppendNumber(Out, T.Second, K >= 2 ? 2 : 1);
        I += K;
        break;
      }
      case 'z': {
        const std::size_t K = Run('z');
        AppendNumber(Out, T.Milli, K >= 3 ? 3 : 1);
        I += K;
        break;
      }
      case 't': {
        const std::size_t K = Run('t');
        if (Depth < 2) FormatInto(Out, K == 1 ? N.ShortTimeFormat : N.LongTimeFormat, T, N, Depth + 1);
        I += K;
        break;
      }
      case '/':
        Out += N.DateSeparator;
        ++I;
        break;
      case ':':
        Out += N.TimeSeparator;
        ++I;
        break;
      default:
        Out += C;
        ++I;
        break;
    }
    if (std::isalpha(static_cast<unsigned char>(C))) LastWasHour = false;
  }
}
}  // namespace

std::string FormatDateTimeText(std::string_view Format, const TLxDateTime& T, const TLxDateNames& Names) {
  std::string Out;
  FormatInto(Out, Format.empty() ? std::string_view("c") : Format, T, Names, 0);
  return Out;
}
