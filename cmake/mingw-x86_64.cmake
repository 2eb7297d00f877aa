# Cross-compiles the same sources for 64-bit Windows. The product is the 32-bit build; this
# one exists to run the Windows tests on machines whose kernel cannot execute 32-bit code,
# where Wine can start only 64-bit programs (scripts/wine-env picks it).
set(NESK_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
