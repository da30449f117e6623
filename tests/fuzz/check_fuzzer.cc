// Fuzzes the definition checker behind `vantrel check`, and its compiler and
// JSON output. The input is one line, the file's path below Config/Vantrel
// (which also labels the diagnostics), followed by the file's bytes.
//
// It checks what must hold whatever the input: every diagnostic names the
// file, a line of it and a code, and they come sorted; the checker reports
// an N error exactly when the module would ignore the file; a diagnostic
// prints as one line without control characters; and the JSON output is
// well formed, string by string.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/definition_check.h"
#include "analysis/definition_reading.h"
#include "formats/item_file.h"
#include "report/diagnostic_output.h"

using analysis::CheckDefinition;
using analysis::CheckDefinitionFileName;
using analysis::CountThatApplies;
using analysis::Diagnostic;
using analysis::FormatProblem;
using analysis::Severity;
using report::JsonString;
using report::PrintDiagnosticsJson;

namespace {

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "check_fuzzer: %s\n", what.c_str());
  std::abort();
}

int CountLines(std::string_view text) {
  int lines = 0;
  for (std::size_t start = 0; start < text.size(); ++lines) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      ++lines;
      break;
    }
    start = end + 1;
  }
  return lines;
}

// Whether the module takes the file, as the tools read the rules.
bool ModuleTakes(std::string_view text) {
  return CountThatApplies(formats::ItemFile(std::string(text))).has_value();
}

bool IsCountError(const Diagnostic& diagnostic) {
  return diagnostic.severity == Severity::kError &&
         diagnostic.code.rfind("n-", 0) == 0;
}

// The length of the JSON string literal at the start of `json`; fails when
// it is not one. UTF-8 validity is JsonString's promise, checked here too.
std::size_t StringLiteralLength(std::string_view json) {
  std::size_t i = 1;
  while (i < json.size()) {
    const unsigned char c = static_cast<unsigned char>(json[i]);
    if (c == '"') return i + 1;
    if (c < 0x20) Fail("a control character inside a JSON string");
    if (c == '\\') {
      if (i + 1 >= json.size()) break;
      const char escaped = json[i + 1];
      if (escaped == 'u') {
        if (i + 6 > json.size()) break;
        for (std::size_t k = i + 2; k < i + 6; ++k) {
          if (std::string_view("0123456789abcdefABCDEF").find(json[k]) ==
              std::string_view::npos) {
            Fail("a bad \\u escape in a JSON string");
          }
        }
        i += 6;
        continue;
      }
      if (std::string_view("\"\\/bfnrt").find(escaped) ==
          std::string_view::npos) {
        Fail("a bad escape in a JSON string");
      }
      i += 2;
      continue;
    }
    std::size_t length = 1;
    if (c >= 0x80) {
      length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 0;
      if (length == 0 || i + length > json.size()) {
        Fail("a JSON string that is not UTF-8");
      }
      for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(json[i + k]) & 0xC0) != 0x80) {
          Fail("a JSON string that is not UTF-8");
        }
      }
    }
    i += length;
  }
  Fail("an unterminated JSON string");
}

// Every string of the document is well formed, and outside strings there
// are only the characters of numbers, names and structure.
void CheckJson(std::string_view json) {
  for (std::size_t i = 0; i < json.size();) {
    if (json[i] == '"') {
      i += StringLiteralLength(json.substr(i));
      continue;
    }
    if (std::string_view("{}[]:,- \n\t0123456789.eEtruefalsn+").find(json[i]) ==
        std::string_view::npos) {
      Fail(std::string("a stray character in the JSON document: ") + json[i]);
    }
    ++i;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t end = input.find('\n');
  const std::string_view path = input.substr(0, end);
  const std::string_view text = end == std::string_view::npos
                                    ? std::string_view()
                                    : input.substr(end + 1);

  std::vector<Diagnostic> diagnostics = CheckDefinition(path, text);
  const int lines = CountLines(text);
  bool count_error = false;
  for (std::size_t i = 0; i < diagnostics.size(); ++i) {
    const Diagnostic& d = diagnostics[i];
    if (d.file != path) Fail("a diagnostic names another file");
    if (d.line < 0 || d.line > std::max(lines, 1) || d.column < 0) {
      Fail("a diagnostic at line " + std::to_string(d.line) + " of " +
           std::to_string(lines) + ", column " + std::to_string(d.column));
    }
    if (d.message.empty() || d.code.empty()) Fail("an empty diagnostic");
    if (i > 0 && (diagnostics[i - 1].line > d.line ||
                  (diagnostics[i - 1].line == d.line &&
                   diagnostics[i - 1].column > d.column))) {
      Fail("diagnostics out of order");
    }
    count_error |= IsCountError(d);
  }
  if (count_error == ModuleTakes(text)) {
    Fail(count_error ? "an N error on a file the module takes"
                     : "no N error on a file the module ignores");
  }

  for (const Diagnostic& d : CheckDefinitionFileName(path, path)) {
    diagnostics.push_back(d);
  }
  for (const Diagnostic& d : diagnostics) {
    for (const char c : FormatProblem(d)) {
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
        Fail("a control character in a printed diagnostic");
      }
    }
  }
  std::ostringstream json;
  PrintDiagnosticsJson(diagnostics, 1, json);
  CheckJson(json.str());
  CheckJson(JsonString(input));
  return 0;
}
