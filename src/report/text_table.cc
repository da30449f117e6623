#include "report/text_table.h"

#include <algorithm>

namespace report {

void TextTable::Print(std::ostream& out, const std::string& indent) const {
  std::vector<std::size_t> widths(numeric_.size(), 0);
  for (const auto& row : rows_) {
    for (std::size_t i = 0; i < row.size() && i < widths.size(); ++i) {
      widths[i] = std::max(widths[i], row[i].size());
    }
  }
  for (const auto& row : rows_) {
    std::string line = indent;
    for (std::size_t i = 0; i < row.size() && i < widths.size(); ++i) {
      const std::string padding(widths[i] - row[i].size(), ' ');
      if (i > 0) line += "  ";
      line += numeric_[i] ? padding + row[i] : row[i] + padding;
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out << line << '\n';
  }
}

}  // namespace report
