#ifndef VANTREL_TESTS_HOST_FIXTURE_H_
#define VANTREL_TESTS_HOST_FIXTURE_H_

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "memory_folder.h"
#include "standin/simulation_session.h"
#include "test_host.h"

// A stand-in host over a fresh host folder held in memory, with a
// simulation running, current for the length of one test.
class HostTest : public ::testing::Test {
 protected:
  standin::SimObject& AddVessel(const std::string& name,
                                std::optional<std::string> class_name,
                                double mass = 100.0) {
    return session.vessels().AddVessel(name, std::move(class_name), mass);
  }

  std::vector<std::string> Log() const { return host.log().lines(); }

  // The host refused no call and every file handle was given back.
  void ExpectHostClean() const {
    EXPECT_EQ(session.faults(), std::vector<std::string>{});
    EXPECT_EQ(session.files().open_count(), 0u) << "file handles left open";
  }

  MemoryFolder folder;
  TestHost host{folder.path(), folder.TakeFileSystem()};
  standin::Session session{host};
};

#endif  // VANTREL_TESTS_HOST_FIXTURE_H_
