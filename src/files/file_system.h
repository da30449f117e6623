#ifndef VANTREL_FILES_FILE_SYSTEM_H_
#define VANTREL_FILES_FILE_SYSTEM_H_

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace files {

// The files the stand-in host and the tools read, behind one interface: on
// disk (DiskFileSystem) or in memory (MemoryFileSystem, for tests and
// fuzzing). Paths are std::filesystem paths; a host-relative path is
// resolved to one by ResolveHostPath (host_paths.h), which applies the
// host's Windows name rules through FindEntry.
//
// No method throws. Each says what it gives on success and on failure.
class FileSystem {
 public:
  // What FindEntry found.
  struct Match {
    bool folder_found = false;  // `folder` exists as a folder
    std::optional<std::filesystem::path> entry;
  };

  enum class EntryType { kNone, kFile, kFolder, kOther };

  // What tells one entry on disk from every other, however its path is
  // spelled: the device and inode number on Linux, the volume serial number
  // and file index on Windows. Two paths name one entry exactly when their
  // identities are equal, through links, drive aliases, short names and
  // case alike.
  struct Identity {
    unsigned long long volume = 0;
    unsigned long long index = 0;

    bool operator==(const Identity& other) const {
      return volume == other.volume && index == other.index;
    }
    bool operator!=(const Identity& other) const { return !(*this == other); }
    bool operator<(const Identity& other) const {
      return volume != other.volume ? volume < other.volume
                                    : index < other.index;
    }
  };

  virtual ~FileSystem() = default;

  // The entry of `folder` named `name`, by the host's name rules: the entry
  // spelled exactly so if there is one, else the first in sorted order of
  // those whose names equal `name` without regard to case (see
  // FolderListing).
  // Success: folder_found is set and `entry` is `folder` / the entry's name;
  // the entry may be of any type. Failure: `entry` is empty when no entry
  // matches or the folder cannot be listed; folder_found is false as well
  // when `folder` does not exist or is not a folder. Entries created,
  // removed or renamed before the call are always seen.
  Match FindEntry(const std::filesystem::path& folder,
                  const std::string& name) {
    return FindEntryIn(folder.native(), name);
  }
  // As FindEntry, with the folder's path in native form: a lookup that
  // builds the path as a string need not split it into a path first.
  virtual Match FindEntryIn(const std::filesystem::path::string_type& folder,
                            const std::string& name) = 0;
  // As FindEntryIn, and the entry found is read as ReadFile reads it:
  // `text` then holds its whole content, or nothing when it is no regular
  // file that could be read. FileSystem's own makes one call of each; the
  // disk's, on Linux, opens a name it found as spelled before without
  // looking at the folder first, since an entry spelled exactly as asked
  // is the one found.
  virtual Match ReadEntryIn(const std::filesystem::path::string_type& folder,
                            const std::string& name,
                            std::optional<std::string>& text);

  // The type of what `path` names, following links: kNone when nothing is
  // there or it cannot be examined.
  virtual EntryType TypeOf(const std::filesystem::path& path) = 0;

  // The largest file ReadFile reads: far beyond any file of the simulator,
  // and within what a 32-bit process can hold.
  static constexpr unsigned long long kLargestFile = 256ull * 1024 * 1024;

  // Success: the whole content of the regular file `path`. Failure: nothing,
  // and, when `reason` is given, a reason a person can read: "no such
  // file", "not a regular file", "cannot open it for reading: " or "reading
  // it failed: " with the system's words, "too large to read" with the
  // sizes for a file over kLargestFile, or the system's message when the
  // file cannot be examined (a loop of links, say).
  virtual std::optional<std::string> ReadFile(const std::filesystem::path& path,
                                              std::string* reason) = 0;

  // As ReadFile; on success `identity` also holds the identity of the file
  // whose text was read, taken from the same open where the system allows,
  // or nothing when it could not be had. On failure `identity` is nothing.
  // FileSystem's own reads, then asks IdentityOf.
  virtual std::optional<std::string> ReadIdentifiedFile(
      const std::filesystem::path& path, std::string* reason,
      std::optional<Identity>& identity);

  // Success: the identity of the entry `path` names, following links.
  // Failure: nothing, when nothing is there or it cannot be examined.
  virtual std::optional<Identity> IdentityOf(
      const std::filesystem::path& path) = 0;

  // Success: the path of the existing entry `path` names as the system
  // resolves it: absolute, with links, drive aliases, short names and the
  // case of each name resolved, so that every spelling of one entry gives
  // the same path, and each folder on it is the entry's real parent (realpath
  // on Linux; GetFinalPathNameByHandleW on Windows, in its \\?\ form).
  // Failure: nothing, when nothing is there or it cannot be resolved.
  virtual std::optional<std::filesystem::path> FinalPath(
      const std::filesystem::path& path) = 0;

  // What lies below a folder, at any depth, each list in sorted order.
  struct Tree {
    std::vector<std::filesystem::path> files;    // regular files
    std::vector<std::filesystem::path> folders;  // folders, `folder` itself not
  };

  // Success: the regular files and the folders below `folder`. Failure:
  // nothing, when `folder` or a folder below it cannot be listed.
  virtual std::optional<Tree> EntriesBelow(
      const std::filesystem::path& folder) = 0;

  // A file being written: the text goes to a temporary file beside the
  // target, which takes the target's place only on Commit. Until then the
  // target keeps what it held, whatever happens to the process; an output
  // dropped without Commit removes its temporary file.
  class Output {
   public:
    virtual ~Output() = default;
    // Adds `text` to the temporary file, at once, so that it holds every
    // line even if the process dies. False when writing failed; Commit then
    // fails too.
    virtual bool Append(std::string_view text) = 0;
    // Renames the temporary file into the target's place, replacing a file
    // there in one step. Success: true; the target holds exactly the text
    // appended. Failure: false, the target unchanged, the temporary file
    // removed, and, when `reason` is given, a reason a person can read.
    virtual bool Commit(std::string* reason) = 0;
    // As Commit, but only where nothing is at the target: an entry there,
    // even one made while this output was written, is never replaced; the
    // commit then fails with the reason "already exists".
    virtual bool CommitNew(std::string* reason) = 0;
  };

  // Success: an output that will replace, or create, the file `target`.
  // Failure: nothing, with a reason when `reason` is given: "is a folder",
  // "not a regular file" (a device, say: it is never replaced), "no such
  // folder" for a missing folder on the way, or the system's message when
  // the temporary file cannot be created.
  virtual std::unique_ptr<Output> CreateOutput(
      const std::filesystem::path& target, std::string* reason) = 0;

  // Creates the folder `folder`, whose parent exists. Success: true, also
  // when the folder was there already. Failure: false, with a reason when
  // `reason` is given: "not a folder" when another kind of entry has its
  // name, or the system's message.
  virtual bool MakeFolder(const std::filesystem::path& folder,
                          std::string* reason) = 0;

  // Writes `text` as the file `target` through CreateOutput and Commit;
  // true on success, else false with the reason.
  bool WriteOutput(const std::filesystem::path& target, std::string_view text,
                   std::string* reason);

  // The temporary file in the folder of `target` that an output uses while
  // it is written; `attempt` counts the names tried. The name is short, so
  // that a target whose name is as long as the system allows has one too.
  static std::filesystem::path TemporaryName(
      const std::filesystem::path& target, int attempt);
};

}  // namespace files

#endif  // VANTREL_FILES_FILE_SYSTEM_H_
