# Builds the same Microsoft-ABI plug-in for 64-bit Windows, so that it runs
# under wine64 in a Microsoft-ABI host program on machines where 32-bit
# Windows code cannot run (see msvc-clang-common.cmake).
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(VANTREL_MSVC_TARGET x86_64-pc-windows-msvc)
set(VANTREL_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/msvc-clang-common.cmake)
