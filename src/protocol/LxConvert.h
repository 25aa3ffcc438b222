// Text-to-number conversion with the conversion error the exception display
// shows to the user ("'%s' is not a valid integer value").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/OrlimoExcept.h"

// A text could not be converted to a number.
class EConvertError : public Exception {
public:
  using Exception::Exception;
};

// Decimal conversion: leading blanks are skipped, then an optional sign and
// one or more decimal digits, nothing after them; the value must fit 32-bit
// signed. Anything else raises EConvertError "'<text>' is not a valid integer
// value" with the text as given, or its first 60 characters and "..." when it
// is longer.
std::int32_t StrToInt(std::string_view Text);

// The same conversion, without the exception: false when Text is not a number.
bool TryStrToInt(std::string_view Text, std::int32_t& Value);
