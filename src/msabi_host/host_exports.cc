// The host operations of the Microsoft-ABI host program, exported under the
// names and calling conventions the real host exports them by, each
// forwarding to the stand-in through its C interface. The module base
// class is defined here too: its constructor, destructor and default
// callbacks are code of the host's ABI, which the plug-in calls and
// derives from.
#include <cstdarg>

#include "orbiter_api.h"
#include "standin/host_c_interface.h"

#define VANTREL_HOST_FUNCTION(type, name, parameters, arguments) \
  type name parameters { return VantrelHost_##name arguments; }
#define VANTREL_VESSEL_METHOD(type, name, parameters, arguments, c_parameters) \
  type VESSEL::name parameters const {                                         \
    return [this](auto... rest) {                                              \
      return VantrelHost_VESSEL_##name(this, rest...);                         \
    } arguments;                                                               \
  }
#include "host_operation_list.h"

void oapiWriteLogV(const char* format, ...) {
  va_list args;
  va_start(args, format);
  VantrelHost_oapiWriteLogV(format, args);
  va_end(args);
}

void standin::NoteModuleDestroyed(const oapi::Module* module) {
  VantrelHost_ModuleDestroyed(module);
}
