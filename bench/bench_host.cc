#include "bench_host.h"

#include <chrono>
#include <fstream>
#include <random>
#include <system_error>
#include <utility>

#include "files/disk_file_system.h"

namespace fs = std::filesystem;

namespace {

// Longer than two ticks of the coarsest clock that stamps folders on the
// file systems the stand-in runs on.
constexpr std::chrono::seconds kLongestSettle{5};

constexpr double kVesselMass = 12000.0;

}  // namespace

HostFolder::HostFolder() {
  std::random_device random;
  path_ =
      fs::temp_directory_path() / ("vantrel-bench-" + std::to_string(random()));
  fs::create_directories(path_ / "Config" / "Vantrel");
}

HostFolder::~HostFolder() {
  std::error_code error;
  fs::remove_all(path_, error);
}

fs::path HostFolder::WriteDefinition(const std::string& file_name,
                                     const std::string& text) const {
  return WriteFile(fs::path("Config") / "Vantrel" / file_name, text);
}

fs::path HostFolder::WriteFile(const fs::path& relative,
                               const std::string& text) const {
  const fs::path path = path_ / relative;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  return path;
}

void HostFolder::RemoveDefinition(const std::string& file_name) const {
  std::error_code error;
  fs::remove(path_ / "Config" / "Vantrel" / file_name, error);
}

void HostFolder::Settle() const {
  const fs::path folder = path_ / "Config" / "Vantrel";
  const auto give_up = std::chrono::steady_clock::now() + kLongestSettle;
  files::DiskFileSystem files;
  while (std::chrono::steady_clock::now() < give_up) {
    const std::size_t scans = files.scans();
    files.FindEntry(folder, "");
    files.FindEntry(folder, "");
    if (files.scans() <= scans + 1) return;
  }
}

BenchHost::BenchHost(fs::path folder, std::vector<Vessel> vessels)
    : folder_(std::move(folder)), vessels_(std::move(vessels)) {
  Renew();
}

void BenchHost::Renew() {
  module_.reset();
  session_.reset();
  host_.reset();
  handles_.clear();
  host_ = std::make_unique<standin::PluginHost>(folder_);
  session_ = std::make_unique<standin::Session>(*host_);
  module_ = std::make_unique<Vantrel>(nullptr);
  for (const Vessel& vessel : vessels_) {
    handles_.push_back(&session_->vessels().AddVessel(
        vessel.name, vessel.class_name, kVesselMass));
  }
}
