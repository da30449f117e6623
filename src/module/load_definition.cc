#include <cstdio>
#include <string>

#include "orbiter_api.h"
#include "vantrel.h"

namespace {

// The relative path of a key's definition file under the host's
// configuration folder. A "/" cannot be part of a file name, so it is
// written as "___"; every other character stays, "\" included.
std::string DefinitionPath(const std::string& key) {
  std::string path = "\\Vantrel\\";
  for (char c : key) {
    if (c == '/') {
      path += "___";
    } else {
      path += c;
    }
  }
  path += ".cfg";
  return path;
}

// Gives a file handle back to the host when the load returns, whichever way
// it returns.
class HostFileCloser {
 public:
  explicit HostFileCloser(FILEHANDLE file) : file_(file) {}
  ~HostFileCloser() { oapiCloseFile(file_, FILE_IN_ZEROONFAIL); }
  HostFileCloser(const HostFileCloser&) = delete;
  HostFileCloser& operator=(const HostFileCloser&) = delete;

 private:
  FILEHANDLE file_;
};

// One vertex from the value text of POINT_i. The reals are read as "%lf"
// reads them; the first one that fails to convert and every later one stay
// 0. From point 4 on the seventh real is ignored and the longitudinal
// coefficient repeats the lateral one.
TOUCHDOWNVTX ParsePoint(const char* value, int index) {
  double r[7] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
  std::sscanf(value, "%lf%lf%lf%lf%lf%lf%lf", &r[0], &r[1], &r[2], &r[3], &r[4],
              &r[5], &r[6]);
  TOUCHDOWNVTX vertex;
  vertex.pos.x = r[0];
  vertex.pos.y = r[1];
  vertex.pos.z = r[2];
  vertex.stiffness = r[3];
  vertex.damping = r[4];
  vertex.mu = r[5];
  vertex.mu_lng = index <= 3 ? r[6] : r[5];
  return vertex;
}

}  // namespace

bool Vantrel::LoadDefinition(std::string key) {
  const std::string path = DefinitionPath(key);
  FILEHANDLE file = oapiOpenFile(path.c_str(), FILE_IN_ZEROONFAIL, CONFIG);
  if (file == nullptr) {
    oapiWriteLogV("Vantrel: No TD Pts Override for: %s", key.c_str());
    return false;
  }
  HostFileCloser closer(file);

  table.Clear();
  int n = 0;
  char countKey[] = "N";
  oapiReadItem_int(file, countKey, n);
  if (n < 3) return false;
  if (n > kMaxPoints) {
    oapiWriteLogV("Vantrel: Too many TD Pts for: %s (N = %d, at most %d)",
                  key.c_str(), n, kMaxPoints);
    return false;
  }

  table.nPoints = n;
  table.points.reserve(static_cast<std::size_t>(n));
  // The value buffer is prepared once per file: a POINT item that is absent
  // leaves the text of the point read before it, or "0" before any. The
  // host copies a value without a bound, from lines of up to 511
  // characters; the buffer holds any of them, so that a long value in a
  // user's file cannot overrun it.
  char itemKey[256] = {};
  char value[512] = {'0'};
  for (int i = 1; i <= n; ++i) {
    std::snprintf(itemKey, sizeof itemKey, "POINT_%i", i);
    oapiReadItem_string(file, itemKey, value);
    table.points.push_back(ParsePoint(value, i));
  }
  return true;
}
