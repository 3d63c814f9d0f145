#include "HorseshoeTunnel.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/Hydraulics.h"
#include "core/OutlineGeometry.h"
#include "core/SegmentAngle.h"

#include "InputBoxes.h"

namespace tarnwick::HorseshoeTunnel {

namespace {

constexpr int kC1 = 25;
constexpr int kC2 = 50;

struct Wetted {
  Zone zone;
  double surfaceWidth;
  double w;
  double x;
};

// Wetted area and perimeter at depth h; each zone includes its upper boundary.
Wetted WettedGeometry(const Section& s, double h) {
  const double springLine = s.h1 + s.h2;
  if (h > springLine) {
    // The water surface cuts the roof arc: the full section less the dry roof segment.
    const double x = (s.r1 - (s.h4 - h)) / s.r1;
    const double theta = SegmentAngleWithin(x, s.a1);
    return {Zone::Roof, 2.0 * s.r1 * std::sin(theta / 2.0),
            s.w0 - (s.r1 * s.r1 / 2.0) * (theta - std::sin(theta)), s.p0 - s.r1 * theta};
  }
  if (s.floor == Floor::Flat || h > s.h1) {
    // Between the bottom chord and the spring line: the part below the spring line
    // less the dry band above the water, phi being the dry angle of each side arc.
    const double below = springLine - h;
    const double phi = AngleFromSine(below / s.r2, s.a2);
    const double width = s.b2 - 2.0 * s.r2 * (1.0 - std::cos(phi));
    const double dryStrips = (s.r2 * s.r2 / 2.0) * (2.0 * phi - std::sin(2.0 * phi));
    return {Zone::Side, width, ((s.sb + s.sm) - dryStrips) - below * width,
            (s.lb + s.ls) - 2.0 * s.r2 * phi};
  }
  // Inside the inverted bottom arc: a circular segment of radius R3.
  const double x = (s.r3 - h) / s.r3;
  const double theta = SegmentAngleWithin(x, s.a3);
  return {Zone::Bottom, 2.0 * s.r3 * std::sin(theta / 2.0),
          (s.r3 * s.r3 / 2.0) * (theta - std::sin(theta)), s.r3 * theta};
}

bool TypedValuesValid(const Inputs& in) {
  return in.r1 > 0 && in.a1 > 0 && in.r2 > 0 && in.a2 > 0 && in.r3 > 0 && in.n > 0 && in.d > 0 &&
         in.value > 0 && in.f >= 0 && in.f <= 1;
}

// Roof and side arcs beyond these angles would make the width grow again below
// the spring line or fold the roof under its own chord, and the zone formulas
// would describe another shape than the one drawn.
bool ShapeDescribable(const Inputs& in) { return in.a1 <= 180.0 && in.a2 <= 90.0; }

// The side arcs must leave a bottom chord, and the bottom arc must be able to
// span it.
bool SectionBuilt(const Section& s) { return s.b1 > 0.0 && s.b1 < 2.0 * s.r3; }

double ClearanceAreaPercent(const Section& s, const State& st) {
  return RoundScaled(100000.0 * (s.w0 - st.w) / s.w0, 0.5, 1000.0);
}

double HeightToWidth(const Section& s) { return RoundScaled(1000.0 * s.h4 / s.b2, 0.5, 1000.0); }

enum class Kind { Depth, Discharge };

std::string_view BannerFor(Kind kind, Floor floor) {
  if (kind == Kind::Depth) {
    return floor == Floor::InvertedArch
               ? "  *****************马蹄形隧洞均匀流水深计算成果表****************"
               : "  ***************平底板马蹄形隧洞均匀流水深计算成果表*************";
  }
  return floor == Floor::InvertedArch
             ? "  *****************马蹄形隧洞均匀流流量计算成果表***************"
             : "  **************平底板马蹄形隧洞均匀流流量计算成果表*************";
}

void PrintReport(ResultPane& out, Kind kind, const Inputs& in, const Section& s, double i,
                 const State& st) {
  const bool flat = s.floor == Floor::Flat;
  Banner(out, BannerFor(kind, s.floor));
  ReportRow(out, kC1, kC2, {"顶拱半径R1=", RoundDisplay(s.r1)}, {"侧拱半径R2=", RoundDisplay(s.r2)},
            {flat && kind == Kind::Discharge ? Label("底板半径R3=") : Label("底拱半径R3="),
             RoundDisplay(s.r3)});
  ReportRow(out, kC1, kC2, {"顶拱圆心角A1=", RoundDegrees(s.a1)},
            {"侧拱圆心角A2=", RoundDegrees(s.a2)},
            {flat ? Label("底板圆心角A3=") : Label("底拱圆心角A3="), RoundDegrees(s.a3)});
  ReportRow(out, kC1, kC2, {"底拱高H1=", RoundDisplay(s.h1)}, {"侧拱高H2=", RoundDisplay(s.h2)},
            {"顶拱高H3=", RoundDisplay(s.h3)});
  ReportRow(out, kC1, kC2, {flat ? Label("底板宽B1=") : Label("底拱宽B1="), RoundDisplay(s.b1)},
            {"隧洞宽B2=", RoundDisplay(s.b2)}, {"隧洞高H4=", RoundDisplay(s.h4)});
  TunnelFlowRows(out, kC1, kC2, kind == Kind::Depth, in.value, in.n, i, st.q1, st.h, st.v);
  ReportRow(out, kC1, kC2, {"水面宽B=", RoundDisplay(st.surfaceWidth)},
            {"断面能量E=", RoundDisplay(st.e)}, {"净空面积比(%)=", ClearanceAreaPercent(s, st)});
  ShortRow(out, kC1, {"净空高度H5=", RoundDisplay(s.h4 - st.h)}, {"隧洞高/宽=", HeightToWidth(s)});
  ReportRow(out, kC1, kC2, {"水力半径RS=", RoundDisplay(st.rs)},
            {"过水断面面积W=", ThreeDecimals(st.w)}, {"湿周X=", ThreeDecimals(st.x)});
}

// The design discharge is more than the full section carries.
void PrintCapacityBlock(ResultPane& out, double qmax) {
  out.Text("   ").EndLine();
  out.Text("断面太小,请重新拟定断面").EndLine();
  out.Text("此断面最大过流量为Q1=").Number(qmax).EndLine();
  out.Text("   ").EndLine();
}

}  // namespace

Section BuildSection(Floor floor, double r1, double a1Degrees, double r2, double a2Degrees,
                     double r3) {
  const bool flat = floor == Floor::Flat;
  Section s;
  s.floor = floor;
  s.r1 = r1;
  s.r2 = r2;
  s.r3 = r3;
  s.a1 = DegreesToRadians(a1Degrees);
  s.a2 = DegreesToRadians(a2Degrees);
  s.b2 = 2.0 * r1 * std::sin(s.a1 / 2.0);
  s.b1 = s.b2 - 2.0 * r2 * (1.0 - std::cos(s.a2));
  const double u = (s.b1 / 2.0) / r3;
  s.a3 = 2.0 * std::atan(u / std::sqrt(1.0 - u * u));
  s.h1 = flat ? 0.0 : r3 * (1.0 - std::cos(s.a3 / 2.0));
  s.h2 = r2 * std::sin(s.a2);
  s.h3 = r1 * (1.0 - std::cos(s.a1 / 2.0));
  s.h4 = (s.h1 + s.h2) + s.h3;
  s.sb = flat ? 0.0 : (r3 * r3 / 2.0) * (s.a3 - std::sin(s.a3));
  s.sm = s.b1 * s.h2 + (r2 * r2 / 2.0) * (2.0 * s.a2 - std::sin(2.0 * s.a2));
  s.st = (r1 * r1 / 2.0) * (s.a1 - std::sin(s.a1));
  // The flat floor is the chord itself: no bottom segment, and B1 wetted at every depth.
  s.lb = flat ? s.b1 : r3 * s.a3;
  s.ls = 2.0 * r2 * s.a2;
  s.lt = r1 * s.a1;
  s.w0 = (s.sb + s.sm) + s.st;
  s.p0 = (s.lb + s.ls) + s.lt;
  return s;
}

std::optional<Section> CheckedSection(const Inputs& in) {
  if (!TypedValuesValid(in) || !ShapeDescribable(in)) return std::nullopt;
  const Floor floor = in.f == 0.0 ? Floor::InvertedArch : Floor::Flat;
  const Section s = BuildSection(floor, in.r1, in.a1, in.r2, in.a2, in.r3);
  if (!SectionBuilt(s)) return std::nullopt;
  return s;
}

State Evaluate(const Section& section, double n, double i, double h) {
  const Wetted wet = WettedGeometry(section, h);
  return {FlowState(h, wet.w, wet.x, wet.surfaceWidth, n, i, DischargeForm::AreaVelocity),
          wet.zone};
}

ManningFlowResult FullSectionFlow(const Section& section, double n, double i) {
  return ManningFlow(section.w0, section.p0, n, i, DischargeForm::AreaVelocity);
}

Outline SectionOutline(const Section& s) {
  const double springLine = s.h1 + s.h2;
  const double roofCentre = s.h4 - s.r1;
  // The side arcs are centred on the spring line, R2 in from its ends.
  const double sideCentre = s.b2 / 2.0 - s.r2;
  const double halfRoof = s.a1 / 2.0;
  const double up = kPi / 2.0;
  const double down = 3.0 * kPi / 2.0;
  Outline loop{{0.0, s.h4}};
  AppendArc(loop, {0.0, roofCentre}, s.r1, up, up + halfRoof, loop.back(),
            {-s.b2 / 2.0, springLine});
  AppendArc(loop, {-sideCentre, springLine}, s.r2, kPi, kPi + s.a2, loop.back(),
            {-s.b1 / 2.0, s.h1});
  if (s.floor == Floor::Flat) {
    loop.push_back({s.b1 / 2.0, 0.0});
  } else {
    // In two halves, so that the invert itself is a point of the loop.
    const double halfBottom = s.a3 / 2.0;
    AppendArc(loop, {0.0, s.r3}, s.r3, down - halfBottom, down, loop.back(), {0.0, 0.0});
    AppendArc(loop, {0.0, s.r3}, s.r3, down, down + halfBottom, loop.back(), {s.b1 / 2.0, s.h1});
  }
  AppendArc(loop, {sideCentre, springLine}, s.r2, 2.0 * kPi - s.a2, 2.0 * kPi, loop.back(),
            {s.b2 / 2.0, springLine});
  AppendArc(loop, {0.0, roofCentre}, s.r1, up - halfRoof, up, loop.back(), {0.0, s.h4});
  return loop;
}

FamilySpec Specifics::Describe() {
  return {tarnwick::Family::HorseshoeTunnel,
          4,
          "horseshoe",
          "Option7",
          "马蹄形隧洞",
          "马蹄形隧洞",
          {"0", "1", "180", "2", "30", "2", "0.014", "1000", "1"},
          {"底拱区 h ≤ H1：θ = 2·arccos((R3 − h)/R3)，W = R3²·(θ − sin θ)/2，X = R3·θ",
           "侧拱区 H1 < h ≤ H1 + H2：u = H1 + H2 − h，φ = arcsin(u/R2)（水面以上每侧侧拱的干角），",
           "    B1 = B2 − 2·R2·(1 − cos φ)，W = Ws − R2²·(2φ − sin 2φ)/2 − u·B1，X = Ls − 2·R2·φ",
           "顶拱区 h > H1 + H2：θ = 2·arccos((R1 − (H4 − h))/R1)，",
           "    W = W0 − R1²·(θ − sin θ)/2，X = P0 − R1·θ，B1 = 2·R1·sin(θ/2)",
           "平底（F = 0）时无底拱区，底宽计入 X"},
          {{"θ", "弓形所对的圆心角", "rad"},
           {"φ", "水面以上每侧侧拱的干角", "rad"},
           {"u", "拱脚线以下的干高", "m"},
           {"H1", "底拱高", "m"},
           {"H2", "侧拱区高（底拱弦至拱脚线）", "m"},
           {"H4", "洞高", "m"},
           {"B2", "拱脚线处洞宽", "m"},
           {"Ws", "拱脚线以下的断面面积", "m²"},
           {"Ls", "拱脚线以下的周长", "m"},
           {"W0", "全断面面积", "m²"},
           {"P0", "全断面周长", "m"}}};
}

WindowNames Specifics::Window(CalculationKind kind) {
  if (kind == CalculationKind::Depth) {
    return {"Form25", "马蹄形隧洞水深计算", "马蹄形隧洞均匀流水深计算成果", "Text9"};
  }
  return {"Form36", "马蹄形隧洞流量计算", "马蹄形隧洞均匀流流量计算成果", "Text9"};
}

Checked<Section> Specifics::Check(const Inputs& in) { return {CheckedSection(in)}; }

double Specifics::Crown(const Section& s) { return s.h4; }

void Specifics::CapacityBlock(ResultPane& out, const Section&, const Inputs&, double qmax) {
  PrintCapacityBlock(out, qmax);
}

void Specifics::Report(ResultPane& out, CalculationKind kind, const Inputs& in, const Section& s,
                       const State& st) {
  PrintReport(out, kind == CalculationKind::Depth ? Kind::Depth : Kind::Discharge, in, s,
              1.0 / in.d, st);
}

// B1 is the bottom chord in this report, so it goes by another key beside the
// water-surface width.
void Specifics::Values(const Inputs&, const Section& s, const State&, NamedValues& values) {
  values.insert(values.end(), {{"R1", s.r1},
                               {"R2", s.r2},
                               {"R3", s.r3},
                               {"A1", RadiansToDegrees(s.a1)},
                               {"A2", RadiansToDegrees(s.a2)},
                               {"A3", RadiansToDegrees(s.a3)},
                               {"H1", s.h1},
                               {"H2", s.h2},
                               {"H3", s.h3},
                               {"B1_floor", s.b1},
                               {"B2", s.b2},
                               {"H4", s.h4},
                               {"H4/B2", s.h4 / s.b2}});
}

void AddWindows(std::vector<WindowSpec>& windows, std::vector<FamilySpec>& families) {
  AddFamily<Definition>(windows, families);
}

}  // namespace tarnwick::HorseshoeTunnel
