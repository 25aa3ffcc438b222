// The spin edit's values: clamping to the limits, the text of a value, reading
// a typed number, and the filter of typed characters.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "components/LxCmpsApi.h"

using Extended = long double;

// Limits V to [Min, Max]; no limit when Min equals Max.
LXCMPS_API Extended SpinClamp(Extended V, Extended Min, Extended Max);
// V in fixed notation with 7 significant digits and Decimals decimals.
LXCMPS_API std::string SpinFormat(Extended V, int Decimals, char DecimalSeparator);
// Reads a number; std::nullopt when Text is not one.
LXCMPS_API std::optional<Extended> SpinParse(std::string_view Text, char DecimalSeparator);
// Whether a typed character passes the spin edit's filter.
LXCMPS_API bool SpinAcceptsChar(char Ch, bool IntegersOnly, bool AllowKeyEdit, char DecimalSeparator);
