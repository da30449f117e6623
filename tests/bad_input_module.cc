#include "bad_input_module.h"

#include <gtest/gtest.h>

#include <cstring>

#include "module/vantrel.h"
#include "standin/simulation_session.h"
#include "test_host.h"

namespace bad_input {
namespace {

constexpr char kGoodDefinition[] =
    "N = 3\n"
    "POINT_1 = 0 -1 2 1000 100 0.5 0.4\n"
    "POINT_2 = -1 -1 -1 1000 100 0.5 0.4\n"
    "POINT_3 = 1 -1 -1 1000 100 0.5 0.4\n";

const std::vector<std::string> kGoodLog = {
    "Vantrel: Vessel Definition found for name Good",
    "point1 : 0.000 -1.000 2.000 1000.000 100.000 0.500 0.400",
    "point2 : -1.000 -1.000 -1.000 1000.000 100.000 0.500 0.400",
    "point3 : 1.000 -1.000 -1.000 1000.000 100.000 0.500 0.400",
};

}  // namespace

Outcome Update(const BadVessel& vessel,
               const std::function<void(const TestFolder&)>& prepare,
               ValueCopy copy) {
  TestFolder folder;
  prepare(folder);
  folder.WriteDefinition("Good.cfg", kGoodDefinition);

  TestHost host(folder.path());
  standin::Session session(host);
  host.cut_item_values = copy == ValueCopy::kCut;
  standin::SimObject& bad =
      session.vessels().AddVessel(vessel.name, vessel.class_name, vessel.mass);
  standin::SimObject& good =
      session.vessels().AddVessel("Good", std::string("Good"), 100.0);
  Vantrel module(nullptr);
  const std::size_t banner = host.log().line_count();
  module.clbkNewVessel(&bad);
  const std::size_t bad_end = host.log().line_count();
  const std::vector<TOUCHDOWNVTX> bad_points = bad.touchdown;
  module.clbkNewVessel(&good);

  const std::vector<std::string> log = host.log().lines();
  EXPECT_EQ(std::vector<std::string>(log.begin() + bad_end, log.end()),
            kGoodLog);
  EXPECT_EQ(good.touchdown_sets, 1);
  EXPECT_TRUE(bad.touchdown.size() == bad_points.size() &&
              std::memcmp(bad.touchdown.data(), bad_points.data(),
                          bad_points.size() * sizeof(TOUCHDOWNVTX)) == 0)
      << "updating Good changed Bad's points";
  EXPECT_EQ(session.faults(), std::vector<std::string>{});
  EXPECT_EQ(session.files().open_count(), 0u) << "file handles left open";

  Outcome outcome;
  outcome.log.assign(log.begin() + static_cast<std::ptrdiff_t>(banner),
                     log.begin() + static_cast<std::ptrdiff_t>(bad_end));
  outcome.points = bad.touchdown;
  outcome.sets = bad.touchdown_sets;
  return outcome;
}

Outcome UpdateWithDefinition(const std::string& text, ValueCopy copy) {
  return Update(
      BadVessel{},
      [&text](const TestFolder& folder) {
        folder.WriteDefinition("Bad.cfg", text);
      },
      copy);
}

std::vector<std::string> NoDefinitionLog() {
  return {"Vantrel: No TD Pts Override for: BadClass"};
}

}  // namespace bad_input
