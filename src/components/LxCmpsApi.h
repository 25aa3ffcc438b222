// Export macro of the components library. Building LxCmps30.dll defines
// LXCMPS30_BUILD_DLL; a program that uses the DLL defines LXCMPS30_USE_DLL;
// the static library (linked into Orlimo.exe) needs neither.
#pragma once

#if defined(_WIN32) && defined(LXCMPS30_BUILD_DLL)
#define LXCMPS_API __declspec(dllexport)
#elif defined(_WIN32) && defined(LXCMPS30_USE_DLL)
#define LXCMPS_API __declspec(dllimport)
#else
#define LXCMPS_API
#endif
