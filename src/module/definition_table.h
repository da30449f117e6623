#ifndef VANTREL_MODULE_DEFINITION_TABLE_H_
#define VANTREL_MODULE_DEFINITION_TABLE_H_

#include <cstdint>
#include <vector>

#include "orbiter_api.h"

// The last touchdown definition read from a file. After a successful load,
// nPoints >= 3 and points holds exactly nPoints vertices in file order
// (element 0 is POINT_1).
struct DefinitionTable {
  std::int32_t nPoints = 0;
  std::vector<TOUCHDOWNVTX> points;

  // Empties the table and gives back the storage of its points.
  void Clear();
};

#endif  // VANTREL_MODULE_DEFINITION_TABLE_H_
