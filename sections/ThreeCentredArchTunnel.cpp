#include "ThreeCentredArchTunnel.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/Hydraulics.h"
#include "core/OutlineGeometry.h"
#include "core/SegmentAngle.h"

#include "InputBoxes.h"

namespace tarnwick::ThreeCentredArchTunnel {

namespace {

constexpr int kC1 = 25;
constexpr int kC2 = 49;
constexpr int kCentreHeightsColumn = 40;  // the long labels of the arch-centre heights

struct Wetted {
  Zone zone;
  double surfaceWidth;
  double w;
  double x;
};

// Wetted area and perimeter at depth h; each zone includes its upper boundary.
Wetted WettedGeometry(const Section& s, double h) {
  const double centres = s.h1 + s.h2;  // level of the side-arch centres
  if (h > centres + s.h3) {
    // The water surface cuts the top arch: the full section less the dry top segment.
    const double dry = s.h6 - h;
    const double x = (s.r1 - dry) / s.r1;
    const double theta = SegmentAngleWithin(x, s.a1);
    return {Zone::Top, 2.0 * s.r1 * std::sin(theta / 2.0),
            s.w0 - (s.r1 * s.r1 / 2.0) * (theta - std::sin(theta)), s.p0 - s.r1 * theta};
  }
  const double halfR2Squared = s.r2 * s.r2 / 2.0;
  if (h > centres) {
    // Above the side-arch centres the section widens from B2 no more; psi is the
    // wetted angle of each side arch above its centre.
    const double t = h - s.h1 - s.h2;
    const double psi = AngleFromSine(t / s.r2, s.beta);
    const double width = s.b2 - 2.0 * s.r2 * (1.0 - std::cos(psi));
    return {Zone::UpperSide, width,
            t * width + halfR2Squared * (2.0 * psi - std::sin(2.0 * psi)) + s.s2 + s.s1,
            2.0 * s.r2 * psi + s.l2 + s.l1};
  }
  if (s.floor == Floor::Flat || h > s.h1) {
    // Below the side-arch centres: the part under the centres less the dry band,
    // psi being the dry angle of each side arch below its centre.
    const double u = s.h1 + s.h2 - h;
    const double psi = AngleFromSine(u / s.r2, s.gamma);
    const double width = s.b2 - 2.0 * s.r2 * (1.0 - std::cos(psi));
    return {Zone::LowerSide, width,
            (s.s2 + s.s1) - halfR2Squared * (2.0 * psi - std::sin(2.0 * psi)) - u * width,
            s.l2 + s.l1 - 2.0 * s.r2 * psi};
  }
  // Inside the inverted bottom arch: a circular segment of radius R3.
  const double x = (s.r3 - h) / s.r3;
  const double theta = SegmentAngleWithin(x, s.a3);
  return {Zone::Bottom, 2.0 * s.r3 * std::sin(theta / 2.0),
          (s.r3 * s.r3 / 2.0) * (theta - std::sin(theta)), s.r3 * theta};
}

bool TypedValuesValid(const Inputs& in) {
  return in.r1 > 0 && in.a1 > 0 && in.r2 > 0 && in.a2 > 0 && in.r3 > 0 && in.n > 0 && in.d > 0 &&
         in.value > 0 && in.f >= 0 && in.f <= 1;
}

// A top arch above 180° folds under its own chord. The lower end of a side arch
// lies A1/2 + A2 − 90 degrees below the level of its centre: above that level the
// section would narrow towards the floor from the top, and beyond 90° the arch
// would turn back inwards; in both cases the zones no longer describe the shape.
bool ShapeDescribable(const Inputs& in) {
  const double halfTopPlusSide = in.a1 / 2.0 + in.a2;
  return in.a1 <= 180.0 && halfTopPlusSide >= 90.0 && halfTopPlusSide <= 180.0;
}

// The side arches must leave a span, and the bottom arch must be able to bridge it.
bool SectionBuilt(const Section& s) { return s.b3 > 0.0 && s.b3 < 2.0 * s.r3; }

double ClearanceAreaPercent(const Section& s, const State& st) {
  return RoundScaled((s.w0 - st.w) * 10000.0 / s.w0, 0.5, 100.0);
}

double HeightToWidth(const Section& s) {
  return RoundScaled(s.h6 / s.b2 * 100000.0, 0.5, 100000.0);
}

enum class Kind { Depth, Discharge };

std::string_view BannerFor(Kind kind, Floor floor) {
  if (kind == Kind::Depth) {
    return floor == Floor::InvertedArch
               ? "  ****************三心圆拱隧洞均匀流水深计算成果表***************"
               : "  *************平底板三心圆拱隧洞均匀流水深计算成果表************";
  }
  return floor == Floor::InvertedArch
             ? "  ****************三心圆拱隧洞均匀流流量计算成果表***************"
             : "  *************平底板三心圆拱隧洞均匀流流量计算成果表************";
}

Label BottomAngleLabel(Kind kind, Floor floor) {
  if (floor == Floor::InvertedArch) return "底拱圆心角A3=";
  return kind == Kind::Depth ? Label("底板圆心角A3=") : Label("底扳圆心角A3=");
}

void PrintReport(ResultPane& out, Kind kind, const Inputs& in, const Section& s, double i,
                 const State& st) {
  const bool flat = s.floor == Floor::Flat;
  Banner(out, BannerFor(kind, s.floor));
  ReportRow(out, kC1, kC2, {"顶拱半径R1=", RoundDisplay(s.r1)}, {"侧拱半径R2=", RoundDisplay(s.r2)},
            {"底拱半径R3=", RoundDisplay(s.r3)});
  ReportRow(out, kC1, kC2, {"顶拱圆心角A1=", RoundDegrees(s.a1)},
            {"侧拱圆心角A2=", RoundDegrees(s.a2)},
            {BottomAngleLabel(kind, s.floor), RoundDegrees(s.a3)});
  ReportRow(out, kC1, kC2, {"底拱高H1=", RoundDisplay(s.h1)},
            {"侧拱高H4=", RoundDisplay(s.h3 + s.h2)}, {"顶拱高H5=", RoundDisplay(s.h5)});
  ShortRow(out, kCentreHeightsColumn, {"R2圆心距底拱角高H2=", RoundDisplay(s.h2)},
           {"R2圆心距顶拱角高H3=", RoundDisplay(s.h3)});
  ReportRow(out, kC1, kC2, {flat ? Label("底板宽B3=") : Label("底拱宽B3="), RoundDisplay(s.b3)},
            {"隧洞宽B2=", RoundDisplay(s.b2)}, {"隧洞高H6=", RoundDisplay(s.h6)});
  TunnelFlowRows(out, kC1, kC2, kind == Kind::Depth, in.value, in.n, i, st.q1, st.h, st.v);
  ReportRow(out, kC1, kC2, {"水面宽B=", RoundDisplay(st.surfaceWidth)},
            {"断面能量E=", RoundDisplay(st.e)}, {"净空面积比(%)W1=", ClearanceAreaPercent(s, st)});
  ReportRow(out, kC1, kC2, {"净空高度H5=", RoundDisplay(s.h6 - st.h)},
            {"隧洞高/宽=", HeightToWidth(s)}, {"顶拱宽B1=", RoundDisplay(s.b1)});
  ReportRow(out, kC1, kC2, {"水力半径RS=", RoundDisplay(st.rs)},
            {"过水断面面积W=", ThreeDecimals(st.w)}, {"湿周X=", ThreeDecimals(st.x)});
}

// The design discharge is more than the full section carries.
void PrintCapacityBlock(ResultPane& out, double qmax) {
  out.Text(" ").EndLine();
  out.Text("断面太小,请重新拟定断面").EndLine();
  out.Text("该断面最大过流能力Q1=").Number(qmax).EndLine();
  out.Text(" ").EndLine();
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
  s.beta = (kPi - s.a1) / 2.0;
  s.gamma = s.a2 - s.beta;
  s.b3 = 2.0 * r2 * std::cos(s.gamma) - 2.0 * (r2 - r1) * std::cos(s.beta);
  const double half = (s.b3 / 2.0) / r3;
  s.a3 = 2.0 * std::atan(half / std::sqrt(1.0 - half * half));
  s.h1 = flat ? 0.0 : r3 * (1.0 - std::cos(s.a3 / 2.0));
  s.h2 = r2 * std::sin(s.gamma);
  s.h3 = r2 * std::sin(s.beta);
  s.h5 = r1 * (1.0 - std::cos(s.a1 / 2.0));
  s.h6 = s.h5 + s.h3 + s.h2 + s.h1;
  s.b2 = 2.0 * r2 * (1.0 - std::cos(s.gamma)) + s.b3;
  s.b1 = 2.0 * r1 * std::sin(s.a1 / 2.0);
  s.s1 = flat ? 0.0 : (r3 * r3 / 2.0) * (s.a3 - std::sin(s.a3));
  s.s2 = (r2 * r2 / 2.0) * (2.0 * s.gamma - std::sin(2.0 * s.gamma)) + s.h2 * s.b3;
  s.s3 = (r2 * r2 / 2.0) * (2.0 * s.beta - std::sin(2.0 * s.beta)) + s.b1 * s.h3;
  s.s4 = (r1 * r1 / 2.0) * (s.a1 - std::sin(s.a1));
  s.w0 = s.s4 + s.s3 + s.s2 + s.s1;
  // The flat floor plate is wetted across its whole width at every depth.
  s.l1 = flat ? s.b3 : r3 * s.a3;
  s.l2 = 2.0 * r2 * s.gamma;
  s.l3 = 2.0 * r2 * s.beta;
  s.l4 = r1 * s.a1;
  s.p0 = s.l4 + s.l3 + s.l2 + s.l1;
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
  const double centres = s.h1 + s.h2;  // level of the side-arch centres
  const double springing = centres + s.h3;
  const double topCentre = s.h6 - s.r1;
  // Each side arch is tangent to the top arch, so its centre lies on the top arch's
  // radius through the junction, R2 in from it: (R1 − R2)·cos β off the axis, on
  // the far side of the axis when R2 > R1.
  const double sideCentre = (s.r1 - s.r2) * std::cos(s.beta);
  const double halfTop = s.a1 / 2.0;
  const double up = kPi / 2.0;
  const double down = 3.0 * kPi / 2.0;
  Outline loop{{0.0, s.h6}};
  AppendArc(loop, {0.0, topCentre}, s.r1, up, up + halfTop, loop.back(), {-s.b1 / 2.0, springing});
  // Each side arch in two parts, meeting at the widest point of the section.
  AppendArc(loop, {-sideCentre, centres}, s.r2, kPi - s.beta, kPi, loop.back(),
            {-s.b2 / 2.0, centres});
  AppendArc(loop, {-sideCentre, centres}, s.r2, kPi, kPi + s.gamma, loop.back(),
            {-s.b3 / 2.0, s.h1});
  if (s.floor == Floor::Flat) {
    loop.push_back({s.b3 / 2.0, 0.0});
  } else {
    // In two halves, so that the invert itself is a point of the loop.
    const double halfBottom = s.a3 / 2.0;
    AppendArc(loop, {0.0, s.r3}, s.r3, down - halfBottom, down, loop.back(), {0.0, 0.0});
    AppendArc(loop, {0.0, s.r3}, s.r3, down, down + halfBottom, loop.back(), {s.b3 / 2.0, s.h1});
  }
  AppendArc(loop, {sideCentre, centres}, s.r2, -s.gamma, 0.0, loop.back(), {s.b2 / 2.0, centres});
  AppendArc(loop, {sideCentre, centres}, s.r2, 0.0, s.beta, loop.back(), {s.b1 / 2.0, springing});
  AppendArc(loop, {0.0, topCentre}, s.r1, up - halfTop, up, loop.back(), {0.0, s.h6});
  return loop;
}

FamilySpec Specifics::Describe() {
  return {
      tarnwick::Family::ThreeCentredArchTunnel,
      5,
      "three-centred-arch",
      "Option8",
      "三心圆拱隧洞",
      "三心圆拱隧洞",
      {"0", "1", "90", "0.5", "45", "2", "0.014", "1000", "0.5"},
      {"底拱区 h ≤ H1：θ = 2·arccos((R3 − h)/R3)，W = R3²·(θ − sin θ)/2，X = R3·θ",
       "侧拱下区 H1 < h ≤ H1 + H2：u = H1 + H2 − h，ψ = arcsin(u/R2)，B1 = B2 − 2·R2·(1 − cos ψ)，",
       "    W = S1 + S2 − R2²·(2ψ − sin 2ψ)/2 − u·B1，X = L1 + L2 − 2·R2·ψ",
       "侧拱上区 H1 + H2 < h ≤ H1 + H2 + H3：t = h − H1 − H2，ψ = arcsin(t/R2)，",
       "    B1 = B2 − 2·R2·(1 − cos ψ)，W = S1 + S2 + t·B1 + R2²·(2ψ − sin 2ψ)/2，",
       "    X = L1 + L2 + 2·R2·ψ", "顶拱区 h > H1 + H2 + H3：θ = 2·arccos((R1 − (H6 − h))/R1)，",
       "    W = W0 − R1²·(θ − sin θ)/2，X = P0 − R1·θ，B1 = 2·R1·sin(θ/2)"},
      {{"θ", "弓形所对的圆心角", "rad"},
       {"ψ", "每侧侧拱在其圆心水平线以上（上区）或以下（下区）的圆心角", "rad"},
       {"u, t", "水面在侧拱圆心水平线以下、以上的距离", "m"},
       {"H1", "底拱高", "m"},
       {"H2", "底拱弦至侧拱圆心水平线的高度", "m"},
       {"H3", "侧拱圆心水平线至顶拱弦的高度", "m"},
       {"H6", "洞高", "m"},
       {"B2", "侧拱圆心水平线处洞宽", "m"},
       {"S1, L1", "底拱弓形面积与弧长（平底时为 0 与底宽）", "m², m"},
       {"S2, L2", "底拱弦至侧拱圆心水平线之间的面积与两侧弧长", "m², m"},
       {"W0", "全断面面积", "m²"},
       {"P0", "全断面周长", "m"}}};
}

WindowNames Specifics::Window(CalculationKind kind) {
  if (kind == CalculationKind::Depth) {
    return {"Form26", "三心圆拱隧洞水深计算", "三心圆拱隧洞均匀流水深计算成果", "Text9"};
  }
  return {"Form37", "三心圆拱隧洞流量计算", "三心圆拱隧洞均匀流流量计算成果", "Text9"};
}

Checked<Section> Specifics::Check(const Inputs& in) { return {CheckedSection(in)}; }

double Specifics::Crown(const Section& s) { return s.h6; }

void Specifics::CapacityBlock(ResultPane& out, const Section&, const Inputs&, double qmax) {
  PrintCapacityBlock(out, qmax);
}

void Specifics::Report(ResultPane& out, CalculationKind kind, const Inputs& in, const Section& s,
                       const State& st) {
  PrintReport(out, kind == CalculationKind::Depth ? Kind::Depth : Kind::Discharge, in, s,
              1.0 / in.d, st);
}

// B1 is the top-arch chord in this report, so it goes by another key beside the
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
                               {"H4", s.h3 + s.h2},
                               {"H5", s.h5},
                               {"B3", s.b3},
                               {"B2", s.b2},
                               {"H6", s.h6},
                               {"B1_roof", s.b1},
                               {"H6/B2", s.h6 / s.b2}});
}

void AddWindows(std::vector<WindowSpec>& windows, std::vector<FamilySpec>& families) {
  AddFamily<Definition>(windows, families);
}

}  // namespace tarnwick::ThreeCentredArchTunnel
