#include "host.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "module_calls.h"

namespace standin {
namespace {

Host* current = nullptr;

}  // namespace

Host::Host(std::filesystem::path folder,
           std::unique_ptr<FileSystem> file_system)
    : folder_(std::move(folder)), file_system_(std::move(file_system)) {
  if (current != nullptr) {
    std::fprintf(stderr, "vantrel: a second stand-in host was created\n");
    std::abort();
  }
  current = this;
}

Host::~Host() {
  DestroyModules();
  current = nullptr;
}

Host& Host::Current() {
  if (current == nullptr) {
    std::fprintf(stderr,
                 "vantrel: a host operation was called without a host\n");
    std::abort();
  }
  return *current;
}

std::optional<std::string> Host::RootPrefix(PathRoot root) {
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

void Host::DestroyModules() {
  std::vector<oapi::Module*> modules;
  modules.swap(modules_);
  for (oapi::Module* module : modules) CurrentModuleCalls().destroy(module);
}

void Host::Fault(std::string message) {
  std::fprintf(stderr, "vantrel: host refused a call: %s\n", message.c_str());
  faults_.push_back(std::move(message));
}

}  // namespace standin
