# Cross-compiling for 32-bit Windows with MinGW-w64: what ships.
set(KV_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
# Every Windows that runs this program has SSE2: the pixel loops vectorise with it, and floating point uses the
# SSE registers instead of the x87 stack (the same results as the 64-bit build, no 80-bit intermediates).
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
