#ifndef VANTREL_RULES_POINT_READING_H_
#define VANTREL_RULES_POINT_READING_H_

#include "rules/definition_rules.h"

namespace rules {

// The text of the value buffer before the first POINT item of a file.
constexpr char kFirstPointText[] = "0";

// Reads the POINT items of one file as the module does: POINT_1 to
// POINT_count in order, every one into the same value buffer, which holds
// kFirstPointText before the first. An item the file does not give leaves
// the buffer as it was, so that its point repeats the text read before it,
// or "0" before any.
//
// `reader` stands for the host's item reader on that file and owns the
// buffer:
//   reader.Fill(text)      puts `text` into the buffer;
//   reader.Read(key, i)    reads item `key` (point i) into the buffer as
//                          oapiReadItem_string does: it writes the item's
//                          value when the file gives one and leaves the
//                          buffer alone otherwise;
//   reader.Take(i)         takes the buffer as the text of point i.
// Fit for the plug-in: no library calls of its own.
template <typename Reader>
void ReadPointItems(int count, Reader& reader) {
  reader.Fill(kFirstPointText);
  char key[kPointKeySize];
  for (int i = 1; i <= count; ++i) {
    WritePointKey(i, key);
    reader.Read(key, i);
    reader.Take(i);
  }
}

}  // namespace rules

#endif  // VANTREL_RULES_POINT_READING_H_
