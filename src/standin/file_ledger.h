#ifndef VANTREL_STANDIN_FILE_LEDGER_H_
#define VANTREL_STANDIN_FILE_LEDGER_H_

#include <map>
#include <string>

#include "formats/item_file.h"
#include "orbiter_api.h"

namespace standin {

// A file the host opened for a module.
struct OpenFile {
  std::string path;  // as the module asked for it
  FileAccessMode mode;
  formats::ItemFile items;
};

// The file handles the host has given out and not yet taken back.
class FileLedger {
 public:
  // Records an open file and returns its handle, which is never null.
  FILEHANDLE Open(std::string path, FileAccessMode mode,
                  formats::ItemFile items);

  // The open file of a handle, or null when the handle is not open.
  const OpenFile* Find(FILEHANDLE handle) const;

  // Takes a handle back. False, and nothing changed, when it is not open.
  bool Close(FILEHANDLE handle);

  std::size_t open_count() const { return files_.size(); }
  std::size_t total_opened() const { return total_opened_; }

 private:
  // Each file in its map node: one allocation an open.
  std::map<FILEHANDLE, OpenFile> files_;
  std::size_t total_opened_ = 0;
};

}  // namespace standin

#endif  // VANTREL_STANDIN_FILE_LEDGER_H_
