// The pieces of the C++ runtime that the module's code needs, for the
// plug-in built without a C++ runtime library: memory from the Universal C
// runtime's heap, and the library's error paths.
//
// The plug-in is built without exceptions, as no C++ runtime could carry
// one across to the host. Where the C++ library would throw (out of memory,
// a string or vector grown past its largest size), the plug-in writes the
// reason to the host's log and ends the process, as an exception that no
// one catches would.
#include <cstddef>
#include <cstdlib>

#include "orbiter_api.h"

// The Microsoft linker's mark that the program uses floating point.
extern "C" int _fltused = 0;

namespace {

[[noreturn]] void Fail(const char* what) {
  oapiWriteLogV("Vantrel: fatal error: %s", what);
  std::abort();
}

}  // namespace

void* operator new(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) Fail("out of memory");
  return block;
}

void operator delete(void* block) noexcept { std::free(block); }

namespace std {

void __throw_bad_alloc() { Fail("out of memory"); }
void __throw_bad_array_new_length() { Fail("array too long"); }
void __throw_length_error(const char* what) { Fail(what); }
void __throw_logic_error(const char* what) { Fail(what); }
void __throw_out_of_range(const char* what) { Fail(what); }
void __throw_out_of_range_fmt(const char* format, ...) { Fail(format); }
void __throw_invalid_argument(const char* what) { Fail(what); }

}  // namespace std
