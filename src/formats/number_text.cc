#include "formats/number_text.h"

#include <cmath>
#include <cstdio>

namespace formats {

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string Measured(double value, int decimals) {
  if (!std::isfinite(value)) return "n/a";
  std::string text = Fixed(value, decimals);
  if (text[0] == '-' && text.find_first_of("123456789") == std::string::npos) {
    text.erase(0, 1);
  }
  return text;
}

std::string Shortest(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

std::string TenDigits(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.10g", value);
  return text;
}

}  // namespace formats
