#include "definition_text.h"

#include <benchmark/benchmark.h>

#include <cstdio>

std::string DefinitionText(int points) {
  std::string text = "; touchdown points\nN = " + std::to_string(points) + "\n";
  char line[128];
  for (int i = 1; i <= points; ++i) {
    const double x = -2.0 + 4.0 * (i % 17) / 16.0;
    const double z = -3.0 + 6.0 * (i % 13) / 12.0;
    std::snprintf(line, sizeof line,
                  "POINT_%d = %.3f -1.500 %.3f 3e5 3e4 0.5 0.2\n", i, x, z);
    text += line;
  }
  return text;
}

void PointCounts(benchmark::internal::Benchmark* benchmark) {
  for (int points : {3, 8, 64, 512, 4096}) benchmark->Arg(points);
}
