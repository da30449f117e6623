#ifndef VANTREL_TOOLS_XML_TEXT_H_
#define VANTREL_TOOLS_XML_TEXT_H_

#include <string>

namespace tools {

// Text safe inside an XML element or attribute, for the drawings and the
// survey's page. Bytes beyond ASCII become '?', so that the document stays
// valid UTF-8 whatever a name holds.
std::string XmlText(const std::string& text);

}  // namespace tools

#endif  // VANTREL_TOOLS_XML_TEXT_H_
