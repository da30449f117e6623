#include "passed_over_text.h"

#include <set>

#include "account_text.h"

namespace tools {

std::vector<const KeyTried*> PassedOverKeys(const VesselAccount& account) {
  std::vector<const KeyTried*> keys;
  if (account.updates.empty()) return keys;
  for (const KeyTried& key : account.updates.back().keys) {
    if (!key.passed_over.empty()) keys.push_back(&key);
  }
  return keys;
}

std::string PassedOverNote(const std::vector<const KeyTried*>& keys) {
  std::string note;
  for (const KeyTried* key : keys) {
    note += (note.empty() ? "" : ", ") + ShownDefinitionPath(*key);
  }
  return note.empty() ? note : note + " passed over, see below";
}

void PrintPassedOver(const std::vector<const KeyTried*>& keys,
                     const std::string& indent, std::ostream& out) {
  std::set<std::string> shown;
  for (const KeyTried* key : keys) {
    if (!shown.insert(key->disk_path).second) continue;
    out << indent << ShownDefinitionPath(*key)
        << " passed over; vantrel check says:\n";
    for (const Diagnostic& d : key->passed_over) {
      out << indent << "  " << FormatProblem(d) << '\n';
    }
  }
}

}  // namespace tools
