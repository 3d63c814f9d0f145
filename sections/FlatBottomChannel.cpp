#include "FlatBottomChannel.h"

#include <cmath>

namespace tarnwick::FlatBottomChannel {

namespace {

constexpr int kC1 = 27;
constexpr int kC2 = 50;

// A negative side slope is an overhanging wall: the area turns negative a little
// above the bed and the section is no channel, so it is refused like any bad input.
bool InputsValid(const Inputs& in) {
  return in.n > 0 && in.d > 0 && in.value > 0 && in.b > 0 && in.m >= 0;
}

void PrintRows(ResultPane& pane, const Inputs& in, double i, const SectionState& s, bool depthKind) {
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

DepthSearchResult<SectionState> SolveDepth(const Section& section, double n, double i, double q) {
  return NormalDepthSearch(q, DepthBracket{}, [&](double h) { return Evaluate(section, n, i, h); });
}

Outline SectionOutline(const Section& section, double top) {
  const double half = section.b / 2.0;
  const double spread = section.m * top;
  return {{-half - spread, top}, {-half, 0.0}, {half, 0.0}, {half + spread, top}};
}

std::optional<SectionModel> Model(const Inputs& in) {
  if (!InputsValid(in)) return std::nullopt;
  const Section section{in.b, in.m};
  const double n = in.n;
  const double i = 1.0 / in.d;
  SectionModel model;
  model.evaluate = [section, n, i](double h) { return Evaluate(section, n, i, h); };
  model.outline = [section](double top) { return SectionOutline(section, top); };
  return model;
}

PressOutcome ComputeDepth(const Inputs& in, ResultPane& pane) {
  if (!InputsValid(in)) return Refuse(pane, PressOutcome::InputError);
  const double i = 1.0 / in.d;
  const SectionState s = SolveDepth({in.b, in.m}, in.n, i, in.value).state;
  return PrintGuarded(pane, PressOutcome::Report, [&](ResultPane& out) {
    Banner(out, "  ****************平底梯形渠、矩形渠均匀流水深计算成果表************");
    PrintRows(out, in, i, s, true);
  });
}

PressOutcome ComputeDischarge(const Inputs& in, ResultPane& pane) {
  if (!InputsValid(in)) return Refuse(pane, PressOutcome::InputError);
  const double i = 1.0 / in.d;
  const SectionState s = Evaluate({in.b, in.m}, in.n, i, in.value);
  return PrintGuarded(pane, PressOutcome::Report, [&](ResultPane& out) {
    Banner(out, "  ****************平底梯形渠、矩形渠均匀流流量计算成果表************");
    PrintRows(out, in, i, s, false);
  });
}

}  // namespace tarnwick::FlatBottomChannel
