#include <string>

#include "module/vantrel.h"
#include "orbiter_api.h"
#include "rules/definition_rules.h"
#include "rules/point_reading.h"

namespace {

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

// The host's item reader on a definition file, with the module's value
// buffer: each point's text goes into `table` as its vertex.
class HostPointReader {
 public:
  HostPointReader(FILEHANDLE file, DefinitionTable& table)
      : file_(file), table_(table) {}

  void Fill(const char* text) {
    std::size_t i = 0;
    for (; text[i] != '\0'; ++i) value_[i] = text[i];
    value_[i] = '\0';
  }
  void Read(char* key, int) { oapiReadItem_string(file_, key, value_); }
  void Take(int index) {
    table_.points.push_back(rules::VertexOf(rules::ParsePoint(value_), index));
  }

 private:
  FILEHANDLE file_;
  DefinitionTable& table_;
  // The host copies a value without a bound, from lines of up to 511
  // characters; the buffer holds any of them, so that a long value in a
  // user's file cannot overrun it.
  char value_[512] = {};
};

}  // namespace

bool Vantrel::LoadDefinition(std::string key) {
  // A key that could leave the Vantrel folder or name a device is never
  // opened; it is reported as a missing file is.
  FILEHANDLE file = nullptr;
  if (!rules::IsUnsafeKey(key)) {
    const std::string path = rules::DefinitionPath(key);
    file = oapiOpenFile(path.c_str(), FILE_IN_ZEROONFAIL, CONFIG);
  }
  if (file == nullptr) {
    oapiWriteLogV("Vantrel: No TD Pts Override for: %s", key.c_str());
    return false;
  }
  HostFileCloser closer(file);

  table.Clear();
  int n = 0;
  char countKey[] = "N";
  oapiReadItem_int(file, countKey, n);
  const rules::CountVerdict verdict = rules::JudgeCount(n);
  if (verdict == rules::CountVerdict::kTooFew) return false;
  if (verdict == rules::CountVerdict::kTooMany) {
    oapiWriteLogV("Vantrel: Too many TD Pts for: %s (N = %d, at most %d)",
                  key.c_str(), n, kMaxPoints);
    return false;
  }

  table.nPoints = n;
  table.points.reserve(static_cast<std::size_t>(n));
  HostPointReader reader(file, table);
  rules::ReadPointItems(n, reader);
  return true;
}
