#include "item_file.h"

#include <cctype>
#include <climits>
#include <cstdio>

namespace standin {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

ItemFile::Line ParseLine(std::string_view raw) {
  ItemFile::Line line;
  if (raw.size() > ItemFile::kMaxLineLength) {
    line.kind = ItemFile::Line::Kind::kTooLong;
    return line;
  }
  // The host reads lines as C strings: a NUL byte ends the line's text.
  raw = raw.substr(0, raw.find('\0'));
  raw = raw.substr(0, raw.find(';'));
  raw = TrimBlanks(raw);
  if (raw.size() == 9 && FoldCase(raw) == "end_parse") {
    line.kind = ItemFile::Line::Kind::kEndParse;
    return line;
  }
  const std::size_t equals = raw.find('=');
  line.has_equals = equals != std::string_view::npos;
  line.key = std::string(TrimBlanks(raw.substr(0, equals)));
  if (line.has_equals) line.value = std::string(raw.substr(equals + 1));
  line.value = std::string(TrimBlanks(line.value));
  return line;
}

}  // namespace

std::vector<std::string_view> SplitItemLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    const bool last = end == std::string_view::npos;
    if (last) end = text.size();
    std::string_view raw = text.substr(start, end - start);
    if (!last && !raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    lines.push_back(raw);
    start = end + 1;
  }
  return lines;
}

std::string FoldCase(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

ItemFile::ItemFile(std::string_view text) {
  const std::vector<std::string_view> raw_lines = SplitItemLines(text);
  lines_.reserve(raw_lines.size());
  for (std::string_view raw : raw_lines) lines_.push_back(ParseLine(raw));
  search_end_ = lines_.size();
  first_line_of_key_.reserve(lines_.size());
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind != Line::Kind::kItem) {
      search_end_ = i;
      break;
    }
    first_line_of_key_.emplace(FoldCase(lines_[i].key), i);
  }
}

ItemFile::Lookup ItemFile::Find(std::string_view name) const {
  Lookup lookup;
  const auto found = first_line_of_key_.find(FoldCase(name));
  if (found == first_line_of_key_.end()) return lookup;
  const Line& line = lines_[found->second];
  lookup.line = static_cast<int>(found->second) + 1;
  if (!line.has_equals || line.value.empty()) {
    lookup.result = Lookup::Result::kEmptyValue;
    return lookup;
  }
  lookup.result = Lookup::Result::kFound;
  lookup.value = line.value;
  return lookup;
}

bool ParseItemInt(const std::string& text, int& value) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i]))) {
    return false;
  }
  long long magnitude = 0;
  const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]));
       ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > limit) magnitude = limit;
  }
  value = static_cast<int>(negative ? -magnitude : magnitude);
  return true;
}

bool ParseItemReal(const std::string& text, double& value) {
  double read = 0.0;
  if (std::sscanf(text.c_str(), "%lf", &read) != 1) return false;
  value = read;
  return true;
}

}  // namespace standin
