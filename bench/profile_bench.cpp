// Timing of a water-surface profile: a 10 km reach of the flat-bottom worked
// section at 1 m stations (10 001 stations, an M1 from 2.5 m behind a gate),
// the whole computation from the box texts, against one uniform-flow press.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "sections/Profile.h"

namespace {

void BM_Profile10kmAt1m(benchmark::State& state) {
  const tarnwick::WindowSpec& window = *tarnwick::FindWindow("Form21");
  const std::vector<std::string> boxes = {"2", "1.5", "0.025", "1000", "5"};
  const tarnwick::ProfileRequest request{10000.0, 1.0, {tarnwick::ControlKind::Depth, 2.5}, 0.0};
  for (auto _ : state) {
    const tarnwick::WindowProfile p = tarnwick::ProfileOfWindow(window, boxes, request);
    benchmark::DoNotOptimize(p.profile->stations.data());
  }
}
BENCHMARK(BM_Profile10kmAt1m)->Unit(benchmark::kMillisecond);

void BM_UniformFlowPress(benchmark::State& state) {
  const tarnwick::WindowSpec& window = *tarnwick::FindWindow("Form21");
  const std::vector<std::string> boxes = {"2", "1.5", "0.025", "1000", "5"};
  for (auto _ : state) {
    tarnwick::ResultPane pane;
    benchmark::DoNotOptimize(tarnwick::Press(window, boxes, pane));
  }
}
BENCHMARK(BM_UniformFlowPress);

}  // namespace
