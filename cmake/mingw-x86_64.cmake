# x86_64 Windows with MinGW-w64 (posix threads); tests run under Wine.
set(KELVANE_TRIPLE x86_64-w64-mingw32)
set(KELVANE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
