# i686 Windows with MinGW-w64 (posix threads); tests run under Wine.
set(KELVANE_TRIPLE i686-w64-mingw32)
set(KELVANE_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# Doubles in SSE2 registers, not x87 extended precision.
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
