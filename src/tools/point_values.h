#ifndef VANTREL_TOOLS_POINT_VALUES_H_
#define VANTREL_TOOLS_POINT_VALUES_H_

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

// The reals of a POINT value as the module reads them: seven "%lf"
// conversions one after the other, stopping at the first that fails.
struct PointValues {
  static constexpr std::size_t kMaxValues = 7;
  std::vector<double> values;        // those read, at most kMaxValues
  std::vector<std::size_t> offsets;  // where each value starts in the text
  // Where a conversion failed on text that is not a number; nothing when
  // the reading ended at the end of the text or after the seventh value.
  std::optional<std::size_t> stop;
  // Value `index` (0-based), or 0 when it was not read.
  double At(std::size_t index) const {
    return index < values.size() ? values[index] : 0.0;
  }
};

PointValues ReadPointValues(std::string_view text);

#endif  // VANTREL_TOOLS_POINT_VALUES_H_
