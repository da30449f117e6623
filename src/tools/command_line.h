#ifndef VANTREL_TOOLS_COMMAND_LINE_H_
#define VANTREL_TOOLS_COMMAND_LINE_H_

namespace tools {

// Runs the vantrel command (run, check, show, drop, init or survey) on the
// command line `argv[0..argc)`; returns its exit code (exit_codes.h).
int RunCommandLine(int argc, char** argv);

}  // namespace tools

#endif  // VANTREL_TOOLS_COMMAND_LINE_H_
