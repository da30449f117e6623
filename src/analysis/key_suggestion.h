#ifndef VANTREL_ANALYSIS_KEY_SUGGESTION_H_
#define VANTREL_ANALYSIS_KEY_SUGGESTION_H_

#include <optional>
#include <string>
#include <string_view>

namespace analysis {

// The number of characters to insert, delete or replace to turn `a` into
// `b` (Levenshtein distance).
std::size_t EditDistance(std::string_view a, std::string_view b);

// The index i of a key that reads as POINT_i (any case, i written without
// leading zeros, as the module formats it), or nothing.
std::optional<long> PointIndexOfKey(std::string_view key);

// The key the author probably meant by an unknown key: "N" or "POINT_i",
// when one is close enough in spelling, reading letters that look like
// digits in a point's number as those digits ('l' and 'I' for 1, 'O' for
// 0). Nothing when none is.
std::optional<std::string> SuggestKey(std::string_view key);

// The look-alike characters by which `key` differs from the key `meant`,
// as "'l' for '1'", joined by " and "; empty when there are none.
std::string DescribeLookAlikes(std::string_view key, std::string_view meant);

}  // namespace analysis

#endif  // VANTREL_ANALYSIS_KEY_SUGGESTION_H_
