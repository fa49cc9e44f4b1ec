# Cross toolchain: 32-bit Windows with MinGW-w64. SSE2 arithmetic keeps
# doubles at double precision (x87 would compute them in 80 bits).
set(MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
