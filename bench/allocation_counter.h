#ifndef VANTREL_BENCH_ALLOCATION_COUNTER_H_
#define VANTREL_BENCH_ALLOCATION_COUNTER_H_

#include <cstddef>

// Counts the heap bytes that operator new hands out in this program, while a
// measurement is on, in all and for the module alone: a block belongs to the
// host when a host operation was in progress when it was allocated
// (standin::HostCall), else to the module. The benchmarks run on one thread.
namespace allocation_counter {

struct Counts {
  std::size_t peak = 0;         // the most bytes live at once
  std::size_t live = 0;         // the bytes still live at the end
  std::size_t module_peak = 0;  // the same, counting the module's blocks
  std::size_t module_live = 0;
};

// Starts a measurement: every count starts at zero, and blocks allocated
// before are not counted when they are freed.
void Start();
// Ends the measurement and returns its counts.
Counts Stop();

}  // namespace allocation_counter

#endif  // VANTREL_BENCH_ALLOCATION_COUNTER_H_
