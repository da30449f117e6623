#include "formats/module_line.h"

namespace formats {
namespace {

constexpr std::size_t kPaddedWidth = 30;

std::string NumberText(std::optional<int> number) {
  return number ? std::to_string(*number) : "******";
}

}  // namespace

std::string ModuleLine(const std::string& file_name, std::optional<int> build,
                       std::optional<int> api) {
  std::string line = "Module " + file_name + " ";
  if (line.size() < kPaddedWidth) line.append(kPaddedWidth - line.size(), '.');
  return line + " [Build " + NumberText(build) + ", API " + NumberText(api) +
         "]";
}

}  // namespace formats
