#ifndef VANTREL_STANDIN_READ_RECORDER_H_
#define VANTREL_STANDIN_READ_RECORDER_H_

#include <filesystem>
#include <string>
#include <unordered_set>

#include "file_system_wrapper.h"

namespace standin {

// A file system that records the path of every file read through it, so
// that a command can refuse to write over a file it reads.
class ReadRecorder : public FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;

  // Records `path`, read or not, then reads it.
  std::optional<std::string> ReadFile(const std::filesystem::path& path,
                                      std::string* reason) override {
    Record(path);
    return FileSystemWrapper::ReadFile(path, reason);
  }

  // Records a file read around the file system: a library the command
  // loads, say.
  void Record(const std::filesystem::path& path) { reads_.insert(path); }

  // Every path recorded, once, as it was asked for: a run reads the same
  // definition for many vessels.
  using Paths = std::unordered_set<std::filesystem::path::string_type>;
  const Paths& reads() const { return reads_; }

 private:
  Paths reads_;
};

}  // namespace standin

#endif  // VANTREL_STANDIN_READ_RECORDER_H_
