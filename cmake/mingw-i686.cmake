# Cross-compiles Nesk.exe, the product, for 32-bit Windows with mingw-w64.
set(NESK_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
