# The product: 32-bit Windows, MinGW-w64 for i686 with posix threads.
set(UMBRANT_MINGW_TRIPLE i686-w64-mingw32)
set(UMBRANT_WINE_ARCH win32)
# SSE arithmetic, as on x86-64: single-precision results (the stored decimal
# text of the latitude) come out the same in both flavours, and the pixel
# blends get their vector path. Every Windows-capable x86 processor since
# Windows 8 has SSE2.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
