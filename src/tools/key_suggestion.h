#ifndef VANTREL_TOOLS_KEY_SUGGESTION_H_
#define VANTREL_TOOLS_KEY_SUGGESTION_H_

#include <optional>
#include <string>
#include <string_view>

namespace tools {

// The index i of a key that reads as POINT_i (any case, i written without
// leading zeros, as the module formats it), or nothing.
std::optional<long> PointIndexOfKey(std::string_view key);

// The key the author probably meant by an unknown key: "N" or "POINT_i",
// when one is close enough in spelling. Nothing when none is.
std::optional<std::string> SuggestKey(std::string_view key);

}  // namespace tools

#endif  // VANTREL_TOOLS_KEY_SUGGESTION_H_
