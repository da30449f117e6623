#ifndef VANTREL_BENCH_ALLOCATION_COUNTER_H_
#define VANTREL_BENCH_ALLOCATION_COUNTER_H_

#include <cstddef>

// Counts the heap bytes that operator new hands out in this program, while a
// measurement is on. The benchmarks run on one thread.
namespace allocation_counter {

// Starts a measurement: the live and peak counts start at zero.
void Start();
// The bytes allocated since Start that are still live.
std::size_t Live();
// Ends the measurement and returns the most bytes that were live at once
// since Start, counting only blocks allocated since then.
std::size_t StopAndGetPeak();

}  // namespace allocation_counter

#endif  // VANTREL_BENCH_ALLOCATION_COUNTER_H_
