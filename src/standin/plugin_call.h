#ifndef VANTREL_STANDIN_PLUGIN_CALL_H_
#define VANTREL_STANDIN_PLUGIN_CALL_H_

#include <cstddef>
#include <cstdint>
#include <string>

#include "item_file.h"

namespace standin {

// One call a plug-in made of the host that tells what it did with a vessel,
// as the host saw it: facts only. The calls of a simulation, in order, are
// what analysis/vessel_account.h works out the account of every vessel
// from. Item reads are kept only when the session asks for them, so that
// long runs do not pay for them.
struct PluginCall {
  enum class Kind {
    kNameAsked,  // oapiGetObjectName: an update of the object begins
    kOpened,     // oapiOpenFile found the file
    kNotOpened,  // oapiOpenFile found no file it could read
    kItemRead,   // oapiReadItem_int or oapiReadItem_string
    kPointsSet,  // VESSEL::SetTouchdownPoints, accepted
  };
  // `vessel` of an object that is not a vessel.
  static constexpr std::size_t kNotAVessel = SIZE_MAX;

  Kind kind = Kind::kNameAsked;
  // kNameAsked, kPointsSet: the vessel, by its place in the order of
  // creation.
  std::size_t vessel = kNotAVessel;
  // kOpened, kNotOpened, kItemRead: the file, as the plug-in asked for it.
  std::string path;
  // kOpened: the file the host read, as a path is shown.
  std::string disk_path;
  // kItemRead: the item asked for, and what the host's reader found.
  std::string item;
  ItemFile::Lookup lookup;
};

}  // namespace standin

#endif  // VANTREL_STANDIN_PLUGIN_CALL_H_
