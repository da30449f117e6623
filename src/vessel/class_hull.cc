#include "vessel/class_hull.h"

#include "files/host_file.h"
#include "formats/text_encoding.h"
#include "vessel/vessel_model.h"

namespace vessel {

std::optional<ClassHull> ReadClassHull(files::FileSystem& files,
                                       const std::filesystem::path& host_folder,
                                       const formats::ItemFile& items) {
  const auto item = items.Find("CollisionHull");
  if (item.result != formats::ItemFile::Lookup::Result::kFound) {
    return std::nullopt;
  }
  ClassHull hull;
  hull.line = item.line;
  hull.file = "Config\\" + item.value + ".dat";
  if (auto file = files::ReadHostFile(files, host_folder, hull.file)) {
    hull.disk_path = file->disk_path;
    hull.file = hull.file.substr(0, hull.file.rfind('\\') + 1) +
                formats::ShownPath(hull.disk_path.filename());
    hull.reading = formats::ReadCollisionHull(file->text);
  }
  return hull;
}

physics::ContactPoints HullPoints(const formats::HullReading& reading) {
  const double defaults[] = {kClassStiffness, kClassDamping, kClassMu,
                             kClassMuLng};
  physics::ContactPoints points;
  for (const formats::HullLine& line : reading.points) {
    double values[4];
    for (std::size_t k = 0; k < 4; ++k) {
      values[k] = line.count > 3 + k ? line.numbers[3 + k] : defaults[k];
    }
    points.push_back({{line.numbers[0], line.numbers[1], line.numbers[2]},
                      values[0],
                      values[1],
                      values[2],
                      values[3]});
  }
  return points;
}

}  // namespace vessel
