#ifndef VANTREL_FORMATS_TEXT_ENCODING_H_
#define VANTREL_FORMATS_TEXT_ENCODING_H_

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace formats {

// The simulator reads its text files byte by byte as ANSI text. A file
// saved as UTF-16 (Notepad's "Unicode"), with a byte-order mark or without
// one, reads as noise, every other byte a NUL. Returns what is wrong and
// how to mend it, in one message, or nothing for a file the simulator can
// read.
std::optional<std::string> Utf16Problem(std::string_view text);

// Host text: names, keys and paths as the simulator takes them, as `char`
// text. On Windows that is the system's ANSI code page (GetACP), in which
// the simulator's files, its scenarios' vessel names and its calls hold
// them; elsewhere the bytes of the file system's names. Every conversion
// between host text and a path goes through these functions, so that a
// name reads the same wherever it comes from: a scenario, a listing of a
// folder, or the command line.

// The path that host text names.
std::filesystem::path PathOfHostText(std::string_view text);

// Appends the native spelling of that path to `native`, for joining names
// to a path's string without making a path of each.
void AppendNativeOfHostText(std::string_view text,
                            std::filesystem::path::string_type& native);

// The host text of `path`; nothing when the code page has no character for
// one of the path's (a name the simulator cannot spell).
std::optional<std::string> HostTextOf(const std::filesystem::path& path);

// The host text of `path` as a message shows it: a character the code page
// cannot hold becomes '?'.
std::string ShownPath(const std::filesystem::path& path);

// A file name folded so that two names compare equal when the host's file
// system takes them for one: on Windows without regard to the case of any
// letter of the code page, as Windows compares names; elsewhere without
// regard to the case of ASCII letters. Only for comparing: the result is
// no name.
std::string FoldFileName(std::string_view name);
// Whether FoldFileName(name) is `folded`. An ASCII name is compared letter
// by letter, with nothing built.
bool FoldsTo(std::string_view name, std::string_view folded);

#if defined(_WIN32)
// The host text of wide text, or nothing when the code page cannot hold
// one of its characters.
std::optional<std::string> HostTextOfWide(std::wstring_view text);

// The name of the system's ANSI code page for messages: "1252", say.
std::string CodePageName();
#endif

}  // namespace formats

#endif  // VANTREL_FORMATS_TEXT_ENCODING_H_
