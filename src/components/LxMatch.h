// Matching item texts the way the combo boxes and the toolbar's saved names
// do: letters compare without regard to case (ASCII), other characters as they are.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "components/LxCmpsApi.h"

// Whether A and B are the same text apart from the case of letters.
LXCMPS_API bool SameText(std::string_view A, std::string_view B);
// The first item that is the same text as S, or -1.
LXCMPS_API int IndexOfText(const std::vector<std::string>& Items, std::string_view S);
// The first item that starts with Prefix, or -1.
LXCMPS_API int FindPrefix(const std::vector<std::string>& Items, std::string_view Prefix);
