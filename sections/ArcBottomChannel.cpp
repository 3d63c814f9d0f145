#include "ArcBottomChannel.h"

#include <cmath>
#include <vector>

#include "core/Hydraulics.h"
#include "core/SegmentAngle.h"
#include "core/OutlineGeometry.h"

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
    Banner(pane, rectangular ? "  ********************弧底矩形渠均匀流水深计算成果表****************" : "  ********************弧底梯形渠均匀流水深计算成果表*****************");
  } else {
    Banner(pane, rectangular ? "  ********************弧底矩形渠均匀流流量计算成果表****************" : "  ********************弧底梯形渠均匀流流量计算成果表*****************");
  }
  ReportRow(pane, kC1, kC2, {"底弧半径R=", RoundDisplay(in.r)},
            {rectangular ? "渠宽B=" : "底弧宽B=", RoundDisplay(sec.b)},
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

// The checks both kinds make before computing: the first on the typed numbers,
// then, for the rectangle only, the width box.
PressOutcome Check(const Inputs& in, ResultPane& pane) {
  if (!FirstCheckPassed(in)) return Refuse(pane, PressOutcome::InputError);
  if (in.m == 0 && !WidthFits(in)) return Refuse(pane, PressOutcome::WidthError);
  return PressOutcome::Report;
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

DepthSearchResult<ArcState> SolveDepth(const Section& section, double n, double i, double q) {
  return NormalDepthSearch(q, DepthBracket{}, [&](double h) { return Evaluate(section, n, i, h); });
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

std::optional<SectionModel> Model(const Inputs& in) {
  if (!FirstCheckPassed(in) || (in.m == 0 && !WidthFits(in))) return std::nullopt;
  const Section sec = ShapeOf(in);
  const double n = in.n;
  const double i = 1.0 / in.d;
  SectionModel model;
  model.evaluate = [sec, n, i](double h) -> SectionState { return Evaluate(sec, n, i, h); };
  model.outline = [sec](double top) { return SectionOutline(sec, top); };
  return model;
}

PressOutcome ComputeDepth(const Inputs& in, ResultPane& pane) {
  if (const PressOutcome refused = Check(in, pane); refused != PressOutcome::Report) {
    return refused;
  }
  const double i = 1.0 / in.d;
  const Section sec = ShapeOf(in);
  const ArcState s = SolveDepth(sec, in.n, i, in.value).state;
  return PrintGuarded(pane, PressOutcome::Report,
                      [&](ResultPane& out) { PrintReport(out, in, sec, i, s, true); });
}

PressOutcome ComputeDischarge(const Inputs& in, ResultPane& pane) {
  if (const PressOutcome refused = Check(in, pane); refused != PressOutcome::Report) {
    return refused;
  }
  const double i = 1.0 / in.d;
  const Section sec = ShapeOf(in);
  const ArcState s = Evaluate(sec, in.n, i, in.value);
  return PrintGuarded(pane, PressOutcome::Report,
                      [&](ResultPane& out) { PrintReport(out, in, sec, i, s, false); });
}

}  // namespace tarnwick::ArcBottomChannel
