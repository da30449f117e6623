// The plug-in library as the host loads it: the library entry and the six
// exported functions.
#include "plugin_library.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "host_fixture.h"

namespace {

using ::testing::ElementsAre;

class PluginLibraryTest : public HostTest {
 protected:
  std::unique_ptr<standin::PluginLibrary> Load(const std::string& path) {
    std::string error;
    auto library = standin::PluginLibrary::Load(path, &error);
    EXPECT_NE(library, nullptr) << error;
    return library;
  }
};

TEST_F(PluginLibraryTest, AttachAndDetachWithoutInitModule) {
  std::string handle_text;
  {
    auto probe = Load(VANTREL_ENTRY_PROBE);
    ASSERT_NE(probe, nullptr);
    char text[64];
    std::snprintf(text, sizeof text, "%p", static_cast<void*>(probe->handle()));
    handle_text = text;
    EXPECT_EQ(host.init_lib_calls, 1);
    EXPECT_TRUE(Log().empty());
  }
  EXPECT_THAT(Log(), ElementsAre("ExitModule called with " + handle_text))
      << "detach calls the library's own ExitModule once, with its handle";
  EXPECT_EQ(host.init_lib_calls, 1);

  {
    auto plugin = Load(VANTREL_TEST_PLUGIN);
    ASSERT_NE(plugin, nullptr);
  }
  EXPECT_EQ(host.init_lib_calls, 2);
  EXPECT_TRUE(host.modules().empty()) << "no module object without InitModule";
  EXPECT_EQ(Log().size(), 1u);
}

TEST_F(PluginLibraryTest, EachInitModuleRegistersOneMoreModuleObject) {
  auto plugin = Load(VANTREL_TEST_PLUGIN);
  ASSERT_NE(plugin, nullptr);
  const auto init_module = plugin->Find<void (*)(HINSTANCE)>("InitModule");
  ASSERT_NE(init_module, nullptr);

  init_module(plugin->handle());
  init_module(plugin->handle());
  EXPECT_EQ(host.modules().size(), 2u);
  EXPECT_THAT(Log(), ElementsAre("Vantrel Loaded, Version:190119",
                                 "Vantrel Loaded, Version:190119"));

  // The host drives the objects through its base class and destroys them
  // through the virtual destructor, before the library goes.
  folder.WriteDefinition("Lander.cfg", "N = 3\n");
  standin::SimObject& vessel = AddVessel("Probe", "Lander");
  for (oapi::Module* module : host.modules()) module->clbkNewVessel(&vessel);
  EXPECT_EQ(vessel.touchdown_sets, 2);
  host.DestroyModules();
  EXPECT_TRUE(host.modules().empty());
  ExpectHostClean();

  const auto nothing = plugin->Find<void (*)(void*)>("opcLoadState");
  ASSERT_NE(nothing, nullptr);
  nothing(nullptr);
  plugin->Find<void (*)(void*)>("opcSaveState")(nullptr);
  EXPECT_EQ(Log().size(), 2u + 2 * 5) << "the state exports do nothing";
}

TEST_F(PluginLibraryTest, VersionAndDate) {
  auto plugin = Load(VANTREL_TEST_PLUGIN);
  ASSERT_NE(plugin, nullptr);
  const auto version = plugin->Find<int (*)()>("GetModuleVersion");
  const auto date = plugin->Find<char* (*)()>("ModuleDate");
  ASSERT_NE(version, nullptr);
  ASSERT_NE(date, nullptr);

  // While the host's Date2Int gives 0, every call asks again.
  host.date2int_result = 0;
  EXPECT_EQ(version(), 0);
  EXPECT_EQ(version(), 0);
  EXPECT_EQ(host.date2int_calls, 2);
  // The first non-zero answer is kept.
  host.date2int_result.reset();
  EXPECT_EQ(version(), 160828);
  host.date2int_result = 42;
  EXPECT_EQ(version(), 160828);
  EXPECT_EQ(version(), 160828);
  EXPECT_EQ(host.date2int_calls, 3);

  char* first = date();
  EXPECT_STREQ(first, "Jan 19 2019");
  EXPECT_EQ(date(), first) << "the same text every time";
}

TEST_F(PluginLibraryTest, AMissingLibraryIsAnErrorNotACrash) {
  std::string error;
  EXPECT_EQ(standin::PluginLibrary::Load(
                (folder.path() / "Nothing.so").string(), &error),
            nullptr);
  EXPECT_FALSE(error.empty());
}

}  // namespace
