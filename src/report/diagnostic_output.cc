#include "report/diagnostic_output.h"

#include <cstdio>

namespace report {

namespace {

// The length of the valid UTF-8 sequence at the start of `text`, or 0.
std::size_t Utf8SequenceLength(std::string_view text) {
  const auto byte = [&](std::size_t i) {
    return static_cast<unsigned char>(text[i]);
  };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  unsigned int code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i) & 0x3F);
  }
  // Overlong forms, surrogates and values beyond U+10FFFF are not valid.
  const unsigned int least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < least[length] || (code >= 0xD800 && code <= 0xDFFF) ||
      code > 0x10FFFF) {
    return 0;
  }
  return length;
}

}  // namespace

std::string JsonString(std::string_view text) {
  std::string json = "\"";
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      const std::size_t length = Utf8SequenceLength(text.substr(i));
      if (length == 0) {
        json += "\\ufffd";
        ++i;
      } else {
        json += text.substr(i, length);
        i += length;
      }
      continue;
    }
    switch (c) {
      case '"':
        json += "\\\"";
        break;
      case '\\':
        json += "\\\\";
        break;
      case '\n':
        json += "\\n";
        break;
      case '\t':
        json += "\\t";
        break;
      default:
        if (c < 0x20 || c == 0x7F) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", c);
          json += escape;
        } else {
          json += static_cast<char>(c);
        }
    }
    ++i;
  }
  return json + "\"";
}

void PrintDiagnosticsJson(const std::vector<analysis::Diagnostic>& diagnostics,
                          int files_checked, std::ostream& out) {
  int errors = 0;
  for (const analysis::Diagnostic& d : diagnostics) {
    if (d.severity == analysis::Severity::kError) ++errors;
  }
  out << "{\n  \"files_checked\": " << files_checked
      << ",\n  \"errors\": " << errors
      << ",\n  \"warnings\": " << diagnostics.size() - errors
      << ",\n  \"diagnostics\": [";
  const char* separator = "\n";
  for (const analysis::Diagnostic& d : diagnostics) {
    out << separator << "    {\"file\": " << JsonString(d.file)
        << ", \"line\": " << d.line << ", \"column\": " << d.column
        << ", \"severity\": \"" << analysis::SeverityName(d.severity)
        << "\", \"message\": " << JsonString(d.message)
        << ", \"code\": " << JsonString(d.code) << "}";
    separator = ",\n";
  }
  out << (diagnostics.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

}  // namespace report
