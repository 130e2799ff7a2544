# i686 Windows with MinGW-w64 (posix threads); tests run under Wine.
set(KELVANE_TRIPLE i686-w64-mingw32)
set(KELVANE_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# Down to the Pentium Pro: no MMX or SSE, doubles on the x87 unit, which the
# start-up sets to 53-bit precision (platform/x87_start.cpp).
set(CMAKE_CXX_FLAGS_INIT "-march=pentiumpro -mtune=generic -mfpmath=387")
