#include "rules/definition_rules.h"

#include <cmath>
#include <initializer_list>

namespace rules {

namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; }

bool SameFolded(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Upper(a[i]) != Upper(b[i])) return false;
  }
  return true;
}

bool IsSuperscriptDigit(unsigned char c) {
  return c == 0xB9 || c == 0xB2 || c == 0xB3;
}

// The digit of a COM or LPT device: 0-9, or a superscript 1, 2 or 3 as the
// ANSI code page (one byte) or UTF-8 (two bytes) writes it.
bool IsDeviceDigit(std::string_view text) {
  const auto byte = [&](std::size_t i) {
    return static_cast<unsigned char>(text[i]);
  };
  if (text.size() == 1) {
    return (byte(0) >= '0' && byte(0) <= '9') || IsSuperscriptDigit(byte(0));
  }
  return text.size() == 2 && byte(0) == 0xC2 && IsSuperscriptDigit(byte(1));
}

// Windows takes a component as a device when its name before the first "."
// (trailing blanks dropped) is a device name: "con", "CON.cfg", "Nul.txt.cfg"
// and "COM1 .cfg" all open a device.
bool IsDeviceComponent(std::string_view component) {
  std::string_view base = component.substr(0, component.find('.'));
  while (!base.empty() && (base.back() == ' ' || base.back() == '\t')) {
    base.remove_suffix(1);
  }
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (SameFolded(base, device)) return true;
  }
  return base.size() >= 4 &&
         (SameFolded(base.substr(0, 3), "COM") ||
          SameFolded(base.substr(0, 3), "LPT")) &&
         IsDeviceDigit(base.substr(3));
}

// A component of dots and spaces only, with at least two dots: Windows drops
// trailing dots and spaces, so it climbs out of its folder as ".." does.
bool IsParentComponent(std::string_view component) {
  std::size_t dots = 0;
  for (char c : component) {
    if (c == '.') {
      ++dots;
    } else if (c != ' ') {
      return false;
    }
  }
  return dots >= 2;
}

// Component `index` of `key`, between its "\\". The key's file name has a
// component for each of the key's, between the same separators: "___" for
// each "/", and ".cfg" after the last.
std::string_view Component(std::string_view key, std::size_t index) {
  std::size_t start = 0;
  for (; index > 0; --index) start = key.find('\\', start) + 1;
  const std::size_t end = key.find('\\', start);
  return key.substr(start, end == std::string_view::npos ? end : end - start);
}

}  // namespace

std::string KeyFileName(std::string_view key) {
  std::string name;
  name.reserve(key.size() + 4);
  for (char c : key) {
    if (c == '/') {
      name += "___";
    } else {
      name += c;
    }
  }
  name += ".cfg";
  return name;
}

std::string DefinitionPath(std::string_view key) {
  return "\\Vantrel\\" + KeyFileName(key);
}

std::string KeyOfFileName(std::string_view path_below_vantrel) {
  std::string_view stem = path_below_vantrel;
  if (stem.size() >= 4) stem.remove_suffix(4);
  std::string key;
  for (std::size_t i = 0; i < stem.size(); ++i) {
    if (stem.compare(i, 3, "___") == 0) {
      key += '/';
      i += 2;
    } else {
      key += stem[i];
    }
  }
  return key;
}

KeyRefusal RefusalOf(std::string_view key) {
  using Reason = KeyRefusal::Reason;
  if (key.find(':') != std::string_view::npos) return {Reason::kColon, {}};
  if (!key.empty() && key.front() == '\\') {
    return {Reason::kLeadingBackslash, {}};
  }
  const std::string name = KeyFileName(key);
  const std::string_view path(name);
  std::size_t start = 0;
  for (std::size_t index = 0; start <= path.size(); ++index) {
    std::size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    const std::string_view component = path.substr(start, end - start);
    const Reason reason = IsParentComponent(component)   ? Reason::kParentFolder
                          : IsDeviceComponent(component) ? Reason::kDevice
                                                         : Reason::kNone;
    if (reason != Reason::kNone) return {reason, Component(key, index)};
    start = end + 1;
  }
  return {};
}

bool IsUnsafeKey(std::string_view key) {
  return RefusalOf(key).reason != KeyRefusal::Reason::kNone;
}

CountVerdict JudgeCount(std::int32_t n) {
  if (n < kMinPoints) return CountVerdict::kTooFew;
  if (n > kMaxPoints) return CountVerdict::kTooMany;
  return CountVerdict::kCounts;
}

void WritePointKey(int index, char* key) {
  static constexpr char kPrefix[] = "POINT_";
  char digits[12];
  int count = 0;
  for (unsigned rest = static_cast<unsigned>(index); rest != 0; rest /= 10) {
    digits[count++] = static_cast<char>('0' + rest % 10);
  }
  char* out = key;
  for (const char* c = kPrefix; *c != '\0'; ++c) *out++ = *c;
  while (count > 0) *out++ = digits[--count];
  *out = '\0';
}

bool TakesSeventhNumber(int index) { return index <= 3; }

TOUCHDOWNVTX VertexOf(const PointText& point, int index) {
  const auto& r = point.numbers;
  TOUCHDOWNVTX vertex;
  vertex.pos.x = r[0];
  vertex.pos.y = r[1];
  vertex.pos.z = r[2];
  vertex.stiffness = r[3];
  vertex.damping = r[4];
  vertex.mu = r[5];
  vertex.mu_lng = TakesSeventhNumber(index) ? r[6] : r[5];
  return vertex;
}

double CompletedStiffness(double mass) { return mass * kGravity; }

double CompletedDamping(double mass) {
  return (std::sqrt(mass * CompletedStiffness(mass)) * kCriticalDampingFactor) *
         kDampingRatio;
}

void CompleteSprings(std::vector<TOUCHDOWNVTX>& points, double mass) {
  const double stiffness = CompletedStiffness(mass);
  const double damping = CompletedDamping(mass);
  for (TOUCHDOWNVTX& point : points) {
    point.stiffness = stiffness;
    point.damping = damping;
  }
}

void CompleteFriction(std::vector<TOUCHDOWNVTX>& points) {
  for (TOUCHDOWNVTX& point : points) {
    point.mu = kDefaultFriction;
    point.mu_lng = kDefaultFriction;
  }
}

Completion CompletionOf(const std::vector<TOUCHDOWNVTX>& points) {
  Completion completion;
  if (points.empty()) return completion;
  const TOUCHDOWNVTX& first = points.front();
  completion.springs = first.damping == 0.0 || first.stiffness == 0.0;
  completion.friction = first.mu == 0.0;
  return completion;
}

}  // namespace rules
