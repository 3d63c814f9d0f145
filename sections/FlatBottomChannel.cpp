#include "FlatBottomChannel.h"

#include <cmath>

#include "InputBoxes.h"

namespace tarnwick::FlatBottomChannel {

namespace {

constexpr int kC1 = 27;
constexpr int kC2 = 50;

// A negative side slope is an overhanging wall: the area turns negative a little
// above the bed and the section is no channel, so it is refused like any bad input.
bool InputsValid(const Inputs& in) {
  return in.n > 0 && in.d > 0 && in.value > 0 && in.b > 0 && in.m >= 0;
}

void PrintRows(ResultPane& pane, const Inputs& in, double i, const SectionState& s,
               bool depthKind) {
  ReportRow(pane, kC1, kC2, {"渠底宽B=", RoundDisplay(in.b)},
            {"水面宽B1=", RoundDisplay(s.surfaceWidth)}, {"边坡M=", RoundDisplay(in.m)});
  if (depthKind) {
    ReportRow(pane, kC1, kC2, {"糙率N=", RoundDisplay(in.n)}, {"纵坡I= 1/", RoundSlope(i)},
              {"设计流量Q=", RoundDisplay(in.value)});
  } else {
    ShortRow(pane, kC1, {"糙率N=", RoundDisplay(in.n)}, {"纵坡I= 1/", RoundSlope(i)});
  }
  ReportRow(pane, kC1, kC2, {"计算流量Q1=", RoundDisplay(s.q1)}, {"正常水深H=", RoundDisplay(s.h)},
            {"流速V=", RoundDisplay(s.v)});
  ReportRow(pane, kC1, kC2, {"宽/深(B1/H)=", RoundRatio(s.surfaceWidth, s.h)},
            {"断面能量E=", RoundDisplay(s.e)}, {"湿周X=", RoundDisplay(s.x)});
  ShortRow(pane, kC1, {"水力半径RS=", RoundDisplay(s.rs)}, {"过水断面面积W=", RoundDisplay(s.w)});
}

}  // namespace

SectionState Evaluate(const Section& section, double n, double i, double h) {
  const double b = section.b;
  const double m = section.m;
  const double w = h * (b + m * h);
  const double x = b + std::sqrt(m * m + 1.0) * (h * 2.0);
  const double surfaceWidth = (m * h) * 2.0 + b;
  return FlowState(h, w, x, surfaceWidth, n, i);
}

Outline SectionOutline(const Section& section, double top) {
  const double half = section.b / 2.0;
  const double spread = section.m * top;
  return {{-half - spread, top}, {-half, 0.0}, {half, 0.0}, {half + spread, top}};
}

FamilySpec Definition::Describe() {
  return {tarnwick::Family::FlatBottomChannel,
          1,
          "flat-bottom",
          "Option4",
          "平底矩形、梯形渠",
          "平底矩形渠、平底梯形渠",
          {"2", "1.5", "0.025", "1000", "1.2"},
          {"W = (B + M·h)·h", "X = B + 2·h·√(1 + M²)", "B1 = B + 2·M·h"}};
}

WindowNames Definition::Window(CalculationKind kind) {
  if (kind == CalculationKind::Depth) {
    return {"Form21", "平底矩形渠、平底梯形渠水深计算", "平底矩形渠、平底梯形渠均匀流水深计算成果",
            "Text7"};
  }
  return {"Form32", "平底矩形渠、平底梯形渠流量计算", "平底矩形渠、平底梯形渠均匀流流量计算成果",
          "Text7"};
}

std::vector<InputBox<Inputs>> Definition::Boxes(CalculationKind kind) {
  using namespace boxes;
  return {Length("Text2", "渠 底 宽 B=", "输入渠底宽度（m）", "B", &Inputs::b),
          Box("Text3", "边    坡 M=", "输入渠道边坡值", "M", {}, BoxRole::Dimension, &Inputs::m),
          Roughness("Text4", &Inputs::n), Slope("Text5", &Inputs::d),
          ValueBox("Text6", kind, &Inputs::value)};
}

Checked<Section> Definition::Check(const Inputs& in) {
  if (!InputsValid(in)) return {};
  return {Section{in.b, in.m}};
}

void Definition::Report(ResultPane& out, CalculationKind kind, const Inputs& in, const Section&,
                        const State& st) {
  const bool depthKind = kind == CalculationKind::Depth;
  Banner(out, depthKind ? "  ****************平底梯形渠、矩形渠均匀流水深计算成果表************"
                        : "  ****************平底梯形渠、矩形渠均匀流流量计算成果表************");
  PrintRows(out, in, 1.0 / in.d, st, depthKind);
}

void Definition::Values(const Inputs&, const Section& s, const State& st, NamedValues& values) {
  values.insert(values.end(), {{"B", s.b}, {"M", s.m}, {"B1/H", st.surfaceWidth / st.h}});
}

void AddWindows(std::vector<WindowSpec>& windows, std::vector<FamilySpec>& families) {
  AddFamily<Definition>(windows, families);
}

}  // namespace tarnwick::FlatBottomChannel
