#ifndef VANTREL_VESSEL_CLASS_FILE_H_
#define VANTREL_VESSEL_CLASS_FILE_H_

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "files/file_system.h"
#include "physics/vector3.h"
#include "vessel/class_hull.h"

namespace vessel {

// An item of a class file that the host reads, with its line (0 when the
// file has none) and why its text does not count, if it does not.
template <typename T>
struct ClassItem {
  std::optional<T> value;
  int line = 0;
  std::string problem;
};

// What a vessel class's file tells the host about its vessels.
struct ClassFile {
  // The class file as the host names it in its folder
  // ("Config\Vessels\Mir.cfg"), its name spelled as on disk; empty when no
  // class file could be opened.
  std::string file;
  std::filesystem::path disk_path;  // the class file on disk
  ClassItem<double> mass;           // Mass: the empty mass (kg)
  // The tanks' capacities (kg): PropellantResource1, 2, ... up to the first
  // missing one; else MaxFuel as one tank.
  std::vector<double> tanks;
  std::string tanks_item;  // "PropellantResource1" or "MaxFuel"; empty if none
  int tanks_line = 0;
  ClassItem<double> size;                             // Size (m)
  ClassItem<physics::Vec3> inertia;                   // Inertia (m^2)
  ClassItem<std::array<physics::Vec3, 3>> touchdown;  // TouchdownPoints
  ClassItem<std::string> module;  // Module: the vessel's own DLL
  // MeshName: the vessel's mesh, below Meshes\ without ".msh"
  ClassItem<std::string> mesh;
  // CollisionHull: points from a file of their own, which a valid
  // TouchdownPoints replaces (the host reads it later).
  std::optional<ClassHull> hull;
};

// Reads, through `files`, the class file of `class_name` in `host_folder`
// as the host does: Config\Vessels\<class>.cfg, or Config\<class>.cfg when
// that cannot be opened; both resolved as the host's file system would.
// Items are read with the host's item reader and reals converted as "%lf"
// does; a mass or size counts only when it is a positive, finite number.
ClassFile ReadClassFile(files::FileSystem& files,
                        const std::filesystem::path& host_folder,
                        const std::string& class_name);

// Reads the items of a class file's `text` as ReadClassFile does; a
// CollisionHull is looked up in `host_folder` through `files`.
void ReadClassItems(files::FileSystem& files,
                    const std::filesystem::path& host_folder,
                    const std::string& text, ClassFile& found);

}  // namespace vessel

#endif  // VANTREL_VESSEL_CLASS_FILE_H_
