#ifndef VANTREL_FORMATS_LOG_FORMAT_H_
#define VANTREL_FORMATS_LOG_FORMAT_H_

#include <cstdarg>
#include <string>

namespace formats {

// Formats one log line as vsnprintf does in the C locale. The conversions
// the module writes (%i and %d of an int, %s of a text, %.Nf of a double
// with a precision of one digit, and %%) are converted with std::to_chars,
// which gives the same characters as printf but costs a fraction of the C
// library's %f; the module logs seven reals per touchdown point. A format
// with any other conversion goes to vsnprintf whole. The line is appended
// to `text`, without a line end, so that a log can keep all its lines in
// one block.
void AppendLogLine(const char* format, va_list args, std::string& text);

}  // namespace formats

#endif  // VANTREL_FORMATS_LOG_FORMAT_H_
