#ifndef VANTREL_TOOLS_EXIT_CODES_H_
#define VANTREL_TOOLS_EXIT_CODES_H_

namespace tools {

// Exit codes of the vantrel command, the same for every subcommand.
enum ExitCode {
  kExitOk = 0,        // done, nothing to report
  kExitFindings = 1,  // done, but problems were found (check: diagnostics;
                      // run: the module broke a rule of the host)
  kExitInput = 2,     // an input could not be read or is malformed
  kExitUsage = 3,     // bad command line
  kExitPlugin = 4,    // the plug-in could not be loaded
};

}  // namespace tools

#endif  // VANTREL_TOOLS_EXIT_CODES_H_
