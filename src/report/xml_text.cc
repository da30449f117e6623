#include "report/xml_text.h"

namespace report {

std::string XmlText(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (c == '&') {
      escaped += "&amp;";
    } else if (c == '<') {
      escaped += "&lt;";
    } else if (c == '>') {
      escaped += "&gt;";
    } else if (c == '"') {
      escaped += "&quot;";
    } else if (byte < 0x20 || byte >= 0x7F) {
      escaped += '?';
    } else {
      escaped += c;
    }
  }
  return escaped;
}

}  // namespace report
