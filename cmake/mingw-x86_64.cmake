# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 compiler
# (g++-mingw-w64-x86-64). The simulator loads only 32-bit plug-ins; this
# build runs the same Windows code under wine64 on machines that cannot run
# 32-bit programs (a kernel without IA-32 emulation).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VANTREL_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
