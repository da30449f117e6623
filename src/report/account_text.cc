#include "account_text.h"

namespace tools {

std::string KeyName(KeyTried::By by) {
  switch (by) {
    case KeyTried::By::kName:
      return "name";
    case KeyTried::By::kClass:
      return "class";
    case KeyTried::By::kOther:
      break;
  }
  return "";
}

std::string ShownDefinitionPath(const KeyTried& key) {
  return "Config" + key.path;
}

}  // namespace tools
