// The plug-in library as the host loads it: the library entry, the host's
// InitLib that it calls, the six exported functions, and unloading as each
// host edition does it.
#include "standin/plugin_library.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "host_fixture.h"

namespace {

using ::testing::ElementsAre;

// The line the host writes when it loads the plug-in built here.
#if defined(_WIN32)
constexpr char kPluginModuleLine[] =
    "Module Vantrel.dll ........... [Build 190119, API 160828]";
#else
constexpr char kPluginModuleLine[] =
    "Module Vantrel.so ............ [Build 190119, API 160828]";
#endif

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
    EXPECT_TRUE(host.modules().empty())
        << "no module object from a library without InitModule";
  }
  EXPECT_THAT(Log(), ElementsAre("ExitModule called with " + handle_text))
      << "detach calls the library's own ExitModule once, with its handle";
  EXPECT_EQ(host.init_lib_calls, 1);

  {
    auto plugin = Load(VANTREL_TEST_PLUGIN);
    ASSERT_NE(plugin, nullptr);
    EXPECT_EQ(host.modules().size(), 1u) << "InitLib calls InitModule";
  }
  EXPECT_EQ(host.init_lib_calls, 2);
  // The host's module line, padded with dots to 30 characters, comes before
  // the module's banner; it is the host's, not in the plug-in's lines.
  std::string probe_line = "Module ";
  probe_line += VANTREL_ENTRY_PROBE_NAME;
  probe_line += " ";
  probe_line.resize(std::max<std::size_t>(probe_line.size(), 30), '.');
  EXPECT_THAT(host.log().shown(),
              ElementsAre(probe_line + " [Build ******, API ******]",
                          "ExitModule called with " + handle_text,
                          kPluginModuleLine, "Vantrel Loaded, Version:190119"));
  EXPECT_TRUE(host.modules().empty())
      << "unloading outside the host's edition rules: ExitModule deleted it";
  EXPECT_EQ(host.modules_destroyed(), 1);
}

TEST_F(PluginLibraryTest, EachInitModuleRegistersOneMoreModuleObject) {
  auto plugin = Load(VANTREL_TEST_PLUGIN);
  ASSERT_NE(plugin, nullptr);
  const auto init_module = plugin->Find<void (*)(HINSTANCE)>("InitModule");
  ASSERT_NE(init_module, nullptr);

  // One from loading (InitLib), two more here.
  init_module(plugin->handle());
  init_module(plugin->handle());
  EXPECT_EQ(host.modules().size(), 3u);
  EXPECT_THAT(Log(), ElementsAre("Vantrel Loaded, Version:190119",
                                 "Vantrel Loaded, Version:190119",
                                 "Vantrel Loaded, Version:190119"));

  // The host drives the objects through its base class and destroys them
  // through the virtual destructor, before the library goes.
  folder.WriteDefinition("Lander.cfg", "N = 3\n");
  standin::SimObject& vessel = AddVessel("Probe", "Lander");
  for (oapi::Module* module : host.modules()) module->clbkNewVessel(&vessel);
  EXPECT_EQ(vessel.touchdown_sets, 3);
  host.DestroyModules();
  EXPECT_TRUE(host.modules().empty());
  EXPECT_EQ(host.modules_destroyed(), 3);
  ExpectHostClean();

  const auto nothing = plugin->Find<void (*)(void*)>("opcLoadState");
  ASSERT_NE(nothing, nullptr);
  nothing(nullptr);
  plugin->Find<void (*)(void*)>("opcSaveState")(nullptr);
  EXPECT_EQ(Log().size(), 3u + 3 * 5) << "the state exports do nothing";
}

TEST_F(PluginLibraryTest, VersionAndDate) {
  // While the host's Date2Int gives 0, every call asks again. InitLib asks
  // for the version while loading.
  host.date2int_result = 0;
  auto plugin = Load(VANTREL_TEST_PLUGIN);
  ASSERT_NE(plugin, nullptr);
  const auto version = plugin->Find<int (*)()>("GetModuleVersion");
  const auto date = plugin->Find<char* (*)()>("ModuleDate");
  ASSERT_NE(version, nullptr);
  ASSERT_NE(date, nullptr);
  const int at_load = host.date2int_calls;

  EXPECT_EQ(version(), 0);
  EXPECT_EQ(version(), 0);
  EXPECT_EQ(host.date2int_calls, at_load + 2);
  // The first non-zero answer is kept.
  host.date2int_result.reset();
  EXPECT_EQ(version(), 160828);
  host.date2int_result = 42;
  EXPECT_EQ(version(), 160828);
  EXPECT_EQ(version(), 160828);
  EXPECT_EQ(host.date2int_calls, at_load + 3);

  char* first = date();
  EXPECT_STREQ(first, "Jan 19 2019");
  EXPECT_EQ(date(), first) << "the same text every time";
}

// Unloading as each edition does: the 2016 host deletes the module object,
// then frees the library; the current edition frees the library only, and
// the plug-in's ExitModule deletes it. Either way it is destroyed once, and
// the host sees nothing left alive.
TEST(PluginUnloadTest, EachEditionDestroysTheModuleObjectOnce) {
  for (const auto edition :
       {standin::Edition::k2016, standin::Edition::kCurrent}) {
    SCOPED_TRACE(edition == standin::Edition::k2016 ? "2016" : "current");
    MemoryFolder folder;
    standin::PluginHost host(folder.path(), folder.TakeFileSystem(), edition);
    std::string error;
    ASSERT_TRUE(host.Load(VANTREL_TEST_PLUGIN, &error)) << error;
    EXPECT_EQ(host.modules().size(), 1u);
    EXPECT_THAT(
        host.log().shown(),
        ElementsAre(kPluginModuleLine, "Vantrel Loaded, Version:190119"));
    host.Unload();
    EXPECT_EQ(host.library(), nullptr);
    EXPECT_EQ(host.modules_destroyed(), 1);
    EXPECT_EQ(host.faults(), std::vector<std::string>{});
  }
}

TEST_F(PluginLibraryTest, AMissingLibraryIsAnErrorNotACrash) {
  std::string error;
  EXPECT_EQ(standin::PluginLibrary::Load(
                (folder.path() / "Nothing.so").string(), &error),
            nullptr);
  EXPECT_FALSE(error.empty());
}

}  // namespace
