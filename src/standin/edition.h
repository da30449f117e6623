#ifndef VANTREL_STANDIN_EDITION_H_
#define VANTREL_STANDIN_EDITION_H_

namespace standin {

// How a host edition unloads a plug-in. The 2016 release deletes the module
// objects a plug-in registered, then frees the library; the current edition
// (since 2022) only frees the library, and leaves those objects to the
// plug-in's ExitModule.
enum class Edition { k2016, kCurrent };

}  // namespace standin

#endif  // VANTREL_STANDIN_EDITION_H_
