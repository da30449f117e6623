#ifndef VANTREL_FILES_FOLDER_LISTING_H_
#define VANTREL_FILES_FOLDER_LISTING_H_

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace files {

// The entries of one folder, found by name as the host's Windows file
// system finds them: an entry spelled exactly as asked, otherwise the first
// in sorted order of those whose names differ from it only in case
// (FoldFileName). Names are host text (text_encoding.h). Both
// file systems keep their folders' entries in one of these, so that they
// follow the same rule.
class FolderListing {
 public:
  // Adds an entry; adding a name that is there already does nothing.
  void Add(const std::string& name);
  // Removes the entry spelled exactly `name`; false when there is none.
  bool Remove(const std::string& name);

  // The name of the entry that `name` finds, or nothing when none matches.
  std::optional<std::string> Find(const std::string& name) const;

  // Whether an entry is spelled exactly `name`.
  bool Contains(const std::string& name) const {
    return names_.count(name) == 1;
  }
  std::size_t size() const { return names_.size(); }

 private:
  std::unordered_set<std::string> names_;
  // Folded name -> the names that fold to it; the first in sorted order
  // answers.
  std::unordered_map<std::string, std::string> first_by_folded_name_;
};

}  // namespace files

#endif  // VANTREL_FILES_FOLDER_LISTING_H_
