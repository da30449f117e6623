#ifndef VANTREL_FORMATS_ITEM_FILE_H_
#define VANTREL_FORMATS_ITEM_FILE_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace formats {

// An item file as the host's item reader sees it. The text is split into
// lines and indexed once, so that every read costs the same whatever the
// size of the file. It keeps one copy of the text, the place of each line's
// key and value in it, and a hash table of line numbers: about 1.5 to 2
// times the size of a definition file in all.
//
// The reader's rules, applied to each line in order from the top:
//  - The file ends at its first Ctrl-Z byte (TextModeContent).
//  - From the first ';' on, the line is a comment.
//  - Spaces and tabs are trimmed at both ends; a CR before the LF is not part
//    of the line.
//  - A line longer than kMaxLineLength, or a line reading END_PARSE (any
//    case), ends the search: the read fails.
//  - The key is the text before the first '=', trailing blanks removed (the
//    whole line when there is no '='). It matches an item name as a whole
//    string, without regard to case; the first matching line decides.
//  - The value is the text after the first '=', leading blanks skipped. With
//    no '=' or an empty value the read fails.
class ItemFile {
 public:
  static constexpr std::size_t kMaxLineLength = 511;

  // What a read of one item finds.
  struct Lookup {
    enum class Result {
      kFound,       // `value` holds the item's text
      kNotFound,    // no line matches before the end or a line that ends it
      kEmptyValue,  // the first matching line has no '=' or no value
    };
    Result result = Result::kNotFound;
    std::string value;
    int line = 0;  // 1-based line of the matching line; 0 when none
  };

  // One line of the file after the rules above.
  struct Line {
    enum class Kind { kItem, kEndParse, kTooLong };
    Kind kind = Kind::kItem;
    std::string key;    // as written, trimmed
    std::string value;  // after the first '=', trimmed
    bool has_equals = false;
  };

  // What a read finds, as Lookup, with the value left in this file's text:
  // valid for as long as the ItemFile lives, and read without copying.
  struct Place {
    Lookup::Result result = Lookup::Result::kNotFound;
    std::string_view value;
    int line = 0;
    Lookup Copied() const { return Lookup{result, std::string(value), line}; }
  };

  // Takes `text` over, keeps what the host reads of it (TextModeContent),
  // splits that into lines and indexes them.
  explicit ItemFile(std::string text);

  // Reads the item `name` as the host would.
  Lookup Find(std::string_view name) const { return Locate(name).Copied(); }
  Place Locate(std::string_view name) const;

  // Every line of the file, in order.
  std::vector<Line> lines() const;

 private:
  // A line as kept: where its key and value lie in text_.
  struct Entry {
    std::uint32_t key_begin = 0;
    std::uint32_t key_size = 0;
    std::uint32_t value_begin = 0;
    std::uint32_t value_size = 0;
    Line::Kind kind = Line::Kind::kItem;
    bool has_equals = false;
  };

  std::string_view Key(const Entry& entry) const {
    return std::string_view(text_).substr(entry.key_begin, entry.key_size);
  }
  std::string_view Value(const Entry& entry) const {
    return std::string_view(text_).substr(entry.value_begin, entry.value_size);
  }
  // The slot of index_ that holds the first line whose key folds as `name`
  // does, or the empty slot where it would go.
  std::size_t Slot(std::string_view name) const;

  std::string text_;
  std::vector<Entry> entries_;
  // Open addressing over the lines before search_end_: 1 + the index of
  // the first line with a key in each used slot, 0 in an empty one.
  std::vector<std::uint32_t> index_;
  // Index of the first line that ends every search; entries_.size() if none.
  std::size_t search_end_ = 0;
};

// The host opens item files in Windows text mode, where a Ctrl-Z byte
// (0x1A) ends the file wherever it stands.
constexpr char kEndOfFileByte = '\x1A';

// What the host reads of `text`: everything before its first Ctrl-Z byte.
std::string_view TextModeContent(std::string_view text);

// The lines of an item file as the host's reader splits them: at each LF,
// without the LF and without a CR before it. No empty line follows a final
// LF.
std::vector<std::string_view> SplitItemLines(std::string_view text);

// Folds ASCII letters to lower case, as the host compares names.
std::string FoldCase(std::string_view text);

// Converts the text of an integer item as the Windows C runtime's
// sscanf("%d") does: leading white space, an optional sign and at least one
// digit; what follows is ignored. A number beyond the range of int wraps:
// its value modulo 2^32 as a signed 32-bit integer ("4294967299" reads 3),
// and beyond +-2^63, -1 (positive) or 0 (negative). `*wrapped`, when given,
// tells whether the number lay beyond int's range. False, and `value`
// untouched, when the text does not start with a number.
bool ParseItemInt(std::string_view text, int& value, bool* wrapped = nullptr);

// Converts the text of a real item as sscanf("%lf") does: leading white
// space, then the longest prefix that is a real number; what follows is
// ignored. False, and `value` untouched, when the text does not start with
// a number.
bool ParseItemReal(const std::string& text, double& value);

// The first `most` reals of `text`, each converted as ParseItemReal does,
// one after the other; fewer when the text holds fewer.
std::vector<double> ParseItemReals(const std::string& text, std::size_t most);

}  // namespace formats

#endif  // VANTREL_FORMATS_ITEM_FILE_H_
