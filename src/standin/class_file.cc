#include "class_file.h"

#include "host_file.h"
#include "item_file.h"
#include "vessel_mass.h"

namespace standin {

ClassFileMass ReadClassFileMass(FileSystem& files,
                                const std::filesystem::path& host_folder,
                                const std::string& class_name) {
  ClassFileMass found;
  std::optional<HostFile> file;
  for (const char* folder : {"Config\\Vessels\\", "Config\\"}) {
    found.file = folder + class_name + ".cfg";
    file = ReadHostFile(files, host_folder, found.file);
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
               found.disk_path.filename().string();
  const ItemFile::Lookup lookup = ItemFile(file->text).Find("Mass");
  found.line = lookup.line;
  switch (lookup.result) {
    case ItemFile::Lookup::Result::kNotFound:
      break;
    case ItemFile::Lookup::Result::kEmptyValue:
      found.problem = "Mass has no value";
      break;
    case ItemFile::Lookup::Result::kFound: {
      double mass = 0.0;
      if (ParseItemReal(lookup.value, mass) && IsVesselMass(mass)) {
        found.mass = mass;
      } else {
        found.problem = "Mass " + NotAMass(lookup.value);
      }
      break;
    }
  }
  return found;
}

}  // namespace standin
