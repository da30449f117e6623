#ifndef VANTREL_TOOLS_ACCOUNT_TEXT_H_
#define VANTREL_TOOLS_ACCOUNT_TEXT_H_

#include <string>

#include "vessel_account.h"

namespace tools {

// How every table names the key by which a definition applied: "name" or
// "class"; empty for a file the plug-in opened for no key of the vessel.
std::string KeyName(KeyTried::By by);

// A key's file as the tables show it: "Config\Vantrel\Lander.cfg".
std::string ShownDefinitionPath(const KeyTried& key);

}  // namespace tools

#endif  // VANTREL_TOOLS_ACCOUNT_TEXT_H_
