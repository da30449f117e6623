#ifndef VANTREL_TESTS_MEMORY_FOLDER_H_
#define VANTREL_TESTS_MEMORY_FOLDER_H_

#include <filesystem>
#include <memory>
#include <string>

#include "files/memory_file_system.h"

// A host folder in a file system held in memory, which a host can take over
// (TakeFileSystem) while the folder still writes to it.
class MemoryFolder {
 public:
  MemoryFolder() : files_(std::make_unique<files::MemoryFileSystem>()) {
    memory_ = files_.get();
    memory_->CreateFolder(path_);
  }

  const std::filesystem::path& path() const { return path_; }
  files::MemoryFileSystem& files() const { return *memory_; }

  // Writes `text` to `relative` (with '/' between folders), creating the
  // folders on the way; returns the full path.
  std::filesystem::path Write(const std::string& relative,
                              const std::string& text) const {
    const std::filesystem::path full = path_ / relative;
    memory_->WriteFile(full, text);
    return full;
  }

  // Writes a definition file Config/Vantrel/<file_name>.
  std::filesystem::path WriteDefinition(const std::string& file_name,
                                        const std::string& text) const {
    return Write("Config/Vantrel/" + file_name, text);
  }

  // The file system, for a host to own; the folder keeps writing to it.
  std::unique_ptr<files::FileSystem> TakeFileSystem() {
    return std::move(files_);
  }

 private:
  std::filesystem::path path_ = "/host";
  std::unique_ptr<files::MemoryFileSystem> files_;
  files::MemoryFileSystem* memory_ = nullptr;
};

#endif  // VANTREL_TESTS_MEMORY_FOLDER_H_
