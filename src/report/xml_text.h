#ifndef VANTREL_REPORT_XML_TEXT_H_
#define VANTREL_REPORT_XML_TEXT_H_

#include <string>

namespace report {

// Text safe inside an XML element or attribute, for the drawings and the
// survey's page. Bytes beyond ASCII become '?', so that the document stays
// valid UTF-8 whatever a name holds.
std::string XmlText(const std::string& text);

}  // namespace report

#endif  // VANTREL_REPORT_XML_TEXT_H_
