#include "CircularTunnel.h"

#include <algorithm>
#include <cmath>

#include "core/Hydraulics.h"
#include "core/OutlineGeometry.h"
#include "core/SegmentAngle.h"

#include "InputBoxes.h"

namespace tarnwick::CircularTunnel {

namespace {

constexpr int kC1 = 25;
constexpr int kC2 = 52;
constexpr int kC2FloorLine = 48;

// Water surface level with the centre: half the circle less the floor segment.
void AtCentre(const Section& s, double& w, double& x, double& surfaceWidth) {
  w = s.wc / 2.0 - s.s1;
  x = (s.pc / 2.0 - s.l1) + s.b;
  surfaceWidth = 2.0 * s.r;
}

void PrintRows(ResultPane& out, const Section& s, const Inputs& in, double i, const State& st,
               bool depthKind) {
  ReportRow(out, kC1, kC2, {"隧洞半径R=", RoundDisplay(s.r)}, {"糙率N=", RoundDisplay(in.n)},
            {"纵坡I= 1/", RoundSlope(i)});
  if (depthKind) {
    ReportRow(out, kC1, kC2, {"设计流量Q=", RoundDisplay(in.value)},
              {"计算流量Q1=", RoundDisplay(st.q1)}, {"正常水深H=", RoundDisplay(st.h)});
  } else {
    ShortRow(out, kC1, {"计算流量Q1=", RoundDisplay(st.q1)}, {"正常水深H=", RoundDisplay(st.h)});
  }
  ReportRow(out, kC1, kC2, {"流速V=", RoundDisplay(st.v)},
            {"水面宽B=", RoundDisplay(st.surfaceWidth)}, {"断面能量E=", RoundDisplay(st.e)});
  // Clearance above the water: height under the crown, and the dry share of the
  // section in percent to three decimals.
  const Field clearance{"净空高H1=", RoundDisplay((2.0 * s.r - st.h) - s.h1)};
  const Field clearanceRatio{
      "净空面积比(%)=",
      RoundScaled(100000.0 * ((s.wc - st.w) - s.s1) / (s.wc - s.s1), 0.5, 1000.0)};
  if (s.flatFloor()) {
    ReportRow(out, kC1, kC2, clearance, clearanceRatio, {"平底板宽度B=", RoundDisplay(s.b)});
  } else {
    ShortRow(out, kC1, clearance, clearanceRatio);
  }
  ReportRow(out, kC1, kC2, {"水力半径RS=", RoundDisplay(st.rs)},
            {"过水断面面积W=", RoundDisplay(st.w)}, {"湿周X=", RoundDisplay(st.x)});
  if (s.flatFloor()) {
    ReportRow(out, kC1, kC2FloorLine, {"底板圆心角A1=", RoundDegrees(s.a1)},
              {"底板弓形高H1=", RoundDisplay(s.h1)}, {"底板弓形面积S1=", RoundDisplay(s.s1)});
  }
}

std::string_view BannerOf(const Section& s, bool depthKind) {
  if (depthKind) {
    return s.flatFloor() ? "  *****************平底圆形隧洞及管道均匀流水深计算成果表*************"
                         : "  *****************圆形隧洞及管道均匀流水深计算成果表*************";
  }
  return s.flatFloor() ? "  **************平底圆形隧洞及管道均匀流流量计算成果表************"
                       : "  *****************圆形隧洞及管道均匀流流量计算成果表*************";
}

}  // namespace

bool InputsValid(const Inputs& in) {
  // A floor as wide as the diameter would leave no section.
  return in.r > 0 && in.n > 0 && in.d > 0 && in.value > 0 && in.b >= 0 && in.b < 2.0 * in.r;
}

Section BuildSection(double b, double r) {
  Section s;
  s.b = b;
  s.r = r;
  s.wc = kPi * (r * r);
  s.pc = kTwoPi * r;
  if (s.flatFloor()) {
    // The floor chord and the two radii to its ends form a triangle; the floor angle
    // follows from its in-circle radius by the half-angle relation
    // tan(A1/2) = r/(s − B), s being half the triangle's perimeter.
    const double half = (2.0 * r + b) / 2.0;
    const double inRadius = std::sqrt((half - r) * (half - r) * (half - b) / half);
    s.a1 = 2.0 * std::atan(inRadius / (half - b));
    s.l1 = r * s.a1;
    const double toFloor = std::sqrt(r * r - (b / 2.0) * (b / 2.0));
    s.s1 = 0.5 * r * r * s.a1 - 0.5 * b * toFloor;
    s.h1 = r - toFloor;
  }
  s.w0 = s.wc - s.s1;
  s.p0 = (s.pc - s.l1) + s.b;
  s.h0 = 2.0 * r - s.h1;
  s.c = r - s.h1;
  return s;
}

State Evaluate(const Section& s, double n, double i, double h) {
  const double r = s.r;
  const double y = h + s.h1;  // level above the lowest point of the circle
  double w = 0.0;
  double x = 0.0;
  double surfaceWidth = 0.0;
  double angle = 0.0;
  Zone zone = Zone::AtCentre;
  // The ratio x is the surface's distance from the centre over R. A depth a rounding
  // step off the centre height can give x = 0 (or a vanishing x of the wrong sign)
  // under a flat floor; the surface is then level with the centre for all purposes,
  // and the centre rule applies instead of a division by zero.
  if (h > s.c) {
    const double ratio = (r - (2.0 * r - y)) / r;
    if (ratio > 0.0) {
      zone = Zone::AboveCentre;
      angle = SegmentAngle(ratio);  // dry arc under the crown
      surfaceWidth = 2.0 * r * std::sin(angle / 2.0);
      const double dry = (r * r / 2.0) * (angle - std::sin(angle));
      w = (s.wc - dry) - s.s1;
      x = ((s.pc - r * angle) - s.l1) + s.b;
    } else {
      AtCentre(s, w, x, surfaceWidth);
    }
  } else if (h < s.c) {
    const double ratio = (r - y) / r;
    if (ratio > 0.0) {
      zone = Zone::BelowCentre;
      angle = SegmentAngle(ratio);  // wetted arc, down to the floor ends
      surfaceWidth = 2.0 * r * std::sin(angle / 2.0);
      w = (r * r / 2.0) * (angle - std::sin(angle)) - s.s1;
      x = (r * angle - s.l1) + s.b;
    } else {
      AtCentre(s, w, x, surfaceWidth);
    }
  } else {
    AtCentre(s, w, x, surfaceWidth);
  }
  State st;
  static_cast<SectionState&>(st) =
      FlowState(h, w, x, surfaceWidth, n, i, DischargeForm::AreaVelocity);
  st.zone = zone;
  st.arcAngle = angle;
  return st;
}

ManningFlowResult FullSectionFlow(const Section& s, double n, double i) {
  return ManningFlow(s.w0, s.p0, n, i, DischargeForm::AreaVelocity);
}

Outline SectionOutline(const Section& s) {
  const double r = s.r;
  const OutlinePoint crown{0.0, s.h0};
  const double up = kPi / 2.0;
  const double down = 3.0 * kPi / 2.0;
  Outline out;
  if (!s.flatFloor()) {
    // Two half circles meeting at the invert, the lowest point of the section.
    AppendArc(out, {0.0, r}, r, up, down, crown, {0.0, 0.0});
    AppendArc(out, {0.0, r}, r, down, up + kTwoPi, {0.0, 0.0}, crown);
    return out;
  }
  // The floor chord lies at y = 0, the centre c above it; the arc stops at the
  // floor ends, A1/2 either side of the bottom of the circle.
  const double half = s.b / 2.0;
  AppendArc(out, {0.0, s.c}, r, up, down - s.a1 / 2.0, crown, {-half, 0.0});
  AppendArc(out, {0.0, s.c}, r, down + s.a1 / 2.0, up + kTwoPi, {half, 0.0}, crown);
  return out;
}

FamilySpec Definition::Describe() {
  return {
      tarnwick::Family::CircularTunnel,
      6,
      "circular",
      "Option9",
      "圆形隧洞、管道",
      "圆形隧洞及管道",
      {"", "1", "0.014", "1000", "1"},
      {"θ = 2·arccos((R − h)/R)，W = R²·(θ − sin θ)/2，X = R·θ，B1 = 2·R·sin(θ/2)",
       "平底板（B > 0）：A1 = 2·arcsin(B/(2·R))，H1 = R·(1 − cos(A1/2))，S1 = R²·(A1 − sin A1)/2，",
       "    L1 = R·A1；水深自底板起算，W = W(h + H1) − S1，X = X(h + H1) − L1 + B"},
      {{"θ", "湿周所对的圆心角", "rad"},
       {"A1", "底板弦所对的圆心角", "rad"},
       {"H1", "底板以下弓形高", "m"},
       {"S1", "底板以下弓形面积", "m²"},
       {"L1", "底板以下弧长", "m"}}};
}

WindowNames Definition::Window(CalculationKind kind) {
  if (kind == CalculationKind::Depth) {
    return {"Form24", "圆形隧洞及管道水深计算", "圆形隧洞及管道均匀流水深计算成果", "Text8"};
  }
  return {"Form35", "圆形隧洞及管道流量计算", "圆形隧洞及管道均匀流流量计算成果", "Text8"};
}

std::vector<InputBox<Inputs>> Definition::Boxes(CalculationKind kind) {
  using namespace boxes;
  InputBox<Inputs> floor = Length("Text1", "平底板宽度B=", {}, "B", &Inputs::b);
  floor.box.hint = "（无平底板则B无须输入）";
  return {floor, Length("Text2", "半    径 R=", "输入半径（m）", "R", &Inputs::r),
          Roughness("Text4", &Inputs::n), Slope("Text5", &Inputs::d),
          ValueBox("Text6", kind, &Inputs::value)};
}

Checked<Section> Definition::Check(const Inputs& in) {
  if (!InputsValid(in)) return {};
  return {BuildSection(in.b, in.r)};
}

double Definition::Crown(const Section& s) { return s.h0; }

double Definition::FullArea(const Section& s) { return s.w0; }

double Definition::FullSectionDischarge(const Section& s, const Inputs& in) {
  return FullSectionFlow(s, in.n, 1.0 / in.d).q1;
}

// Above the full-section discharge the bisection, bounded by the crown, has no
// depth to find. The greatest discharge is shown with all its digits.
void Definition::CapacityBlock(ResultPane& out, const Section&, const Inputs&, double qmax) {
  out.Text("  ").EndLine();
  SingleRow(out, {"该断面最大过流Q1=", qmax});
  out.Text("请从新拟定断面").EndLine();
  out.Text(" ").EndLine();
}

void Definition::Report(ResultPane& out, CalculationKind kind, const Inputs& in, const Section& s,
                        const State& st) {
  const bool depthKind = kind == CalculationKind::Depth;
  Banner(out, BannerOf(s, depthKind));
  PrintRows(out, s, in, 1.0 / in.d, st, depthKind);
}

void Definition::Values(const Inputs&, const Section& s, const State&, NamedValues& values) {
  values.insert(values.end(), {{"R", s.r}, {"B", s.b}});
  if (s.flatFloor()) {
    values.insert(values.end(), {{"A1", RadiansToDegrees(s.a1)}, {"H1", s.h1}, {"S1", s.s1}});
  }
}

void AddWindows(std::vector<WindowSpec>& windows, std::vector<FamilySpec>& families) {
  AddFamily<Definition>(windows, families);
}

}  // namespace tarnwick::CircularTunnel
