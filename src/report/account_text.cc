#include "report/account_text.h"

namespace report {

std::string KeyName(analysis::KeyTried::By by) {
  switch (by) {
    case analysis::KeyTried::By::kName:
      return "name";
    case analysis::KeyTried::By::kClass:
      return "class";
    case analysis::KeyTried::By::kOther:
      break;
  }
  return "";
}

std::string ShownDefinitionPath(const analysis::KeyTried& key) {
  return "Config" + key.path;
}

}  // namespace report
