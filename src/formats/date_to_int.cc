#include "formats/date_to_int.h"

#include <cstdio>
#include <cstring>

#include "formats/item_file.h"

namespace formats {

int DateToInt(const char* date) {
  static const char* const kMonths[] = {"jan", "feb", "mar", "apr",
                                        "may", "jun", "jul", "aug",
                                        "sep", "oct", "nov", "dec"};
  if (date == nullptr) return 0;
  char month_name[4] = {};
  int day = 0;
  int year = 0;
  if (std::sscanf(date, "%3s %d %d", month_name, &day, &year) != 3) return 0;
  const std::string folded = FoldCase(month_name);
  for (int month = 1; month <= 12; ++month) {
    if (folded == kMonths[month - 1]) {
      return (year % 100) * 10000 + month * 100 + day;
    }
  }
  return 0;
}

}  // namespace formats
