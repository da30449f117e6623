#include "text_encoding.h"

namespace standin {

std::optional<std::string> Utf16Problem(std::string_view text) {
  const bool mark =
      text.size() >= 2 && ((text[0] == '\xFF' && text[1] == '\xFE') ||
                           (text[0] == '\xFE' && text[1] == '\xFF'));
  // Without a mark: ASCII text as UTF-16 has a NUL in every other byte.
  // Text the simulator reads holds no NUL at all, so a NUL in half of the
  // first bytes is UTF-16 and nothing else.
  std::size_t nuls = 0;
  const std::size_t probe = text.size() < 256 ? text.size() : 256;
  for (std::size_t i = 0; i < probe; ++i) nuls += text[i] == '\0';
  const bool unmarked = probe >= 2 && nuls * 2 >= probe - 1;
  if (!mark && !unmarked) return std::nullopt;
  return std::string(
      "the file is saved as UTF-16 (\"Unicode\" in Notepad), which the "
      "simulator cannot read; open it in Notepad, choose File > Save As, and "
      "save it with the encoding \"ANSI\" or \"UTF-8\"");
}

}  // namespace standin
