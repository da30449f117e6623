#ifndef VANTREL_STANDIN_HOST_CALL_H_
#define VANTREL_STANDIN_HOST_CALL_H_

namespace standin {

// Marks a host operation in progress for as long as it lives. Each host
// operation that may allocate memory holds one, so that a program measuring
// a module's heap can tell the blocks the host allocates for its own records
// (log lines, open files, the vessel's points) from the module's. The host
// runs on one thread.
class HostCall {
 public:
  HostCall() { ++depth_; }
  ~HostCall() { --depth_; }
  HostCall(const HostCall&) = delete;
  HostCall& operator=(const HostCall&) = delete;

  // Whether a host operation is in progress.
  static bool InProgress() { return depth_ > 0; }

 private:
  static inline int depth_ = 0;
};

}  // namespace standin

#endif  // VANTREL_STANDIN_HOST_CALL_H_
