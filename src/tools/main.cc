// vantrel: runs the Vantrel plug-in on a stand-in for the simulator.
#include "tools/command_line.h"

int main(int argc, char** argv) { return tools::RunCommandLine(argc, argv); }
