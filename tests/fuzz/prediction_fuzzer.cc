// Fuzzes what `vantrel check` and `vantrel show` predict against what the
// plug-in does. The input is four lines followed by a definition file's
// bytes:
//
//   vessel name
//   class name (an empty line: the vessel has no class)
//   mass, as strtod reads it
//   where the file lies: "name", "class", or anything else for nowhere
//   definition file bytes ...
//
// The module updates the vessel through the stand-in host. From the files
// the module opened, the tools' reading of the definition rules predicts
// which file applies and the points the host gets, after completion; they
// must be the points the vessel got, value for value (any NaN matches any
// NaN), and the vessel's account must name that file. Keys the rules call
// unsafe are never opened.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/definition_reading.h"
#include "analysis/vessel_account.h"
#include "files/memory_file_system.h"
#include "formats/item_file.h"
#include "module/vantrel.h"
#include "rules/definition_rules.h"
#include "standin/host.h"
#include "standin/simulation_session.h"

using analysis::CountThatApplies;
using analysis::HandedOver;
using analysis::KeyTried;
using analysis::PointRead;
using analysis::ReadPoints;

namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "prediction_fuzzer: %s\n", what.c_str());
  std::abort();
}

const fs::path kHostFolder = "/host";

// Text up to its first NUL, at most `limit` characters: what the module's
// name buffer holds of a host text.
std::string AsKey(std::string_view text, std::size_t limit) {
  return std::string(text.substr(0, std::min(text.find('\0'), limit)));
}

// Writes `bytes` where the module looks for `key`, when the key's path is a
// plain one below the Vantrel folder; a key that could leave it is skipped.
void Place(files::MemoryFileSystem& files, const std::string& key,
           std::string_view bytes) {
  if (rules::IsUnsafeKey(key)) return;
  fs::path path = kHostFolder / "Config" / "Vantrel";
  const std::string name = rules::KeyFileName(key);
  for (std::size_t start = 0; start <= name.size();) {
    const std::size_t end = std::min(name.find('\\', start), name.size());
    const std::string part = name.substr(start, end - start);
    if (part.empty() || part == "." || part == ".." || part.size() > 200) {
      return;
    }
    path /= part;
    start = end + 1;
  }
  files.WriteFile(path, std::string(bytes));
}

bool SameValue(double a, double b) {
  if (a != a && b != b) return true;
  return std::memcmp(&a, &b, sizeof a) == 0;
}

void ExpectSamePoints(const std::vector<TOUCHDOWNVTX>& got,
                      const std::vector<TOUCHDOWNVTX>& predicted) {
  if (got.size() != predicted.size()) Fail("another number of points");
  for (std::size_t i = 0; i < got.size(); ++i) {
    const TOUCHDOWNVTX& a = got[i];
    const TOUCHDOWNVTX& b = predicted[i];
    const double left[7] = {a.pos.x,   a.pos.y, a.pos.z, a.stiffness,
                            a.damping, a.mu,    a.mu_lng};
    const double right[7] = {b.pos.x,   b.pos.y, b.pos.z, b.stiffness,
                             b.damping, b.mu,    b.mu_lng};
    for (int k = 0; k < 7; ++k) {
      if (!SameValue(left[k], right[k])) {
        Fail("point " + std::to_string(i + 1) + ", value " +
             std::to_string(k + 1) + ": the plug-in handed over " +
             std::to_string(left[k]) + ", the tools predict " +
             std::to_string(right[k]));
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  std::array<std::string, 4> head;
  for (std::string& line : head) {
    const std::size_t end = std::min(rest.find('\n'), rest.size());
    line = std::string(rest.substr(0, end));
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  const std::string& name = head[0];
  const std::optional<std::string> class_name =
      head[1].empty() ? std::nullopt : std::optional<std::string>(head[1]);
  const double mass = std::strtod(head[2].c_str(), nullptr);

  // The keys the module tries: the name as its 256-character buffer holds
  // it, then the class unless it does not fit that buffer.
  std::vector<std::string> keys = {AsKey(name, 255)};
  if (class_name && AsKey(*class_name, 256).size() < 256) {
    keys.push_back(AsKey(*class_name, 256));
  }

  auto files = std::make_unique<files::MemoryFileSystem>();
  files->CreateFolder(kHostFolder / "Config" / "Vantrel");
  if (head[3] == "name") Place(*files, keys[0], rest);
  if (head[3] == "class" && keys.size() > 1) Place(*files, keys[1], rest);

  standin::PluginHost host(kHostFolder, std::move(files));
  standin::Session session(host);
  session.record_item_reads = true;
  standin::SimObject& vessel =
      session.vessels().AddVessel(name, class_name, mass);
  Vantrel module(nullptr);
  module.clbkNewVessel(&vessel);
  if (!session.faults().empty()) Fail("the host refused a call");

  standin::SessionResult result;
  result.calls = session.calls();
  standin::VesselOutcome outcome;
  outcome.name = name;
  outcome.class_name = class_name.value_or("");
  outcome.touchdown_sets = vessel.touchdown_sets;
  outcome.touchdown = vessel.touchdown;
  result.vessels.push_back(outcome);
  vessel::BodyCatalog bodies(host.file_system(), kHostFolder);
  const analysis::VesselAccount account =
      analysis::AccountVessels(result, bodies).front();
  if (account.updates.size() != 1) Fail("not one update in the account");
  const std::vector<KeyTried>& tried = account.updates.front().keys;
  std::size_t next = 0;
  std::optional<std::vector<TOUCHDOWNVTX>> predicted;
  const KeyTried* applies = nullptr;
  for (const std::string& key : keys) {
    if (next >= tried.size()) Fail("the plug-in did not look up " + key);
    const KeyTried& attempt = tried[next++];
    if (attempt.key != key) Fail("the account tried " + attempt.key);
    if (rules::IsUnsafeKey(key)) {
      if (attempt.verdict != KeyTried::Verdict::kRefused) {
        Fail("the plug-in opened " + key);
      }
      continue;
    }
    if (attempt.path != rules::DefinitionPath(key)) {
      Fail("the plug-in opened " + attempt.path + " for " + key);
    }
    if (attempt.verdict == KeyTried::Verdict::kMissing) continue;
    const auto text = host.file_system().ReadFile(attempt.disk_path, nullptr);
    if (!text) Fail("cannot read back " + attempt.disk_path);
    const formats::ItemFile items(*text);
    const auto count = CountThatApplies(items);
    if (!count) continue;
    const std::vector<PointRead> points = ReadPoints(items, *count);
    predicted = HandedOver(points, mass);
    applies = &attempt;
    break;
  }
  if (next != tried.size()) Fail("the plug-in opened a file for no key");
  if (account.Applied() != applies) {
    Fail("the account names another file than the one that applies");
  }
  if (vessel.touchdown_sets != (predicted ? 1 : 0)) {
    Fail(predicted ? "no definition applied, one was predicted"
                   : "a definition applied, none was predicted");
  }
  if (predicted) ExpectSamePoints(vessel.touchdown, *predicted);
  return 0;
}
