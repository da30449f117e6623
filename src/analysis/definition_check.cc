#include "analysis/definition_check.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <string>

#include "analysis/cog_hold_check.h"
#include "analysis/definition_reading.h"
#include "analysis/end_of_file_check.h"
#include "analysis/key_suggestion.h"
#include "analysis/physics_points.h"
#include "analysis/verdict_text.h"
#include "formats/item_file.h"
#include "formats/number_text.h"
#include "physics/ground_plane.h"
#include "rules/definition_rules.h"

namespace analysis {

namespace {

using formats::ItemFile;
using Result = ItemFile::Lookup::Result;

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

// The three bytes a UTF-8 file may start with, which Notepad writes. The
// host's reader takes them as part of the first line's key.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool StartsWithByteOrderMark(const ItemFile::Line& line) {
  return line.key.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0;
}

using PointSource = PointRead;

class Checker {
 public:
  Checker(std::string_view file_name, std::string_view text)
      : file_(file_name),
        items_(std::string(text)),
        raw_(formats::SplitItemLines(text)) {}

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
      if (i == 0 && StartsWithByteOrderMark(line)) {
        ReportByteOrderMark(line);
        continue;
      }
      if (line.key.empty() && !line.has_equals) continue;
      const std::string folded = formats::FoldCase(line.key);
      const auto earlier = first_line.emplace(folded, number);
      if (!earlier.second) {
        Add(number, 1, Severity::kWarning,
            KeyExcerpt(line.key) + " is given again; only the first, on line " +
                std::to_string(earlier.first->second) + ", counts",
            "duplicate-key");
        continue;
      }
      if (folded == "n") continue;
      if (const auto index = PointIndexOfKey(line.key)) {
        point_lines_.emplace(*index, number);
        continue;
      }
      ReportUnknownKey(line, number);
    }
  }

  // An unknown key, with the key probably meant. A line without '=' whose
  // key ends at a ':' was most likely meant as "KEY = ...".
  void ReportUnknownKey(const ItemFile::Line& line, int number) {
    std::string_view written = line.key;
    const std::size_t colon =
        line.has_equals ? std::string_view::npos : written.find(':');
    if (colon != std::string_view::npos) {
      written = written.substr(0, colon);
      while (!written.empty() &&
             (written.back() == ' ' || written.back() == '\t')) {
        written.remove_suffix(1);
      }
    }
    std::string message = "unknown key '" + KeyExcerpt(line.key) + "'";
    const auto suggestion = SuggestKey(written);
    if (suggestion) {
      std::string slips = DescribeLookAlikes(written, *suggestion);
      if (colon != std::string_view::npos) {
        slips += (slips.empty() ? "" : " and ") + std::string("':' for '='");
      }
      message += "; did you mean '" + *suggestion + "'?";
      if (!slips.empty()) message += " (" + slips + ")";
      if (const auto index = PointIndexOfKey(*suggestion)) {
        typo_candidates_.push_back({number, *index, std::string(written),
                                    *suggestion, colon, slips, ""});
      }
    } else {
      message += "; the module reads only N and POINT_1 to POINT_N";
    }
    if (!line.has_equals && colon == std::string_view::npos) {
      message += " (the line has no '=')";
    }
    Add(number, 1, Severity::kWarning, message, "unknown-key");
  }

 public:
  // A mistyped key that leaves a point missing: the line meant as it.
  struct Typo {
    int line = 0;
    long index = 0;
    std::string written;                         // the key as written
    std::string meant;                           // POINT_i
    std::size_t colon = std::string_view::npos;  // a ':' for '=', if any
    std::string slips;
    std::string missing;  // what the module does for the missing point
  };

  // After Run: the typos of keys that leave a point of the count missing,
  // the first one for each point.
  std::vector<Typo> Typos() const {
    std::vector<Typo> typos;
    std::map<long, bool> taken;
    for (Typo typo : typo_candidates_) {
      const auto missing = missing_.find(typo.index);
      if (missing == missing_.end() || taken[typo.index]) continue;
      taken[typo.index] = true;
      typo.missing = missing->second;
      typos.push_back(std::move(typo));
    }
    return typos;
  }

 private:
  void ReportByteOrderMark(const ItemFile::Line& line) {
    const std::string key = line.key.substr(kByteOrderMark.size());
    if (key.empty() && !line.has_equals) return;
    Add(1, 1, Severity::kWarning,
        "the file starts with a UTF-8 byte-order mark (Notepad writes one); "
        "the host reads it as part of the key, so this line's key is not '" +
            key +
            "' and the module never reads it. Save the file without the "
            "mark (in Notepad: Save As, Encoding ANSI)",
        "byte-order-mark");
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
    using Verdict = CountReading::Verdict;
    const auto lookup = items_.Find("N");
    count_line_ = std::max(lookup.line, 1);
    const CountReading count = ReadCount(lookup);
    const bool read = count.verdict != Verdict::kNoN &&
                      count.verdict != Verdict::kNoValue &&
                      count.verdict != Verdict::kNotANumber;
    const int column = count.verdict == Verdict::kNoN ? 0
                       : count.verdict == Verdict::kNoValue
                           ? 1
                           : ValueColumn(raw_[lookup.line - 1]);
    const std::size_t digits = lookup.value.find_first_not_of(
        "0123456789", lookup.value[0] == '+' || lookup.value[0] == '-');
    if (read && digits != std::string::npos) {
      Add(lookup.line, column, Severity::kWarning,
          "N = '" + lookup.value + "' is not a whole number; the host reads " +
              std::to_string(count.n) + " from it (write N = " +
              std::to_string(count.n) + " if that is meant)",
          "n-not-whole");
    }
    if (read && count.wrapped) {
      Add(lookup.line, column, Severity::kWarning,
          "N = '" + lookup.value +
              "' lies beyond the range of the host's 32-bit integers; its "
              "reader wraps the number around and reads " +
              std::to_string(count.n) +
              " (write N = " + std::to_string(count.n) + " if that is meant)",
          "n-wraps");
    }
    if (count.verdict == Verdict::kCounts) return count.n;
    const char* code = count.verdict == Verdict::kTooFew    ? "n-too-small"
                       : count.verdict == Verdict::kTooMany ? "n-too-large"
                                                            : "n-missing";
    Add(count_line_, column, Severity::kError,
        CountProblemText(count) + MissingCountFix(count), code);
    return std::nullopt;
  }

  // The line to add for an N that is missing, when the file gives points
  // and no finding so far says that the reader missed an N written.
  std::string MissingCountFix(const CountReading& count) const {
    if (count.verdict != CountReading::Verdict::kNoN || point_lines_.empty()) {
      return "";
    }
    const bool hidden =
        std::any_of(found_.begin(), found_.end(), [](const Diagnostic& d) {
          return d.code == "byte-order-mark" || d.code == "unknown-key" ||
                 d.code == "unreachable";
        });
    if (hidden) return "";
    const std::string last = std::to_string(point_lines_.rbegin()->first);
    return ": add the line N = " + last + " (POINT_" + last +
           " is the last point the file gives)";
  }

  void CheckPoints(int count) {
    for (const auto& [index, line] : point_lines_) {
      if (index <= count) continue;
      Add(line, 1, Severity::kWarning,
          "POINT_" + std::to_string(index) + " is beyond N = " +
              std::to_string(count) + "; the module never reads it",
          "point-beyond-n");
    }
    // A point whose item is missing or empty holds the text it repeats.
    const std::vector<PointSource> sources = ReadPoints(items_, count);
    long missing_from = 0;
    for (long i = 1; i <= count; ++i) {
      const PointSource& read = sources[static_cast<std::size_t>(i - 1)];
      const std::string key = "POINT_" + std::to_string(i);
      if (read.lookup.result == Result::kFound) {
        ReportMissing(missing_from, i - 1, sources);
        missing_from = 0;
        CheckPointText(i, read);
      } else if (read.lookup.result == Result::kEmptyValue) {
        ReportMissing(missing_from, i - 1, sources);
        missing_from = 0;
        Add(read.lookup.line, 1, Severity::kWarning,
            key + " has no value; the module " + Repeats(read),
            "point-missing");
      } else if (missing_from == 0) {
        missing_from = i;
      }
    }
    ReportMissing(missing_from, count, sources);
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

  // Points `from` to `to` are missing: each repeats the same text.
  void ReportMissing(long from, long to,
                     const std::vector<PointSource>& sources) {
    if (from == 0) return;
    const PointSource& current = sources[static_cast<std::size_t>(from - 1)];
    for (long i = from; i <= to; ++i) missing_[i] = Repeats(current);
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
    const rules::PointText& point = source.values;
    if (point.stop >= 0 && point.stop_end > point.stop) {
      ReportMalformed(source, column);
    } else if (point.stop >= 0) {
      Add(source.line, column + point.stop, Severity::kWarning,
          "reading stops here; later values are 0", "stops-reading");
    }
    if (point.count < 3) {
      Add(source.line, column, Severity::kError,
          key + " has " + std::to_string(point.count) +
              " number(s); x, y and z need 3 (the missing ones are 0)",
          "point-short");
    }
    for (std::size_t k = 0; k < point.count; ++k) {
      if (std::isfinite(point.numbers[k])) continue;
      Add(source.line, column + point.start[k], Severity::kWarning,
          key + " holds " + formats::Shortest(point.numbers[k]) +
              ", which is not a finite number; the module hands it to the "
              "host as it is",
          "not-finite");
      break;
    }
    if (!rules::TakesSeventhNumber(static_cast<int>(index)) &&
        point.count == rules::kPointNumbers) {
      Add(source.line, column + point.start[6], Severity::kWarning,
          "from point 4 on the seventh number is ignored; the longitudinal "
          "friction equals the lateral one (" +
              formats::Shortest(point.numbers[5]) + ")",
          "ignored-seventh");
    }
  }

  // A number cut short, such as "-1e", "1e+", "0x" or "infin": the start of
  // a number but not a whole one. C libraries read such text differently;
  // the plug-in reads it as the C standard says, in every build.
  void ReportMalformed(const PointSource& source, int column) {
    const rules::PointText& point = source.values;
    const std::string written = source.text.substr(
        static_cast<std::size_t>(point.stop),
        static_cast<std::size_t>(point.stop_end - point.stop));
    Add(source.line, column + point.stop, Severity::kWarning,
        "'" + written +
            "' is not a complete number; every build of the plug-in stops "
            "reading there, so this value and every later one of the point "
            "are 0. Write the number in full",
        "malformed-number");
  }

  // Completion is decided on the first point and written into every point.
  void CheckCompletion(const std::vector<PointSource>& sources) {
    std::vector<TOUCHDOWNVTX> points;
    for (std::size_t i = 0; i < sources.size(); ++i) {
      points.push_back(
          rules::VertexOf(sources[i].values, static_cast<int>(i) + 1));
    }
    const TOUCHDOWNVTX& first = points.front();
    const rules::Completion completion = rules::CompletionOf(points);
    const bool springs = completion.springs;
    const bool friction = completion.friction;
    if (sources.front().index == 1) {
      ReportDiscarded(sources.front(), springs, friction);
    }
    for (std::size_t i = 0; i < sources.size(); ++i) {
      const PointSource& source = sources[i];
      // A repeated text is reported once, at the point that wrote it.
      if (source.index != static_cast<long>(i) + 1) continue;
      const TOUCHDOWNVTX& point = points[i];
      if (i > 0) ReportOverwritten(source, point, first, springs, friction);
      ReportHandedOver(source, point, springs, friction);
    }
  }

  // What completion throws away of the first point's own values.
  void ReportDiscarded(const PointSource& source, bool springs, bool friction) {
    const rules::PointText& point = source.values;
    const TOUCHDOWNVTX first = rules::VertexOf(point, 1);
    std::string lost;
    if (springs) {
      const char* zero = first.stiffness == 0.0
                             ? (point.count < 4 ? "its stiffness is missing"
                                                : "its stiffness is 0")
                             : (point.count < 5 ? "its damping is missing"
                                                : "its damping is 0");
      std::vector<std::string> given;
      if (first.stiffness != 0.0) {
        given.push_back("stiffness " + formats::Shortest(first.stiffness));
      }
      if (first.damping != 0.0) {
        given.push_back("damping " + formats::Shortest(first.damping));
      }
      if (!given.empty()) {
        lost = "completion replaces the " + given[0] +
               (given.size() > 1 ? " and the " + given[1] : "") +
               " given here with springs from the vessel's mass (k = m * " +
               formats::Shortest(rules::kGravity) + ", " +
               formats::Shortest(rules::kDampingRatio) +
               " of critical damping), because " + zero;
      }
    }
    if (friction && first.mu_lng != 0.0) {
      lost += (lost.empty() ? "completion" : "; it also") +
              std::string(" sets the longitudinal friction ") +
              formats::Shortest(first.mu_lng) + " given here to " +
              formats::Shortest(rules::kDefaultFriction) +
              ", because the lateral friction is 0";
    }
    if (lost.empty()) return;
    Add(source.line, 1, Severity::kWarning,
        lost + ". Give every value of the first point, or none",
        "completion-discards");
  }

  void ReportOverwritten(const PointSource& source, const TOUCHDOWNVTX& point,
                         const TOUCHDOWNVTX& first, bool springs,
                         bool friction) {
    std::string overwritten;
    if (springs && (point.stiffness != 0.0 || point.damping != 0.0)) {
      overwritten = "stiffness and damping (set from the vessel's mass)";
    }
    if (friction && point.mu != 0.0) {
      overwritten += (overwritten.empty() ? "" : " and ") +
                     std::string("friction (set to ") +
                     formats::Fixed(rules::kDefaultFriction, 1) + ")";
    }
    if (!overwritten.empty()) {
      Add(source.line, 1, Severity::kWarning,
          "completion overwrites the " + overwritten +
              " given here, because the first point's " +
              (springs ? "stiffness or damping" : "lateral friction") + " is 0",
          "completion-overwrites");
    }
    if (!friction && point.mu == 0.0) {
      Add(source.line, 1, Severity::kWarning,
          "this point's friction is 0 and completion does not fill it, "
          "because the first point's friction (" +
              formats::Shortest(first.mu) + ") is not 0",
          "friction-not-filled");
    }
  }

  // Values the host gets as the file gives them: a spring of 0 or a
  // negative value is no spring or friction the host can use.
  void ReportHandedOver(const PointSource& source, const TOUCHDOWNVTX& point,
                        bool springs, bool friction) {
    const int line = source.line > 0 ? source.line : count_line_;
    if (!springs && (point.stiffness == 0.0 || point.damping == 0.0)) {
      Add(line, 1, Severity::kWarning,
          std::string("this point is handed to the host with ") +
              (point.stiffness == 0.0 ? "stiffness" : "damping") +
              " 0: it has no spring. Completion fills springs only when the "
              "first point's stiffness or damping is 0; give this point "
              "its own",
          "no-spring");
    }
    std::vector<std::string> negative;
    if (!springs && point.stiffness < 0.0) negative.push_back("stiffness");
    if (!springs && point.damping < 0.0) negative.push_back("damping");
    if (!friction && (point.mu < 0.0 || point.mu_lng < 0.0)) {
      negative.push_back("friction");
    }
    if (negative.empty()) return;
    std::string names = negative[0];
    for (std::size_t k = 1; k < negative.size(); ++k) {
      names += (k + 1 == negative.size() ? " and " : ", ") + negative[k];
    }
    Add(line, 1, Severity::kWarning,
        "negative " + names +
            ": the host gets it as it is, and a negative spring or friction "
            "pushes the vessel into the ground or speeds it up",
        "negative-value");
  }

  // Every point's position as the module reads it.
  static std::vector<physics::Vec3> Positions(
      const std::vector<PointSource>& sources) {
    std::vector<physics::Vec3> positions;
    for (std::size_t i = 0; i < sources.size(); ++i) {
      positions.push_back(ToVec3(
          rules::VertexOf(sources[i].values, static_cast<int>(i) + 1).pos));
    }
    return positions;
  }

  void CheckStance(const std::vector<PointSource>& sources) {
    VECTOR3 p[3];
    for (int i = 0; i < 3; ++i) {
      p[i] = rules::VertexOf(sources[static_cast<std::size_t>(i)].values, i + 1)
                 .pos;
    }
    // A value that is not finite makes no plane; it has a warning of its
    // own.
    for (const VECTOR3& point : p) {
      if (!std::isfinite(point.x) || !std::isfinite(point.y) ||
          !std::isfinite(point.z)) {
        return;
      }
    }
    const auto problem = StanceProblemOf(p[0], p[1], p[2]);
    const int line = sources[0].line > 0 ? sources[0].line : count_line_;
    if (!problem) {
      // Upright: whether points 1-3 hold the CoG.
      if (auto finding = CheckCogHold(file_, line, Positions(sources))) {
        found_.push_back(std::move(*finding));
      }
      return;
    }
    if (problem->stance == physics::Stance::kUpsideDown) {
      Add(line, 1, Severity::kWarning,
          problem->text +
              " (swap POINT_2 and POINT_3, or check the signs of y)",
          "upside-down");
    } else {
      Add(line, 1, Severity::kWarning, problem->text, "collinear");
    }
  }

  std::string_view file_;
  ItemFile items_;
  std::vector<std::string_view> raw_;
  std::vector<Diagnostic> found_;
  std::map<long, int> point_lines_;  // POINT index -> line, first only
  int count_line_ = 1;
  std::vector<Typo> typo_candidates_;    // unknown keys that resemble points
  std::map<long, std::string> missing_;  // missing point -> what is read
};

// `text` with every typo's key written as meant.
std::string Mend(std::string_view text,
                 const std::vector<Checker::Typo>& typos) {
  std::vector<std::string_view> lines = formats::SplitItemLines(text);
  std::map<int, const Checker::Typo*> by_line;
  for (const Checker::Typo& typo : typos) by_line[typo.line] = &typo;
  std::string mended;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string line(lines[i]);
    const auto typo = by_line.find(static_cast<int>(i) + 1);
    if (typo != by_line.end()) {
      const Checker::Typo& t = *typo->second;
      if (t.colon != std::string_view::npos) {
        line[line.find(':')] = '=';
      }
      const std::size_t at = line.find(t.written);
      if (at != std::string::npos) line.replace(at, t.written.size(), t.meant);
    }
    mended += line + '\n';
  }
  return mended;
}

bool EndsWithCfg(std::string_view name) {
  return name.size() >= 4 &&
         formats::FoldCase(name.substr(name.size() - 4)) == ".cfg";
}

void SortByPlace(std::vector<Diagnostic>& found) {
  std::stable_sort(
      found.begin(), found.end(), [](const Diagnostic& a, const Diagnostic& b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
      });
}

// The findings in `text`, all that the host reads of a file.
std::vector<Diagnostic> CheckReadText(std::string_view file_name,
                                      std::string_view text) {
  Checker as_written(file_name, text);
  std::vector<Diagnostic> found = as_written.Run();
  const std::vector<Checker::Typo> typos = as_written.Typos();
  if (typos.empty()) return found;
  // A mistyped point key makes the point missing, and with it, often, the
  // first point's values and every point after: one finding for the typo,
  // and the rest of the file checked as it was meant.
  found = Checker(file_name, Mend(text, typos)).Run();
  for (const Checker::Typo& typo : typos) {
    const bool colon = typo.colon != std::string_view::npos;
    found.push_back(
        {std::string(file_name), typo.line, 1, Severity::kWarning,
         "'" + typo.written + (colon ? ":" : "") + "' is probably '" +
             typo.meant + (colon ? " =" : "") + "'" +
             (typo.slips.empty() ? "" : " (" + typo.slips + ")") +
             "; as written, the module never reads this line: " + typo.meant +
             " is missing, and the module " + typo.missing,
         "point-misspelt"});
  }
  SortByPlace(found);
  return found;
}

}  // namespace

std::vector<Diagnostic> CheckDefinition(std::string_view file_name,
                                        std::string_view text) {
  std::vector<Diagnostic> found =
      CheckReadText(file_name, formats::TextModeContent(text));
  if (auto end = CheckEndOfFileByte(file_name, text)) {
    found.push_back(std::move(*end));
    SortByPlace(found);
  }
  return found;
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
  // Below a subfolder the key holds "\"; "___" in a name stands for "/".
  std::string path(path_below_vantrel);
  std::replace(path.begin(), path.end(), '/', '\\');
  const std::string key = rules::KeyOfFileName(path);
  const rules::KeyRefusal refusal = rules::RefusalOf(key);
  if (refusal.reason != rules::KeyRefusal::Reason::kNone) {
    found.push_back({std::string(file_name), 0, 0, Severity::kWarning,
                     "the module never opens the key that reaches this "
                     "file, '" +
                         key + "': " + RefusalText(refusal) +
                         ". Rename the file",
                     "unsafe-key"});
  }
  return found;
}

}  // namespace analysis
