#include "ParabolicChannel.h"

#include <cmath>

#include "InputBoxes.h"

namespace tarnwick::ParabolicChannel {

namespace {

constexpr int kC1 = 25;
constexpr int kC2 = 50;

// Chords of the drawn bed, evenly spaced across the width. A chord cuts off a
// sliver of 1/N² of the water it spans, so even water at a thirtieth of the
// drawn height, under a fifth of the chords, is held to within 1e-5 of its area.
constexpr int kBedSegments = 2048;

bool InputsValid(const Inputs& in) { return in.p > 0 && in.n > 0 && in.d > 0 && in.value > 0; }

void PrintReport(ResultPane& pane, const Inputs& in, double i, const SectionState& s,
                 bool depthKind) {
  Banner(pane, depthKind ? "  ****************抛物线形渠均匀流水深计算成果表****************"
                         : "  ****************抛物线形渠均匀流流量计算成果表****************");
  ReportRow(pane, kC1, kC2, {"抛物线参数p=", RoundDisplay(in.p)},
            {"水面宽B1=", RoundDisplay(s.surfaceWidth)},
            {"宽/深(B1/H)=", RoundRatio(s.surfaceWidth, s.h)});
  if (depthKind) {
    ReportRow(pane, kC1, kC2, {"糙率N=", RoundDisplay(in.n)}, {"纵坡I= 1/", RoundSlope(i)},
              {"设计流量Q=", RoundDisplay(in.value)});
  } else {
    ShortRow(pane, kC1, {"糙率N=", RoundDisplay(in.n)}, {"纵坡I= 1/", RoundSlope(i)});
  }
  ReportRow(pane, kC1, kC2, {"计算流量Q1=", RoundDisplay(s.q1)}, {"正常水深H=", RoundDisplay(s.h)},
            {"流速V=", RoundDisplay(s.v)});
  ReportRow(pane, kC1, kC2, {"水力半径RS=", RoundDisplay(s.rs)},
            {"过水断面面积W=", RoundDisplay(s.w)}, {"湿周X=", RoundDisplay(s.x)});
  SingleRow(pane, {"断面能量E=", RoundDisplay(s.e)});
}

}  // namespace

SectionState Evaluate(const Section& section, double n, double i, double h) {
  const double p = section.p;
  // The water surface meets the bed at x = ±√(2·p·h); the wetted area is two
  // thirds of the rectangle B1·h around the parabolic segment.
  const double surfaceWidth = 2.0 * std::sqrt(2.0 * p * h);
  const double w = (2.0 / 3.0) * surfaceWidth * h;
  // Arc length of y = x²/(2p) from the vertex out to either bank, twice:
  // p·[t·√(1+t²) + arsinh t] with t = √(2ε), ε = h/p.
  const double eps = h / p;
  const double x = p * (std::sqrt(2.0 * eps * (1.0 + 2.0 * eps)) +
                        std::log(std::sqrt(2.0 * eps) + std::sqrt(1.0 + 2.0 * eps)));
  return FlowState(h, w, x, surfaceWidth, n, i);
}

Outline SectionOutline(const Section& section, double top) {
  const double half = std::sqrt(2.0 * section.p * top);
  Outline outline;
  outline.reserve(kBedSegments + 1);
  for (int k = 0; k <= kBedSegments; ++k) {
    // (2k − N)/N is exact, so the middle point is the vertex itself.
    const double x = half * (2.0 * k - kBedSegments) / kBedSegments;
    outline.push_back({x, x * x / (2.0 * section.p)});
  }
  // The bank tops stand exactly at the drawing level.
  outline.front() = {-half, top};
  outline.back() = {half, top};
  return outline;
}

FamilySpec Definition::Describe() {
  return {tarnwick::Family::ParabolicChannel,
          8,
          "parabolic",
          "Option11",
          "抛物线形渠",
          "抛物线形渠",
          {"1", "0.014", "1000", "1"},
          {"渠底 y = x²/(2·p)，B1 = 2·√(2·p·h)，W = (2/3)·B1·h",
           "X = p·[√(2ε·(1 + 2ε)) + ln(√(2ε) + √(1 + 2ε))]，ε = h/p"},
          {{"ε", "相对水深 h/p", ""}, {"x, y", "断面横坐标与纵坐标（自渠底起）", "m"}}};
}

WindowNames Definition::Window(CalculationKind kind) {
  if (kind == CalculationKind::Depth) {
    return {"Form27", "抛物线形渠水深计算", "抛物线形渠均匀流水深计算成果", "Text5"};
  }
  return {"Form38", "抛物线形渠流量计算", "抛物线形渠均匀流流量计算成果", "Text5"};
}

std::vector<InputBox<Inputs>> Definition::Boxes(CalculationKind kind) {
  using namespace boxes;
  return {Length("Text1", "抛物线参数 p=", "输入抛物线参数（m）", "p", &Inputs::p),
          Roughness("Text2", &Inputs::n), Slope("Text3", &Inputs::d),
          ValueBox("Text4", kind, &Inputs::value)};
}

Checked<Section> Definition::Check(const Inputs& in) {
  if (!InputsValid(in)) return {};
  return {Section{in.p}};
}

void Definition::Report(ResultPane& out, CalculationKind kind, const Inputs& in, const Section&,
                        const State& st) {
  PrintReport(out, in, 1.0 / in.d, st, kind == CalculationKind::Depth);
}

void Definition::Values(const Inputs&, const Section& s, const State& st, NamedValues& values) {
  values.insert(values.end(), {{"p", s.p}, {"B1/H", st.surfaceWidth / st.h}});
}

void AddWindows(std::vector<WindowSpec>& windows, std::vector<FamilySpec>& families) {
  AddFamily<Definition>(windows, families);
}

}  // namespace tarnwick::ParabolicChannel
