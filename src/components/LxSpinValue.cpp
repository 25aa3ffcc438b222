#include "components/LxSpinValue.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

Extended SpinClamp(Extended V, Extended Min, Extended Max) {
  if (Min == Max) return V;
  if (V < Min) return Min;
  if (V > Max) return Max;
  return V;
}

std::string SpinFormat(Extended V, int Decimals, char Sep) {
  Decimals = std::clamp(Decimals, 0, 18);
  const double D = static_cast<double>(V);
  if (!std::isfinite(D)) return std::isnan(D) ? "NAN" : (D < 0 ? "-INF" : "INF");
  // Seven significant digits first.
  char Buf[64];
  std::snprintf(Buf, sizeof Buf, "%.6e", std::fabs(D));
  std::string Digits;
  for (const char* P = Buf; *P && *P != 'e'; ++P)
    if (std::isdigit(static_cast<unsigned char>(*P))) Digits += *P;
  int Exp = std::atoi(std::strchr(Buf, 'e') + 1);
  const bool Neg = D < 0;
  if (Digits.find_first_not_of('0') == std::string::npos) Exp = 0;
  if (Exp >= 7) {  // more integer digits than the precision: scientific
    std::snprintf(Buf, sizeof Buf, "%s%c%c%sE+%03d", Neg ? "-" : "", Digits[0], Sep, Digits.substr(1).c_str(), Exp);
    return Buf;
  }
  // Digits as a number 0.Digits x 10^(Exp+1); keep IntDigits + Decimals of them.
  int IntDigits = Exp + 1;                // may be <= 0
  const int Keep = IntDigits + Decimals;  // digits to keep
  std::string K;                          // kept digits, rounded half up
  if (Keep >= static_cast<int>(Digits.size())) {
    K = Digits + std::string(static_cast<std::size_t>(Keep) - Digits.size(), '0');
  } else if (Keep >= 0) {
    K = Digits.substr(0, static_cast<std::size_t>(Keep));
    if (Digits[static_cast<std::size_t>(Keep)] >= '5') {
      int I = Keep - 1;
      for (; I >= 0; --I) {
        if (K[static_cast<std::size_t>(I)] == '9') {
          K[static_cast<std::size_t>(I)] = '0';
        } else {
          ++K[static_cast<std::size_t>(I)];
          break;
        }
      }
      if (I < 0) {
        K.insert(K.begin(), '1');
        ++IntDigits;
      }
    }
  } else {
    K.clear();  // rounds to zero
  }
  // Lay the kept digits out around the point.
  std::string IntPart, Frac;
  if (IntDigits > 0) {
    IntPart.assign(K, 0, std::min<std::size_t>(K.size(), static_cast<std::size_t>(IntDigits)));
    if (K.size() > static_cast<std::size_t>(IntDigits)) Frac.assign(K, static_cast<std::size_t>(IntDigits));
  } else {
    Frac.append(static_cast<std::size_t>(std::min(-IntDigits, Decimals)), '0');
    Frac.append(K);
  }
  if (IntPart.empty()) IntPart.push_back('0');
  Frac.resize(static_cast<std::size_t>(Decimals), '0');
  const bool AllZero =
      IntPart.find_first_not_of('0') == std::string::npos && Frac.find_first_not_of('0') == std::string::npos;
  std::string S;
  if (Neg && !AllZero) S.push_back('-');
  S.append(IntPart);
  if (Decimals > 0) {
    S.push_back(Sep);
    S.append(Frac);
  }
  return S;
}

std::optional<Extended> SpinParse(std::string_view Text, char Sep) {
  std::size_t B = 0, E = Text.size();
  while (B < E && Text[B] == ' ') ++B;
  while (E > B && Text[E - 1] == ' ') --E;
  std::string N;
  std::size_t I = B;
  if (I < E && (Text[I] == '+' || Text[I] == '-')) N += Text[I++];
  int Mantissa = 0;
  while (I < E && std::isdigit(static_cast<unsigned char>(Text[I]))) {
    N += Text[I++];
    ++Mantissa;
  }
  if (I < E && Text[I] == Sep) {
    N += '.';
    ++I;
    while (I < E && std::isdigit(static_cast<unsigned char>(Text[I]))) {
      N += Text[I++];
      ++Mantissa;
    }
  }
  if (Mantissa == 0) return std::nullopt;
  if (I < E && (Text[I] == 'e' || Text[I] == 'E')) {
    N += 'e';
    ++I;
    if (I < E && (Text[I] == '+' || Text[I] == '-')) N += Text[I++];
    int ExpDigits = 0;
    while (I < E && std::isdigit(static_cast<unsigned char>(Text[I]))) {
      N += Text[I++];
      ++ExpDigits;
    }
    if (ExpDigits == 0) return std::nullopt;
  }
  if (I != E) return std::nullopt;
  const Extended V = std::strtold(N.c_str(), nullptr);
  if (!std::isfinite(static_cast<double>(V))) return std::nullopt;
  return V;
}

bool SpinAcceptsChar(char Ch, bool IntegersOnly, bool AllowKeyEdit, char Sep) {
  const unsigned char C = static_cast<unsigned char>(Ch);
  bool Valid =
      (Ch == '+' || Ch == '-' || (Ch >= '0' && Ch <= '9')) || (!IntegersOnly && Ch == Sep) || (C < 32 && Ch != '\r');
  if (Valid && !AllowKeyEdit && (C >= 32 || Ch == '\b' || Ch == '.')) Valid = false;
  return Valid;
}
