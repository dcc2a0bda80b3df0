# The product: 32-bit Windows, MinGW-w64 for i686 with posix threads.
set(UMBRANT_MINGW_TRIPLE i686-w64-mingw32)
set(UMBRANT_WINE_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
