#include "module/definition_table.h"

void DefinitionTable::Clear() {
  nPoints = 0;
  std::vector<TOUCHDOWNVTX>().swap(points);
}
