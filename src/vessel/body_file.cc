#include "vessel/body_file.h"

#include <cmath>

#include "files/host_file.h"
#include "formats/item_file.h"
#include "formats/text_encoding.h"

namespace vessel {

namespace {

using Lookup = formats::ItemFile::Lookup;

// A real item of the body file: its value when it is a positive, finite
// number, its line (0 when the file has none) and what is wrong with it.
struct RealItem {
  std::optional<double> value;
  int line = 0;
  std::string problem;
};

RealItem ReadPositive(const formats::ItemFile& items, const char* name,
                      const char* unit) {
  RealItem item;
  const Lookup lookup = items.Find(name);
  item.line = lookup.line;
  double read = 0.0;
  if (lookup.result == Lookup::Result::kEmptyValue) {
    item.problem = std::string(name) + " has no value";
  } else if (lookup.result == Lookup::Result::kFound) {
    if (formats::ParseItemReal(lookup.value, read) && std::isfinite(read) &&
        read > 0.0) {
      item.value = read;
    } else {
      item.problem = std::string(name) + " '" + lookup.value +
                     "' is not a positive, finite number of " + unit;
    }
  }
  return item;
}

}  // namespace

double BodyFile::SurfaceGravity() const {
  return kGravitationalConstant * mass / (size * size);
}

double BodyFile::SlopeFactor() const { return 1.0 / elevation_resolution; }

std::optional<BodyFile> ReadBodyFile(files::FileSystem& files,
                                     const std::filesystem::path& host_folder,
                                     const std::string& body,
                                     formats::Problem* problem) {
  const auto fail = [problem](std::string file, int line, std::string why) {
    if (problem != nullptr) {
      *problem = formats::Problem::Error(std::move(file), line, std::move(why));
    }
    return std::nullopt;
  };
  const std::string relative = "Config\\" + body + ".cfg";
  const auto read = files::ReadHostFile(files, host_folder, relative);
  if (!read) {
    return fail(formats::ShownPath(host_folder / "Config" / (body + ".cfg")), 0,
                "no body file for " + body + " (the host reads " + relative +
                    " for its Mass and Size)");
  }
  BodyFile found;
  found.disk_path = read->disk_path;
  found.file = "Config\\" + formats::ShownPath(read->disk_path.filename());
  const std::string shown = formats::ShownPath(read->disk_path);
  const formats::ItemFile items(read->text);
  const RealItem mass = ReadPositive(items, "Mass", "kg");
  const RealItem size = ReadPositive(items, "Size", "m");
  const RealItem resolution = ReadPositive(items, "ElevationResolution", "m");
  for (const RealItem* item : {&mass, &size, &resolution}) {
    if (!item->problem.empty()) return fail(shown, item->line, item->problem);
  }
  if (!mass.value) {
    return fail(shown, 0,
                "the body file of " + body +
                    " gives no Mass; the host would take 1 kg, and a vessel "
                    "on it would weigh nothing");
  }
  if (!size.value) {
    return fail(shown, 0,
                "the body file of " + body +
                    " gives no Size (the mean radius); the host would take "
                    "1 m, and its surface gravity would be meaningless");
  }
  found.mass = *mass.value;
  found.mass_line = mass.line;
  found.size = *size.value;
  found.size_line = size.line;
  found.elevation_resolution = resolution.value.value_or(1.0);
  found.elevation_resolution_line = resolution.line;
  return found;
}

}  // namespace vessel
