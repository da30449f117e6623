#ifndef VANTREL_VESSEL_BODY_FILE_H_
#define VANTREL_VESSEL_BODY_FILE_H_

#include <filesystem>
#include <optional>
#include <string>

#include "files/file_system.h"
#include "formats/problem.h"

namespace vessel {

// The gravitational constant the host works with, m^3 kg^-1 s^-2.
constexpr double kGravitationalConstant = 6.67259e-11;

// A celestial body as the host reads it from its file: what a vessel
// standing on it needs.
struct BodyFile {
  // The body file as the host names it in its folder ("Config\Moon.cfg"),
  // its name spelled as on disk.
  std::string file;
  std::filesystem::path disk_path;
  double mass = 0.0;  // Mass, kg
  int mass_line = 0;
  double size = 0.0;  // Size, the mean radius, m
  int size_line = 0;
  // ElevationResolution: the unit of the terrain's elevation data, m;
  // 1 when the file gives none (line 0).
  double elevation_resolution = 1.0;
  int elevation_resolution_line = 0;

  // The gravity at the mean radius, G M / Size^2 (m/s^2), as the host puts
  // a landed vessel down: the stock Moon gives 1.6231, Mars 3.7268 and
  // Earth 9.8202.
  double SurfaceGravity() const;

  // How much steeper than the terrain the host's contact normal leans:
  // tan(normal's tilt) = factor x tan(slope). The host takes the slope of
  // its elevation grid in units of ElevationResolution, as if in metres,
  // so the factor is 1 / ElevationResolution: exactly so with bilinear
  // interpolation, and at the equator with the default bicubic one (which
  // elsewhere scales the east-west and north-south slopes by latitude).
  double SlopeFactor() const;
};

// Reads, through `files`, the body file of `body` in `host_folder` as the
// host does: Config\<body>.cfg, resolved as the host's file system would
// ('\' separators, names without regard to case), with the host's item
// reader, reals converted as "%lf" does. Mass and Size must be positive,
// finite numbers, and so must ElevationResolution when given. Nothing,
// with `problem` naming the file (and the line) and saying what is wrong,
// when the file cannot be read or one of them does not count.
std::optional<BodyFile> ReadBodyFile(files::FileSystem& files,
                                     const std::filesystem::path& host_folder,
                                     const std::string& body,
                                     formats::Problem* problem);

}  // namespace vessel

#endif  // VANTREL_VESSEL_BODY_FILE_H_
