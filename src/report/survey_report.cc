#include "report/survey_report.h"

#include <set>

#include "formats/item_file.h"
#include "formats/number_text.h"
#include "report/account_text.h"
#include "report/body_text.h"
#include "report/class_findings_text.h"
#include "report/diagnostic_output.h"
#include "report/slope_text.h"
#include "report/text_table.h"

namespace report {

namespace {

std::string ClassText(const analysis::SurveyRow& row) {
  std::string text = row.class_name;
  for (const std::string& spelling : row.spellings) {
    if (spelling != row.class_name) text += " / " + spelling;
  }
  return text;
}

// Where the row's vessels are: "Moon", "orbiting Earth, Moon".
std::string Where(const analysis::SurveyRow& row) {
  if (row.orbited.empty()) return WhereText(row.body);
  std::string text = "orbiting ";
  for (std::size_t i = 0; i < row.orbited.size(); ++i) {
    text += (i == 0 ? "" : ", ") + row.orbited[i];
  }
  return text;
}

// The verdicts at the masses the vessel will have: "lands"; for a class
// with tanks "lands empty and full" or "lands empty, sinks full"; "-" when
// not dropped.
std::string VerdictCell(const std::vector<physics::JudgedDrop>& drops) {
  if (drops.empty()) return "-";
  const std::string empty = physics::VerdictName(drops[0].judgement.verdict);
  if (drops.size() == 1) return empty;
  const std::string full = physics::VerdictName(drops[1].judgement.verdict);
  return empty == full ? empty + " empty and full"
                       : empty + " empty, " + full + " full";
}

// The verdict of drop `i` as JSON; null when there is none.
std::string JsonVerdict(const std::vector<physics::JudgedDrop>& drops,
                        std::size_t i) {
  return i < drops.size()
             ? std::string("\"") +
                   physics::VerdictName(drops[i].judgement.verdict) + "\""
             : "null";
}

std::string DefinitionText(const analysis::SurveyRow& row) {
  if (!row.applied) return "none";
  return KeyName(row.applied->by) + " " + ShownDefinitionPath(*row.applied);
}

}  // namespace

const std::vector<SurveyColumn>& SurveyColumns() {
  static const std::vector<SurveyColumn> columns{
      {"class", "class", false},
      {"scenarios", "scenarios", true},
      {"vessels", "vessels", true},
      {"definition", "definition", false},
      {"errors", "errors", true},
      {"warnings", "warnings", true},
      {"mass (kg)", "mass_kg", true},
      {"mass from", "mass_from", false},
      {"on", "on", false},
      {"g (m/s^2)", "gravity_m_s2", true},
      {"drop without", "drop_without", false},
      {"drop with", "drop_with", false},
      {"on slopes", "on_slopes", false},
  };
  return columns;
}

std::vector<std::string> SurveyCells(const analysis::SurveyRow& row) {
  const bool defined = row.applied.has_value();
  return {ClassText(row),
          std::to_string(row.scenarios),
          std::to_string(row.vessels),
          DefinitionText(row),
          defined ? std::to_string(row.check.errors) : "-",
          defined ? std::to_string(row.check.warnings) : "-",
          formats::TenDigits(row.example.mass),
          row.example.model.mass_from,
          Where(row),
          GravityText(row.body),
          VerdictCell(row.without),
          VerdictCell(row.with),
          row.slope ? SlopeLine(*row.slope) : "-"};
}

std::string SurveyTotals(const SurveySummary& summary,
                         const std::vector<analysis::SurveyRow>& rows) {
  std::set<std::string> classes;
  int vessels = 0;
  for (const analysis::SurveyRow& row : rows) {
    classes.insert(formats::FoldCase(row.class_name));
    vessels += row.vessels;
  }
  return std::to_string(classes.size()) + " classes, " +
         std::to_string(vessels) + " vessels in " +
         std::to_string(summary.scenarios) + " scenarios";
}

std::vector<std::string> SurveyNotes(
    const std::vector<analysis::SurveyRow>& rows) {
  std::vector<std::string> notes{
      "drop: the vessel released 0.5 m above flat ground, 60 fps at x1 for "
      "30 s, as vantrel drop does, under the surface gravity g of the body "
      "its scenario lands it on (G M / Size^2 from Config\\BODY.cfg); "
      "\"without\" on its own points (its class file's TouchdownPoints, "
      "else the host's default ones), \"with\" on the points the plug-in "
      "handed over, each judged as vantrel drop judges it, time "
      "accelerations up to x1 with it; a class with tanks at its empty "
      "mass and with full tanks. Vessels in orbit are not judged on the "
      "ground. vantrel drop --name NAME --class CLASS --body BODY tells "
      "more.",
      "on slopes: the points the vessels have, dropped as above on a slope "
      "of the body nose downhill, the host's normal leaning as its "
      "ElevationResolution makes it: the steepest slope on which they come "
      "to rest at x1, and their creep on 5 deg. vantrel drop --slope DEG "
      "tells more."};
  std::string modules;
  std::set<std::string> named;
  for (const analysis::SurveyRow& row : rows) {
    if (!row.example.model.module_sets_mass) continue;
    if (!named.insert(formats::FoldCase(row.class_name)).second) continue;
    modules += (modules.empty() ? "" : ", ") + row.class_name;
  }
  if (!modules.empty()) {
    notes.push_back(
        "These classes' modules set the mass, and may set the touchdown "
        "points, in code, which no file shows; the survey takes the default "
        "mass and the points of their files: " +
        modules + ". Give a mass with vantrel survey --mass CLASS=KG.");
  }
  return notes;
}

void PrintSurveyTable(const SurveySummary& summary,
                      const std::vector<analysis::SurveyRow>& rows,
                      std::ostream& out) {
  out << "Survey of " << summary.root << ": " << SurveyTotals(summary, rows)
      << "\n\n";
  std::vector<bool> numeric;
  std::vector<std::string> headings;
  for (const SurveyColumn& column : SurveyColumns()) {
    numeric.push_back(column.numeric);
    headings.push_back(column.heading);
  }
  TextTable table(numeric);
  table.AddRow(headings);
  for (const analysis::SurveyRow& row : rows) table.AddRow(SurveyCells(row));
  table.Print(out, "  ");
  out << '\n';
  for (const std::string& note : SurveyNotes(rows)) out << note << '\n';
  for (const std::string& left_out : summary.left_out) {
    out << "Left out: " << left_out << '\n';
  }
  out << '\n' << kClassFindingsHeading << '\n';
  for (const std::string& line : ClassFindingLines(summary.class_files)) {
    out << "  " << line << '\n';
  }
}

void PrintSurveyJson(const SurveySummary& summary,
                     const std::vector<analysis::SurveyRow>& rows,
                     std::ostream& out) {
  out << "{\n  \"root\": " << JsonString(summary.root)
      << ",\n  \"scenarios\": " << summary.scenarios << ",\n  \"left_out\": [";
  for (std::size_t i = 0; i < summary.left_out.size(); ++i) {
    out << (i == 0 ? "" : ", ") << JsonString(summary.left_out[i]);
  }
  out << "],\n  \"classes\": [";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const analysis::SurveyRow& row = rows[i];
    out << (i == 0 ? "\n" : ",\n")
        << "    {\"class\": " << JsonString(row.class_name)
        << ", \"spellings\": [";
    for (std::size_t k = 0; k < row.spellings.size(); ++k) {
      out << (k == 0 ? "" : ", ") << JsonString(row.spellings[k]);
    }
    out << "], \"scenarios\": " << row.scenarios
        << ", \"vessels\": " << row.vessels << ", \"definition\": ";
    if (!row.applied) {
      out << "null";
    } else {
      out << "{\"by\": \"" << KeyName(row.applied->by)
          << "\", \"file\": " << JsonString(ShownDefinitionPath(*row.applied))
          << ", \"errors\": " << row.check.errors
          << ", \"warnings\": " << row.check.warnings << "}";
    }
    out << ", \"mass_kg\": " << formats::TenDigits(row.example.mass)
        << ", \"mass_from\": " << JsonString(row.example.model.mass_from)
        << ", \"on\": " << JsonString(Where(row)) << ", \"gravity_m_s2\": "
        << (row.body.Judged() ? formats::TenDigits(row.body.gravity) : "null")
        << ", \"drop_without\": " << JsonVerdict(row.without, 0)
        << ", \"drop_with\": " << JsonVerdict(row.with, 0)
        << ", \"drop_without_full\": " << JsonVerdict(row.without, 1)
        << ", \"drop_with_full\": " << JsonVerdict(row.with, 1)
        << ", \"on_slopes\": "
        << (row.slope ? JsonString(SlopeLine(*row.slope)) : "null") << "}";
  }
  out << (rows.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

}  // namespace report
