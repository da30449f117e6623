// On POSIX systems the dynamic loader has no library entry with reasons.
// A constructor and destructor pair stands in for it: they pass the
// library's own handle to DllMain with the attach and detach reasons.
#include <dlfcn.h>

#include "module/library_entry.h"

namespace {

HINSTANCE ownHandle = nullptr;

// The handle of this library, as dlopen gave it to whoever loaded it. The
// extra reference that dlopen takes here is given back at once; the handle
// stays valid while the library is loaded.
HINSTANCE FindOwnHandle() {
  Dl_info info;
  if (dladdr(reinterpret_cast<void*>(&FindOwnHandle), &info) == 0) {
    return nullptr;
  }
  void* handle = dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD);
  if (handle != nullptr) dlclose(handle);
  return static_cast<HINSTANCE>(handle);
}

__attribute__((constructor)) void AttachLibrary() {
  ownHandle = FindOwnHandle();
  DllMain(ownHandle, kProcessAttach, nullptr);
}

__attribute__((destructor)) void DetachLibrary() {
  DllMain(ownHandle, kProcessDetach, nullptr);
}

}  // namespace

LibraryFunction FindLibraryExport(HINSTANCE hDLL, const char* name) {
  return reinterpret_cast<LibraryFunction>(
      dlsym(static_cast<void*>(hDLL), name));
}
