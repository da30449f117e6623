#ifndef VANTREL_STANDIN_TEXT_ENCODING_H_
#define VANTREL_STANDIN_TEXT_ENCODING_H_

#include <optional>
#include <string>
#include <string_view>

namespace standin {

// The simulator reads its text files byte by byte as ANSI text. A file
// saved as UTF-16 (Notepad's "Unicode"), with a byte-order mark or without
// one, reads as noise, every other byte a NUL. Returns what is wrong and
// how to mend it, in one message, or nothing for a file the simulator can
// read.
std::optional<std::string> Utf16Problem(std::string_view text);

}  // namespace standin

#endif  // VANTREL_STANDIN_TEXT_ENCODING_H_
