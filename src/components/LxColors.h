// The colour table of the colour combo box: "Default", the 16 standard
// colours, the 25 system colours and "Custom", and the light-colour test of
// its swatch frame.
#pragma once

#include <cstdint>

#include "components/LxCmpsApi.h"

// A colour: 0x00BBGGRR, or 0x80000000 plus a system colour index.
using TLxColor = std::uint32_t;
constexpr TLxColor LxSysColor(unsigned Index) { return 0x80000000u | Index; }

struct TLxColorEntry {
  const char* Name;
  TLxColor Value;
  bool System;
};
constexpr int LxColorCount = 43;
// "Default", the 16 standard colours, the 25 system colours, "Custom".
LXCMPS_API extern const TLxColorEntry LxColorTable[LxColorCount];

// The light-colour test of the swatch frame: any of red, green, blue above 128.
LXCMPS_API bool IsLightColor(std::uint32_t RGB);
