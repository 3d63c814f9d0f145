// Timing of whole reports: one press of Form21 on its worked case (the box texts
// read, the normal depth searched, the report formatted into the pane) and the
// formatting of single numbers, the report's most repeated step.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/ResultPane.h"
#include "sections/WindowCatalog.h"

namespace {

void BM_Form21WorkedCaseReport(benchmark::State& state) {
  const tarnwick::WindowSpec& window = *tarnwick::FindWindow("Form21");
  const std::vector<std::string> boxes = {"2", "1.5", "0.025", "1000", "5"};
  tarnwick::ResultPane pane;
  for (auto _ : state) {
    pane.Clear();
    benchmark::DoNotOptimize(tarnwick::Press(window, boxes, pane));
    benchmark::DoNotOptimize(pane.Lines().data());
  }
}
BENCHMARK(BM_Form21WorkedCaseReport);

// A rounded figure as reports print it, and an unrounded one with all 15 digits.
void BM_NumberText(benchmark::State& state) {
  const double value = state.range(0) == 0 ? 1.24598 : 2.0 / 3.0;
  tarnwick::ResultPane pane;
  for (auto _ : state) {
    pane.Clear();
    pane.Number(value);
    benchmark::DoNotOptimize(pane.Empty());
  }
}
BENCHMARK(BM_NumberText)->Arg(0)->Arg(1);

}  // namespace
