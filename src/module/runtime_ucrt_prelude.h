// Read before every source of the build without a C++ runtime library
// (cmake/msvc-clang-common.cmake), ahead of any other header.
#ifndef VANTREL_MODULE_RUNTIME_UCRT_PRELUDE_H_
#define VANTREL_MODULE_RUNTIME_UCRT_PRELUDE_H_

#include <bits/c++config.h>

// libstdc++'s configuration turns on MinGW's own C99 stdio (snprintf and
// the rest), which this build does not link. The plug-in uses the Universal
// C runtime's, as a module built with Visual Studio does: the configuration
// has been read now, and its include guard keeps it from turning them on
// again.
#undef __USE_MINGW_ANSI_STDIO
#define __USE_MINGW_ANSI_STDIO 0

// libstdc++ declares the members of std::string as instantiated in its
// library, which this build does not link; without those declarations
// every member the module uses is instantiated in the module itself.
#undef _GLIBCXX_EXTERN_TEMPLATE
#define _GLIBCXX_EXTERN_TEMPLATE 0

#endif  // VANTREL_MODULE_RUNTIME_UCRT_PRELUDE_H_
