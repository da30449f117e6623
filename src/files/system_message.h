#ifndef VANTREL_FILES_SYSTEM_MESSAGE_H_
#define VANTREL_FILES_SYSTEM_MESSAGE_H_

#include <string>

namespace files {

// The system's words for the C library error `errno_value` (strerror).
std::string ErrnoMessage(int errno_value);

#if defined(_WIN32)
// Windows' words for the error code `code` (GetLastError), as FormatMessage
// gives them, without the line end; the number when Windows has no words.
std::string WindowsErrorMessage(unsigned long code);
#endif

}  // namespace files

#endif  // VANTREL_FILES_SYSTEM_MESSAGE_H_
