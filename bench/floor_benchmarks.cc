// The floor under every update: opening, reading and closing a definition
// file with the C library, without parsing it.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench_host.h"
#include "definition_text.h"

namespace {

void BM_ReadFileFloor(benchmark::State& state) {
  const int points = static_cast<int>(state.range(0));
  HostFolder folder;
  const std::string path =
      folder.WriteDefinition("Lander.cfg", DefinitionText(points)).string();
  static char buffer[1 << 16];
  for (auto _ : state) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
      state.SkipWithError(("cannot open " + path).c_str());
      break;
    }
    while (std::fread(buffer, 1, sizeof buffer, file) == sizeof buffer) {
    }
    benchmark::DoNotOptimize(buffer);
    std::fclose(file);
  }
  state.counters["points"] = points;
  state.counters["file_bytes"] =
      static_cast<double>(std::filesystem::file_size(path));
}
BENCHMARK(BM_ReadFileFloor)->Apply(PointCounts)->UseRealTime();

}  // namespace
