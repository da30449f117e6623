#ifndef VANTREL_TESTS_COMMAND_OUTPUT_H_
#define VANTREL_TESTS_COMMAND_OUTPUT_H_

#include <string>

// What a command returned and printed to its two streams.
struct CommandOutput {
  int code;
  std::string out;
  std::string err;
};

#endif  // VANTREL_TESTS_COMMAND_OUTPUT_H_
