# A 64-bit twin of the product, built from the same sources, for machines
# whose kernel cannot run 32-bit code (and so cannot run 32-bit Wine).
set(UMBRANT_MINGW_TRIPLE x86_64-w64-mingw32)
set(UMBRANT_WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
