#include "analysis/class_file_check.h"

#include <string>
#include <string_view>

#include "analysis/end_of_file_check.h"
#include "analysis/key_suggestion.h"
#include "formats/item_file.h"
#include "formats/text_encoding.h"
#include "vessel/class_file.h"

namespace analysis {

namespace {

namespace fs = std::filesystem;
using Fault = formats::HullReading::Fault;

constexpr const char* kContactItems[] = {"TouchdownPoints", "CollisionHull"};

// The folder that holds the Config folder `path` lies in, if any.
std::optional<fs::path> HostFolderOf(const fs::path& path) {
  const fs::path absolute = fs::absolute(path).lexically_normal();
  for (fs::path folder = absolute.parent_path(); folder.has_relative_path();
       folder = folder.parent_path()) {
    if (formats::FoldCase(formats::ShownPath(folder.filename())) == "config") {
      return folder.parent_path();
    }
  }
  return std::nullopt;
}

// 1-based column where the value of line `number` of `text` starts.
int ValueColumn(std::string_view text, int number) {
  const auto lines = formats::SplitItemLines(formats::TextModeContent(text));
  if (number < 1 || static_cast<std::size_t>(number) > lines.size()) return 1;
  const std::string_view line = lines[static_cast<std::size_t>(number) - 1];
  std::size_t at = line.find('=');
  if (at == std::string_view::npos) return 1;
  at = line.find_first_not_of(" \t", at + 1);
  return static_cast<int>(at == std::string_view::npos ? line.size() : at) + 1;
}

class ClassChecker {
 public:
  ClassChecker(std::string file_name, const std::string& text,
               files::FileSystem& files, const fs::path& host_folder)
      : file_(std::move(file_name)), text_(text), items_(text) {
    vessel::ReadClassItems(files, host_folder, text, class_);
  }

  std::vector<Diagnostic> Run() {
    if (auto end = CheckEndOfFileByte(file_, text_)) {
      found_.push_back(std::move(*end));
    }
    CheckSpelling();
    CheckTouchdownPoints();
    CheckHull();
    return std::move(found_);
  }

 private:
  void Add(int line, int column, Severity severity, std::string message,
           std::string code) {
    found_.push_back(
        {file_, line, column, severity, std::move(message), std::move(code)});
  }

  // The points the vessel has from its class file, in the host's order.
  std::string PointsKept() const {
    std::string kept;
    if (class_.touchdown.value) {
      kept = "the three points of TouchdownPoints (line " +
             std::to_string(class_.touchdown.line) + ")";
    } else if (class_.hull && class_.hull->Accepted()) {
      kept = "the " + std::to_string(class_.hull->reading.points.size()) +
             " points of its CollisionHull";
    } else {
      kept = "the host's default points";
    }
    if (class_.module.value) {
      kept += ", unless its module (" + *class_.module.value +
              ") sets others in code";
    }
    return kept;
  }

  // A key a slip away from a contact item, which the host never reads.
  void CheckSpelling() {
    const auto lines = items_.lines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].kind != formats::ItemFile::Line::Kind::kItem) return;
      const std::string folded = formats::FoldCase(lines[i].key);
      for (const char* item : kContactItems) {
        const std::string wanted = formats::FoldCase(item);
        if (folded == wanted || EditDistance(folded, wanted) > 2) continue;
        Add(static_cast<int>(i) + 1, 1, Severity::kWarning,
            "'" + lines[i].key + "' is probably '" + item +
                "', an item the host knows only as spelled (in any case); "
                "it never reads this line, and the vessel gets " +
                PointsKept(),
            "contact-item-misspelt");
      }
    }
  }

  void CheckTouchdownPoints() {
    const auto lookup = items_.Find("TouchdownPoints");
    if (lookup.result == formats::ItemFile::Lookup::Result::kNotFound) return;
    const std::size_t count = formats::ParseItemReals(lookup.value, 10).size();
    const int column = ValueColumn(text_, lookup.line);
    if (count > 9) {
      Add(lookup.line, column, Severity::kWarning,
          "TouchdownPoints holds more than nine numbers; the host reads the "
          "first nine (x y z of three points) and ignores the rest",
          "touchdown-points-count");
    } else if (!class_.touchdown.value) {
      Add(lookup.line, column, Severity::kError,
          "TouchdownPoints holds " + std::to_string(count) +
              " number(s), not nine (x y z of three points); the host "
              "ignores it without a word, and the vessel gets " +
              PointsKept(),
          "touchdown-points-count");
    }
  }

  void CheckHull() {
    if (!class_.hull) return;
    const vessel::ClassHull& hull = *class_.hull;
    const int column = ValueColumn(text_, hull.line);
    const std::string dropped =
        "the host drops the whole hull without a word, and the vessel gets " +
        PointsKept();
    if (hull.disk_path.empty()) {
      Add(hull.line, column, Severity::kError,
          "CollisionHull names " + hull.file +
              ", which does not exist (the host adds \".dat\" to the name); " +
              dropped,
          "hull-missing");
      return;
    }
    if (hull.reading.fault != Fault::kNone) {
      ReportHullFault(hull, "(CollisionHull of " + file_ + ":" +
                                std::to_string(hull.line) + "): " + dropped);
      return;
    }
    if (class_.touchdown.value) {
      Add(hull.line, column, Severity::kWarning,
          "the host reads this hull of " +
              std::to_string(hull.reading.points.size()) +
              " points first and TouchdownPoints (line " +
              std::to_string(class_.touchdown.line) +
              ") after it, which replaces it: the vessel gets the three "
              "points of TouchdownPoints. Remove one of the two",
          "hull-replaced");
    }
  }

  void ReportHullFault(const vessel::ClassHull& hull,
                       const std::string& consequence) {
    const formats::HullReading& r = hull.reading;
    const std::string point = "point " + std::to_string(r.line - 1);
    std::string what;
    std::string code;
    switch (r.fault) {
      case Fault::kNone:
        return;
      case Fault::kNoCount:
        what = "the first line must give the number of points, and '" + r.text +
               "' does not start with a whole number";
        code = "hull-count";
        break;
      case Fault::kCountTooSmall:
        what = "the hull has " + std::to_string(r.count) +
               " point(s); the host needs at least 3";
        code = "hull-count";
        break;
      case Fault::kLongLine:
        what = "this line has " + std::to_string(r.text.size()) +
               " characters; the host reads lines of at most " +
               std::to_string(formats::HullReading::kLongLine - 1) +
               ", and every read after a longer one fails";
        code = "hull-long-line";
        break;
      case Fault::kShortLine: {
        const std::string_view line = r.text;
        const std::size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string_view::npos) {
          what = "this line is blank, where " + point +
                 " must be (the file has no blank lines among its points)";
        } else if (line[first] == ';') {
          what = "this line is a comment, where " + point +
                 " must be (a hull file has no comments)";
        } else {
          what = point + " holds fewer than 3 numbers; it needs x y z";
        }
        code = "hull-short-line";
        break;
      }
      case Fault::kMissingLine:
        what = "the first line gives " + std::to_string(r.count) +
               " points, but the file ends after " +
               std::to_string(r.line - 2) + " of them";
        code = "hull-missing-points";
        break;
    }
    const int line = r.fault == Fault::kMissingLine ? 1 : r.line;
    found_.push_back({formats::ShownPath(hull.disk_path), line, 1,
                      Severity::kError, what + " " + consequence, code});
  }

  std::string file_;
  const std::string& text_;
  formats::ItemFile items_;
  vessel::ClassFile class_;
  std::vector<Diagnostic> found_;
};

}  // namespace

bool IsClassFilePath(const fs::path& path) {
  const fs::path absolute = fs::absolute(path).lexically_normal();
  for (fs::path folder = absolute.parent_path(); folder.has_relative_path();
       folder = folder.parent_path()) {
    if (formats::FoldCase(formats::ShownPath(folder.filename())) == "vessels" &&
        formats::FoldCase(
            formats::ShownPath(folder.parent_path().filename())) == "config") {
      return true;
    }
  }
  return false;
}

std::vector<Diagnostic> CheckClassFile(files::FileSystem& files,
                                       const fs::path& host_folder,
                                       const fs::path& path, bool* unreadable) {
  const std::string name = formats::ShownPath(path);
  std::string reason;
  const auto text = files.ReadFile(path, &reason);
  if (!text) {
    if (unreadable != nullptr) *unreadable = true;
    return {{name, 0, 0, Severity::kError, "cannot read the file: " + reason,
             "unreadable"}};
  }
  return ClassChecker(name, *text, files,
                      HostFolderOf(path).value_or(host_folder))
      .Run();
}

}  // namespace analysis
