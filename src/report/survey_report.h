#ifndef VANTREL_REPORT_SURVEY_REPORT_H_
#define VANTREL_REPORT_SURVEY_REPORT_H_

#include <ostream>
#include <string>
#include <vector>

#include "analysis/class_findings.h"
#include "analysis/installation_survey.h"

namespace report {

// What a survey covered, for its headings.
struct SurveySummary {
  std::string root;   // the host folder as the user named it
  int scenarios = 0;  // scenarios surveyed
  // Scenarios that could not be read, with why, left out of the survey.
  std::vector<std::string> left_out;
  // What check says of the class file of each class surveyed.
  std::vector<analysis::ClassFindings> class_files;
};

// The columns of the survey's table, in every format alike.
struct SurveyColumn {
  const char* heading;  // "drop without"
  const char* key;      // "drop_without", as JSON and the page name it
  bool numeric;
};
const std::vector<SurveyColumn>& SurveyColumns();

// The cells of one row, one per column: "-" where a column does not apply
// (check's counts and the drop with a definition, when none applied).
std::vector<std::string> SurveyCells(const analysis::SurveyRow& row);

// "26 classes, 812 vessels in 157 scenarios".
std::string SurveyTotals(const SurveySummary& summary,
                         const std::vector<analysis::SurveyRow>& rows);

// What the numbers mean and where they fall short, one sentence each.
std::vector<std::string> SurveyNotes(
    const std::vector<analysis::SurveyRow>& rows);

// The survey as `vantrel survey` prints it: a heading, the table, the notes.
void PrintSurveyTable(const SurveySummary& summary,
                      const std::vector<analysis::SurveyRow>& rows,
                      std::ostream& out);

// The survey as one JSON document: {"root", "scenarios", "left_out",
// "classes": [{"class", "spellings", "scenarios", "vessels", "definition":
// null or {"by", "file", "errors", "warnings"}, "mass_kg", "mass_from",
// "on", "gravity_m_s2" (null in orbit), "drop_without", "drop_with" (null
// when not dropped; for a class with tanks, at the empty mass),
// "drop_without_full", "drop_with_full" (with full tanks; null for a class
// without tanks), "on_slopes" (null when not dropped)}]}.
void PrintSurveyJson(const SurveySummary& summary,
                     const std::vector<analysis::SurveyRow>& rows,
                     std::ostream& out);

}  // namespace report

#endif  // VANTREL_REPORT_SURVEY_REPORT_H_
