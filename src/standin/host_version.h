#ifndef VANTREL_STANDIN_HOST_VERSION_H_
#define VANTREL_STANDIN_HOST_VERSION_H_

namespace standin {

// The interface version the host writes into every module it constructs:
// that of the host's 2016 release.
constexpr int kHostVersion = 160828;

}  // namespace standin

#endif  // VANTREL_STANDIN_HOST_VERSION_H_
