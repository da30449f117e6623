#ifndef VANTREL_VESSEL_STARTING_DEFINITION_H_
#define VANTREL_VESSEL_STARTING_DEFINITION_H_

#include <string>
#include <vector>

#include "vessel/starting_set.h"

namespace vessel {

// The text of a new definition file for `key` holding `set`: comments that
// say where the points come from, that springs and friction are 0 so that
// the plug-in completes them from the vessel's mass, and each of `notes`;
// then N and one POINT_i per point, x y z and zeros, each with a comment
// saying where it came from. Every number is written so that it reads back
// as the same double; every line ends in CR LF, as Windows editors write
// them, and is short enough for the host's item reader.
std::string StartingDefinitionText(const std::string& key,
                                   const StartingSet& set,
                                   const std::vector<std::string>& notes);

}  // namespace vessel

#endif  // VANTREL_VESSEL_STARTING_DEFINITION_H_
