// The host operations a plug-in imports, implemented over the current
// stand-in host and, for vessels and files, its current session. They mirror
// the real host wherever a module could tell the difference, and refuse
// loudly (PluginHost::Fault) where a call breaks the interface's rules.
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "files/host_file.h"
#include "formats/date_to_int.h"
#include "formats/item_file.h"
#include "formats/log_format.h"
#include "formats/text_encoding.h"
#include "orbiter_api.h"
#include "standin/host.h"
#include "standin/host_call.h"
#include "standin/simulation_session.h"

namespace {

using standin::PluginHost;
using standin::Session;
using standin::SimObject;

// The simulation running now, or null after a fault: vessels and open files
// belong to a simulation.
Session* SessionFor(const char* operation) {
  PluginHost& host = PluginHost::Current();
  if (host.session() == nullptr) {
    host.Fault(std::string(operation) + " outside a simulation");
  }
  return host.session();
}

const standin::OpenFile* FindOpenFile(FILEHANDLE f, const char* operation) {
  Session* session = SessionFor(operation);
  if (session == nullptr) return nullptr;
  const standin::OpenFile* file = session->files().Find(f);
  if (file == nullptr) {
    PluginHost::Current().Fault(std::string(operation) +
                                " on a file handle that is not open");
  }
  return file;
}

void RecordItemRead(const standin::OpenFile& file, const char* item,
                    const formats::ItemFile::Place& lookup) {
  Session& session = *PluginHost::Current().session();
  if (!session.record_item_reads) return;
  session.calls().ItemRead(file.path, item, lookup.Copied());
}

SimObject* FindObject(OBJHANDLE handle, const char* operation) {
  Session* session = SessionFor(operation);
  if (session == nullptr) return nullptr;
  SimObject* object = session->vessels().Find(handle);
  if (object == nullptr) {
    PluginHost::Current().Fault(std::string(operation) +
                                " on a handle that names no object");
  }
  return object;
}

const SimObject& VesselOf(const VESSEL* vessel) {
  return *static_cast<const SimObject*>(vessel);
}

}  // namespace

// --- Vessels -------------------------------------------------------------

char* VESSEL::GetClassNameA() const {
  const SimObject& vessel = VesselOf(this);
  if (!vessel.class_name) return nullptr;
  return const_cast<char*>(vessel.class_name->c_str());
}

void VESSEL::SetTouchdownPoints(const TOUCHDOWNVTX* pts, DWORD n) const {
  const standin::HostCall call;
  PluginHost& host = PluginHost::Current();
  Session* session = SessionFor("SetTouchdownPoints");
  if (session == nullptr) return;
  SimObject& vessel = const_cast<SimObject&>(VesselOf(this));
  if (session->vessels().Find(&vessel) == nullptr) {
    host.Fault("SetTouchdownPoints for " + vessel.name +
               ", a vessel of a simulation that ended");
    return;
  }
  if (n < 3 || pts == nullptr) {
    host.Fault("SetTouchdownPoints for " + vessel.name + " with " +
               std::to_string(n) +
               " vertices: the host needs an array of at least 3");
    return;
  }
  vessel.touchdown.assign(pts, pts + n);
  ++vessel.touchdown_sets;
  session->calls().PointsSet(vessel.index);
}

void oapiGetObjectName(OBJHANDLE hObj, char* name, int n) {
  const standin::HostCall call;
  if (n <= 0 || name == nullptr) {
    PluginHost::Current().Fault("oapiGetObjectName with no room for the name");
    return;
  }
  name[0] = '\0';
  const SimObject* object = FindObject(hObj, "oapiGetObjectName");
  if (object == nullptr) return;
  const std::size_t length =
      std::min(object->name.size(), static_cast<std::size_t>(n - 1));
  std::memcpy(name, object->name.data(), length);
  name[length] = '\0';
  PluginHost::Current().session()->calls().NameAsked(object->index);
}

bool oapiIsVessel(OBJHANDLE hObj) {
  const Session* session = SessionFor("oapiIsVessel");
  if (session == nullptr) return false;
  const SimObject* object = session->vessels().Find(hObj);
  return object != nullptr && object->is_vessel;
}

VESSEL* oapiGetVesselInterface(OBJHANDLE hVessel) {
  const standin::HostCall call;
  SimObject* object = FindObject(hVessel, "oapiGetVesselInterface");
  if (object == nullptr) return nullptr;
  if (!object->is_vessel) {
    PluginHost::Current().Fault("oapiGetVesselInterface on " + object->name +
                                ", which is not a vessel");
    return nullptr;
  }
  return object;
}

double oapiGetMass(OBJHANDLE hObj) {
  const standin::HostCall call;
  const SimObject* object = FindObject(hObj, "oapiGetMass");
  return object == nullptr ? 0.0 : object->mass;
}

DWORD oapiGetVesselCount() {
  const Session* session = SessionFor("oapiGetVesselCount");
  if (session == nullptr) return 0;
  return static_cast<DWORD>(session->vessels().vessel_count());
}

OBJHANDLE oapiGetVesselByIndex(int index) {
  const standin::HostCall call;
  Session* session = SessionFor("oapiGetVesselByIndex");
  if (session == nullptr) return nullptr;
  SimObject* vessel =
      index < 0 ? nullptr
                : session->vessels().VesselAt(static_cast<std::size_t>(index));
  if (vessel == nullptr) {
    PluginHost::Current().Fault(
        "oapiGetVesselByIndex(" + std::to_string(index) + ") with only " +
        std::to_string(session->vessels().vessel_count()) + " vessels");
  }
  return vessel;
}

// --- Files ---------------------------------------------------------------

FILEHANDLE oapiOpenFile(const char* fname, FileAccessMode mode, PathRoot root) {
  const standin::HostCall call;
  PluginHost& host = PluginHost::Current();
  Session* session = SessionFor("oapiOpenFile");
  if (session == nullptr) return nullptr;
  if (mode != FILE_IN && mode != FILE_IN_ZEROONFAIL) {
    host.Fault("oapiOpenFile for writing: the stand-in host only reads");
    return nullptr;
  }
  const auto prefix = PluginHost::RootPrefix(root);
  if (!prefix || fname == nullptr) {
    host.Fault("oapiOpenFile with an unknown path root or no path");
    return nullptr;
  }
  std::optional<std::string> text;
  std::string found;
  if (auto file = files::ReadHostFile(host.file_system(), host.folder(),
                                      *prefix + fname)) {
    text = std::move(file->text);
    found = formats::ShownPath(file->disk_path);
  }
  session->calls().Opened(fname, text.has_value(), found);
  if (!text) {
    // Without ZEROONFAIL the real host gives a handle to a stream that
    // reads nothing.
    if (mode == FILE_IN_ZEROONFAIL) return nullptr;
    text.emplace();
  }
  return session->files().Open(fname, mode,
                               formats::ItemFile(std::move(*text)));
}

void oapiCloseFile(FILEHANDLE file, FileAccessMode mode) {
  const standin::HostCall call;
  if (file == nullptr) return;
  const standin::OpenFile* open = FindOpenFile(file, "oapiCloseFile");
  if (open == nullptr) return;
  PluginHost& host = PluginHost::Current();
  if (open->mode != mode) {
    host.Fault("oapiCloseFile for " + open->path +
               " with another mode than it was opened with");
  }
  host.session()->files().Close(file);
}

bool oapiReadItem_string(FILEHANDLE f, char* item, char* val) {
  const standin::HostCall call;
  const standin::OpenFile* file = FindOpenFile(f, "oapiReadItem_string");
  if (file == nullptr || item == nullptr || val == nullptr) return false;
  const auto lookup = file->items.Locate(item);
  RecordItemRead(*file, item, lookup);
  if (lookup.result != formats::ItemFile::Lookup::Result::kFound) return false;
  const std::string_view value =
      PluginHost::Current().ItemValueCopied(lookup.value);
  std::memcpy(val, value.data(), value.size());
  val[value.size()] = '\0';
  return true;
}

bool oapiReadItem_int(FILEHANDLE f, char* item, int& val) {
  const standin::HostCall call;
  const standin::OpenFile* file = FindOpenFile(f, "oapiReadItem_int");
  if (file == nullptr || item == nullptr) return false;
  const auto lookup = file->items.Locate(item);
  RecordItemRead(*file, item, lookup);
  if (lookup.result != formats::ItemFile::Lookup::Result::kFound) return false;
  return formats::ParseItemInt(lookup.value, val);
}

// --- Log, modules and library set-up --------------------------------------

void standin::WriteLogV(const char* format, va_list args) {
  const standin::HostCall call;
  PluginHost& host = PluginHost::Current();
  if (format == nullptr) {
    host.Fault("oapiWriteLogV without a format");
    return;
  }
  host.log().AddFormatted(format, args);
}

void oapiWriteLogV(const char* format, ...) {
  va_list args;
  va_start(args, format);
  standin::WriteLogV(format, args);
  va_end(args);
}

void oapiRegisterModule(oapi::Module* module) {
  const standin::HostCall call;
  PluginHost& host = PluginHost::Current();
  if (module == nullptr) {
    host.Fault("oapiRegisterModule without a module object");
    return;
  }
  host.RegisterModule(module);
}

int Date2Int(char* date) {
  const standin::HostCall call;
  return PluginHost::Current().ModuleDateToInt(date);
}

void InitLib(HINSTANCE hModule) { PluginHost::Current().InitLibrary(hModule); }
