#ifndef VANTREL_FORMATS_MODULE_LINE_H_
#define VANTREL_FORMATS_MODULE_LINE_H_

#include <optional>
#include <string>

namespace formats {

// The line the host's InitLib writes for a plug-in before calling its
// InitModule: "Module Vantrel.dll ........... [Build 190119, API 160828]".
// "Module " and the file name with a space after it are padded with dots to
// 30 characters; a number the plug-in does not export is "******".
std::string ModuleLine(const std::string& file_name, std::optional<int> build,
                       std::optional<int> api);

}  // namespace formats

#endif  // VANTREL_FORMATS_MODULE_LINE_H_
