#include "bench_host.h"

#include <chrono>
#include <fstream>
#include <random>
#include <system_error>
#include <thread>
#include <utility>

namespace fs = std::filesystem;

namespace {

// Longer than the coarsest time stamp a folder's modification time has on
// the file systems the stand-in runs on.
constexpr std::chrono::milliseconds kSettleTime{2100};

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
  const fs::path path = path_ / "Config" / "Vantrel" / file_name;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  return path;
}

void HostFolder::Settle() const { std::this_thread::sleep_for(kSettleTime); }

BenchHost::BenchHost(fs::path folder, std::vector<Vessel> vessels)
    : folder_(std::move(folder)), vessels_(std::move(vessels)) {
  Renew();
}

void BenchHost::Renew() {
  module_.reset();
  host_.reset();
  handles_.clear();
  host_ = std::make_unique<standin::Host>(folder_);
  module_ = std::make_unique<Vantrel>(nullptr);
  for (const Vessel& vessel : vessels_) {
    handles_.push_back(&host_->vessels().AddVessel(
        vessel.name, vessel.class_name, kVesselMass));
  }
}
