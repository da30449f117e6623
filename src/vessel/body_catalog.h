#ifndef VANTREL_VESSEL_BODY_CATALOG_H_
#define VANTREL_VESSEL_BODY_CATALOG_H_

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "files/file_system.h"
#include "formats/problem.h"
#include "formats/scenario.h"
#include "vessel/body_file.h"

namespace vessel {

// The body a command lands a vessel on when nothing names one: `show`,
// `drop` and `init` without --body, and a scenario vessel without a STATUS
// line.
constexpr const char* kDefaultBody = "Earth";

// The body under a vessel, as every command judges the vessel on it: the
// body its scenario's STATUS line names, or the one a command's --body
// names, with the surface gravity the host gives it there.
struct VesselBody {
  // As the STATUS line or --body names it ("Moon"); kDefaultBody for a
  // scenario vessel without a STATUS line.
  std::string name;
  // kLanded: on its ground, where the commands judge it. kOrbiting: in
  // orbit, and judged nowhere. kNotGiven: its scenario says neither, and
  // the commands take it as landed on kDefaultBody.
  formats::VesselState state = formats::VesselState::kLanded;
  // The body file as the host reads it; none when the vessel orbits, or
  // when the file cannot be read (then, unless the gravity was given,
  // `problem` says why).
  std::optional<BodyFile> file;
  std::optional<formats::Problem> problem;
  // The surface gravity the vessel is judged with (m/s^2): the file's G M /
  // Size^2, or the gravity the user gave; 0 when neither is known.
  double gravity = 0.0;
  // Where `gravity` comes from: the body file as the host names it
  // ("Config\Moon.cfg"), or "--gravity".
  std::string gravity_from;
  // How much steeper than the terrain the host's contact normal leans on
  // it (BodyFile::SlopeFactor); 1 without a body file.
  double slope_factor = 1.0;

  // Whether the commands judge the vessel on the ground: it is landed (or
  // taken as landed) and its gravity is known.
  bool Judged() const;
};

// The body files of one host folder, each read once however many vessels
// stand on its body; every command finds the body under a vessel here.
class BodyCatalog {
 public:
  // With `gravity`, every body's surface gravity is that (m/s^2), as
  // --gravity gives it, and a body file that cannot be read is no problem.
  BodyCatalog(files::FileSystem& files, std::filesystem::path host_folder,
              std::optional<double> gravity = std::nullopt);

  // The body under a vessel that its scenario starts in `state` on or
  // around `body`.
  VesselBody Of(formats::VesselState state, const std::string& body);
  // The body under a vessel that a command lands on `body`.
  VesselBody Landed(const std::string& body) {
    return Of(formats::VesselState::kLanded, body);
  }

  // The body files that could not be read, each once, in the order they
  // were asked for.
  const std::vector<formats::Problem>& problems() const { return problems_; }

 private:
  files::FileSystem& files_;
  std::filesystem::path host_folder_;
  std::optional<double> gravity_;
  // By the body's name folded as the host folds file names.
  std::map<std::string, std::optional<BodyFile>> read_;
  std::map<std::string, formats::Problem> failed_;
  std::vector<formats::Problem> problems_;
};

}  // namespace vessel

#endif  // VANTREL_VESSEL_BODY_CATALOG_H_
