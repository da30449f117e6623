#ifndef VANTREL_ANALYSIS_DEFINITION_READING_H_
#define VANTREL_ANALYSIS_DEFINITION_READING_H_

#include <optional>
#include <string>
#include <vector>

#include "formats/item_file.h"
#include "orbiter_api.h"
#include "rules/definition_rules.h"

namespace analysis {

// What the module reads from a definition file, and what the host then
// gets: the prediction that `vantrel check` explains and `vantrel show`
// compares with what the plug-in did.

// What the module makes of the read of N: whether the file counts, and why
// not.
struct CountReading {
  enum class Verdict {
    kCounts,      // the module reads N points
    kNoN,         // the file has no item N
    kNoValue,     // N has no value
    kNotANumber,  // N's value does not start with a number
    kTooFew,      // N below rules::kMinPoints: the lookup goes on
    kTooMany,     // N above rules::kMaxPoints: the module says so, and the
                  // lookup goes on
  };
  Verdict verdict = Verdict::kNoN;
  int n = 0;             // N as the host's integer reader reads it
  bool wrapped = false;  // N lies beyond 32 bits, and the reader wrapped it
  int line = 0;          // the line of N; 0 when there is none
  std::string text;      // N's value as written
};
CountReading ReadCount(const formats::ItemFile::Lookup& n);

// The point count N when the file counts. Nothing otherwise.
std::optional<int> CountThatApplies(const formats::ItemFile& items);

// One point as the module reads it.
struct PointRead {
  formats::ItemFile::Lookup lookup;  // the read of this point's own item
  int line = 0;    // the line whose text the module parses; 0 for "0"
  long index = 0;  // the point whose item gave the text; 0 for "0"
  std::string text;
  rules::PointText values;
};

// POINT_1 to POINT_count in order. A point whose item is missing or empty
// takes the text read before it, or "0" before any.
std::vector<PointRead> ReadPoints(const formats::ItemFile& items, int count);

// The vertices the host gets from these points on a vessel of `mass` kg,
// after completion.
std::vector<TOUCHDOWNVTX> HandedOver(const std::vector<PointRead>& points,
                                     double mass);

}  // namespace analysis

#endif  // VANTREL_ANALYSIS_DEFINITION_READING_H_
