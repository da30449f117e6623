#include "standin/plugin_call.h"

#include <utility>

namespace standin {

PluginCalls::PluginCalls() {
  constexpr std::size_t kCalls = 512;
  constexpr std::size_t kTextPerCall = 16;
  calls_.reserve(kCalls);
  text_.reserve(kCalls * kTextPerCall);
}

void PluginCalls::Add(PluginCall::Kind kind, std::size_t vessel,
                      std::string_view first, std::string_view second) {
  calls_.push_back(
      {kind, vessel, text_.size(), static_cast<std::uint32_t>(first.size()),
       static_cast<std::uint32_t>(second.size()), lookups_.size()});
  // Most calls have no text, or one.
  if (!first.empty()) text_.append(first);
  if (!second.empty()) text_.append(second);
}

void PluginCalls::NameAsked(std::size_t vessel) {
  Add(PluginCall::Kind::kNameAsked, vessel, {}, {});
}

void PluginCalls::Opened(std::string_view path, bool found,
                         std::string_view disk_path) {
  Add(found ? PluginCall::Kind::kOpened : PluginCall::Kind::kNotOpened,
      PluginCall::kNotAVessel, path, disk_path);
}

void PluginCalls::ItemRead(std::string_view path, std::string_view item,
                           formats::ItemFile::Lookup lookup) {
  Add(PluginCall::Kind::kItemRead, PluginCall::kNotAVessel, path, item);
  lookups_.push_back(std::move(lookup));
}

void PluginCalls::PointsSet(std::size_t vessel) {
  Add(PluginCall::Kind::kPointsSet, vessel, {}, {});
}

PluginCall PluginCalls::operator[](std::size_t index) const {
  const Kept& kept = calls_[index];
  const std::string_view text(text_);
  PluginCall call;
  call.kind = kept.kind;
  call.vessel = kept.vessel;
  call.path = text.substr(kept.text, kept.first);
  const std::string_view second =
      text.substr(kept.text + kept.first, kept.second);
  if (kept.kind == PluginCall::Kind::kItemRead) {
    call.item = second;
    call.lookup = &lookups_[kept.lookup];
  } else {
    call.disk_path = second;
  }
  return call;
}

}  // namespace standin
