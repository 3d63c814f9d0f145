// Timing of the design solvers through the window table, each answer reported
// by its window as a press prints it: the flat-bottom bottom width for a
// discharge at a depth (target 50 us), the side slope over its fine trials, and
// the smallest circular tunnel under the clearance rules.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "sections/Design.h"

namespace {

using tarnwick::FindWindow;
using tarnwick::design::SizeSmallestTunnel;
using tarnwick::design::SolveForBox;

void BM_DesignBottomWidth(benchmark::State& state) {
  const auto& window = *FindWindow("Form32");
  const std::vector<std::string> boxes{"", "1.5", "0.025", "1000", "1.5"};
  for (auto _ : state) benchmark::DoNotOptimize(SolveForBox(window, boxes, "Text2", 7.29536));
}
BENCHMARK(BM_DesignBottomWidth)->Unit(benchmark::kMicrosecond);

void BM_DesignSideSlope(benchmark::State& state) {
  const auto& window = *FindWindow("Form32");
  const std::vector<std::string> boxes{"2", "", "0.025", "1000", "1.5"};
  for (auto _ : state) benchmark::DoNotOptimize(SolveForBox(window, boxes, "Text3", 7.29536));
}
BENCHMARK(BM_DesignSideSlope)->Unit(benchmark::kMicrosecond);

void BM_DesignSmallestCircle(benchmark::State& state) {
  const auto& window = *FindWindow("Form24");
  const std::vector<std::string> boxes{"", "1", "0.014", "1000", "1.5"};
  for (auto _ : state) benchmark::DoNotOptimize(SizeSmallestTunnel(window, boxes));
}
BENCHMARK(BM_DesignSmallestCircle)->Unit(benchmark::kMicrosecond);

}  // namespace
