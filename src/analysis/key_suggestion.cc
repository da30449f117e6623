#include "analysis/key_suggestion.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "formats/item_file.h"

namespace analysis {

std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1,
                         diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)); }

}  // namespace

std::string DescribeLookAlikes(std::string_view key, std::string_view meant) {
  std::string slips;
  for (std::size_t i = 0; i < key.size() && i < meant.size(); ++i) {
    if (key[i] == meant[i] || !IsDigit(meant[i])) continue;
    if (!slips.empty()) slips += " and ";
    slips += std::string("'") + key[i] + "' for '" + meant[i] + "'";
  }
  return slips;
}

std::optional<long> PointIndexOfKey(std::string_view key) {
  const std::string folded = formats::FoldCase(key);
  const std::string_view prefix = "point_";
  if (folded.size() <= prefix.size() || folded.compare(0, 6, prefix) != 0) {
    return std::nullopt;
  }
  const std::string digits = folded.substr(prefix.size());
  if (digits[0] == '0' || digits.size() > 9 ||
      !std::all_of(digits.begin(), digits.end(), IsDigit)) {
    return std::nullopt;
  }
  return std::stol(digits);
}

// `folded` with the look-alike characters of a point key's number read as
// the digits they resemble: "point_l" and "point_i" as "point_1", "point_1o"
// as "point_10".
std::string MendLookAlikes(std::string folded) {
  const std::string_view prefix = "point_";
  if (folded.compare(0, prefix.size(), prefix) != 0) return folded;
  for (std::size_t i = prefix.size(); i < folded.size(); ++i) {
    char& c = folded[i];
    if (c == 'l' || c == 'i') c = '1';
    if (c == 'o') c = '0';
  }
  return folded;
}

std::optional<std::string> SuggestKey(std::string_view key) {
  const std::string folded = MendLookAlikes(formats::FoldCase(key));
  // The digits at the end of the key, without leading zeros, name the point
  // the author most likely meant.
  std::size_t start = folded.size();
  while (start > 0 && IsDigit(folded[start - 1])) --start;
  std::string digits = folded.substr(start);
  digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
  if (!digits.empty() && digits.size() <= 9) {
    const std::string point = "POINT_" + digits;
    const std::size_t limit = std::max<std::size_t>(2, folded.size() / 3);
    if (EditDistance(folded, formats::FoldCase(point)) <= limit) return point;
  }
  if (!folded.empty() && EditDistance(folded, "n") <= 1) return "N";
  return std::nullopt;
}

}  // namespace analysis
