#include "files/folder_listing.h"

#include "formats/text_encoding.h"

namespace files {

void FolderListing::Add(const std::string& name) {
  if (!names_.insert(name).second) return;
  auto [first, inserted] =
      first_by_folded_name_.try_emplace(formats::FoldFileName(name), name);
  if (!inserted && name < first->second) first->second = name;
}

bool FolderListing::Remove(const std::string& name) {
  if (names_.erase(name) == 0) return false;
  const std::string folded = formats::FoldFileName(name);
  auto first = first_by_folded_name_.find(folded);
  if (first->second != name) return true;
  // The removed entry answered for its folded name: the next in sorted
  // order of those left takes over, if any.
  first_by_folded_name_.erase(first);
  for (const std::string& other : names_) {
    if (formats::FoldFileName(other) != folded) continue;
    auto [slot, inserted] = first_by_folded_name_.try_emplace(folded, other);
    if (!inserted && other < slot->second) slot->second = other;
  }
  return true;
}

std::optional<std::string> FolderListing::Find(const std::string& name) const {
  if (Contains(name)) return name;
  const auto first = first_by_folded_name_.find(formats::FoldFileName(name));
  if (first == first_by_folded_name_.end()) return std::nullopt;
  return first->second;
}

}  // namespace files
