#ifndef VANTREL_STANDIN_HOST_H_
#define VANTREL_STANDIN_HOST_H_

#include <cstdarg>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "disk_file_system.h"
#include "file_ledger.h"
#include "file_system.h"
#include "host_log.h"
#include "host_version.h"
#include "item_file.h"
#include "orbiter_api.h"
#include "vessel_registry.h"

namespace standin {

// The stand-in for the simulator: the state behind the host operations that
// a plug-in imports (see host_operations.cc). One host at a time is current;
// the operations act on it.
class Host {
 public:
  // A host over the host folder `folder` of `file_system` (the disk when
  // none is given), current until it is destroyed. Aborts when another host
  // is current.
  explicit Host(std::filesystem::path folder,
                std::unique_ptr<FileSystem> file_system =
                    std::make_unique<DiskFileSystem>());
  // Destroys the registered module objects that are left.
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // The current host. Aborts with a message when there is none: a host
  // operation called without a host is a fault of the caller.
  static Host& Current();

  const std::filesystem::path& folder() const { return folder_; }
  // The files the host reads. The host owns them, and with them whatever
  // they keep between reads (the disk's folder listings).
  FileSystem& file_system() { return *file_system_; }
  // The folder a path root stands for, as a host-relative prefix ending in
  // '\', or nothing for a root the stand-in does not know.
  static std::optional<std::string> RootPrefix(PathRoot root);

  HostLog& log() { return log_; }
  VesselRegistry& vessels() { return vessels_; }
  FileLedger& files() { return files_; }
  const HostLog& log() const { return log_; }
  const VesselRegistry& vessels() const { return vessels_; }
  const FileLedger& files() const { return files_; }

  // Module objects registered with oapiRegisterModule, in order. The host
  // owns them.
  const std::vector<oapi::Module*>& modules() const { return modules_; }
  void RegisterModule(oapi::Module* module) { modules_.push_back(module); }
  // Destroys every registered module through its virtual destructor
  // (CurrentModuleCalls().destroy).
  void DestroyModules();

  // Records that a module broke a rule of the host's interface, and says so
  // on standard error. The host refuses the call instead of misbehaving.
  void Fault(std::string message);
  const std::vector<std::string>& faults() const { return faults_; }

  // The lookup the module is doing now: begun by oapiGetObjectName on a
  // vessel, followed by the files it opens. It tells which definition
  // applied when SetTouchdownPoints comes.
  struct Lookup {
    const SimObject* vessel = nullptr;
    int opens = 0;
    std::string last_opened;  // the last file that opened, as asked for
  };
  Lookup& lookup() { return lookup_; }

  // What the module asked of the host's files, in order: each open and each
  // item read with the line that answered it. Tools use it to tell a user
  // where every value the module handed over came from. Kept only while
  // record_file_events is set, so that long runs do not pay for it.
  struct FileEvent {
    enum class Kind { kOpened, kNotOpened, kItemRead };
    Kind kind = Kind::kItemRead;
    std::string path;         // the file as the module asked for it
    std::string disk_path;    // kOpened: the file found on disk
    std::string item;         // kItemRead: the item name asked for
    ItemFile::Lookup lookup;  // kItemRead: what the reader found
  };
  const std::vector<FileEvent>& file_events() const { return file_events_; }
  bool record_file_events = false;
  void RecordFileEvent(FileEvent event) {
    file_events_.push_back(std::move(event));
  }

  // Calls of InitLib and Date2Int, for tests of the library.
  int init_lib_calls = 0;
  int date2int_calls = 0;
  // When set, Date2Int returns this instead of converting its text.
  std::optional<int> date2int_result;
  // oapiReadItem_string copies a value whole, as the real host does. When
  // set, it cuts the value to the 255 characters a 256-character buffer
  // holds: for tests of how a module reads a cut value.
  bool cut_item_values = false;

 private:
  std::filesystem::path folder_;
  std::unique_ptr<FileSystem> file_system_;
  HostLog log_;
  VesselRegistry vessels_;
  FileLedger files_;
  std::vector<oapi::Module*> modules_;
  std::vector<std::string> faults_;
  Lookup lookup_;
  std::vector<FileEvent> file_events_;
};

// oapiWriteLogV of the current host, with the arguments as a va_list.
void WriteLogV(const char* format, va_list args);

}  // namespace standin

#endif  // VANTREL_STANDIN_HOST_H_
