#ifndef VANTREL_REPORT_UNLOAD_REPORT_H_
#define VANTREL_REPORT_UNLOAD_REPORT_H_

#include <ostream>
#include <string>
#include <vector>

#include "standin/unloading.h"

namespace report {

// The host log at unloading, under the stages of the edition's way of
// unloading (the host deletes the module objects; it frees the library,
// whose entry calls ExitModule), and who deleted the module objects: the
// host, ExitModule, or nobody.
void PrintUnloading(const std::vector<std::string>& log,
                    const standin::Unloading& unloading, std::ostream& out);

}  // namespace report

#endif  // VANTREL_REPORT_UNLOAD_REPORT_H_
