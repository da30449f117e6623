#ifndef VANTREL_REPORT_TEXT_TABLE_H_
#define VANTREL_REPORT_TEXT_TABLE_H_

#include <ostream>
#include <string>
#include <vector>

namespace report {

// A table of text printed in aligned columns. Columns marked numeric are
// aligned to the right, the others to the left.
class TextTable {
 public:
  explicit TextTable(std::vector<bool> numeric_columns)
      : numeric_(std::move(numeric_columns)) {}

  void AddRow(std::vector<std::string> cells) {
    rows_.push_back(std::move(cells));
  }

  // Prints every row on a line of its own, each line starting with `indent`.
  void Print(std::ostream& out, const std::string& indent) const;

 private:
  std::vector<bool> numeric_;
  std::vector<std::vector<std::string>> rows_;
};

}  // namespace report

#endif  // VANTREL_REPORT_TEXT_TABLE_H_
