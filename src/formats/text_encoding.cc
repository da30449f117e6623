#include "formats/text_encoding.h"

#include <utility>

#include "formats/item_file.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace formats {

namespace fs = std::filesystem;

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

namespace {

bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

#if defined(_WIN32)

// Host text as wide text, as Windows' ANSI functions convert it.
std::wstring WideOf(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
  return wide;
}

// Wide text in the code page: nothing when a character has no place in it
// and `lost` is given, else that character as '?'. Windows' best fit
// (an 'O' for an omega, say) would name another file, so it is not used.
std::optional<std::string> NarrowOf(std::wstring_view wide, bool strict) {
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  const bool utf8 = GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL lost = FALSE;
  BOOL* const lost_flag = utf8 ? nullptr : &lost;
  const int length = WideCharToMultiByte(CP_ACP, flags, wide.data(), size,
                                         nullptr, 0, nullptr, lost_flag);
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, flags, wide.data(), size, text.data(), length,
                      nullptr, lost_flag);
  if (length <= 0 || (strict && lost)) return std::nullopt;
  return text;
}
#endif

}  // namespace

fs::path PathOfHostText(std::string_view text) {
  fs::path::string_type native;
  AppendNativeOfHostText(text, native);
  return fs::path(std::move(native));
}

void AppendNativeOfHostText(std::string_view text,
                            fs::path::string_type& native) {
#if defined(_WIN32)
  native += WideOf(text);
#else
  native.append(text);
#endif
}

std::optional<std::string> HostTextOf(const fs::path& path) {
#if defined(_WIN32)
  return NarrowOf(path.native(), true);
#else
  return path.native();
#endif
}

std::string ShownPath(const fs::path& path) {
#if defined(_WIN32)
  return NarrowOf(path.native(), false).value_or("?");
#else
  return path.native();
#endif
}

std::string FoldFileName(std::string_view name) {
#if defined(_WIN32)
  if (!IsAscii(name)) {
    // Windows compares names upper-cased letter by letter, the same in
    // every language.
    std::wstring wide = WideOf(name);
    const int size = static_cast<int>(wide.size());
    std::wstring upper(wide.size(), L'\0');
    if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.data(), size,
                      upper.data(), size, nullptr, nullptr, 0) == size) {
      wide = std::move(upper);
    }
    // Lower case for ASCII letters, as FoldCase folds them, so that a name
    // with a letter beyond ASCII upper-cases to one without still matches.
    for (wchar_t& c : wide) {
      if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    std::string key;
    for (wchar_t c : wide) {
      if (c < 0x80) {
        key += static_cast<char>(c);
      } else {
        // Beyond ASCII, as two bytes after a marker no name holds.
        key += '\xFF';
        key += static_cast<char>(c >> 8);
        key += static_cast<char>(c & 0xFF);
      }
    }
    return key;
  }
#endif
  return FoldCase(name);
}

bool FoldsTo(std::string_view name, std::string_view folded) {
  if (!IsAscii(name)) return FoldFileName(name) == folded;
  if (name.size() != folded.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    const char lower =
        c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    if (lower != folded[i]) return false;
  }
  return true;
}

#if defined(_WIN32)
std::optional<std::string> HostTextOfWide(std::wstring_view text) {
  return NarrowOf(text, true);
}

std::string CodePageName() { return std::to_string(GetACP()); }
#endif

}  // namespace formats
