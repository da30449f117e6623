#include "vessel/class_file.h"

#include <cmath>
#include <cstdio>

#include "files/host_file.h"
#include "formats/item_file.h"
#include "formats/text_encoding.h"
#include "formats/vessel_mass.h"

namespace vessel {

namespace {

using Lookup = formats::ItemFile::Lookup;

bool AllFinite(const std::vector<double>& reals) {
  for (double r : reals) {
    if (!std::isfinite(r)) return false;
  }
  return true;
}

// Reads item `name`: `convert` turns its text into a value, or returns a
// problem.
template <typename T, typename Convert>
ClassItem<T> Read(const formats::ItemFile& items, const char* name,
                  Convert convert) {
  ClassItem<T> item;
  const Lookup lookup = items.Find(name);
  item.line = lookup.line;
  if (lookup.result == Lookup::Result::kEmptyValue) {
    item.problem = std::string(name) + " has no value";
  } else if (lookup.result == Lookup::Result::kFound) {
    item.problem = convert(lookup.value, item.value);
    if (!item.problem.empty())
      item.problem = std::string(name) + " " + item.problem;
  }
  return item;
}

std::string PositiveReal(const std::string& text, std::optional<double>& out,
                         const char* unit) {
  const auto reals = formats::ParseItemReals(text, 1);
  if (reals.size() == 1 && std::isfinite(reals[0]) && reals[0] > 0.0) {
    out = reals[0];
    return "";
  }
  return "'" + text + "' is not a positive, finite number of " + unit;
}

void ReadTanks(const formats::ItemFile& items, ClassFile& found) {
  for (int i = 1;; ++i) {
    const std::string name = "PropellantResource" + std::to_string(i);
    const Lookup lookup = items.Find(name);
    const auto reals = formats::ParseItemReals(lookup.value, 1);
    if (lookup.result != Lookup::Result::kFound || reals.empty()) break;
    if (i == 1) {
      found.tanks_item = name;
      found.tanks_line = lookup.line;
    }
    found.tanks.push_back(std::isfinite(reals[0]) && reals[0] > 0 ? reals[0]
                                                                  : 0.0);
  }
  if (!found.tanks.empty()) return;
  const Lookup lookup = items.Find("MaxFuel");
  const auto reals = formats::ParseItemReals(lookup.value, 1);
  if (lookup.result != Lookup::Result::kFound || reals.empty()) return;
  found.tanks_item = "MaxFuel";
  found.tanks_line = lookup.line;
  found.tanks.push_back(std::isfinite(reals[0]) && reals[0] > 0 ? reals[0]
                                                                : 0.0);
}

}  // namespace

ClassFile ReadClassFile(files::FileSystem& files,
                        const std::filesystem::path& host_folder,
                        const std::string& class_name) {
  ClassFile found;
  std::optional<files::HostFile> file;
  for (const char* folder : {"Config\\Vessels\\", "Config\\"}) {
    found.file = folder + class_name + ".cfg";
    file = files::ReadHostFile(files, host_folder, found.file);
    if (file) break;
  }
  if (!file) {
    found.file.clear();
    return found;
  }
  found.disk_path = file->disk_path;
  // The file's own name as its folder spells it, not as the scenario typed
  // the class.
  found.file = found.file.substr(0, found.file.rfind('\\') + 1) +
               formats::ShownPath(found.disk_path.filename());
  ReadClassItems(files, host_folder, file->text, found);
  return found;
}

void ReadClassItems(files::FileSystem& files,
                    const std::filesystem::path& host_folder,
                    const std::string& text, ClassFile& found) {
  const formats::ItemFile items(text);
  found.mass = Read<double>(
      items, "Mass", [](const std::string& text, std::optional<double>& out) {
        double mass = 0.0;
        if (formats::ParseItemReal(text, mass) && formats::IsVesselMass(mass)) {
          out = mass;
          return std::string();
        }
        return formats::NotAMass(text);
      });
  found.size = Read<double>(
      items, "Size", [](const std::string& text, std::optional<double>& out) {
        return PositiveReal(text, out, "m");
      });
  found.inertia = Read<physics::Vec3>(
      items, "Inertia",
      [](const std::string& text, std::optional<physics::Vec3>& out) {
        const auto r = formats::ParseItemReals(text, 3);
        if (r.size() == 3 && AllFinite(r) && r[0] > 0 && r[1] > 0 && r[2] > 0) {
          out = physics::Vec3{r[0], r[1], r[2]};
          return std::string();
        }
        return "'" + text + "' is not three positive numbers of m^2";
      });
  found.touchdown = Read<std::array<physics::Vec3, 3>>(
      items, "TouchdownPoints",
      [](const std::string& text,
         std::optional<std::array<physics::Vec3, 3>>& out) {
        const auto r = formats::ParseItemReals(text, 9);
        if (r.size() == 9 && AllFinite(r)) {
          out = std::array<physics::Vec3, 3>{physics::Vec3{r[0], r[1], r[2]},
                                             physics::Vec3{r[3], r[4], r[5]},
                                             physics::Vec3{r[6], r[7], r[8]}};
          return std::string();
        }
        return "'" + text + "' is not nine numbers (three points)";
      });
  const auto text_of = [](const std::string& text,
                          std::optional<std::string>& out) {
    out = text;
    return std::string();
  };
  found.module = Read<std::string>(items, "Module", text_of);
  found.mesh = Read<std::string>(items, "MeshName", text_of);
  ReadTanks(items, found);
  found.hull = ReadClassHull(files, host_folder, items);
}

}  // namespace vessel
