#include "simulation_session.h"

#include "host.h"

namespace standin {

Session::Session(PluginHost& host) : host_(host) { host_.BeginSession(this); }

Session::~Session() { host_.EndSession(); }

}  // namespace standin
