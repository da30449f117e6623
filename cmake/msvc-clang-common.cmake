# What both Microsoft-ABI toolchain files share; they set
# CMAKE_SYSTEM_PROCESSOR, VANTREL_MSVC_TARGET (clang's target) and
# VANTREL_MINGW_PREFIX (where Debian's MinGW-w64 keeps headers and import
# libraries) first.
#
# clang and lld-link build the plug-in for the Microsoft C++ ABI, as Visual
# Studio would, without Visual Studio: the C headers and the import
# libraries of the Universal C runtime (UCRT) and of KERNEL32 come from
# MinGW-w64, and the C++ library from MinGW's libstdc++ headers alone. No
# C++ runtime library is linked: the few out-of-line pieces the module needs
# are in src/module/runtime_ucrt.cc, so the plug-in needs no DLL beyond
# Windows' own (see docs/windows-runtime.md).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET ${VANTREL_MSVC_TARGET})
set(CMAKE_LINKER lld-link)
# There is no C runtime start-up to link a test program with.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
set(CMAKE_CXX_STANDARD_LIBRARIES "")
set(CMAKE_MSVC_RUNTIME_LIBRARY "")

set(VANTREL_MSVC_CLANG ON)
set(VANTREL_MINGW_ROOT /usr/${VANTREL_MINGW_PREFIX})
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-resource-dir
  OUTPUT_VARIABLE VANTREL_CLANG_RESOURCE_DIR OUTPUT_STRIP_TRAILING_WHITESPACE)
file(GLOB VANTREL_LIBSTDCXX_DIRS
  /usr/lib/gcc/${VANTREL_MINGW_PREFIX}/*/include/c++)
list(GET VANTREL_LIBSTDCXX_DIRS 0 VANTREL_LIBSTDCXX_DIR)

# The compile options of every source (cmake/msvc_clang_plugin.cmake applies
# them). Headers in this order: libstdc++, clang's own, MinGW-w64's C
# headers. _UCRT selects the UCRT's declarations in MinGW's headers;
# __CRT__NO_INLINE keeps MinGW's inline C functions, which call MinGW's own
# math, out of the objects. __STRICT_ANSI__ tells libstdc++ that the
# language has no extensions (-std=c++17), as g++ tells it; clang does not
# for this target.
set(VANTREL_MSVC_COMPILE_OPTIONS
  -fgnuc-version=12 -fno-exceptions -fno-rtti -nostdinc
  -isystem${VANTREL_LIBSTDCXX_DIR}
  -isystem${VANTREL_LIBSTDCXX_DIR}/${VANTREL_MINGW_PREFIX}
  -isystem${VANTREL_CLANG_RESOURCE_DIR}/include
  -isystem${VANTREL_MINGW_ROOT}/include
  -D_UCRT -D__CRT__NO_INLINE -D_ALLOCA_S_MARKER_SIZE=8 -D__STRICT_ANSI__
  ${VANTREL_MSVC_TARGET_OPTIONS})
# No default libraries: the libraries are named one by one.
string(JOIN " " VANTREL_MSVC_LINKER_FLAGS
  -Xlinker /nodefaultlib)
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${VANTREL_MSVC_LINKER_FLAGS}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${VANTREL_MSVC_LINKER_FLAGS}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${VANTREL_MSVC_LINKER_FLAGS}")

set(CMAKE_FIND_ROOT_PATH ${VANTREL_MINGW_ROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
