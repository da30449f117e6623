# Cross-compiles for 32-bit Windows with Debian's MinGW-w64 compiler
# (g++-mingw-w64-i686): the stand-in host and its own plug-in. The programs
# it builds run here under Wine (wine32), which CTest uses as the emulator.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VANTREL_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
