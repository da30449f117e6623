#ifndef VANTREL_FORMATS_DATE_TO_INT_H_
#define VANTREL_FORMATS_DATE_TO_INT_H_

namespace formats {

// Converts "Mmm dd yyyy" to (yyyy % 100) * 10000 + month * 100 + day, as the
// host's Date2Int does: "Aug 28 2016" gives 160828. Month names match
// without regard to case. A text that is not such a date gives 0.
int DateToInt(const char* date);

}  // namespace formats

#endif  // VANTREL_FORMATS_DATE_TO_INT_H_
