#include "log_format.h"

#include <charconv>
#include <cstdio>

namespace standin {
namespace {

std::string FormatWithCLibrary(const char* format, va_list args) {
  va_list retry;
  va_copy(retry, args);
  char buffer[512];
  const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
  std::string line;
  if (length > 0 && static_cast<std::size_t>(length) < sizeof buffer) {
    line.assign(buffer, static_cast<std::size_t>(length));
  } else if (length > 0) {
    line.resize(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(&line[0], line.size(), format, retry);
    line.resize(static_cast<std::size_t>(length));
  }
  va_end(retry);
  return line;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string FormatLogLine(const char* format, va_list args) {
  va_list whole;
  va_copy(whole, args);
  // Lines are built in place and copied once; a line that does not fit,
  // like a format with other conversions, goes to the C library.
  char line[512];
  char* out = line;
  char* const end = line + sizeof line;
  bool converted = true;
  for (const char* p = format; *p != '\0' && converted; ++p) {
    const char* conversion = p + 1;
    if (*p != '%' || *conversion == '%') {
      converted = out < end;
      if (converted) *out++ = *p;
      if (*p == '%') p = conversion;
    } else if (*conversion == 'i' || *conversion == 'd') {
      const auto result = std::to_chars(out, end, va_arg(args, int));
      converted = result.ec == std::errc();
      out = result.ptr;
      p = conversion;
    } else if (*conversion == 's') {
      const char* text = va_arg(args, const char*);
      if (text == nullptr) text = "(null)";
      for (; *text != '\0' && out < end; ++text) *out++ = *text;
      converted = *text == '\0';
      p = conversion;
    } else if (conversion[0] == '.' && IsDigit(conversion[1]) &&
               conversion[2] == 'f') {
      const auto result =
          std::to_chars(out, end, va_arg(args, double),
                        std::chars_format::fixed, conversion[1] - '0');
      converted = result.ec == std::errc();
      out = result.ptr;
      p = conversion + 2;
    } else {
      converted = false;
    }
  }
  std::string formatted =
      converted ? std::string(line, out) : FormatWithCLibrary(format, whole);
  va_end(whole);
  return formatted;
}

}  // namespace standin
