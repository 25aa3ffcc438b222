// Free system resources, as reported by the system's resource meter.
#pragma once

#include "components/LxCmpsApi.h"

// Selectors of GetFreeSystemResources.
constexpr int GFSR_SYSTEMRESOURCES = 0;
constexpr int GFSR_GDIRESOURCES = 1;
constexpr int GFSR_USERRESOURCES = 2;

// The free percentage of the chosen resource, or 0 when the system has no
// resource meter ("RSRC32.DLL"). The library is looked for again on each call
// until it is found, and released when the program ends.
LXCMPS_API int GetFreeSystemResources(int Selector);
