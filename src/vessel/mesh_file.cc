#include "vessel/mesh_file.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace vessel {

namespace {

// The lines of a mesh with their numbers, comments and blanks dropped.
class MeshLines {
 public:
  explicit MeshLines(std::string_view text) : text_(text) {}

  // The next line that holds anything, trimmed, with its number; nothing
  // at the end of the file.
  std::optional<std::string_view> Next() {
    while (at_ < text_.size()) {
      std::size_t end = text_.find('\n', at_);
      if (end == std::string_view::npos) end = text_.size();
      std::string_view line = text_.substr(at_, end - at_);
      at_ = end + 1;
      ++number_;
      line = line.substr(0, line.find(';'));
      const std::size_t first = line.find_first_not_of(" \t\r\f\v");
      if (first == std::string_view::npos) continue;
      const std::size_t last = line.find_last_not_of(" \t\r\f\v");
      return line.substr(first, last - first + 1);
    }
    number_ = LineCount();
    return std::nullopt;
  }

  // The number of the line Next gave last; at the end, of the last line.
  int number() const { return number_; }

 private:
  int LineCount() const {
    int lines = 0;
    for (char c : text_) lines += c == '\n';
    const bool open_last = !text_.empty() && text_.back() != '\n';
    return lines + (open_last ? 1 : 0);
  }

  std::string_view text_;
  std::size_t at_ = 0;
  int number_ = 0;
};

std::vector<std::string> Words(std::string_view line) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while (at < line.size()) {
    const std::size_t start = line.find_first_not_of(" \t\r\f\v", at);
    if (start == std::string_view::npos) break;
    std::size_t end = line.find_first_of(" \t\r\f\v", start);
    if (end == std::string_view::npos) end = line.size();
    words.emplace_back(line.substr(start, end - start));
    at = end;
  }
  return words;
}

std::string Upper(std::string word) {
  for (char& c : word) {
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return word;
}

// A count: a whole number from 0 up, written in full.
std::optional<long> Count(const std::string& word) {
  if (word.empty() || !std::isdigit(static_cast<unsigned char>(word[0]))) {
    return std::nullopt;
  }
  errno = 0;
  char* end = nullptr;
  const long value = std::strtol(word.c_str(), &end, 10);
  if (*end != '\0' || errno == ERANGE) return std::nullopt;
  return value;
}

std::optional<double> Real(const std::string& word) {
  char* end = nullptr;
  const double value = std::strtod(word.c_str(), &end);
  if (end == word.c_str() || *end != '\0' || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

// A keyword line of a group's header: a word of letters and '_'.
bool IsKeyword(const std::string& word) {
  if (word.empty()) return false;
  for (char c : word) {
    if (!std::isalpha(static_cast<unsigned char>(c)) && c != '_') return false;
  }
  return true;
}

class MeshParser {
 public:
  MeshParser(std::string_view file_name, std::string_view text)
      : file_(file_name), lines_(text) {}

  std::optional<Mesh> Parse(std::string* error) {
    const bool read = ReadHeader() && ReadGroups();
    if (!read) {
      if (error != nullptr) *error = std::move(error_);
      return std::nullopt;
    }
    return std::move(mesh_);
  }

 private:
  bool Fail(const std::string& message) {
    error_ = std::string(file_) + ":" + std::to_string(lines_.number()) + ": " +
             message;
    return false;
  }

  bool ReadHeader() {
    const auto first = lines_.Next();
    if (!first) return Fail("the file is empty; a mesh starts with MSHX1");
    if (*first != "MSHX1") {
      return Fail("not a mesh: the first line is '" + std::string(*first) +
                  "', where a mesh file has MSHX1");
    }
    const auto groups = lines_.Next();
    const std::vector<std::string> words =
        groups ? Words(*groups) : std::vector<std::string>{};
    const auto count = words.size() == 2 && Upper(words[0]) == "GROUPS"
                           ? Count(words[1])
                           : std::nullopt;
    if (!count) {
      return Fail(groups ? "expected GROUPS and the number of groups, found '" +
                               std::string(*groups) + "'"
                         : "the file ends before GROUPS");
    }
    group_count_ = *count;
    return true;
  }

  bool ReadGroups() {
    for (long g = 1; g <= group_count_; ++g) {
      if (!ReadGroup(g)) return false;
    }
    return true;
  }

  std::string GroupName(long g) const {
    return "group " + std::to_string(g) + " of " + std::to_string(group_count_);
  }

  bool ReadGroup(long g) {
    MeshGroup group;
    std::vector<std::string> words;
    for (;;) {
      const auto line = lines_.Next();
      if (!line)
        return Fail("the file ends before the GEOM of " + GroupName(g));
      words = Words(*line);
      const std::string keyword = Upper(words[0]);
      if (keyword == "GEOM") break;
      if (!IsKeyword(words[0])) {
        return Fail("expected the GEOM line of " + GroupName(g) + ", found '" +
                    std::string(*line) +
                    "'; does the GEOM line before give too few vertices or "
                    "triangles?");
      }
      if (keyword == "LABEL") {
        group.label = words.size() > 1 ? words[1] : "";
      } else if (keyword == "FLAG") {
        char* end = nullptr;
        const unsigned long flags =
            words.size() == 2 ? std::strtoul(words[1].c_str(), &end, 16) : 0;
        if (words.size() != 2 || *end != '\0') {
          return Fail("FLAG of " + GroupName(g) +
                      " is not one hexadecimal number: '" + std::string(*line) +
                      "'");
        }
        group.flags = flags;
      }
    }
    group.line = lines_.number();
    const auto vertices = words.size() >= 3 ? Count(words[1]) : std::nullopt;
    const auto triangles = words.size() >= 3 ? Count(words[2]) : std::nullopt;
    if (!vertices || !triangles) {
      return Fail("GEOM of " + GroupName(g) +
                  " needs the number of vertices and of triangles");
    }
    for (long v = 0; v < *vertices; ++v) {
      const auto line = lines_.Next();
      if (!line) {
        return Fail("the file ends after " + std::to_string(v) + " of the " +
                    std::to_string(*vertices) + " vertices of " + GroupName(g) +
                    " (GEOM at line " + std::to_string(group.line) + ")");
      }
      const std::vector<std::string> numbers = Words(*line);
      std::optional<double> xyz[3];
      for (std::size_t k = 0; k < 3 && k < numbers.size(); ++k) {
        xyz[k] = Real(numbers[k]);
      }
      if (!xyz[0] || !xyz[1] || !xyz[2]) {
        return Fail("vertex " + std::to_string(v) + " of " + GroupName(g) +
                    " is not x y z in metres: '" + std::string(*line) + "'");
      }
      group.vertices.push_back({{*xyz[0], *xyz[1], *xyz[2]}, lines_.number()});
    }
    for (long t = 0; t < *triangles; ++t) {
      const auto line = lines_.Next();
      if (!line) {
        return Fail("the file ends after " + std::to_string(t) + " of the " +
                    std::to_string(*triangles) + " triangles of " +
                    GroupName(g) + " (GEOM at line " +
                    std::to_string(group.line) + ")");
      }
      const std::vector<std::string> indices = Words(*line);
      bool valid = indices.size() >= 3;
      for (std::size_t k = 0; valid && k < 3; ++k) {
        const auto index = Count(indices[k]);
        valid = index && *index < *vertices;
      }
      if (!valid) {
        return Fail("triangle " + std::to_string(t) + " of " + GroupName(g) +
                    " is not three vertex numbers from 0 to " +
                    std::to_string(*vertices - 1) + ": '" + std::string(*line) +
                    "'");
      }
    }
    mesh_.groups.push_back(std::move(group));
    return true;
  }

  std::string_view file_;
  MeshLines lines_;
  long group_count_ = 0;
  Mesh mesh_;
  std::string error_;
};

}  // namespace

std::string MeshPath(const std::string& mesh_name) {
  return "Meshes\\" + mesh_name + ".msh";
}

std::optional<Mesh> ParseMesh(std::string_view file_name, std::string_view text,
                              std::string* error) {
  return MeshParser(file_name, text).Parse(error);
}

}  // namespace vessel
