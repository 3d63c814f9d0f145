// Timing of the design solvers through the window table, each answer reported
// by its window as a press prints it: the flat-bottom bottom width for a
// discharge at a depth (some 60 us of CPU, its trial steps refined where Q1
// bends), the side slope over its fine trials, a roof radius under a narrow hump
// of Q1, a side-arc angle, and the smallest circular tunnel under the clearance
// rules.
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

// A horseshoe's roof radius under a hump of Q1 narrower than the trial steps:
// two roots, found by refining the steps where Q1 bends.
void BM_DesignRoofRadiusHump(benchmark::State& state) {
  const auto& window = *FindWindow("Form36");
  const std::vector<std::string> boxes{"0",     "",      "131.6", "8.128", "11.1",
                                       "5.255", "0.014", "2000",  "0.8268"};
  for (auto _ : state) benchmark::DoNotOptimize(SolveForBox(window, boxes, "Text1", 3.35));
}
BENCHMARK(BM_DesignRoofRadiusHump)->Unit(benchmark::kMicrosecond);

// A horseshoe's side-arc angle over its 721 trials: two roots.
void BM_DesignSideArcAngle(benchmark::State& state) {
  const auto& window = *FindWindow("Form36");
  const std::vector<std::string> boxes{"0", "1", "180", "2", "", "2", "0.014", "1000", "1"};
  for (auto _ : state) benchmark::DoNotOptimize(SolveForBox(window, boxes, "Text4", 2.6));
}
BENCHMARK(BM_DesignSideArcAngle)->Unit(benchmark::kMicrosecond);

void BM_DesignSmallestCircle(benchmark::State& state) {
  const auto& window = *FindWindow("Form24");
  const std::vector<std::string> boxes{"", "1", "0.014", "1000", "1.5"};
  for (auto _ : state) benchmark::DoNotOptimize(SizeSmallestTunnel(window, boxes));
}
BENCHMARK(BM_DesignSmallestCircle)->Unit(benchmark::kMicrosecond);

}  // namespace
