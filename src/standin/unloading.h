#ifndef VANTREL_STANDIN_UNLOADING_H_
#define VANTREL_STANDIN_UNLOADING_H_

#include <cstddef>

#include "standin/edition.h"

namespace standin {

// What the host saw while it unloaded a plug-in, in order: under the 2016
// edition it deletes the module objects the plug-in registered; then it
// frees the library, whose entry calls the plug-in's ExitModule, which
// deletes what is left of them (the current edition leaves them all to
// it).
struct Unloading {
  Edition edition = Edition::k2016;
  // Registered module objects the host deleted through their virtual
  // destructor before it freed the library.
  int deleted_by_host = 0;
  // The library exports ExitModule, which its entry calls as the library
  // is freed.
  bool exit_module = false;
  // Registered module objects destroyed while the library was freed: by
  // its ExitModule.
  int deleted_by_exit_module = 0;
  // Registered module objects still alive after the library was freed.
  int left_alive = 0;
  // The log lines written while the library was freed begin here, counted
  // from the first line of unloading.
  std::size_t freeing_from_line = 0;
};

}  // namespace standin

#endif  // VANTREL_STANDIN_UNLOADING_H_
