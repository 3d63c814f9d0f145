#include "ArcBottomChannel.h"

#include <cmath>
#include <vector>

#include "InputBoxes.h"

#include "core/Hydraulics.h"
#include "core/OutlineGeometry.h"
#include "core/SegmentAngle.h"

namespace tarnwick::ArcBottomChannel {

namespace {

constexpr int kC1 = 25;
constexpr int kC2 = 50;

// Points on the drawn bottom arc: chords this short hold the same water as the circle
// to within 2e-5 of the area from a depth of 2% of the radius up (the sliver
// between chord and arc shrinks with the square of the chord's angle).
constexpr int kArcSegments = 2048;

// The side slope is not a number the arc can follow when negative: the walls would
// lean outwards from the wrong end of the arc, giving a negative central angle and
// a negative width. Such a section is refused like any bad input.
bool FirstCheckPassed(const Inputs& in) {
  return in.r > 0 && in.n > 0 && in.d > 0 && in.value > 0 && in.m >= 0;
}

// The rectangle's width is a chord of the bottom circle: it must be positive and
// shorter than the diameter (a semicircular bottom is refused as well).
bool WidthFits(const Inputs& in) { return in.b > 0 && in.b < 2.0 * in.r; }

// Depth, area and length of the arc, common to both shapes once theta is known.
void CompleteArc(Section& s) {
  s.h1 = (1.0 - std::cos(s.theta / 2.0)) * s.r;
  s.s1 = (s.theta - std::sin(s.theta)) * (s.r * s.r / 2.0);
  s.l = s.theta * s.r;
}

Section ShapeOf(const Inputs& in) {
  return in.m != 0 ? TrapezoidalSection(in.r, in.m) : RectangularSection(in.r, in.b);
}

void PrintReport(ResultPane& pane, const Inputs& in, const Section& sec, double i,
                 const ArcState& s, bool depthKind) {
  const bool rectangular = in.m == 0;
  if (depthKind) {
    Banner(pane, rectangular
                     ? "  ********************弧底矩形渠均匀流水深计算成果表****************"
                     : "  ********************弧底梯形渠均匀流水深计算成果表*****************");
  } else {
    Banner(pane, rectangular
                     ? "  ********************弧底矩形渠均匀流流量计算成果表****************"
                     : "  ********************弧底梯形渠均匀流流量计算成果表*****************");
  }
  ReportRow(pane, kC1, kC2, {"底弧半径R=", RoundDisplay(in.r)},
            {rectangular ? Label("渠宽B=") : Label("底弧宽B="), RoundDisplay(sec.b)},
            {"边坡M=", RoundDisplay(in.m)});
  if (depthKind) {
    ReportRow(pane, kC1, kC2, {"糙率N=", RoundDisplay(in.n)}, {"纵坡I= 1/", RoundSlope(i)},
              {"流量Q=", RoundDisplay(in.value)});
  } else {
    ShortRow(pane, kC1, {"糙率N=", RoundDisplay(in.n)}, {"纵坡I= 1/", RoundSlope(i)});
  }
  ReportRow(pane, kC1, kC2, {"计算流量Q1=", RoundDisplay(s.q1)}, {"正常水深H=", RoundDisplay(s.h)},
            {"底弧圆心角A=", RoundDegrees(sec.theta)});
  ReportRow(pane, kC1, kC2, {"底弧深H1=", RoundDisplay(sec.h1)},
            {"水面宽B1=", RoundDisplay(s.surfaceWidth)}, {"流速V=", RoundDisplay(s.v)});
  ReportRow(pane, kC1, kC2, {"断面能量E=", RoundDisplay(s.e)}, {"水力半径RS=", RoundDisplay(s.rs)},
            {"湿周X=", RoundDisplay(s.x)});
}

}  // namespace

Section TrapezoidalSection(double r, double m) {
  Section s;
  s.r = r;
  s.m = m;
  // A wall of slope m is tangent to the arc where the radius makes the angle
  // atan(1/m) with the vertical.
  s.theta = 2.0 * std::atan(1.0 / m);
  s.b = std::sin(s.theta / 2.0) * (r * 2.0);
  CompleteArc(s);
  return s;
}

Section RectangularSection(double r, double b) {
  Section s;
  s.r = r;
  s.m = 0.0;
  s.b = b;
  const double half = (b / 2.0) / r;  // sine of the half angle
  s.theta = 2.0 * std::atan(half / std::sqrt(1.0 - half * half));
  CompleteArc(s);
  return s;
}

ArcState Evaluate(const Section& sec, double n, double i, double h) {
  const double d = h - sec.h1;  // depth above the chord
  double w = 0.0;
  double x = 0.0;
  double surfaceWidth = 0.0;
  double phi = 0.0;
  if (d < 0) {
    // Circular segment of depth h: half its angle has cosine (R - h)/R.
    phi = SegmentAngle((sec.r - h) / sec.r);
    w = (phi - std::sin(phi)) * (sec.r * sec.r / 2.0);
    x = sec.r * phi;
    surfaceWidth = std::sin(phi / 2.0) * (sec.r * 2.0);
  } else {
    // The full segment plus a trapezoid of height d on the chord.
    w = (sec.m * (d * d) + d * sec.b) + sec.s1;
    x = std::sqrt(sec.m * sec.m * (d * d) + d * d) * 2.0 + sec.l;
    surfaceWidth = d * (sec.m * 2.0) + sec.b;
  }
  ArcState state;
  static_cast<SectionState&>(state) = FlowState(h, w, x, surfaceWidth, n, i);
  state.withinArc = d < 0;
  state.phi = phi;
  return state;
}

Outline SectionOutline(const Section& sec, double top) {
  const double half = sec.b / 2.0;
  Outline outline;
  const bool walls = top > sec.h1;
  // A tangent wall of slope m runs out m horizontally per unit of height above the
  // chord; the rectangle's walls (m = 0) stand vertical on the chord's ends.
  const double spread = walls ? sec.m * (top - sec.h1) : 0.0;
  if (walls) outline.push_back({-half - spread, top});
  // The arc hangs from a centre R above its lowest point, symmetric about the axis.
  const double down = -kPi / 2.0;
  std::vector<OutlinePoint> arc =
      ArcPoints(0.0, sec.r, sec.r, down - sec.theta / 2.0, down + sec.theta / 2.0, kArcSegments);
  // The ends are the chord's ends exactly, where the walls meet the arc.
  arc.front() = {-half, sec.h1};
  arc.back() = {half, sec.h1};
  outline.insert(outline.end(), arc.begin(), arc.end());
  if (walls) outline.push_back({half + spread, top});
  return outline;
}

FamilySpec Definition::Describe() {
  return {tarnwick::Family::ArcBottomChannel,
          0,
          "arc-bottom",
          "Option3",
          "弧底矩形、梯形渠",
          "弧底矩形渠、弧底梯形渠",
          {"1", "0.5", "0.014", "1000", "1"},
          {"h < H1：φ = 2·arccos((R − h)/R)，W = R²·(φ − sin φ)/2，X = R·φ",
           "h ≥ H1：d = h − H1，W = S1 + (B + M·d)·d，X = L + 2·d·√(1 + M²)，B1 = B + 2·M·d",
           "底弧：A = 2·arcsin(B/(2·R))，H1 = R·(1 − cos(A/2))，S1 = R²·(A − sin A)/2，L = R·A"},
          {{"φ", "湿周所对的圆心角", "rad"},
           {"A", "底弧圆心角", "rad"},
           {"H1", "底弧高", "m"},
           {"S1", "底弧弓形面积", "m²"},
           {"L", "底弧弧长", "m"},
           {"d", "底弧以上的水深", "m"}}};
}

WindowNames Definition::Window(CalculationKind kind) {
  if (kind == CalculationKind::Depth) {
    return {"Form2", "弧底矩形渠、弧底梯形渠水深计算", "弧底矩形渠、弧底梯形渠均匀流水深计算成果",
            "Text7"};
  }
  return {"Form31", "弧底矩形渠、弧底梯形渠流量计算", "弧底矩形渠、弧底梯形渠均匀流流量计算成果",
          "Text7"};
}

// The width box comes last and is read only for the rectangle (M = 0).
std::vector<InputBox<Inputs>> Definition::Boxes(CalculationKind kind) {
  using namespace boxes;
  InputBox<Inputs> width = Length("Text9", "渠    宽 B=", "输入矩形渠渠宽（m）", "B", &Inputs::b);
  width.box.readOnDemand = true;
  return {Length("Text2", "底弧半径 R=", "输入底弧半径（m）", "R", &Inputs::r),
          Box("Text3", "边    坡 M=", "输入渠道边坡值", "M", {}, BoxRole::Dimension, &Inputs::m),
          Roughness("Text4", &Inputs::n),
          Slope("Text5", &Inputs::d),
          ValueBox("Text6", kind, &Inputs::value),
          width};
}

// Option1 fixes the side slope at 0 and asks for the width; Option2 asks for the
// side slope, the width following from it.
std::vector<ShapeOption> Definition::Shapes(CalculationKind) {
  return {{"Option1", "矩形渠", "Text3", "0", "Text9", false, false},
          {"Option2", "梯形渠", "Text9", "", "Text3", true, true}};
}

// The depth window's shape buttons are tinted warm, the discharge window's cool,
// so the two windows are told apart at a glance.
uint32_t Definition::ShapeTint(CalculationKind kind) {
  return kind == CalculationKind::Depth ? 0xFFE0C0 : 0xC0FFFF;
}

Checked<Section> Definition::Check(const Inputs& in) {
  if (!FirstCheckPassed(in)) return {};
  if (in.m == 0 && !WidthFits(in)) return {std::nullopt, PressOutcome::WidthError};
  return {ShapeOf(in)};
}

void Definition::Report(ResultPane& out, CalculationKind kind, const Inputs& in, const Section& s,
                        const State& st) {
  PrintReport(out, in, s, 1.0 / in.d, st, kind == CalculationKind::Depth);
}

void Definition::Values(const Inputs&, const Section& s, const State&, NamedValues& values) {
  values.insert(
      values.end(),
      {{"R", s.r}, {"B", s.b}, {"M", s.m}, {"A", RadiansToDegrees(s.theta)}, {"H1", s.h1}});
}

void AddWindows(std::vector<WindowSpec>& windows, std::vector<FamilySpec>& families) {
  AddFamily<Definition>(windows, families);
}

}  // namespace tarnwick::ArcBottomChannel
