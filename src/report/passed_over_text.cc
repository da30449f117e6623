#include "report/passed_over_text.h"

#include <set>

#include "report/account_text.h"

namespace report {

std::vector<const analysis::KeyTried*> PassedOverKeys(
    const analysis::VesselAccount& account) {
  std::vector<const analysis::KeyTried*> keys;
  if (account.updates.empty()) return keys;
  for (const analysis::KeyTried& key : account.updates.back().keys) {
    if (!key.passed_over.empty()) keys.push_back(&key);
  }
  return keys;
}

std::string PassedOverNote(const std::vector<const analysis::KeyTried*>& keys) {
  std::string note;
  for (const analysis::KeyTried* key : keys) {
    note += (note.empty() ? "" : ", ") + ShownDefinitionPath(*key);
  }
  return note.empty() ? note : note + " passed over, see below";
}

void PrintPassedOver(const std::vector<const analysis::KeyTried*>& keys,
                     const std::string& indent, std::ostream& out) {
  std::set<std::string> shown;
  for (const analysis::KeyTried* key : keys) {
    if (!shown.insert(key->disk_path).second) continue;
    out << indent << ShownDefinitionPath(*key)
        << " passed over; vantrel check says:\n";
    for (const analysis::Diagnostic& d : key->passed_over) {
      out << indent << "  " << analysis::FormatProblem(d) << '\n';
    }
  }
}

}  // namespace report
