#include "standin/host.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <utility>

#include "formats/date_to_int.h"
#include "formats/module_line.h"
#include "standin/host_call.h"
#include "standin/module_calls.h"
#include "standin/simulation_session.h"

namespace standin {
namespace {

// The hosts alive, in the order they were made; the last is current.
std::vector<PluginHost*>& Hosts() {
  static std::vector<PluginHost*> hosts;
  return hosts;
}

// The last of Hosts(), or null: every host operation asks for it, several
// times in an update.
PluginHost* current_host = nullptr;

}  // namespace

PluginHost::PluginHost(std::filesystem::path folder,
                       std::unique_ptr<files::FileSystem> file_system,
                       Edition edition)
    : folder_(std::move(folder)),
      file_system_(std::move(file_system)),
      edition_(edition),
      fault_stream_(&std::cerr) {
  Hosts().push_back(this);
  current_host = this;
}

PluginHost::~PluginHost() {
  Unload();
  DestroyModules();
  std::vector<PluginHost*>& hosts = Hosts();
  hosts.erase(std::find(hosts.begin(), hosts.end(), this));
  current_host = hosts.empty() ? nullptr : hosts.back();
}

PluginHost& PluginHost::Current() {
  if (current_host == nullptr) {
    std::fprintf(stderr,
                 "vantrel: a host operation was called without a host\n");
    std::abort();
  }
  return *current_host;
}

PluginHost* PluginHost::CurrentOrNull() { return current_host; }

std::optional<std::string> PluginHost::RootPrefix(PathRoot root) {
  switch (root) {
    case ROOT:
      return "";
    case CONFIG:
      return "Config\\";
    case SCENARIOS:
      return "Scenarios\\";
    case TEXTURES:
      return "Textures\\";
    case TEXTURES2:
      return "Textures2\\";
    case MESHES:
      return "Meshes\\";
    case MODULES:
      return "Modules\\";
  }
  return std::nullopt;
}

bool PluginHost::Load(const std::string& path, std::string* error) {
  if (library_) {
    *error = path + ": a plug-in is loaded already";
    return false;
  }
  // The library entry runs inside Load and calls InitLib, which needs the
  // library only through the handle it is given.
  library_ = PluginLibrary::Load(path, error);
  return library_ != nullptr;
}

void PluginHost::Unload() {
  if (!library_) return;
  unloading_ = Unloading{};
  unloading_.edition = edition_;
  const std::size_t first_line = log_.shown_count();
  const int destroyed = modules_destroyed_;
  if (edition_ == Edition::k2016) DestroyModules();
  unloading_.deleted_by_host = modules_destroyed_ - destroyed;
  unloading_.exit_module =
      library_->Find<void (*)(HINSTANCE)>("ExitModule") != nullptr;
  unloading_.freeing_from_line = log_.shown_count() - first_line;
  const int before_freeing = modules_destroyed_;
  library_.reset();
  unloading_.deleted_by_exit_module = modules_destroyed_ - before_freeing;
  unloading_.left_alive = static_cast<int>(modules_.size());
  if (!modules_.empty()) {
    Fault(std::to_string(modules_.size()) +
          " module object(s) that the plug-in registered were still alive "
          "after it was unloaded: since 2022 the host deletes only the "
          "module objects it created, so ExitModule must delete them");
    // Their memory and code went with the library.
    modules_.clear();
  }
}

void PluginHost::InitLibrary(HINSTANCE module) {
  using VersionFunction = int (*)();
  using DateFunction = char* (*)();
  using InitFunction = void (*)(HINSTANCE);
  std::optional<int> build;
  if (const auto date =
          PluginLibrary::FindIn<DateFunction>(module, "ModuleDate")) {
    build = formats::DateToInt(date());
  }
  std::optional<int> api;
  if (const auto version =
          PluginLibrary::FindIn<VersionFunction>(module, "GetModuleVersion")) {
    api = version();
  }
  {
    const HostCall call;
    log_.AddHostLine(
        formats::ModuleLine(PluginLibrary::FileNameOf(module), build, api));
  }
  auto init = PluginLibrary::FindIn<InitFunction>(module, "InitModule");
  if (init == nullptr) {
    init = PluginLibrary::FindIn<InitFunction>(module, "opcDLLInit");
  }
  if (init != nullptr) init(module);
}

void PluginHost::RegisterModule(oapi::Module* module) {
  modules_.push_back(module);
  // An object at the address of one destroyed earlier is a new object.
  destroyed_.erase(std::remove(destroyed_.begin(), destroyed_.end(), module),
                   destroyed_.end());
}

void PluginHost::DestroyModules() {
  const std::vector<oapi::Module*> modules = modules_;
  for (oapi::Module* module : modules) CurrentModuleCalls().destroy(module);
  // Objects whose destructor did not reach the base class are forgotten too.
  modules_.clear();
}

void PluginHost::ModuleDestroyed(const oapi::Module* module) {
  const auto live = std::find(modules_.begin(), modules_.end(), module);
  if (live != modules_.end()) {
    modules_.erase(live);
    destroyed_.push_back(module);
    ++modules_destroyed_;
    return;
  }
  if (std::find(destroyed_.begin(), destroyed_.end(), module) !=
      destroyed_.end()) {
    Fault("a registered module object was destroyed a second time");
  }
}

int PluginHost::ModuleDateToInt(const char* date) {
  return formats::DateToInt(date);
}

std::string_view PluginHost::ItemValueCopied(std::string_view value) {
  return value;
}

void PluginHost::RetireObjects(
    std::vector<std::unique_ptr<SimObject>> objects) {
  retired_.reserve(retired_.size() + objects.size());
  for (auto& object : objects) retired_.push_back(std::move(object));
}

void PluginHost::Fault(std::string message) {
  *fault_stream_ << "vantrel: host refused a call: " << message << '\n';
  if (session_ != nullptr) {
    session_->AddFault(std::move(message));
  } else {
    faults_.push_back(std::move(message));
  }
}

void NoteModuleDestroyed(const oapi::Module* module) {
  if (PluginHost* host = PluginHost::CurrentOrNull()) {
    host->ModuleDestroyed(module);
  }
}

}  // namespace standin
