#ifndef VANTREL_REPORT_SURVEY_PAGE_H_
#define VANTREL_REPORT_SURVEY_PAGE_H_

#include <string>
#include <vector>

#include "analysis/installation_survey.h"
#include "report/survey_report.h"

namespace report {

// The survey as one self-contained HTML page for a browser: the table of
// `vantrel survey`, sortable by any column (a click on its heading; again
// for the other direction; "#sort=KEY" or "#sort=KEY-desc" in the address
// sorts on opening, KEY a column's key), its notes, and the drawing of
// every definition that applied, as `vantrel show --svg` draws it, linked
// from its row. No file, script or font is fetched from elsewhere.
std::string SurveyPage(const SurveySummary& summary,
                       const std::vector<analysis::SurveyRow>& rows);

}  // namespace report

#endif  // VANTREL_REPORT_SURVEY_PAGE_H_
