# Cross-compiles for 32-bit Windows with Debian's MinGW-w64 compiler
# (g++-mingw-w64-i686): the plug-in as the simulator loads it. The programs
# it builds run here under Wine (wine32), which CTest uses as the emulator.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VANTREL_MINGW_PREFIX i686-w64-mingw32)
# Reals in SSE2 registers, as the simulator's plug-in (msvc-clang-x86) and
# the 64-bit builds compute them: the x87 unit's wider intermediates would
# change the last bit of completed springs.
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
