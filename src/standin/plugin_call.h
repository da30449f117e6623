#ifndef VANTREL_STANDIN_PLUGIN_CALL_H_
#define VANTREL_STANDIN_PLUGIN_CALL_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "formats/item_file.h"

namespace standin {

// One call a plug-in made of the host that tells what it did with a vessel,
// as the host saw it: facts only. The calls of a simulation, in order, are
// what analysis/vessel_account.h works out the account of every vessel
// from. Its texts are views into the record it comes from (PluginCalls).
struct PluginCall {
  enum class Kind : std::uint8_t {
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
  std::string_view path;
  // kOpened: the file the host read, as a path is shown.
  std::string_view disk_path;
  // kItemRead: the item asked for, and what the host's reader found.
  std::string_view item;
  const formats::ItemFile::Lookup* lookup = nullptr;
};

// The calls of one simulation, in order, kept compactly: a long run keeps
// a few bytes a call, and recording one allocates nothing but the record's
// own growth. Item reads are kept only when the session asks for them.
class PluginCalls {
 public:
  // Room for the calls of some hundred updates from the start, so that a
  // short simulation records without growing the record.
  PluginCalls();

  void NameAsked(std::size_t vessel);
  void Opened(std::string_view path, bool found, std::string_view disk_path);
  void ItemRead(std::string_view path, std::string_view item,
                formats::ItemFile::Lookup lookup);
  void PointsSet(std::size_t vessel);

  std::size_t size() const { return calls_.size(); }
  // Call `index`; its texts are valid as long as this record is unchanged.
  PluginCall operator[](std::size_t index) const;

 private:
  // A call as kept: its texts one after the other in text_.
  struct Kept {
    PluginCall::Kind kind;
    std::size_t vessel;
    std::size_t text;      // where its texts begin in text_
    std::uint32_t first;   // the size of the path
    std::uint32_t second;  // the size of the disk path or the item
    std::size_t lookup;    // kItemRead: its place in lookups_
  };

  void Add(PluginCall::Kind kind, std::size_t vessel, std::string_view first,
           std::string_view second);

  std::vector<Kept> calls_;
  std::string text_;
  std::vector<formats::ItemFile::Lookup> lookups_;
};

}  // namespace standin

#endif  // VANTREL_STANDIN_PLUGIN_CALL_H_
