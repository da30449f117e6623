#ifndef VANTREL_FORMATS_NUMBER_TEXT_H_
#define VANTREL_FORMATS_NUMBER_TEXT_H_

#include <string>

namespace formats {

// A number with `decimals` decimals, as the module's log lines ("%.3f") and
// `vantrel run` print it.
std::string Fixed(double value, int decimals);

// A measured or derived number with `decimals` decimals, as the reports
// show it: "n/a" when it is not finite, and without a sign when it rounds
// to zero (a roll of -0.001 at two decimals is 0.00, not -0.00).
std::string Measured(double value, int decimals);

// A number in its shortest usual form ("%g"): 300000 as 300000, 0.5 as 0.5.
std::string Shortest(double value);

// A number with up to ten significant digits ("%.10g"), as masses are
// shown: 1000000 as 1000000, 2550.5 as 2550.5.
std::string TenDigits(double value);

}  // namespace formats

#endif  // VANTREL_FORMATS_NUMBER_TEXT_H_
