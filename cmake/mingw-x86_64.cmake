# Cross-compiling for 64-bit Windows with MinGW-w64. Used on hosts that cannot execute 32-bit code, where
# the program and its tests run under 64-bit Wine; the shipped build stays i686.
set(KV_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
