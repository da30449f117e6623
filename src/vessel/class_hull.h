#ifndef VANTREL_VESSEL_CLASS_HULL_H_
#define VANTREL_VESSEL_CLASS_HULL_H_

#include <filesystem>
#include <optional>
#include <string>

#include "files/file_system.h"
#include "formats/collision_hull.h"
#include "formats/item_file.h"
#include "physics/contact_point.h"

namespace vessel {

// A class file's item CollisionHull and the file of touchdown points it
// names: Config\<value>.dat.
struct ClassHull {
  int line = 0;      // the item's line in the class file
  std::string file;  // "Config\Vessels\Sphere_collision.dat", the file's own
                     // name spelled as on disk when it exists
  std::filesystem::path disk_path;  // empty when the host cannot open it
  formats::HullReading reading;     // what the host reads of it

  // The host takes the hull: the file opens and reads without a fault.
  bool Accepted() const {
    return !disk_path.empty() &&
           reading.fault == formats::HullReading::Fault::kNone;
  }
};

// The item CollisionHull of `items`, a class file in `host_folder`, and the
// file it names, read through `files` as the host reads them. Nothing when
// the class file has no CollisionHull with a value.
std::optional<ClassHull> ReadClassHull(files::FileSystem& files,
                                       const std::filesystem::path& host_folder,
                                       const formats::ItemFile& items);

// The points of an accepted hull, with the host's values for those a line
// leaves out: stiffness 1e6, damping 1e5 and the vessel's friction, 0.5
// lateral and 0.1 longitudinal.
physics::ContactPoints HullPoints(const formats::HullReading& reading);

}  // namespace vessel

#endif  // VANTREL_VESSEL_CLASS_HULL_H_
