#ifndef VANTREL_TESTS_BAD_INPUT_MODULE_H_
#define VANTREL_TESTS_BAD_INPUT_MODULE_H_

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "orbiter_api.h"
#include "test_folder.h"

// The module run in-process on one vessel that meets a bad input, beside a
// vessel "Good" whose sound definition must come through untouched. Every
// run checks, with gtest expectations, what no bad input may break: the host
// refused no call, every file handle was given back, and Good got exactly
// its own points and log lines.
namespace bad_input {

// The vessel that meets the bad input.
struct BadVessel {
  std::string name = "Bad";
  std::optional<std::string> class_name = std::string("BadClass");
  double mass = 100.0;
};

struct Outcome {
  std::vector<std::string> log;      // the lines of the bad vessel's update
  std::vector<TOUCHDOWNVTX> points;  // its points afterwards
  int sets = 0;  // how often the host accepted points for it
};

// How the host copies an item's value into the module's buffer: whole, as
// the real host and the stand-in do, or cut to 255 characters when a test
// asks the stand-in to.
enum class ValueCopy { kWhole, kCut };

// Calls `prepare` on a fresh host folder, then updates `vessel` and Good.
Outcome Update(const BadVessel& vessel,
               const std::function<void(const TestFolder&)>& prepare,
               ValueCopy copy = ValueCopy::kWhole);

// Updates the vessel "Bad" of class "BadClass" with Config/Vantrel/Bad.cfg
// holding `text`.
Outcome UpdateWithDefinition(const std::string& text,
                             ValueCopy copy = ValueCopy::kWhole);

// The log of an update of "Bad" whose file Bad.cfg opened but does not
// count: the class lookup follows and misses.
std::vector<std::string> NoDefinitionLog();

}  // namespace bad_input

#endif  // VANTREL_TESTS_BAD_INPUT_MODULE_H_
