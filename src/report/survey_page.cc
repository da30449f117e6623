#include "report/survey_page.h"

#include "formats/item_file.h"
#include "report/account_text.h"
#include "report/class_findings_text.h"
#include "report/show_report.h"
#include "report/xml_text.h"

namespace report {

namespace {

const char* const kStyle = R"(
body { font-family: sans-serif; margin: 1.5em; color: #222; }
h1 { font-size: 1.4em; }
table { border-collapse: collapse; font-size: 0.9em; }
th, td { border: 1px solid #ccc; padding: 0.25em 0.5em; text-align: left; }
td.number { text-align: right; }
th button { font: inherit; font-weight: bold; border: none;
  background: none; cursor: pointer; padding: 0; }
th[aria-sort=ascending] button::after { content: " \25B2"; }
th[aria-sort=descending] button::after { content: " \25BC"; }
thead { background: #eef; }
tbody tr:nth-child(even) { background: #f7f7f7; }
.lands { color: #2b8a3e; font-weight: bold; }
.tips-over, .sinks, .unstable, .keeps-moving, .cog-below-ground,
.negative-load, .rests-tilted, .unsafe-at-x1 { color: #c92a2a;
  font-weight: bold; }
section { margin-top: 2em; }
section svg { max-width: 100%; height: auto; border: 1px solid #ddd; }
)";

// Sorts the table's rows by a column on a click on its heading, and by the
// column that "#sort=KEY" or "#sort=KEY-desc" names on opening. Equal
// cells keep the survey's order.
const char* const kScript = R"(
(function () {
  var table = document.getElementById('survey');
  var body = table.tBodies[0];
  var heads = table.tHead.rows[0].cells;
  function value(row, i, numeric) {
    var cell = row.cells[i];
    var text = cell.getAttribute('data-value');
    if (text === null) text = cell.textContent;
    if (!numeric) return text.toLowerCase();
    var number = parseFloat(text);
    return isNaN(number) ? -Infinity : number;
  }
  function sortBy(i, descending) {
    var numeric = heads[i].getAttribute('data-type') === 'number';
    var rows = Array.prototype.slice.call(body.rows);
    rows.sort(function (a, b) {
      var x = value(a, i, numeric), y = value(b, i, numeric);
      var order = x < y ? -1 : (x > y ? 1 : 0);
      if (order === 0) {
        return Number(a.getAttribute('data-order')) -
               Number(b.getAttribute('data-order'));
      }
      return descending ? -order : order;
    });
    rows.forEach(function (row) { body.appendChild(row); });
    for (var k = 0; k < heads.length; ++k) {
      heads[k].setAttribute('aria-sort',
          k !== i ? 'none' : (descending ? 'descending' : 'ascending'));
    }
  }
  Array.prototype.forEach.call(heads, function (head, i) {
    head.querySelector('button').addEventListener('click', function () {
      sortBy(i, head.getAttribute('aria-sort') === 'ascending');
    });
  });
  var wanted = /^#sort=([a-z_]+?)(-desc)?$/.exec(window.location.hash);
  Array.prototype.forEach.call(heads, function (head, i) {
    if (wanted && head.getAttribute('data-key') === wanted[1]) {
      sortBy(i, wanted[2] === '-desc');
    }
  });
})();
)";

// The SVG document as an element of the page: without its XML
// declaration.
std::string InlineSvg(const std::string& svg) {
  const std::size_t start = svg.find("<svg");
  return start == std::string::npos ? svg : svg.substr(start);
}

std::string Row(const analysis::SurveyRow& row, std::size_t index, bool drawn) {
  const std::vector<SurveyColumn>& columns = SurveyColumns();
  const std::vector<std::string> cells = SurveyCells(row);
  std::string html = "<tr data-order=\"" + std::to_string(index) + "\">";
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const std::string key = columns[c].key;
    std::string attributes;
    if (columns[c].numeric) attributes += " class=\"number\"";
    if (key == "drop_without" || key == "drop_with") {
      attributes += " class=\"" + XmlText(cells[c]) + "\"";
    }
    std::string cell = XmlText(cells[c]);
    if (key == "definition" && drawn) {
      cell =
          "<a href=\"#drawing-" + std::to_string(index) + "\">" + cell + "</a>";
    }
    html += "<td" + attributes + ">" + cell + "</td>";
  }
  return html + "</tr>\n";
}

}  // namespace

std::string SurveyPage(const SurveySummary& summary,
                       const std::vector<analysis::SurveyRow>& rows) {
  const std::string title = "Vantrel survey of " + XmlText(summary.root);
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<title>" +
      title + "</title>\n<style>" + kStyle + "</style>\n</head>\n<body>\n<h1>" +
      title + "</h1>\n<p id=\"totals\">" +
      XmlText(SurveyTotals(summary, rows)) +
      ". Click a heading to sort by it.</p>\n<table "
      "id=\"survey\">\n<thead><tr>";
  for (const SurveyColumn& column : SurveyColumns()) {
    html += std::string("<th data-key=\"") + column.key + "\" data-type=\"" +
            (column.numeric ? "number" : "text") +
            "\" aria-sort=\"none\"><button type=\"button\">" +
            XmlText(column.heading) + "</button></th>";
  }
  html += "</tr></thead>\n<tbody>\n";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    html += Row(rows[i], i + 1, !rows[i].with.empty());
  }
  html += "</tbody>\n</table>\n<ul id=\"notes\">\n";
  for (const std::string& note : SurveyNotes(rows)) {
    html += "<li>" + XmlText(note) + "</li>\n";
  }
  for (const std::string& left_out : summary.left_out) {
    html += "<li>Left out: " + XmlText(left_out) + "</li>\n";
  }
  html += "</ul>\n<h2>" + XmlText(kClassFindingsHeading) +
          "</h2>\n<ul id=\"class-files\">\n";
  for (const std::string& line : ClassFindingLines(summary.class_files)) {
    html += "<li>" + XmlText(line) + "</li>\n";
  }
  html += "</ul>\n";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const analysis::SurveyRow& row = rows[i];
    if (row.with.empty()) continue;
    html += "<section id=\"drawing-" + std::to_string(i + 1) + "\">\n<h2>" +
            XmlText(row.class_name + ": " + ShownDefinitionPath(*row.applied)) +
            "</h2>\n" +
            InlineSvg(DrawShownVessel(row.example, row.with.front().result)) +
            "</section>\n";
  }
  return html + "<script>" + kScript + "</script>\n</body>\n</html>\n";
}

}  // namespace report
