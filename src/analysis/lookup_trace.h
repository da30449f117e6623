#ifndef VANTREL_TOOLS_LOOKUP_TRACE_H_
#define VANTREL_TOOLS_LOOKUP_TRACE_H_

#include <string>
#include <vector>

#include "item_file.h"
#include "sim_object.h"
#include "simulation_session.h"

namespace tools {

// Where the text of one point came from, as the host saw the module read it.
struct PointOrigin {
  int line = 0;      // the line that gave the text; 0 for the initial "0"
  long text_of = 0;  // the point whose item gave the text; 0 for "0"
  std::string text;  // the text the module read
};

// One definition file the module tried for a vessel.
struct FileAttempt {
  std::string path;  // as the module asked for it
  bool opened = false;
  std::string disk_path;  // the file on disk, when opened
  bool count_read = false;
  standin::ItemFile::Lookup count;  // the read of N
  std::vector<PointOrigin> points;  // in the order read: POINT_1, ...
  bool applied = false;
};

// The files the module tried for one update, rebuilt from the host's record
// of opens and item reads: the first try is the name, the second the class.
// `source` says which one applied.
std::vector<FileAttempt> TraceLookup(
    const std::vector<standin::Session::FileEvent>& events,
    const standin::TouchdownSource& source);

}  // namespace tools

#endif  // VANTREL_TOOLS_LOOKUP_TRACE_H_
