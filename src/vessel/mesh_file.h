#ifndef VANTREL_VESSEL_MESH_FILE_H_
#define VANTREL_VESSEL_MESH_FILE_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "physics/vector3.h"

namespace vessel {

// The FLAG bit of a group that the simulator does not render.
constexpr unsigned long kGroupNotRendered = 0x2;

// One vertex of a mesh: its position in the vessel's frame (metres; x
// right, y up, z forward) and the line of the file that gives it.
struct MeshVertex {
  physics::Vec3 pos;
  int line = 0;
};

// One group of a mesh, as its header and GEOM line describe it.
struct MeshGroup {
  std::string label;        // LABEL; empty when none
  unsigned long flags = 0;  // FLAG, read as hexadecimal
  int line = 0;             // the GEOM line
  std::vector<MeshVertex> vertices;
  bool Rendered() const { return (flags & kGroupNotRendered) == 0; }
};

// The geometry of a mesh file: its groups in file order. Materials and
// textures, which follow the groups, are not read.
struct Mesh {
  std::vector<MeshGroup> groups;
};

// The path of a mesh below the host folder, as the simulator finds a class
// file's MeshName: "Meshes\" + name + ".msh".
std::string MeshPath(const std::string& mesh_name);

// Reads the text of a mesh in the simulator's format: a first line MSHX1,
// GROUPS n, then n groups, each with optional header lines (LABEL,
// MATERIAL, TEXTURE, TEXWRAP, NONORMAL, FLAG and others, which are
// skipped), GEOM nv nt, nv vertex lines "x y z ..." and nt triangle lines
// of three vertex indices counted from 0. A ';' starts a comment; blank
// lines are skipped; lines may end in CR LF.
// Success: the mesh. Failure: nothing, and `error` says what is wrong as
// "file:line: message", `file` being `file_name`.
std::optional<Mesh> ParseMesh(std::string_view file_name, std::string_view text,
                              std::string* error);

}  // namespace vessel

#endif  // VANTREL_VESSEL_MESH_FILE_H_
