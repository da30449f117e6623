#include "analysis/passed_over.h"

#include <algorithm>
#include <utility>

#include "analysis/definition_file_check.h"
#include "files/host_paths.h"
#include "formats/text_encoding.h"

namespace analysis {

namespace {

// The checker's codes for a file that does not count.
bool MakesItNotCount(const Diagnostic& d) {
  static const char* const kCodes[] = {"n-missing", "n-too-small",
                                       "n-too-large", "utf-16", "unreadable"};
  return std::any_of(std::begin(kCodes), std::end(kCodes),
                     [&](const char* code) { return d.code == code; });
}

// The checker's codes for what hides an N that the author wrote.
bool CanHideN(const Diagnostic& d) {
  static const char* const kCodes[] = {"byte-order-mark", "unknown-key",
                                       "end-of-file-byte", "unreachable"};
  return std::any_of(std::begin(kCodes), std::end(kCodes),
                     [&](const char* code) { return d.code == code; });
}

// At most this many findings that may hide N are named; `vantrel check`
// lists them all.
constexpr std::size_t kHidingShown = 3;

}  // namespace

const std::vector<Diagnostic>& PassedOverExplainer::Reasons(
    const std::string& disk_path) {
  const auto known = checked_.find(disk_path);
  if (known != checked_.end()) return known->second;
  const std::vector<Diagnostic> found =
      CheckDefinitionFile(files_, formats::PathOfHostText(disk_path));
  const auto error = std::find_if(found.begin(), found.end(), MakesItNotCount);
  std::vector<Diagnostic> reasons;
  if (error != found.end()) {
    reasons.push_back(*error);
    std::size_t hiding = 0;
    for (const Diagnostic& d : found) {
      if (error->code == "n-missing" && CanHideN(d) &&
          hiding++ < kHidingShown) {
        reasons.push_back(d);
      }
    }
    // In the checker's order: by line, then column.
    std::stable_sort(reasons.begin(), reasons.end(),
                     [](const Diagnostic& a, const Diagnostic& b) {
                       return a.line != b.line ? a.line < b.line
                                               : a.column < b.column;
                     });
  }
  return checked_.emplace(disk_path, std::move(reasons)).first->second;
}

void PassedOverExplainer::Explain(std::vector<VesselAccount>& accounts) {
  for (VesselAccount& account : accounts) {
    for (VesselUpdate& update : account.updates) {
      for (KeyTried& key : update.keys) {
        if (key.verdict != KeyTried::Verdict::kDoesNotCount ||
            key.disk_path.empty()) {
          continue;
        }
        key.passed_over = Reasons(key.disk_path);
      }
    }
  }
}

}  // namespace analysis
