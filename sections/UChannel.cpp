#include "UChannel.h"

#include <cmath>
#include <vector>

#include "core/Hydraulics.h"
#include "core/OutlineGeometry.h"

#include "InputBoxes.h"

namespace tarnwick::UChannel {

namespace {

constexpr int kC1 = 25;
constexpr int kC2 = 50;

// Points on the drawn semicircle: chords this short hold the same water as the circle
// to within 2e-5 of the area from a depth of 2% of the radius up (the sliver
// between chord and arc shrinks with the square of the chord's angle).
constexpr int kArcSegments = 2048;

bool InputsValid(const Inputs& in) { return in.r > 0 && in.n > 0 && in.d > 0 && in.value > 0; }

void PrintReport(ResultPane& pane, const Inputs& in, double i, const SectionState& s,
                 bool depthKind) {
  Banner(pane, depthKind ? "  ********************“Ｕ”形渠均匀流水深计算成果表****************"
                         : "  ********************“Ｕ”形渠均匀流流量计算成果表****************");
  ReportRow(pane, kC1, kC2, {"半径R=", RoundDisplay(in.r)},
            {"渠道宽B=", RoundDisplay(ChannelWidth({in.r}))},
            {"水面宽B1=", RoundDisplay(s.surfaceWidth)});
  if (depthKind) {
    ReportRow(pane, kC1, kC2, {"糙率N=", RoundDisplay(in.n)}, {"纵坡I= 1/", RoundSlope(i)},
              {"设计流量Q=", RoundDisplay(in.value)});
  } else {
    ShortRow(pane, kC1, {"糙率N=", RoundDisplay(in.n)}, {"纵坡I= 1/", RoundSlope(i)});
  }
  ReportRow(pane, kC1, kC2, {"计算流量Q1=", RoundDisplay(s.q1)}, {"正常水深H=", RoundDisplay(s.h)},
            {"流速V=", RoundDisplay(s.v)});
  // The wall height is h - R also below the walls, where it is negative; the
  // ratio divides the water-surface width, not the channel width, by the depth.
  ReportRow(pane, kC1, kC2, {"直墙高f=", RoundDisplay(s.h - in.r)},
            {"宽/深(B/H)=", RoundRatio(s.surfaceWidth, s.h)}, {"断面能量E=", RoundDisplay(s.e)});
  ReportRow(pane, kC1, kC2, {"水力半径RS=", RoundDisplay(s.rs)},
            {"过水断面面积W=", RoundDisplay(s.w)}, {"湿周X=", RoundDisplay(s.x)});
}

}  // namespace

double ChannelWidth(const Section& section) { return 2.0 * section.r; }

SectionState Evaluate(const Section& section, double n, double i, double h) {
  const double r = section.r;
  const double b = ChannelWidth(section);
  double w = 0.0;
  double x = 0.0;
  double surfaceWidth = 0.0;
  if (h < r) {
    // Segment of the semicircle; phi is half the wetted central angle, arccos((R-h)/R).
    const double c = (r - h) / r;
    const double phi = std::atan(std::sqrt(1.0 - c * c) / c);
    w = (r * r / 2.0) * (2.0 * phi - std::sin(2.0 * phi));
    x = 2.0 * r * phi;
    surfaceWidth = 2.0 * r * std::sin(phi);
  } else {
    // The full half circle plus a rectangle of height f between the walls; h = R
    // belongs here with f = 0.
    const double f = h - r;
    w = kPi * (r * r) / 2.0 + b * f;
    x = kPi * r + 2.0 * f;
    surfaceWidth = b;
  }
  return FlowState(h, w, x, surfaceWidth, n, i);
}

Outline SectionOutline(const Section& section, double top) {
  const double r = section.r;
  Outline outline;
  const bool walls = top > r;
  if (walls) outline.push_back({-r, top});
  // From the left end of the horizontal diameter down through the lowest point to
  // the right end; the centre stands R above the bed.
  std::vector<OutlinePoint> arc = ArcPoints(0.0, r, r, kPi, kTwoPi, kArcSegments);
  // The ends are where the walls meet the semicircle, at the height of its centre.
  arc.front() = {-r, r};
  arc.back() = {r, r};
  outline.insert(outline.end(), arc.begin(), arc.end());
  if (walls) outline.push_back({r, top});
  return outline;
}

FamilySpec Definition::Describe() {
  return {tarnwick::Family::UChannel,
          3,
          "u-channel",
          "Option6",
          "“Ｕ”形渠",
          "“Ｕ”形渠",
          {"1", "0.014", "1000", "1.5"},
          {"h < R：W = R²·(2φ − sin 2φ)/2，X = 2·R·φ，φ = arccos((R − h)/R)",
           "h ≥ R：W = π·R²/2 + 2·R·(h − R)，X = π·R + 2·(h − R)"},
          {{"φ", "水面与圆心连线同铅垂线的夹角", "rad"}}};
}

WindowNames Definition::Window(CalculationKind kind) {
  if (kind == CalculationKind::Depth) {
    return {"Form22", "“Ｕ”形渠水深计算", "“Ｕ”形渠均匀流水深计算成果", "Text8"};
  }
  return {"Form33", "“Ｕ”形渠流量计算", "“Ｕ”形渠均匀流流量计算成果", "Text8"};
}

std::vector<InputBox<Inputs>> Definition::Boxes(CalculationKind kind) {
  using namespace boxes;
  return {Length("Text2", "底弧半径 R=", "输入底弧半径（m）", "R", &Inputs::r),
          Roughness("Text4", &Inputs::n), Slope("Text5", &Inputs::d),
          ValueBox("Text6", kind, &Inputs::value)};
}

Checked<Section> Definition::Check(const Inputs& in) {
  if (!InputsValid(in)) return {};
  return {Section{in.r}};
}

void Definition::Report(ResultPane& out, CalculationKind kind, const Inputs& in, const Section&,
                        const State& st) {
  PrintReport(out, in, 1.0 / in.d, st, kind == CalculationKind::Depth);
}

void Definition::Values(const Inputs&, const Section& s, const State& st, NamedValues& values) {
  values.insert(
      values.end(),
      {{"R", s.r}, {"B", ChannelWidth(s)}, {"f", st.h - s.r}, {"B/H", st.surfaceWidth / st.h}});
}

void AddWindows(std::vector<WindowSpec>& windows, std::vector<FamilySpec>& families) {
  AddFamily<Definition>(windows, families);
}

}  // namespace tarnwick::UChannel
