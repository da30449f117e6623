#include "analysis/end_of_file_check.h"

#include <string>
#include <vector>

#include "formats/item_file.h"

namespace analysis {

namespace {

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(" \t\r\n\x1A") == std::string_view::npos;
}

// The key of an item line, as the reader finds it; empty for a blank or
// comment line.
std::string_view KeyOf(std::string_view line) {
  line = line.substr(0, line.find(';'));
  line = line.substr(0, line.find('='));
  const std::size_t begin = line.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  const std::size_t end = line.find_last_not_of(" \t\r");
  return line.substr(begin, end + 1 - begin);
}

// "POINT_4, POINT_5, POINT_6 and 2 more": the keys of `lines`.
std::string KeysOf(const std::vector<std::string_view>& lines) {
  constexpr std::size_t kShown = 3;
  std::vector<std::string_view> keys;
  for (std::string_view line : lines) {
    const std::string_view key = KeyOf(line);
    if (!key.empty()) keys.push_back(key);
  }
  std::string shown;
  for (std::size_t i = 0; i < keys.size() && i < kShown; ++i) {
    shown += (i == 0 ? "" : ", ") + std::string(keys[i]);
  }
  if (keys.size() > kShown) {
    shown += " and " + std::to_string(keys.size() - kShown) + " more";
  }
  return shown;
}

}  // namespace

std::optional<Diagnostic> CheckEndOfFileByte(std::string_view file_name,
                                             std::string_view text) {
  const std::string_view read = formats::TextModeContent(text);
  if (read.size() == text.size() || IsBlank(text.substr(read.size()))) {
    return std::nullopt;
  }
  const std::size_t line_start = read.rfind('\n') + 1;  // 0 when none
  int line = 1;
  for (char c : read) line += c == '\n' ? 1 : 0;
  const int column = static_cast<int>(read.size() - line_start) + 1;

  const std::string_view after = text.substr(read.size() + 1);
  const std::size_t line_end = after.find('\n');
  std::vector<std::string> hidden;
  if (!IsBlank(after.substr(0, line_end))) {
    hidden.push_back("the rest of this line");
  }
  if (line_end != std::string_view::npos) {
    const std::vector<std::string_view> later =
        formats::SplitItemLines(after.substr(line_end + 1));
    std::size_t last = later.size();
    while (last > 0 && IsBlank(later[last - 1])) --last;
    if (last > 0) {
      const std::string first = std::to_string(line + 1);
      const std::string lines =
          last == 1 ? "line " + first
                    : "lines " + first + " to " +
                          std::to_string(line + static_cast<int>(last));
      const std::string keys = KeysOf(
          std::vector<std::string_view>(later.begin(), later.begin() + last));
      hidden.push_back(keys.empty() ? lines : lines + " (" + keys + ")");
    }
  }
  std::string what = hidden[0];
  if (hidden.size() > 1) what += " and " + hidden[1];
  return Diagnostic{std::string(file_name),
                    line,
                    column,
                    Severity::kWarning,
                    "a Ctrl-Z byte (0x1A) ends the file here for the host, "
                    "which reads it as Windows text: it never reads " +
                        what + ". Delete the byte",
                    "end-of-file-byte"};
}

}  // namespace analysis
