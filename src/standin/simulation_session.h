#ifndef VANTREL_STANDIN_SIMULATION_SESSION_H_
#define VANTREL_STANDIN_SIMULATION_SESSION_H_

#include <string>
#include <utility>
#include <vector>

#include "standin/file_ledger.h"
#include "standin/plugin_call.h"
#include "standin/sim_object.h"
#include "standin/vessel_registry.h"

namespace standin {

class PluginHost;

// One simulation in a host: its vessels, the files opened for modules, the
// calls the host refused and the plug-in's calls that tell what it did with
// each vessel. The host
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

  // What the plug-in asked of the host that tells what it did with each
  // vessel, in order (PluginCall). Item reads only while record_item_reads
  // is set.
  PluginCalls& calls() { return calls_; }
  const PluginCalls& calls() const { return calls_; }
  PluginCalls TakeCalls() { return std::move(calls_); }
  bool record_item_reads = false;

 private:
  PluginHost& host_;
  VesselRegistry vessels_;
  FileLedger files_;
  std::vector<std::string> faults_;
  PluginCalls calls_;
};

}  // namespace standin

#endif  // VANTREL_STANDIN_SIMULATION_SESSION_H_
