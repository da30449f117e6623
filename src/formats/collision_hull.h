#ifndef VANTREL_FORMATS_COLLISION_HULL_H_
#define VANTREL_FORMATS_COLLISION_HULL_H_

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace formats {

// One point of a collision hull: x y z, then, when given, stiffness,
// damping, mu and mu_lng.
struct HullLine {
  std::array<double, 7> numbers{};
  std::size_t count = 0;  // how many numbers the line gives (3 to 7)
};

// A collision hull file (the item CollisionHull of a class file) as the
// host reads it, in Windows text mode: a first line with the number of
// points n, read as "%d" (text after it is ignored), then n lines of
// "x y z [stiffness [damping [mu [mu_lng]]]]" read as "%lf"; lines after
// the n-th are not read. The host takes the hull whole or drops it whole.
struct HullReading {
  enum class Fault {
    kNone,
    kNoCount,        // the first line does not start with a number
    kCountTooSmall,  // n is below 3
    kLongLine,       // a line of kLongLine characters or more
    kShortLine,      // a line with fewer than 3 numbers (blank, ';', text)
    kMissingLine,    // the file ends before the n-th point
  };
  // The host reads each line into a buffer of this many bytes: a longer
  // line makes every read after it fail.
  static constexpr std::size_t kLongLine = 512;

  Fault fault = Fault::kNone;
  int count = 0;                 // n, when the first line gives one
  int line = 0;                  // 1-based line of the fault
  std::string text;              // that line, when it exists
  std::vector<HullLine> points;  // every point, when there is no fault
};

HullReading ReadCollisionHull(std::string_view text);

}  // namespace formats

#endif  // VANTREL_FORMATS_COLLISION_HULL_H_
