#ifndef VANTREL_REPORT_ACCOUNT_TEXT_H_
#define VANTREL_REPORT_ACCOUNT_TEXT_H_

#include <string>

#include "analysis/vessel_account.h"

namespace report {

// How every table names the key by which a definition applied: "name" or
// "class"; empty for a file the plug-in opened for no key of the vessel.
std::string KeyName(analysis::KeyTried::By by);

// A key's file as the tables show it: "Config\Vantrel\Lander.cfg".
std::string ShownDefinitionPath(const analysis::KeyTried& key);

}  // namespace report

#endif  // VANTREL_REPORT_ACCOUNT_TEXT_H_
