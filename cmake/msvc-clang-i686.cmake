# Builds the plug-in the simulator loads: 32-bit Windows, Microsoft C++ ABI,
# with Debian's clang and lld (see msvc-clang-common.cmake).
set(CMAKE_SYSTEM_PROCESSOR x86)
set(VANTREL_MSVC_TARGET i686-pc-windows-msvc)
set(VANTREL_MINGW_PREFIX i686-w64-mingw32)
# Reals in SSE2 registers, as Visual Studio computes them by default
# (/arch:SSE2): the x87 unit's wider intermediates would change the last bit
# of completed springs.
set(VANTREL_MSVC_TARGET_OPTIONS -msse2 -mfpmath=sse)
include(${CMAKE_CURRENT_LIST_DIR}/msvc-clang-common.cmake)
