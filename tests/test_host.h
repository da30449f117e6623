#ifndef VANTREL_TESTS_TEST_HOST_H_
#define VANTREL_TESTS_TEST_HOST_H_

#include <algorithm>
#include <optional>
#include <string_view>

#include "standin/host.h"

// The stand-in host with what tests watch and steer: how often InitLib and
// Date2Int are called, a fixed answer for Date2Int, and item values cut as
// a 256-character buffer would hold them.
class TestHost : public standin::PluginHost {
 public:
  using PluginHost::PluginHost;

  void InitLibrary(HINSTANCE module) override {
    ++init_lib_calls;
    PluginHost::InitLibrary(module);
  }

  int ModuleDateToInt(const char* date) override {
    ++date2int_calls;
    return date2int_result ? *date2int_result
                           : PluginHost::ModuleDateToInt(date);
  }

  std::string_view ItemValueCopied(std::string_view value) override {
    return cut_item_values
               ? value.substr(0, std::min<std::size_t>(value.size(), 255))
               : value;
  }

  int init_lib_calls = 0;
  int date2int_calls = 0;
  // When set, Date2Int returns this instead of converting its text.
  std::optional<int> date2int_result;
  // Cut oapiReadItem_string's values to the 255 characters a
  // 256-character buffer holds, to test how a module reads a cut value.
  bool cut_item_values = false;
};

#endif  // VANTREL_TESTS_TEST_HOST_H_
