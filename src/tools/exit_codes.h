#ifndef VANTREL_TOOLS_EXIT_CODES_H_
#define VANTREL_TOOLS_EXIT_CODES_H_

namespace tools {

// Exit codes of the vantrel command: one table from the kind of problem to
// the code, the same for every subcommand, so that a script can rely on it.
enum ExitCode {
  kExitOk = 0,        // done, nothing to report
  kExitFindings = 1,  // done, but problems were found (check: diagnostics;
                      // run, show: the module broke a rule of the host;
                      // init: the file written does not land, or check
                      // has findings)
  kExitInput = 2,     // an input could not be read or is malformed, or an
                      // output could not be written
  kExitUsage = 3,     // bad command line, or an output that would replace
                      // one of the user's files
  kExitPlugin = 4,    // the plug-in could not be loaded
};

// Of two exit codes, the one a command that met both problems exits with:
// the problem that stopped more of the work. A bad command line comes
// first, then a plug-in that cannot be loaded, an input or output that
// failed, and findings last.
int MoreSerious(int a, int b);

}  // namespace tools

#endif  // VANTREL_TOOLS_EXIT_CODES_H_
