#include "formats/item_file.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <utility>

namespace formats {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char FoldChar(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// FNV-1a of the name with bit 5 of every character set: names that fold
// alike, whose letters differ only in that bit, hash alike.
std::uint32_t FoldedHash(std::string_view name) {
  std::uint32_t hash = 2166136261u;
  for (char c : name) {
    hash = (hash ^ (static_cast<unsigned char>(c) | 0x20u)) * 16777619u;
  }
  return hash;
}

bool SameFolded(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  // Most reads spell the key as the file does.
  if (std::memcmp(a.data(), b.data(), a.size()) == 0) return true;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldChar(a[i]) != FoldChar(b[i])) return false;
  }
  return true;
}

// The number of lines SplitItemLines finds in `text`.
std::size_t CountItemLines(std::string_view text) {
  std::size_t lines = 0;
  const char* const text_end = text.data() + text.size();
  for (const char* at = text.data(); at != text_end; ++lines) {
    const void* found =
        std::memchr(at, '\n', static_cast<std::size_t>(text_end - at));
    if (found == nullptr) return lines + 1;
    at = static_cast<const char*>(found) + 1;
  }
  return lines;
}

// The line that begins at `at`, before `text_end`, without its LF and a CR
// before that; `at` moves to the next line.
std::string_view TakeItemLine(const char*& at, const char* text_end) {
  const char* line_end = static_cast<const char*>(
      std::memchr(at, '\n', static_cast<std::size_t>(text_end - at)));
  const bool last = line_end == nullptr;
  if (last) line_end = text_end;
  std::string_view line(at, static_cast<std::size_t>(line_end - at));
  if (!last && !line.empty() && line.back() == '\r') line.remove_suffix(1);
  at = last ? text_end : line_end + 1;
  return line;
}

}  // namespace

std::string_view TextModeContent(std::string_view text) {
  return text.substr(0, text.find(kEndOfFileByte));
}

std::vector<std::string_view> SplitItemLines(std::string_view text) {
  // Room for every line at once: counting the line ends costs less than
  // growing the list line by line.
  std::vector<std::string_view> lines;
  lines.reserve(CountItemLines(text));
  const char* const text_end = text.data() + text.size();
  for (const char* at = text.data(); at != text_end;) {
    lines.push_back(TakeItemLine(at, text_end));
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

ItemFile::ItemFile(std::string text) : text_(std::move(text)) {
  text_.resize(TextModeContent(text_).size());
  // Lines are taken as SplitItemLines splits them, one at a time.
  const std::size_t line_count = CountItemLines(text_);
  entries_.reserve(line_count);
  search_end_ = line_count;
  const char* const base = text_.data();
  const char* const text_end = base + text_.size();
  auto offset = [base](std::string_view part) {
    return static_cast<std::uint32_t>(part.data() - base);
  };
  // Text files hold no NUL byte; only a file with one is searched for it
  // line by line.
  const bool has_nul = std::memchr(base, '\0', text_.size()) != nullptr;
  for (const char* at = base; at != text_end;) {
    std::string_view raw = TakeItemLine(at, text_end);
    Entry entry;
    if (raw.size() > kMaxLineLength) {
      entry.kind = Line::Kind::kTooLong;
    } else {
      // The host reads lines as C strings: a NUL byte ends the line's text.
      if (has_nul) raw = raw.substr(0, raw.find('\0'));
      raw = raw.substr(0, raw.find(';'));
      raw = TrimBlanks(raw);
      if (raw.size() == 9 && FoldCase(raw) == "end_parse") {
        entry.kind = Line::Kind::kEndParse;
      } else {
        const std::size_t equals = raw.find('=');
        entry.has_equals = equals != std::string_view::npos;
        const std::string_view key = TrimBlanks(raw.substr(0, equals));
        entry.key_begin = offset(key);
        entry.key_size = static_cast<std::uint32_t>(key.size());
        if (entry.has_equals) {
          const std::string_view value = TrimBlanks(raw.substr(equals + 1));
          entry.value_begin = offset(value);
          entry.value_size = static_cast<std::uint32_t>(value.size());
        }
      }
    }
    if (entry.kind != Line::Kind::kItem && search_end_ == line_count) {
      search_end_ = entries_.size();
    }
    entries_.push_back(entry);
  }

  std::size_t slots = 8;
  while (slots < 2 * search_end_) slots *= 2;
  index_.assign(slots, 0);
  for (std::size_t i = 0; i < search_end_; ++i) {
    std::uint32_t& slot = index_[Slot(Key(entries_[i]))];
    if (slot == 0) slot = static_cast<std::uint32_t>(i + 1);
  }
}

std::size_t ItemFile::Slot(std::string_view name) const {
  const std::size_t mask = index_.size() - 1;
  for (std::size_t slot = FoldedHash(name) & mask;; slot = (slot + 1) & mask) {
    const std::uint32_t line = index_[slot];
    if (line == 0 || SameFolded(Key(entries_[line - 1]), name)) return slot;
  }
}

ItemFile::Place ItemFile::Locate(std::string_view name) const {
  Place lookup;
  const std::uint32_t found = index_[Slot(name)];
  if (found == 0) return lookup;
  const Entry& entry = entries_[found - 1];
  lookup.line = static_cast<int>(found);
  if (!entry.has_equals || entry.value_size == 0) {
    lookup.result = Lookup::Result::kEmptyValue;
    return lookup;
  }
  lookup.result = Lookup::Result::kFound;
  lookup.value = Value(entry);
  return lookup;
}

std::vector<ItemFile::Line> ItemFile::lines() const {
  std::vector<Line> lines;
  lines.reserve(entries_.size());
  for (const Entry& entry : entries_) {
    Line line;
    line.kind = entry.kind;
    line.key = std::string(Key(entry));
    line.value = std::string(Value(entry));
    line.has_equals = entry.has_equals;
    lines.push_back(std::move(line));
  }
  return lines;
}

bool ParseItemInt(std::string_view text, int& value, bool* wrapped) {
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
  // The Windows C runtime reads the digits as a 64-bit integer, which stops
  // at its limits, and stores its low 32 bits.
  constexpr std::uint64_t kLowest = std::uint64_t{1} << 63;  // of -2^63
  const std::uint64_t limit = negative ? kLowest : kLowest - 1;
  std::uint64_t magnitude = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]));
       ++i) {
    const unsigned digit = static_cast<unsigned>(text[i] - '0');
    magnitude =
        magnitude > (limit - digit) / 10 ? limit : magnitude * 10 + digit;
  }
  const std::uint64_t bits = negative ? 0 - magnitude : magnitude;
  const std::uint32_t low = static_cast<std::uint32_t>(bits);
  value = low < 0x80000000u
              ? static_cast<int>(low)
              : static_cast<int>(static_cast<std::int64_t>(low) - 0x100000000);
  if (wrapped != nullptr) {
    *wrapped = magnitude > (negative ? 0x80000000u : 0x7FFFFFFFu);
  }
  return true;
}

bool ParseItemReal(const std::string& text, double& value) {
  double read = 0.0;
  if (std::sscanf(text.c_str(), "%lf", &read) != 1) return false;
  value = read;
  return true;
}

std::vector<double> ParseItemReals(const std::string& text, std::size_t most) {
  std::vector<double> reals;
  const char* at = text.c_str();
  while (reals.size() < most) {
    double value = 0.0;
    int used = 0;
    if (std::sscanf(at, "%lf%n", &value, &used) != 1) break;
    reals.push_back(value);
    at += used;
  }
  return reals;
}

}  // namespace formats
