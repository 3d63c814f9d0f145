#include "ReportRow.h"

#include <cmath>
#include <iterator>

#include "Hydraulics.h"

namespace tarnwick {

namespace {

// 10^d for the decimals a report shows: the same exact doubles std::pow gives,
// without its cost on every printed figure.
constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

}  // namespace

double RoundDisplay(double x, int decimals) {
  constexpr int kTabled = static_cast<int>(std::size(kPowersOfTen));
  const double scale =
      decimals >= 0 && decimals < kTabled ? kPowersOfTen[decimals] : std::pow(10.0, decimals);
  return std::floor(x * scale + 0.5) / scale;
}

double RoundScaled(double scaled, double add, double divisor) {
  return std::floor(scaled + add) / divisor;
}

double ThreeDecimals(double x) { return RoundScaled(x * 1000.0, 0.3, 1000.0); }

double RoundSlope(double i) { return std::floor(100000.0 / i + 0.5) / 100000.0; }

double RoundRatio(double width, double depth) {
  return std::floor(width * 100000.0 / depth + 0.5) / 100000.0;
}

double RoundDegrees(double radians) {
  return std::floor(radians * 100000.0 * 180.0 / kPi + 0.5) / 100000.0;
}

void Banner(ResultPane& pane, std::string_view banner) { pane.Text(banner).EndLine(); }

namespace {

void Put(ResultPane& pane, const Field& f) {
  pane.Text(f.label.text, f.label.columns).Number(f.value);
}

}  // namespace

void ReportRow(ResultPane& pane, int c1, int c2, Field f1, Field f2, Field f3) {
  Put(pane, f1);
  Put(pane.Tab(c1), f2);
  Put(pane.Tab(c2), f3);
  pane.EndLine();
}

void ShortRow(ResultPane& pane, int c1, Field f1, Field f2) {
  Put(pane, f1);
  Put(pane.Tab(c1), f2);
  pane.EndLine();
}

void SingleRow(ResultPane& pane, Field f) {
  Put(pane, f);
  pane.EndLine();
}

void TunnelFlowRows(ResultPane& pane, int c1, int c2, bool depthKind, double q, double n, double i,
                    double q1, double h, double v) {
  if (depthKind) {
    ReportRow(pane, c1, c2, {"设计流量Q=", RoundDisplay(q)}, {"糙率N=", RoundDisplay(n)},
              {"纵坡I= 1/", RoundSlope(i)});
  } else {
    ShortRow(pane, c1, {"糙率N=", RoundDisplay(n)}, {"纵坡I= 1/", RoundSlope(i)});
  }
  ReportRow(pane, c1, c2, {"计算流量Q1=", RoundDisplay(q1)}, {"正常水深H=", RoundDisplay(h)},
            {"流速V=", RoundDisplay(v)});
}

void Separator(ResultPane& pane) { pane.Text(kSeparatorLine).EndLine(); }

void InputErrorBlock(ResultPane& pane, std::string_view message) {
  Separator(pane);
  pane.Text(message).EndLine();
  Separator(pane);
}

PressOutcome Refuse(ResultPane& pane, PressOutcome outcome) {
  switch (outcome) {
    case PressOutcome::WidthError: InputErrorBlock(pane, kWidthInputError); break;
    case PressOutcome::DepthTooGreat: InputErrorBlock(pane, kDepthTooGreat); break;
    default: InputErrorBlock(pane, kDataInputError); return PressOutcome::InputError;
  }
  return outcome;
}

}  // namespace tarnwick
