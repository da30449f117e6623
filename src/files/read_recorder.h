#ifndef VANTREL_FILES_READ_RECORDER_H_
#define VANTREL_FILES_READ_RECORDER_H_

#include <filesystem>
#include <set>
#include <string>

#include "files/file_system_wrapper.h"

namespace files {

// A file system that records the identity of every file read through it,
// so that a command can refuse to write over a file it reads, however the
// output's path is spelled.
class ReadRecorder : public FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;

  // Reads `path` and records the identity of the file read.
  std::optional<std::string> ReadFile(const std::filesystem::path& path,
                                      std::string* reason) override {
    std::optional<Identity> identity;
    return ReadIdentifiedFile(path, reason, identity);
  }
  std::optional<std::string> ReadIdentifiedFile(
      const std::filesystem::path& path, std::string* reason,
      std::optional<Identity>& identity) override {
    auto text = FileSystemWrapper::ReadIdentifiedFile(path, reason, identity);
    if (identity) reads_.insert(*identity);
    return text;
  }

  // Records a file read around the file system, a library the command
  // loads, say, when it exists.
  void Record(const std::filesystem::path& path) {
    if (auto identity = IdentityOf(path)) reads_.insert(*identity);
  }

  // The identity of every file recorded, once: a run reads the same
  // definition for many vessels.
  using Identities = std::set<Identity>;
  const Identities& reads() const { return reads_; }

 private:
  Identities reads_;
};

}  // namespace files

#endif  // VANTREL_FILES_READ_RECORDER_H_
