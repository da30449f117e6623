#include "vessel/body_catalog.h"

#include <utility>

#include "formats/text_encoding.h"

namespace vessel {

bool VesselBody::Judged() const {
  return state != formats::VesselState::kOrbiting && gravity > 0.0;
}

BodyCatalog::BodyCatalog(files::FileSystem& files,
                         std::filesystem::path host_folder,
                         std::optional<double> gravity)
    : files_(files), host_folder_(std::move(host_folder)), gravity_(gravity) {}

VesselBody BodyCatalog::Of(formats::VesselState state,
                           const std::string& body) {
  VesselBody found;
  found.state = state;
  found.name = state == formats::VesselState::kNotGiven ? kDefaultBody : body;
  if (state == formats::VesselState::kOrbiting) return found;
  const std::string key = formats::FoldFileName(found.name);
  auto [entry, first] = read_.try_emplace(key);
  if (first) {
    formats::Problem problem;
    entry->second = ReadBodyFile(files_, host_folder_, found.name, &problem);
    if (!entry->second) {
      failed_.emplace(key, problem);
      if (!gravity_) problems_.push_back(problem);
    }
  }
  found.file = entry->second;
  if (found.file) found.slope_factor = found.file->SlopeFactor();
  if (gravity_) {
    found.gravity = *gravity_;
    found.gravity_from = "--gravity";
  } else if (found.file) {
    found.gravity = found.file->SurfaceGravity();
    found.gravity_from = found.file->file;
  } else {
    found.problem = failed_.at(key);
  }
  return found;
}

}  // namespace vessel
