#ifndef VANTREL_RULES_DEFINITION_RULES_H_
#define VANTREL_RULES_DEFINITION_RULES_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "orbiter_api.h"
#include "rules/point_number.h"

// How a touchdown definition is found and read, and how it is completed
// before the host gets it. The plug-in acts on these rules; the tools use the
// same ones to predict and explain what it does. Host-free, and fit for a
// plug-in built without exceptions, RTTI or a C++ runtime library.
namespace rules {

// --- The definition file of a key ------------------------------------------

// The file name of a key below the Vantrel folder: every "/" is written as
// "___" (a "/" cannot be part of a file name), every other character stays,
// "\" included, and ".cfg" follows.
std::string KeyFileName(std::string_view key);

// The path the module opens for a key, relative to the host's configuration
// folder: "\Vantrel\" and the key's file name.
std::string DefinitionPath(std::string_view key);

// The key that reaches a file, from its path below the Vantrel folder with
// "\" between folders: the path without ".cfg", each "___" read as "/".
std::string KeyOfFileName(std::string_view path_below_vantrel);

// Why the module never opens the file of a key: its path could leave the
// Vantrel folder or name a Windows device. Keys come from scenarios, which
// may come from anyone; opening a serial port or the console can block the
// host.
struct KeyRefusal {
  enum class Reason {
    kNone,              // the key is opened
    kColon,             // a ":": a drive, or a stream of a file
    kLeadingBackslash,  // a leading "\": a path from the root of the drive
    kParentFolder,      // a component of dots and spaces only, with at least
                        // two dots, which Windows reads as ".."
    kDevice,            // a component whose name before its first "." is a
                        // device: CON, PRN, AUX, NUL, CONIN$, CONOUT$,
                        // COM0-COM9, LPT0-LPT9 (and the superscript digits
                        // 1-3 Windows also takes), in any case, trailing
                        // blanks ignored
  };
  Reason reason = Reason::kNone;
  // kParentFolder, kDevice: the component of the key, between its "\".
  std::string_view component;
};
KeyRefusal RefusalOf(std::string_view key);

// True when the module never opens a key's file (RefusalOf gives a reason).
bool IsUnsafeKey(std::string_view key);

// The room the module gives a key: a buffer of this many characters, the
// NUL included. The host cuts a vessel's name to fit it; a class name that
// does not fit is not looked up.
constexpr std::size_t kKeyRoom = 256;

// --- The point count N -----------------------------------------------------

constexpr std::int32_t kMinPoints = 3;
constexpr std::int32_t kMaxPoints = 8192;

enum class CountVerdict {
  kTooFew,   // the file does not count; the lookup goes on
  kCounts,   // the module reads N points
  kTooMany,  // the module ignores the file, and logs that
};
CountVerdict JudgeCount(std::int32_t n);

// --- One point -------------------------------------------------------------

// Writes the item key of point `index` (1 or more) into `key`: "POINT_"
// and the index in decimal, as the format "POINT_%i" writes it, and a NUL.
// `key` holds at least kPointKeySize characters.
constexpr std::size_t kPointKeySize = 18;
void WritePointKey(int index, char* key);

// Whether point `index` (1-based) takes its longitudinal friction from the
// seventh number. From point 4 on the seventh number is ignored and the
// longitudinal friction repeats the lateral one.
bool TakesSeventhNumber(int index);

// The vertex point `index` (1-based) holds before completion.
TOUCHDOWNVTX VertexOf(const PointText& point, int index);

// --- Completion ------------------------------------------------------------

constexpr double kGravity = 9.81;
constexpr double kDampingRatio = 0.95;
constexpr double kCriticalDampingFactor = 2.0;
constexpr double kDefaultFriction = 3.0;

// The spring of a completed point on a vessel of `mass` kg: k = m g, and c
// = 0.95 of critical damping, (sqrt(m k) * 2) * 0.95 in that order.
double CompletedStiffness(double mass);
double CompletedDamping(double mass);

// Writes the completed springs, or friction, into every point.
void CompleteSprings(std::vector<TOUCHDOWNVTX>& points, double mass);
void CompleteFriction(std::vector<TOUCHDOWNVTX>& points);

// What completion fills in a definition's points. It is decided on the
// first point alone and written into every point: the springs when its
// stiffness or damping is 0, the friction when its lateral friction is 0.
// NaN compares unequal to 0, so it counts as set; -0 counts as 0. Nothing
// for a definition without points.
struct Completion {
  bool springs = false;
  bool friction = false;
};
Completion CompletionOf(const std::vector<TOUCHDOWNVTX>& points);

// Completes a definition's points as the module does before it hands them
// to the host. `mass()` gives the vessel's mass in kg; it is asked only when
// the springs are completed, as the module asks the host for it only then.
template <typename Mass>
void Complete(std::vector<TOUCHDOWNVTX>& points, Mass&& mass) {
  const Completion completion = CompletionOf(points);
  if (completion.springs) CompleteSprings(points, mass());
  if (completion.friction) CompleteFriction(points);
}

}  // namespace rules

#endif  // VANTREL_RULES_DEFINITION_RULES_H_
