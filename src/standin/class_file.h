#ifndef VANTREL_STANDIN_CLASS_FILE_H_
#define VANTREL_STANDIN_CLASS_FILE_H_

#include <filesystem>
#include <optional>
#include <string>

#include "file_system.h"

namespace standin {

// What a vessel class's file says about the mass of its vessels.
struct ClassFileMass {
  // The class file as the host names it in its folder
  // ("Config\Vessels\Mir.cfg"), its name spelled as on disk; empty when no
  // class file could be opened.
  std::string file;
  std::filesystem::path disk_path;  // the class file on disk
  std::optional<double> mass;       // its Mass, when that is a mass (kg)
  int line = 0;                     // the line of Mass; 0 when there is none
  // Why a Mass written in the file does not count; empty when it counts or
  // when there is none.
  std::string problem;
};

// Reads, through `files`, the class file of `class_name` in `host_folder`
// as the host does:
// Config\Vessels\<class>.cfg, or Config\<class>.cfg when that cannot be
// opened; both resolved as the host's file system would. Its item Mass (the
// empty mass in kg) is read with the host's item reader and converted as
// "%lf" does; it counts only when it is a positive, finite number.
ClassFileMass ReadClassFileMass(FileSystem& files,
                                const std::filesystem::path& host_folder,
                                const std::string& class_name);

}  // namespace standin

#endif  // VANTREL_STANDIN_CLASS_FILE_H_
