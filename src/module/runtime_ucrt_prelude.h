// Read before every source of the build without a C++ runtime library
// (cmake/msvc-clang-common.cmake), ahead of any other header.
#ifndef VANTREL_MODULE_RUNTIME_UCRT_PRELUDE_H_
#define VANTREL_MODULE_RUNTIME_UCRT_PRELUDE_H_

// libstdc++'s configuration turns on MinGW's own C99 stdio, whose sscanf
// reads numbers with MinGW's code. The plug-in reads them with the
// Universal C runtime's, as a module built with Visual Studio does: so
// <stdio.h> is read first, with MinGW's stdio turned off, and its include
// guard keeps it that way.
#define __USE_MINGW_ANSI_STDIO 0
#include <stdio.h>

// libstdc++ declares the members of std::string as instantiated in its
// library, which this build does not link; without those declarations
// every member the module uses is instantiated in the module itself.
#include <bits/c++config.h>
#undef _GLIBCXX_EXTERN_TEMPLATE
#define _GLIBCXX_EXTERN_TEMPLATE 0

#endif  // VANTREL_MODULE_RUNTIME_UCRT_PRELUDE_H_
