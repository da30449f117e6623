#ifndef VANTREL_REPORT_GRID_STEP_H_
#define VANTREL_REPORT_GRID_STEP_H_

namespace report {

// A grid step of 1, 2 or 5 times a power of ten, about a fifth of `span`
// (> 0): the steps a reader counts in.
double GridStep(double span);

// The decimals that show every multiple of the grid step `step` exactly.
int Decimals(double step);

}  // namespace report

#endif  // VANTREL_REPORT_GRID_STEP_H_
