// Timing of the normal-depth search: the flat-bottom worked case (21 passes) and
// a discharge no depth reaches (all 1000 passes), against a bare loop of the
// same arithmetic to show what the abstractions cost.
#include <benchmark/benchmark.h>

#include <cmath>

#include "sections/FlatBottomChannel.h"

namespace {

using Family = tarnwick::FlatBottomChannel::Definition;

void BM_WorkedCase(benchmark::State& state) {
  const tarnwick::FlatBottomChannel::Section section{2.0, 1.5};
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        tarnwick::SolveNormalDepth<Family>(section, {2.0, 1.5, 0.025, 1000, 5.0}));
  }
}
BENCHMARK(BM_WorkedCase);

void BM_AllPasses(benchmark::State& state) {
  const tarnwick::FlatBottomChannel::Section section{2.0, 1.5};
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        tarnwick::SolveNormalDepth<Family>(section, {2.0, 1.5, 0.025, 1000, 1e12}));
  }
}
BENCHMARK(BM_AllPasses);

// The same bisection written as one loop over doubles.
double BareLoop(double b, double m, double n, double i, double q) {
  double lo = 0.0;
  double hi = 1000.0;
  double h = 0.0;
  for (int pass = 1; pass <= 1000; ++pass) {
    h = (hi + lo) / 2.0;
    const double w = h * (b + m * h);
    const double x = b + std::sqrt(m * m + 1.0) * (h * 2.0);
    const double rs = w / x;
    const double c = std::pow(rs, 1.0 / 6.0) / n;
    const double v = c * std::sqrt(rs * i);
    const double q1 = c * w * std::sqrt(rs * i);
    benchmark::DoNotOptimize(h + (v * v / 2.0) / 9.810001);
    benchmark::DoNotOptimize((m * h) * 2.0 + b);
    if (std::abs(q1 - q) < 0.0001) break;
    if (q1 > q) {
      hi = h;
    } else {
      lo = h;
    }
  }
  return h;
}

void BM_BareLoopWorkedCase(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(BareLoop(2.0, 1.5, 0.025, 0.001, 5.0));
}
BENCHMARK(BM_BareLoopWorkedCase);

void BM_BareLoopAllPasses(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(BareLoop(2.0, 1.5, 0.025, 0.001, 1e12));
}
BENCHMARK(BM_BareLoopAllPasses);

}  // namespace

BENCHMARK_MAIN();
