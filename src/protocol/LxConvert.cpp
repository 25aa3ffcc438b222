#include "protocol/LxConvert.h"

bool TryStrToInt(std::string_view Text, std::int32_t& Value) {
  std::size_t I = 0;
  while (I < Text.size() && (Text[I] == ' ' || Text[I] == '\t')) ++I;
  bool Negative = false;
  if (I < Text.size() && (Text[I] == '+' || Text[I] == '-')) {
    Negative = Text[I] == '-';
    ++I;
  }
  if (I == Text.size()) return false;
  // Accumulate the magnitude in 64 bits; 2147483648 is allowed for the minus sign only.
  std::int64_t Magnitude = 0;
  for (; I < Text.size(); ++I) {
    const char C = Text[I];
    if (C < '0' || C > '9') return false;
    Magnitude = Magnitude * 10 + (C - '0');
    if (Magnitude > 2147483648LL) return false;
  }
  const std::int64_t Signed = Negative ? -Magnitude : Magnitude;
  if (Signed > 2147483647LL) return false;
  Value = static_cast<std::int32_t>(Signed);
  return true;
}

std::int32_t StrToInt(std::string_view Text) {
  std::int32_t Value = 0;
  if (!TryStrToInt(Text, Value)) {
    // A client's text can be long: the box shows its start.
    constexpr std::size_t Shown = 60;
    std::string Msg = "'";
    Msg.append(Text.substr(0, Shown));
    if (Text.size() > Shown) Msg += "...";
    Msg += "' is not a valid integer value";
    throw EConvertError(Msg);
  }
  return Value;
}
