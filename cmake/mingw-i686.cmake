# Cross-compiling for 32-bit Windows with MinGW-w64 (posix threads, static runtime).
set(ORLIMO_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
