#include "file_ledger.h"

#include <utility>

namespace standin {

FILEHANDLE FileLedger::Open(std::string path, FileAccessMode mode,
                            ItemFile items) {
  auto file = std::make_unique<OpenFile>(
      OpenFile{std::move(path), mode, std::move(items)});
  FILEHANDLE handle = file.get();
  files_.emplace(handle, std::move(file));
  ++total_opened_;
  return handle;
}

const OpenFile* FileLedger::Find(FILEHANDLE handle) const {
  const auto found = files_.find(handle);
  return found == files_.end() ? nullptr : found->second.get();
}

bool FileLedger::Close(FILEHANDLE handle) { return files_.erase(handle) == 1; }

}  // namespace standin
