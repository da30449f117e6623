#include "standin/simulation_session.h"

#include "standin/host.h"

namespace standin {

Session::Session(PluginHost& host) : host_(host) { host_.BeginSession(this); }

Session::~Session() {
  DestroyVessels();
  host_.EndSession();
}

void Session::DestroyVessels() { host_.RetireObjects(vessels_.TakeObjects()); }

}  // namespace standin
