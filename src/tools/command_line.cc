#include "tools/command_line.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "files/disk_file_system.h"
#include "formats/text_encoding.h"
#include "tools/check_command.h"
#include "tools/command.h"
#include "tools/drop_command.h"
#include "tools/exit_codes.h"
#include "tools/init_command.h"
#include "tools/own_console.h"
#include "tools/run_command.h"
#include "tools/show_command.h"
#include "tools/survey_command.h"

#if defined(_WIN32)
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
#endif

namespace {

// The command line as host text (text_encoding.h), as the simulator takes
// names and paths. On Windows it comes from the wide command line: the C
// runtime's narrow one holds Windows' best fit for a character the code
// page lacks (an 'O' for an omega), which would name another vessel or
// file. Nothing, after saying which argument, when one holds such a
// character.
std::optional<std::vector<std::string>> HostArguments(int argc, char** argv,
                                                      std::ostream& err) {
#if defined(_WIN32)
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide != nullptr) {
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) {
      const auto text = formats::HostTextOfWide(wide[i]);
      if (!text) {
        err << "vantrel: \"" << formats::ShownPath(wide[i])
            << "\" holds a character that the system's code page ("
            << formats::CodePageName()
            << ") cannot hold, shown as '?'; the simulator takes names and "
               "paths only in that code page, so none of its vessels or "
               "files can be named so. Rename it with characters of that "
               "code page.\n";
        LocalFree(wide);
        return std::nullopt;
      }
      arguments.push_back(*text);
    }
    LocalFree(wide);
    return arguments;
  }
#else
  (void)err;
#endif
  return std::vector<std::string>(argv, argv + argc);
}

// The commands, in the order the help lists them.
const tools::Command* const kCommands[] = {
    &tools::kRunCommand,  &tools::kCheckCommand, &tools::kShowCommand,
    &tools::kDropCommand, &tools::kInitCommand,  &tools::kSurveyCommand};

}  // namespace

namespace tools {

int RunCommandLine(int argc, char** argv) {
  auto arguments = HostArguments(argc, argv, std::cerr);
  if (!arguments) return tools::kExitUsage;
  std::vector<char*> pointers;
  for (std::string& argument : *arguments) pointers.push_back(argument.data());
  argc = static_cast<int>(pointers.size());
  argv = pointers.data();
  // Names go out as the simulator's text; the console shows them so.
  const ConsoleInCodePage console;
#if defined(_WIN32)
  // Windows' C runtime writes a console, or a device such as NUL, one
  // character at a time, and asks the system for each whether it is a
  // console: a run of 20 000 vessels printed for minutes under Wine. Whole
  // blocks instead; std::cerr is tied to std::cout, so that what goes to
  // either still comes in order.
  std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
#endif

  CLI::App app{
      "Vantrel replaces the touchdown points of vessels with sets read from "
      "Config/Vantrel/<name or class>.cfg. This command runs the plug-in on "
      "a stand-in for the simulator, so that definitions can be tried "
      "without it.",
      "vantrel"};
  app.set_version_flag("--version", "vantrel " VANTREL_VERSION);
  app.require_subcommand(1);

  // Each command adds its own options, and gives what runs it.
  std::vector<std::pair<CLI::App*, CommandRun>> commands;
  for (const Command* command : kCommands) {
    CLI::App* options = app.add_subcommand(command->name, command->description);
    commands.emplace_back(options, command->add_options(*options));
  }

  // Started by a double-click, the window would close before the help
  // could be read: say what the program is, and wait.
  if (argc <= 1 && HasItsOwnConsole()) {
    std::cout << app.help()
              << "\nvantrel is a command-line tool: open a command prompt in "
                 "this folder and type, for example,\n"
                 "  vantrel.exe check --root ..\\..\n"
                 "or double-click \"Check definitions.bat\".\n\n"
                 "Press Enter to close this window.\n";
    std::cout.flush();
    std::string line;
    std::getline(std::cin, line);
    return tools::kExitUsage;
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? tools::kExitOk : tools::kExitUsage;
  }

  files::DiskFileSystem files;
  for (const auto& [options, run] : commands) {
    if (options->parsed()) return run(files, std::cout, std::cerr);
  }
  return tools::kExitUsage;
}

}  // namespace tools
