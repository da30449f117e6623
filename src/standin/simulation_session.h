#ifndef VANTREL_STANDIN_SIMULATION_SESSION_H_
#define VANTREL_STANDIN_SIMULATION_SESSION_H_

#include <string>
#include <utility>
#include <vector>

#include "file_ledger.h"
#include "item_file.h"
#include "sim_object.h"
#include "vessel_registry.h"

namespace standin {

class PluginHost;

// One simulation in a host: its vessels, the files opened for modules, the
// calls the host refused and what the module's lookups read. The host
// operations about vessels and files act on the current session.
class Session {
 public:
  // A session of `host`, its current one until it is destroyed.
  explicit Session(PluginHost& host);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  VesselRegistry& vessels() { return vessels_; }
  FileLedger& files() { return files_; }
  const VesselRegistry& vessels() const { return vessels_; }
  const FileLedger& files() const { return files_; }
  // Destroys the vessels, as the host does when a simulation ends. The
  // host keeps their memory (PluginHost::RetireObjects), so that a handle
  // kept from them never names a later object.
  void DestroyVessels();

  // Calls the host refused during this session (PluginHost::Fault).
  const std::vector<std::string>& faults() const { return faults_; }
  void AddFault(std::string message) { faults_.push_back(std::move(message)); }

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

 private:
  PluginHost& host_;
  VesselRegistry vessels_;
  FileLedger files_;
  std::vector<std::string> faults_;
  Lookup lookup_;
  std::vector<FileEvent> file_events_;
};

}  // namespace standin

#endif  // VANTREL_STANDIN_SIMULATION_SESSION_H_
