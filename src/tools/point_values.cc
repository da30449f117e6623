#include "point_values.h"

#include <cctype>
#include <cstdlib>
#include <string>

PointValues ReadPointValues(std::string_view text) {
  // strtod converts as "%lf" does and needs the text NUL-terminated.
  const std::string buffer(text);
  PointValues result;
  std::size_t position = 0;
  while (result.values.size() < PointValues::kMaxValues) {
    while (position < buffer.size() &&
           std::isspace(static_cast<unsigned char>(buffer[position]))) {
      ++position;
    }
    if (position >= buffer.size()) break;
    const char* start = buffer.c_str() + position;
    char* end = nullptr;
    const double value = std::strtod(start, &end);
    if (end == start) {
      result.stop = position;
      break;
    }
    result.values.push_back(value);
    result.offsets.push_back(position);
    position += static_cast<std::size_t>(end - start);
  }
  return result;
}
