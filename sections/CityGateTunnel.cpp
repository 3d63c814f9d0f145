#include "CityGateTunnel.h"

#include <algorithm>
#include <cmath>

#include "core/Hydraulics.h"
#include "core/OutlineGeometry.h"
#include "core/SegmentAngle.h"

#include "InputBoxes.h"

namespace tarnwick::CityGateTunnel {

namespace {

constexpr int kC1 = 25;
constexpr int kC2 = 50;

// A roof arch of more than a half circle overhangs the walls: between the wall top
// and the arch centre the water surface lies below the centre, where the dry-segment
// angle of the roof zone no longer describes the section. Such a roof is refused; the
// semicircular roof (180°) is the common case and is accepted.
constexpr double kMaxRoofAngle = 180.0;

void PrintGeometry(ResultPane& out, const Section& s) {
  const double height = s.h1 + s.h2 + s.h3;
  if (s.r2 == 0.0) {
    ReportRow(out, kC1, kC2, {"侧墙高H2=", RoundDisplay(s.h2)}, {"顶拱高H3=", RoundDisplay(s.h3)},
              {"顶拱半径R1=", RoundDisplay(s.r1)});
    ReportRow(out, kC1, kC2, {"顶拱圆心角A1=", RoundDegrees(s.a1)}, {"隧洞宽B=", RoundDisplay(s.b)},
              {"隧洞高H4=", RoundDisplay(height)});
    return;
  }
  ReportRow(out, kC1, kC2, {"底拱高H1=", RoundDisplay(s.h1)}, {"侧墙高H2=", RoundDisplay(s.h2)},
            {"顶拱高H3=", RoundDisplay(s.h3)});
  ReportRow(out, kC1, kC2, {"顶拱半径R1=", RoundDisplay(s.r1)},
            {"顶拱圆心角A1=", RoundDegrees(s.a1)}, {"底拱半径R2=", RoundDisplay(s.r2)});
  ReportRow(out, kC1, kC2, {"底拱圆心角A2=", RoundDegrees(s.a2)}, {"隧洞宽B=", RoundDisplay(s.b)},
            {"隧洞高H4=", RoundDisplay(height)});
}

void PrintFlow(ResultPane& out, const Section& s, const Inputs& in, double i, const State& st,
               bool depthKind) {
  TunnelFlowRows(out, kC1, kC2, depthKind, in.value, in.n, i, st.q1, st.h, st.v);
  ReportRow(out, kC1, kC2, {"水面宽B1=", RoundDisplay(st.surfaceWidth)},
            {"断面能量E=", RoundDisplay(st.e)}, {"隧洞高/宽=", RoundRatio(s.h4, s.b)});
  // Area and perimeter to three decimals, with 0.3 added before the integer part.
  ReportRow(out, kC1, kC2, {"水力半径RS=", RoundDisplay(st.rs)},
            {"过水断面面积W=", ThreeDecimals(st.w)}, {"湿周X=", ThreeDecimals(st.x)});
  // Clearance above the water: height, area, and the area as a share of the section
  // in percent to three decimals.
  ReportRow(out, kC1, kC2, {"净空高度H5=", RoundDisplay(s.h4 - st.h)},
            {"净空面积W3=", RoundDisplay(s.w0 - st.w)},
            {"净空面积比(%)=", RoundScaled((s.w0 - st.w) / s.w0 * 100000.0, 0.5, 1000.0)});
}

Section SectionOf(const Inputs& in) { return BuildSection(in.b, in.h2, in.r1, in.a1, in.r2); }

}  // namespace

bool InputsValid(const Inputs& in) {
  if (in.b <= 0 || in.h2 <= 0 || in.r1 <= 0 || in.a1 <= 0 || in.n <= 0 || in.d <= 0 ||
      in.value <= 0 || in.r2 < 0) {
    return false;
  }
  // A floor arch must be flatter than a half circle (R2 > B/2): its chord is the
  // floor between the wall feet.
  if (in.r2 > 0 && in.r2 <= in.b / 2.0) return false;
  return in.a1 <= kMaxRoofAngle;
}

Section BuildSection(double b, double h2, double r1, double a1Degrees, double r2) {
  Section s;
  s.b = b;
  s.h2 = h2;
  s.r1 = r1;
  s.r2 = r2;
  s.a1 = DegreesToRadians(a1Degrees);
  s.h3 = r1 * (1.0 - std::cos(s.a1 / 2.0));
  if (r2 != 0.0) {
    // Half-chord over radius, and the angle it subtends: 2·arcsin(s) in atan form.
    const double half = (b / 2.0) / r2;
    s.a2 = 2.0 * std::atan(half / std::sqrt(1.0 - half * half));
  }
  s.h1 = r2 * (1.0 - std::cos(s.a2 / 2.0));
  s.wf = (r2 * r2 / 2.0) * (s.a2 - std::sin(s.a2));
  s.wr = b * h2;
  s.wt = (r1 * r1 / 2.0) * (s.a1 - std::sin(s.a1));
  s.lf = r2 == 0.0 ? b : r2 * s.a2;
  s.lt = r1 * s.a1;
  s.w0 = s.wf + s.wr + s.wt;
  s.p0 = s.lf + 2.0 * h2 + s.lt;
  s.h4 = s.h1 + s.h2 + s.h3;
  return s;
}

State Evaluate(const Section& s, double n, double i, double h) {
  double surfaceWidth = 0.0;
  double w = 0.0;
  double x = 0.0;
  Zone zone = Zone::Wall;
  double angle = 0.0;
  if (h > s.h1 + s.h2) {
    // Under the roof: the full section less the dry segment above the water.
    zone = Zone::Roof;
    const double above = s.r1 - (s.h4 - h);  // water surface above the arch centre
    const double ratio = above / s.r1;
    // A roof of at most a half circle has its centre below the wall top: with the
    // program's pi even the semicircular roof keeps the centre R1·cos(a1/2) ≈ 2.7e-8·R1
    // below it, and the rounding of H4 − h cannot close that margin, so the ratio stays
    // positive and is never a zero divisor here. Wider roofs are refused by the input check.
    angle = SegmentAngle(ratio);
    surfaceWidth = 2.0 * s.r1 * std::sin(angle / 2.0);
    w = s.w0 - (s.r1 * s.r1 / 2.0) * (angle - std::sin(angle));
    x = s.p0 - s.r1 * angle;
  } else if (h > s.h1) {
    zone = Zone::Wall;
    surfaceWidth = s.b;
    w = s.wf + s.b * (h - s.h1);
    x = s.lf + 2.0 * (h - s.h1);
  } else {
    // Inside the floor arch: the wetted circular segment.
    zone = Zone::Floor;
    const double ratio = (s.r2 - h) / s.r2;
    angle = SegmentAngle(ratio);
    surfaceWidth = 2.0 * s.r2 * std::sin(angle / 2.0);
    w = (s.r2 * s.r2 / 2.0) * (angle - std::sin(angle));
    x = s.r2 * angle;
  }
  State st;
  static_cast<SectionState&>(st) = FlowState(h, w, x, surfaceWidth, n, i);
  st.zone = zone;
  st.segmentAngle = angle;
  return st;
}

ManningFlowResult FullSectionFlow(const Section& s, double n, double i) {
  return ManningFlow(s.w0, s.p0, n, i);
}

Outline SectionOutline(const Section& s) {
  const double half = s.b / 2.0;
  const double wallTop = s.h1 + s.h2;
  const OutlinePoint crown{0.0, s.h4};
  // The roof arch stands on its own chord 2·R1·sin(A1/2), centred on the axis;
  // the hydraulics never compare that chord with the width. When the two differ
  // the arch ends are joined to the wall tops by short horizontal lines, so that
  // the drawing shows the mismatch instead of bending the arch onto the walls.
  const double roofHalf = s.r1 * std::sin(s.a1 / 2.0);
  const double roofCentre = s.h4 - s.r1;
  const double up = kPi / 2.0;
  const double down = 3.0 * kPi / 2.0;

  Outline out;
  AppendArc(out, {0.0, roofCentre}, s.r1, up, up + s.a1 / 2.0, crown, {-roofHalf, wallTop});
  AppendCorner(out, {-half, wallTop});
  AppendCorner(out, {-half, s.h1});
  if (s.r2 == 0.0) {
    AppendCorner(out, {half, 0.0});
  } else {
    // The floor arch hangs from the wall feet; its two halves meet at the
    // lowest point of the section, y = 0 on the axis.
    AppendArc(out, {0.0, s.r2}, s.r2, down - s.a2 / 2.0, down, {-half, s.h1}, {0.0, 0.0});
    AppendArc(out, {0.0, s.r2}, s.r2, down, down + s.a2 / 2.0, {0.0, 0.0}, {half, s.h1});
  }
  AppendCorner(out, {half, wallTop});
  AppendCorner(out, {roofHalf, wallTop});
  AppendArc(out, {0.0, roofCentre}, s.r1, up - s.a1 / 2.0, up, {roofHalf, wallTop}, crown);
  return out;
}

FamilySpec Definition::Describe() {
  return {tarnwick::Family::CityGateTunnel,
          2,
          "city-gate",
          "Option5",
          "城门洞形隧洞",
          "城门洞形隧洞",
          {"2", "1.5", "1.2", "112.6", "0", "0.014", "1000", "1"},
          {"底拱：A2 = 2·arcsin(B/(2·R2))，H1 = R2·(1 − cos(A2/2))；无底拱（R2 = 0）时 H1 = 0",
           "顶拱高 H3 = R1·(1 − cos(A1/2))，洞高 H4 = H1 + H2 + H3",
           "底拱区 h ≤ H1：θ = 2·arccos((R2 − h)/R2)，W = R2²·(θ − sin θ)/2，",
           "    X = R2·θ，B1 = 2·R2·sin(θ/2)",
           "侧墙区 H1 < h ≤ H1 + H2：W = Wf + B·(h − H1)，X = Lf + 2·(h − H1)，B1 = B",
           "    Wf = R2²·(A2 − sin A2)/2，Lf = R2·A2（无底拱时 Wf = 0，Lf = B）",
           "顶拱区 h > H1 + H2：θ = 2·arccos((R1 − (H4 − h))/R1) 为水面以上干弓形的圆心角，",
           "    W = W0 − R1²·(θ − sin θ)/2，X = P0 − R1·θ，B1 = 2·R1·sin(θ/2)",
           "    W0 = Wf + B·H2 + R1²·(A1 − sin A1)/2，P0 = Lf + 2·H2 + R1·A1"},
          {{"θ", "弓形所对的圆心角", "rad"},
           {"A2", "底拱圆心角", "rad"},
           {"H1", "底拱高", "m"},
           {"H3", "顶拱高", "m"},
           {"H4", "洞高", "m"},
           {"Wf", "底拱弓形面积", "m²"},
           {"Lf", "底拱弧长（无底拱时为底宽 B）", "m"},
           {"W0", "全断面面积", "m²"},
           {"P0", "全断面周长", "m"}}};
}

WindowNames Definition::Window(CalculationKind kind) {
  if (kind == CalculationKind::Depth) {
    return {"Form23", "城门洞形隧洞水深计算", "城门洞形隧洞均匀流水深计算成果", "Text9"};
  }
  return {"Form34", "城门洞形隧洞流量计算", "城门洞形隧洞均匀流流量计算成果", "Text9"};
}

std::vector<InputBox<Inputs>> Definition::Boxes(CalculationKind kind) {
  using namespace boxes;
  return {Length("Text1", "隧洞宽度 B=", "输入隧洞宽度（m）", "B", &Inputs::b),
          Length("Text2", "侧墙高度H2=", "输入侧墙高度（m）", "H2", &Inputs::h2),
          Length("Text3", "顶拱半径R1=", "输入顶拱半径（m）", "R1", &Inputs::r1),
          Angle("Text4", "顶拱圆心角A1=", "A1", &Inputs::a1),
          Length("Text5", "底拱半径R2=", "无底拱则输入零", "R2", &Inputs::r2),
          Roughness("Text6", &Inputs::n),
          Slope("Text7", &Inputs::d),
          ValueBox("Text8", kind, &Inputs::value)};
}

Checked<Section> Definition::Check(const Inputs& in) {
  if (!InputsValid(in)) return {};
  return {SectionOf(in)};
}

double Definition::Crown(const Section& s) { return s.h4; }

double Definition::FullArea(const Section& s) { return s.w0; }

double Definition::FullSectionDischarge(const Section& s, const Inputs& in) {
  return FullSectionFlow(s, in.n, 1.0 / in.d).q1;
}

// Above the full-section discharge the bisection, bounded by the crown, has no
// depth to find.
void Definition::CapacityBlock(ResultPane& out, const Section&, const Inputs&, double qmax) {
  out.Text("").EndLine();
  SingleRow(out, {"此断面最大过流能力Q1=", RoundDisplay(qmax)});
  out.Text("请从新拟定断面").EndLine();
  out.Text("").EndLine();
}

void Definition::Report(ResultPane& out, CalculationKind kind, const Inputs& in, const Section& s,
                        const State& st) {
  const bool depthKind = kind == CalculationKind::Depth;
  Banner(out, depthKind ? "  ****************城门洞形隧洞均匀流水深计算成果表**************"
                        : "  ****************城门洞形隧洞均匀流流量计算成果表**************");
  PrintGeometry(out, s);
  PrintFlow(out, s, in, 1.0 / in.d, st, depthKind);
}

void Definition::Values(const Inputs&, const Section& s, const State& st, NamedValues& values) {
  values.insert(values.end(), {{"B", s.b},
                               {"H1", s.h1},
                               {"H2", s.h2},
                               {"H3", s.h3},
                               {"H4", s.h4},
                               {"R1", s.r1},
                               {"R2", s.r2},
                               {"A1", RadiansToDegrees(s.a1)},
                               {"A2", RadiansToDegrees(s.a2)},
                               {"W3", s.w0 - st.w},
                               {"H4/B", s.h4 / s.b}});
}

// Nothing in the hydraulics ties R1 and A1 to B: a roof radius typed ten times
// too big gives a dry segment, and so a water surface, wider than the tunnel.
void Definition::Fits(const Inputs&, const Section& s, std::vector<ShapeFit>& fits) {
  fits.push_back(
      {"roof_chord", "顶拱弦长2·R1·sin(A1/2)", "隧洞宽B", 2.0 * s.r1 * std::sin(s.a1 / 2.0), s.b});
}

void AddWindows(std::vector<WindowSpec>& windows, std::vector<FamilySpec>& families) {
  AddFamily<Definition>(windows, families);
}

}  // namespace tarnwick::CityGateTunnel
