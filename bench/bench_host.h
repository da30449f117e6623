#ifndef VANTREL_BENCH_BENCH_HOST_H_
#define VANTREL_BENCH_BENCH_HOST_H_

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "module/vantrel.h"
#include "standin/host.h"
#include "standin/simulation_session.h"

// A temporary host folder on disk, removed with everything in it when the
// object goes.
class HostFolder {
 public:
  HostFolder();
  ~HostFolder();
  HostFolder(const HostFolder&) = delete;
  HostFolder& operator=(const HostFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // Writes Config/Vantrel/<file_name> and returns its path on disk.
  std::filesystem::path WriteDefinition(const std::string& file_name,
                                        const std::string& text) const;
  // Writes `relative`, a path below the folder whose folders exist, and
  // returns its path on disk.
  std::filesystem::path WriteFile(const std::filesystem::path& relative,
                                  const std::string& text) const;
  // Removes Config/Vantrel/<file_name>.
  void RemoveDefinition(const std::string& file_name) const;

  // Waits until the stand-in host keeps the listing of Config/Vantrel
  // between lookups: until the tick of the file system's clock in which the
  // folder last changed has passed (a few milliseconds at most). Timings
  // then show a folder written long before.
  void Settle() const;

 private:
  std::filesystem::path path_;
};

// A stand-in host over a folder with the module linked in, and the vessels
// the benchmarks update. The host keeps every log line and every file
// access, so a benchmark starts it afresh now and then.
class BenchHost {
 public:
  struct Vessel {
    std::string name;
    std::optional<std::string> class_name;
  };

  BenchHost(std::filesystem::path folder, std::vector<Vessel> vessels);

  Vantrel& module() { return *module_; }
  OBJHANDLE vessel(std::size_t index) const { return handles_[index]; }

  // The number of lines in the host's log.
  std::size_t log_lines() const { return host_->log().line_count(); }

  // Starts a new host with the same vessels and a new module. Vessel handles
  // change.
  void Renew();

  // Faults the host recorded: a benchmark that causes any is broken.
  const std::vector<std::string>& faults() const { return session_->faults(); }

 private:
  std::filesystem::path folder_;
  std::vector<Vessel> vessels_;
  std::unique_ptr<Vantrel> module_;
  std::unique_ptr<standin::PluginHost> host_;
  std::unique_ptr<standin::Session> session_;
  std::vector<OBJHANDLE> handles_;
};

#endif  // VANTREL_BENCH_BENCH_HOST_H_
