#include "definition_check.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <string>

#include "ground_plane.h"
#include "item_file.h"
#include "key_suggestion.h"
#include "point_values.h"
#include "vantrel.h"

namespace {

using standin::ItemFile;
using Result = ItemFile::Lookup::Result;

// The host copies at most this many characters of a value.
constexpr std::size_t kMaxValueLength = 255;

std::string Number(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

// A key as a message quotes it: at most kShownKeyLength characters, and
// bytes that are not printable ASCII written as \xNN, so that a binary file
// does not fill the terminal with garbage.
std::string KeyExcerpt(std::string_view key) {
  constexpr std::size_t kShownKeyLength = 32;
  std::string shown;
  for (std::size_t i = 0; i < key.size() && i < kShownKeyLength; ++i) {
    const unsigned char byte = static_cast<unsigned char>(key[i]);
    if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
      shown += key[i];
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      shown += escaped;
    }
  }
  if (key.size() > kShownKeyLength) {
    shown += "... (" + std::to_string(key.size()) + " bytes)";
  }
  return shown;
}

// 1-based column where the value of an item line starts.
int ValueColumn(std::string_view raw) {
  std::size_t position = raw.find('=');
  if (position == std::string_view::npos) return 1;
  ++position;
  while (position < raw.size() &&
         (raw[position] == ' ' || raw[position] == '\t')) {
    ++position;
  }
  return static_cast<int>(position) + 1;
}

// What the module reads for one point, and from where.
struct PointSource {
  int line = 0;    // line of the POINT text; 0 for the initial "0"
  long index = 0;  // the point whose text it is; 0 for the initial "0"
  PointValues values;
};

class Checker {
 public:
  Checker(std::string_view file_name, std::string_view text)
      : file_(file_name), items_(text), raw_(standin::SplitItemLines(text)) {}

  std::vector<Diagnostic> Run() {
    CheckLines();
    if (const auto count = CheckCount()) CheckPoints(*count);
    std::stable_sort(found_.begin(), found_.end(),
                     [](const Diagnostic& a, const Diagnostic& b) {
                       return a.line != b.line ? a.line < b.line
                                               : a.column < b.column;
                     });
    return std::move(found_);
  }

 private:
  void Add(int line, int column, Severity severity, std::string message,
           std::string code) {
    found_.push_back({std::string(file_), line, column, severity,
                      std::move(message), std::move(code)});
  }

  // The end of what the reader searches, and every line's key.
  void CheckLines() {
    const auto& lines = items_.lines();
    std::map<std::string, int> first_line;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const ItemFile::Line& line = lines[i];
      const int number = static_cast<int>(i) + 1;
      if (line.kind == ItemFile::Line::Kind::kTooLong) {
        Add(number, 0, Severity::kWarning,
            "this line is longer than " +
                std::to_string(ItemFile::kMaxLineLength) +
                " characters; the host's reader stops here and never reads "
                "this line or any after it",
            "unreachable");
        return;
      }
      if (line.kind == ItemFile::Line::Kind::kEndParse) {
        ReportItemsAfter(i, number);
        return;
      }
      if (line.key.empty() && !line.has_equals) continue;
      const std::string folded = standin::FoldCase(line.key);
      const auto earlier = first_line.emplace(folded, number);
      if (!earlier.second) {
        Add(number, 1, Severity::kWarning,
            KeyExcerpt(line.key) + " is given again; only the first, on line " +
                std::to_string(earlier.first->second) + ", counts",
            "duplicate-key");
        continue;
      }
      if (line.value.size() > kMaxValueLength) {
        Add(number, ValueColumn(raw_[i]), Severity::kWarning,
            "the value is " + std::to_string(line.value.size()) +
                " characters long; the host's buffer holds " +
                std::to_string(kMaxValueLength),
            "value-too-long");
      }
      if (folded == "n") continue;
      if (const auto index = PointIndexOfKey(line.key)) {
        point_lines_.emplace(*index, number);
        continue;
      }
      std::string message = "unknown key '" + KeyExcerpt(line.key) + "'";
      if (const auto suggestion = SuggestKey(line.key)) {
        message += "; did you mean '" + *suggestion + "'?";
      } else {
        message += "; the module reads only N and POINT_1 to POINT_N";
      }
      if (!line.has_equals) message += " (the line has no '=')";
      Add(number, 1, Severity::kWarning, message, "unknown-key");
    }
  }

  void ReportItemsAfter(std::size_t end_parse, int end_line) {
    const auto& lines = items_.lines();
    for (std::size_t i = end_parse + 1; i < lines.size(); ++i) {
      if (lines[i].key.empty() && !lines[i].has_equals) continue;
      Add(static_cast<int>(i) + 1, 1, Severity::kWarning,
          "the host's reader never reaches this line: it stops at END_PARSE "
          "on line " +
              std::to_string(end_line),
          "unreachable");
      return;
    }
  }

  // The point count when the module accepts it.
  std::optional<int> CheckCount() {
    const auto lookup = items_.Find("N");
    count_line_ = std::max(lookup.line, 1);
    if (lookup.result == Result::kNotFound) {
      Add(1, 0, Severity::kError,
          "there is no N; the module reads 0 points and ignores the file",
          "n-missing");
      return std::nullopt;
    }
    if (lookup.result == Result::kEmptyValue) {
      Add(lookup.line, 1, Severity::kError,
          "N has no value; the module reads 0 points and ignores the file",
          "n-missing");
      return std::nullopt;
    }
    int count = 0;
    const int column = ValueColumn(raw_[lookup.line - 1]);
    if (!standin::ParseItemInt(lookup.value, count)) {
      Add(lookup.line, column, Severity::kError,
          "N = '" + lookup.value +
              "' is not a number; the module reads 0 points and ignores "
              "the file",
          "n-missing");
      return std::nullopt;
    }
    if (count < 3) {
      Add(lookup.line, column, Severity::kError,
          "N = " + std::to_string(count) +
              ": a definition needs at least 3 points; the module ignores "
              "the file and looks further (the class, or nothing)",
          "n-too-small");
      return std::nullopt;
    }
    if (count > Vantrel::kMaxPoints) {
      Add(lookup.line, column, Severity::kError,
          "N = " + std::to_string(count) + " is more than " +
              std::to_string(Vantrel::kMaxPoints) +
              ", the most the module takes; it ignores the file",
          "n-too-large");
      return std::nullopt;
    }
    return count;
  }

  void CheckPoints(int count) {
    for (const auto& [index, line] : point_lines_) {
      if (index <= count) continue;
      Add(line, 1, Severity::kWarning,
          "POINT_" + std::to_string(index) + " is beyond N = " +
              std::to_string(count) + "; the module never reads it",
          "point-beyond-n");
    }
    PointSource current;
    current.values = ReadPointValues("0");
    std::vector<PointSource> sources;
    long missing_from = 0;
    for (long i = 1; i <= count; ++i) {
      const std::string key = "POINT_" + std::to_string(i);
      const auto lookup = items_.Find(key);
      if (lookup.result == Result::kFound) {
        ReportMissing(missing_from, i - 1, current);
        missing_from = 0;
        current.line = lookup.line;
        current.index = i;
        current.values = ReadPointValues(
            std::string_view(lookup.value).substr(0, kMaxValueLength));
        CheckPointText(i, current);
      } else if (lookup.result == Result::kEmptyValue) {
        ReportMissing(missing_from, i - 1, current);
        missing_from = 0;
        Add(lookup.line, 1, Severity::kWarning,
            key + " has no value; the module " + Repeats(current),
            "point-missing");
      } else if (missing_from == 0) {
        missing_from = i;
      }
      sources.push_back(current);
    }
    ReportMissing(missing_from, count, current);
    CheckCompletion(sources);
    CheckStance(sources);
  }

  static std::string Repeats(const PointSource& source) {
    if (source.line == 0) {
      return "reads the text \"0\" instead: every value is 0";
    }
    return "repeats POINT_" + std::to_string(source.index) + " (line " +
           std::to_string(source.line) + ")";
  }

  void ReportMissing(long from, long to, const PointSource& current) {
    if (from == 0) return;
    const std::string first = "POINT_" + std::to_string(from);
    const std::string message =
        from == to
            ? first + " is missing; the module " + Repeats(current)
            : first + " to POINT_" + std::to_string(to) +
                  " are missing; for each the module " + Repeats(current);
    Add(count_line_, 1, Severity::kWarning, message, "point-missing");
  }

  void CheckPointText(long index, const PointSource& source) {
    const std::string_view raw = raw_[source.line - 1];
    const int column = ValueColumn(raw);
    const std::string key = "POINT_" + std::to_string(index);
    if (source.values.stop) {
      Add(source.line, column + static_cast<int>(*source.values.stop),
          Severity::kWarning, "reading stops here; later values are 0",
          "stops-reading");
    }
    if (source.values.values.size() < 3) {
      Add(source.line, column, Severity::kError,
          key + " has " + std::to_string(source.values.values.size()) +
              " number(s); x, y and z need 3 (the missing ones are 0)",
          "point-short");
    }
    for (std::size_t k = 0; k < source.values.values.size(); ++k) {
      if (std::isfinite(source.values.values[k])) continue;
      Add(source.line, column + static_cast<int>(source.values.offsets[k]),
          Severity::kWarning,
          key + " holds " + Number(source.values.values[k]) +
              ", which is not a finite number; the module hands it to the "
              "host as it is",
          "not-finite");
      break;
    }
    if (index >= 4 && source.values.values.size() == PointValues::kMaxValues) {
      Add(source.line, column + static_cast<int>(source.values.offsets[6]),
          Severity::kWarning,
          "from point 4 on the seventh number is ignored; the longitudinal "
          "friction equals the lateral one (" +
              Number(source.values.At(5)) + ")",
          "ignored-seventh");
    }
  }

  // Completion is decided on the first point and written into every point.
  void CheckCompletion(const std::vector<PointSource>& sources) {
    const PointValues& first = sources.front().values;
    const bool springs = first.At(3) == 0.0 || first.At(4) == 0.0;
    const bool friction = first.At(5) == 0.0;
    for (std::size_t i = 1; i < sources.size(); ++i) {
      const PointSource& source = sources[i];
      // A repeated text is reported once, at the point that wrote it.
      if (source.index != static_cast<long>(i) + 1) continue;
      const PointValues& values = source.values;
      std::string overwritten;
      if (springs && (values.At(3) != 0.0 || values.At(4) != 0.0)) {
        overwritten = "stiffness and damping (set from the vessel's mass)";
      }
      if (friction && values.At(5) != 0.0) {
        overwritten += (overwritten.empty() ? "" : " and ") +
                       std::string("friction (set to 3.0)");
      }
      if (!overwritten.empty()) {
        Add(source.line, 1, Severity::kWarning,
            "completion overwrites the " + overwritten +
                " given here, because the first point's " +
                (springs ? "stiffness or damping" : "lateral friction") +
                " is 0",
            "completion-overwrites");
      }
      if (!friction && values.At(5) == 0.0) {
        Add(source.line, 1, Severity::kWarning,
            "this point's friction is 0 and completion does not fill it, "
            "because the first point's friction (" +
                Number(first.At(5)) + ") is not 0",
            "friction-not-filled");
      }
    }
  }

  void CheckStance(const std::vector<PointSource>& sources) {
    VECTOR3 p[3];
    for (int i = 0; i < 3; ++i) {
      const PointValues& values = sources[static_cast<std::size_t>(i)].values;
      p[i].x = values.At(0);
      p[i].y = values.At(1);
      p[i].z = values.At(2);
    }
    // A value that is not finite makes no plane; it has a warning of its
    // own.
    for (const VECTOR3& point : p) {
      if (!std::isfinite(point.x) || !std::isfinite(point.y) ||
          !std::isfinite(point.z)) {
        return;
      }
    }
    const int line = sources[0].line > 0 ? sources[0].line : count_line_;
    switch (StanceOf(GroundNormal(p[0], p[1], p[2]))) {
      case Stance::kUpright:
        break;
      case Stance::kNoPlane:
        Add(line, 1, Severity::kWarning,
            "the first three points lie in a line; the host cannot make a "
            "ground plane from them and ignores it",
            "collinear");
        break;
      case Stance::kUpsideDown:
        Add(line, 1, Severity::kWarning,
            "the first three points give a downward normal: the vessel "
            "stands upside down (swap POINT_2 and POINT_3, or check the "
            "signs of y)",
            "upside-down");
        break;
    }
  }

  std::string_view file_;
  ItemFile items_;
  std::vector<std::string_view> raw_;
  std::vector<Diagnostic> found_;
  std::map<long, int> point_lines_;  // POINT index -> line, first only
  int count_line_ = 1;
};

bool EndsWithCfg(std::string_view name) {
  return name.size() >= 4 &&
         standin::FoldCase(name.substr(name.size() - 4)) == ".cfg";
}

}  // namespace

std::vector<Diagnostic> CheckDefinition(std::string_view file_name,
                                        std::string_view text) {
  return Checker(file_name, text).Run();
}

std::vector<Diagnostic> CheckDefinitionFileName(
    std::string_view file_name, std::string_view path_below_vantrel) {
  std::vector<Diagnostic> found;
  auto add = [&](std::string message) {
    found.push_back({std::string(file_name), 0, 0, Severity::kWarning,
                     std::move(message), "file-name"});
  };
  if (!EndsWithCfg(path_below_vantrel)) {
    add("the module reads only files named <key>.cfg; no key reaches this "
        "file");
    return found;
  }
  const std::string_view forbidden = "<>:\"|?*";
  for (char c : path_below_vantrel) {
    if (forbidden.find(c) != std::string_view::npos ||
        static_cast<unsigned char>(c) < 0x20) {
      add("the name holds a character Windows does not allow in file names; "
          "the host can never open this file");
      return found;
    }
  }
  const std::size_t slash = path_below_vantrel.rfind('/');
  if (slash != std::string_view::npos) {
    std::string key(
        path_below_vantrel.substr(0, path_below_vantrel.size() - 4));
    std::string with_slash = key;
    std::string underscores;
    for (char& c : key) c = c == '/' ? '\\' : c;
    for (char c : with_slash)
      underscores += c == '/' ? std::string("___") : std::string(1, c);
    add("this file lies in a folder below Config/Vantrel, so only a key "
        "holding '\\' reaches it (" +
        key + "); a vessel or class named " + with_slash + " reads " +
        underscores + ".cfg");
  }
  return found;
}
