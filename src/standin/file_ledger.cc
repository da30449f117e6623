#include "standin/file_ledger.h"

#include <cstdint>
#include <utility>

namespace standin {

FILEHANDLE FileLedger::Open(std::string path, FileAccessMode mode,
                            formats::ItemFile items) {
  // Handles count up through the whole program run, in every ledger, and
  // are never given out twice: a handle closed, or kept from a simulation
  // that ended, names no file opened later. Spaced as addresses are, they
  // are never null; 2^28 opens fit a 32-bit handle.
  static std::uintptr_t opened_in_process = 0;
  ++opened_in_process;
  FILEHANDLE handle = reinterpret_cast<FILEHANDLE>(opened_in_process * 16);
  files_.emplace(handle, OpenFile{std::move(path), mode, std::move(items)});
  ++total_opened_;
  return handle;
}

const OpenFile* FileLedger::Find(FILEHANDLE handle) const {
  const auto found = files_.find(handle);
  return found == files_.end() ? nullptr : &found->second;
}

bool FileLedger::Close(FILEHANDLE handle) { return files_.erase(handle) == 1; }

}  // namespace standin
