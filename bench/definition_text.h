#ifndef VANTREL_BENCH_DEFINITION_TEXT_H_
#define VANTREL_BENCH_DEFINITION_TEXT_H_

#include <string>

// The text of a definition file with `points` points, each POINT_i written
// out with all seven numbers, as a vessel's author would write it.
std::string DefinitionText(int points);

#endif  // VANTREL_BENCH_DEFINITION_TEXT_H_
