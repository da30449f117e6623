#ifndef VANTREL_ANALYSIS_PASSED_OVER_H_
#define VANTREL_ANALYSIS_PASSED_OVER_H_

#include <map>
#include <string>
#include <vector>

#include "analysis/diagnostic.h"
#include "analysis/vessel_account.h"
#include "files/file_system.h"

namespace analysis {

// Why the plug-in passed over a definition it opened, in the checker's
// words: its finding that the file does not count (no N, N out of bounds,
// UTF-16, unreadable) and, when N is missing, the findings that hide it (a
// byte-order mark, an unknown key, a Ctrl-Z byte, a line the reader never
// reaches). Each carries its fix where the checker gives one. Every file is
// read through `files` and checked once, however many vessels passed it
// over, in however many simulations.
class PassedOverExplainer {
 public:
  explicit PassedOverExplainer(files::FileSystem& files) : files_(files) {}

  // Fills KeyTried::passed_over of every key of `accounts` that the plug-in
  // opened and passed over.
  void Explain(std::vector<VesselAccount>& accounts);

  // The findings that explain why the file at `disk_path`, as the host
  // named it, does not count; none when the checker finds that it counts.
  const std::vector<Diagnostic>& Reasons(const std::string& disk_path);

 private:
  files::FileSystem& files_;
  std::map<std::string, std::vector<Diagnostic>> checked_;
};

}  // namespace analysis

#endif  // VANTREL_ANALYSIS_PASSED_OVER_H_
