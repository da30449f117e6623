#include "report/unload_report.h"

#include <algorithm>
#include <cctype>

#include "report/run_report.h"

namespace report {

namespace {

// "the module object was", "2 module objects were".
std::string Objects(int count) {
  return count == 1 ? "the module object was"
                    : std::to_string(count) + " module objects were";
}

// Who deleted the module objects, as one sentence.
std::string WhoDeleted(const standin::Unloading& u) {
  std::string text;
  const auto add = [&text](const std::string& clause) {
    text += (text.empty() ? "" : "; ") + clause;
  };
  if (u.deleted_by_host > 0) {
    add(Objects(u.deleted_by_host) + " deleted by the host");
  }
  if (u.deleted_by_exit_module > 0) {
    add(Objects(u.deleted_by_exit_module) + " deleted by ExitModule");
  } else if (u.exit_module) {
    add("ExitModule was called and deleted nothing");
  }
  if (u.left_alive > 0) {
    add(Objects(u.left_alive) +
        " left alive after the library was freed, a broken rule");
  }
  if (u.deleted_by_host + u.deleted_by_exit_module + u.left_alive == 0) {
    add("the plug-in registered no module object");
  }
  text[0] =
      static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  return text + ".";
}

}  // namespace

void PrintUnloading(const std::vector<std::string>& log,
                    const standin::Unloading& unloading, std::ostream& out) {
  const bool current = unloading.edition == standin::Edition::kCurrent;
  out << "\nHost log at unloading, as the "
      << (current ? "current edition" : "2016 edition") << " unloads ("
      << LineCount(log.size()) << ")\n";
  std::size_t line = 0;
  // A stage's lines after it; a stage that logged none says so rather than
  // end on a colon with nothing below it.
  const auto lines_to = [&](std::size_t end) {
    end = std::min(end, log.size());
    if (line >= end) {
      out << "; no log line\n";
      return;
    }
    out << ":\n";
    for (; line < end; ++line) out << "    " << log[line] << '\n';
  };
  if (!current) {
    out << "  the host deletes the module objects the plug-in registered, "
           "through their virtual destructor";
    lines_to(unloading.freeing_from_line);
  }
  out << "  the host frees the library"
      << (current ? " and leaves the module objects to the plug-in" : "")
      << (unloading.exit_module ? "; its entry calls ExitModule"
                                : "; it exports no ExitModule");
  lines_to(log.size());
  out << "  " << WhoDeleted(unloading) << '\n';
}

}  // namespace report
