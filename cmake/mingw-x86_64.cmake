# Cross-compiling for 64-bit Windows with MinGW-w64 (posix threads, static runtime).
set(ORLIMO_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
