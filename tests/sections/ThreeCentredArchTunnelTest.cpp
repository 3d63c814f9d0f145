#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "sections/ThreeCentredArchTunnel.h"
#include "sections/WindowCatalog.h"
#include "tests/sections/FamilyPress.h"

namespace tarnwick {
namespace {

using ThreeCentredArchTunnel::Floor;
using ThreeCentredArchTunnel::Inputs;
using ThreeCentredArchTunnel::Section;
using ThreeCentredArchTunnel::Zone;

constexpr double kN = 0.014;
constexpr double kI = 0.001;

// R1 = R2 = R3 = 1 with A1 = A2 = 90°: the four arcs are one circle of radius 1.
Inputs Circle(double f, double value) { return {f, 1, 90, 1, 90, 1, kN, 1000, value}; }
// A proper three-centred arch: flat 120° top arch on tighter side arches.
Inputs Arch(double f, double value) { return {f, 2, 120, 1, 80, 3, kN, 1000, value}; }

std::vector<std::string> Compute(bool depthKind, const Inputs& in, PressOutcome expected) {
  ResultPane pane;
  const PressOutcome got = depthKind ? PressOutcomeOf<ThreeCentredArchTunnel::Definition>(
                                           CalculationKind::Depth, in, pane)
                                     : PressOutcomeOf<ThreeCentredArchTunnel::Definition>(
                                           CalculationKind::Discharge, in, pane);
  EXPECT_EQ(got, expected);
  return pane.Lines();
}

Section Built(const Inputs& in) { return *ThreeCentredArchTunnel::CheckedSection(in); }

const std::vector<std::string> kInputError = {
    "===========================", "数据输入错误,请重新输入！", "==========================="};
const std::vector<std::string> kTooDeep = {
    "===========================", "水深大于隧洞高度,请重新输入！", "==========================="};

TEST(ThreeCentredArchTunnel, SingleCircleDepthReport) {
  const std::vector<std::string> expected = {
      "  ****************三心圆拱隧洞均匀流水深计算成果表***************",
      "顶拱半径R1= 1           侧拱半径R2= 1           底拱半径R3= 1 ",
      "顶拱圆心角A1= 90        侧拱圆心角A2= 90        底拱圆心角A3= 90 ",
      "底拱高H1= .29289        侧拱高H4= 1.41421       顶拱高H5= .29289 ",
      "R2圆心距底拱角高H2= .70711             R2圆心距顶拱角高H3= .70711 ",
      "底拱宽B3= 1.41421       隧洞宽B2= 2             隧洞高H6= 2 ",
      "设计流量Q= 2            糙率N= .014             纵坡I= 1/ 1000 ",
      "计算流量Q1= 2.00004     正常水深H= .93744       流速V= 1.38339 ",
      "水面宽B= 1.99608        断面能量E= 1.03498      净空面积比(%)W1= 53.98 ",
      "净空高度H5= 1.06256     隧洞高/宽= 1            顶拱宽B1= 1.41421 ",
      "水力半径RS= .4793       过水断面面积W= 1.446    湿周X= 3.016 ",
  };
  EXPECT_EQ(Compute(true, Circle(0, 2), PressOutcome::Report), expected);

  const Section s = Built(Circle(0, 2));
  EXPECT_NEAR(s.w0, 3.1415926, 5e-7);
  EXPECT_NEAR(s.p0, 6.2831852, 5e-7);
  const auto r = SolveNormalDepth<ThreeCentredArchTunnel::Definition>(s, Circle(0, 2));
  EXPECT_TRUE(r.converged);
  EXPECT_EQ(r.passes, 15);
  EXPECT_EQ(r.state.h, 0.937438955962991);
  EXPECT_EQ(r.state.zone, Zone::LowerSide);
}

TEST(ThreeCentredArchTunnel, FlatFloorDischargeReport) {
  const std::vector<std::string> expected = {
      "  *************平底板三心圆拱隧洞均匀流流量计算成果表************",
      "顶拱半径R1= 1           侧拱半径R2= 1           底拱半径R3= 1 ",
      "顶拱圆心角A1= 90        侧拱圆心角A2= 90        底扳圆心角A3= 90 ",
      "底拱高H1= 0             侧拱高H4= 1.41421       顶拱高H5= .29289 ",
      "R2圆心距底拱角高H2= .70711             R2圆心距顶拱角高H3= .70711 ",
      "底板宽B3= 1.41421       隧洞宽B2= 2             隧洞高H6= 1.70711 ",
      "糙率N= .014             纵坡I= 1/ 1000 ",
      "计算流量Q1= 3.40217     正常水深H= 1.2          流速V= 1.52586 ",
      "水面宽B= 1.74018        断面能量E= 1.31867      净空面积比(%)W1= 21.94 ",
      "净空高度H5= .50711      隧洞高/宽= .85355       顶拱宽B1= 1.41421 ",
      "水力半径RS= .55522      过水断面面积W= 2.229    湿周X= 4.016 ",
  };
  EXPECT_EQ(Compute(false, Circle(1, 1.2), PressOutcome::Report), expected);
}

// The flat floor is named "底板" in both tables, its angle "底板圆心角A3=" in the
// depth table and "底扳圆心角A3=" in the discharge table.
TEST(ThreeCentredArchTunnel, FloorChosenByTheFirstBox) {
  struct Case {
    const char* window;
    const char* floorBox;
    const char* banner;  // null: input-error block
    const char* angleLabel;
  };
  const Case cases[] = {
      {"Form26", "", "  ****************三心圆拱隧洞均匀流水深计算成果表***************",
       "底拱圆心角A3="},
      {"Form26", "0", "  ****************三心圆拱隧洞均匀流水深计算成果表***************",
       "底拱圆心角A3="},
      {"Form26", "0.5", "  *************平底板三心圆拱隧洞均匀流水深计算成果表************",
       "底板圆心角A3="},
      {"Form26", "1", "  *************平底板三心圆拱隧洞均匀流水深计算成果表************",
       "底板圆心角A3="},
      {"Form37", "", "  ****************三心圆拱隧洞均匀流流量计算成果表***************",
       "底拱圆心角A3="},
      {"Form37", "0.5", "  *************平底板三心圆拱隧洞均匀流流量计算成果表************",
       "底扳圆心角A3="},
      {"Form37", "1", "  *************平底板三心圆拱隧洞均匀流流量计算成果表************",
       "底扳圆心角A3="},
      {"Form26", "-1", nullptr, nullptr},
      {"Form26", "2", nullptr, nullptr},
      {"Form37", "-1", nullptr, nullptr},
      {"Form37", "2", nullptr, nullptr},
  };
  for (const Case& c : cases) {
    const std::vector<std::string> boxes = {c.floorBox, "1",    "90",   "1",  "90",
                                            "1",        ".014", "1000", "1.2"};
    ResultPane pane;
    Press(*FindWindow(c.window), boxes, pane);
    const auto& lines = pane.Lines();
    if (c.banner == nullptr) {
      EXPECT_EQ(lines, kInputError) << c.window << " F=" << c.floorBox;
      continue;
    }
    ASSERT_EQ(lines.size(), 11u) << c.window << " F=" << c.floorBox;
    EXPECT_EQ(lines[0], c.banner);
    EXPECT_EQ(lines[2].substr(lines[2].size() - std::string(c.angleLabel).size() - 4),
              std::string(c.angleLabel) + " 90 ");
    const bool flat = std::string(c.banner).find("平底板") != std::string::npos;
    EXPECT_TRUE(lines[3].starts_with(flat ? "底拱高H1= 0 " : "底拱高H1= .29289 ")) << lines[3];
    EXPECT_TRUE(lines[5].starts_with(flat ? "底板宽B3= " : "底拱宽B3= ")) << lines[5];
    EXPECT_TRUE(lines[5].ends_with(flat ? "隧洞高H6= 1.70711 " : "隧洞高H6= 2 ")) << lines[5];
  }
}

TEST(ThreeCentredArchTunnel, CapacityBlockAboveTheGreatestDischarge) {
  for (const Inputs& shape : {Circle(0, 1), Circle(1, 1), Arch(0, 1), Arch(1, 1)}) {
    const Section s = Built(shape);
    const double qmax = ThreeCentredArchTunnel::FullSectionFlow(s, kN, kI).q1;
    Inputs in = shape;
    in.value = qmax;  // carried: the search runs
    const auto atMax = Compute(true, in, PressOutcome::Report);
    ASSERT_EQ(atMax.size(), 11u);
    const auto r = SolveNormalDepth<ThreeCentredArchTunnel::Definition>(s, in);
    EXPECT_TRUE(r.converged);
    EXPECT_LT(r.state.h, s.h6);
    in.value = std::nextafter(qmax, 1e9);
    const std::vector<std::string> block = {" ", "断面太小,请重新拟定断面",
                                            "该断面最大过流能力Q1=" + NumberText(qmax), " "};
    EXPECT_EQ(Compute(true, in, PressOutcome::Capacity), block);
  }
  const auto big = Compute(true, Circle(0, 5), PressOutcome::Capacity);
  ASSERT_EQ(big.size(), 4u);
  EXPECT_EQ(big[2], "该断面最大过流能力Q1= 4.47028449765371 ");
}

TEST(ThreeCentredArchTunnel, DepthAtTheCrownIsRefused) {
  for (const Inputs& shape : {Circle(0, 1), Circle(1, 1), Arch(0, 1), Arch(1, 1)}) {
    const Section s = Built(shape);
    Inputs in = shape;
    in.value = s.h6;
    EXPECT_EQ(Compute(false, in, PressOutcome::DepthTooGreat), kTooDeep);
    in.value = s.h6 * 2;
    EXPECT_EQ(Compute(false, in, PressOutcome::DepthTooGreat), kTooDeep);
    in.value = std::nextafter(s.h6, 0.0);
    const auto lines = Compute(false, in, PressOutcome::Report);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_TRUE(lines[8].ends_with("净空面积比(%)W1= 0 ")) << lines[8];
    EXPECT_TRUE(lines[9].starts_with("净空高度H5= 0 ")) << lines[9];
    EXPECT_EQ(ThreeCentredArchTunnel::Evaluate(s, kN, kI, in.value).zone, Zone::Top);
  }
}

TEST(ThreeCentredArchTunnel, ZoneBoundariesBelongToTheLowerZone) {
  for (const Inputs& shape : {Circle(0, 1), Arch(0, 1), Arch(1, 1)}) {
    const Section s = Built(shape);
    const bool flat = s.floor == Floor::Flat;
    const double centres = s.h1 + s.h2;
    const double springing = centres + s.h3;
    struct Case {
      double h;
      Zone zone;
    };
    const Case cases[] = {
        {flat ? 1e-9 : s.h1, flat ? Zone::LowerSide : Zone::Bottom},
        {std::nextafter(s.h1, 9.0), Zone::LowerSide},
        {centres, Zone::LowerSide},
        {std::nextafter(centres, 9.0), Zone::UpperSide},
        {springing, Zone::UpperSide},
        {std::nextafter(springing, 9.0), Zone::Top},
    };
    for (const Case& c : cases) {
      EXPECT_EQ(ThreeCentredArchTunnel::Evaluate(s, kN, kI, c.h).zone, c.zone) << c.h;
    }
    // Level with the side-arch centres: the widest part, and the section below it.
    const auto mid = ThreeCentredArchTunnel::Evaluate(s, kN, kI, centres);
    EXPECT_EQ(mid.surfaceWidth, s.b2);
    EXPECT_EQ(mid.w, s.s2 + s.s1);
    EXPECT_EQ(mid.x, s.l2 + s.l1);
    // At the springing the water surface is the top-arch chord, the top segment still dry.
    const auto top = ThreeCentredArchTunnel::Evaluate(s, kN, kI, springing);
    EXPECT_NEAR(top.surfaceWidth, s.b1, 1e-7);
    EXPECT_NEAR(top.w, s.w0 - s.s4, 1e-7);
    EXPECT_NEAR(top.x, s.p0 - s.l4, 1e-7);
  }
  // Inside the bottom arch the surface is the chord at the water line.
  const Section arch = Built(Arch(0, 1));
  const double h = arch.h1 / 2.0;
  const double theta = 2.0 * std::acos((arch.r3 - h) / arch.r3);
  EXPECT_NEAR(ThreeCentredArchTunnel::Evaluate(arch, kN, kI, h).surfaceWidth,
              2.0 * arch.r3 * std::sin(theta / 2.0), 1e-12);
}

// A semicircular top arch springs level with the side-arch centres, where its own
// centre lies: the first depth above that level must take the whole top arch as
// the dry segment, not a division by zero or a negative angle.
TEST(ThreeCentredArchTunnel, SemicircularTopArchJustAboveTheSideArchCentres) {
  for (const double f : {0.0, 1.0}) {
    const Section s = Built({f, 1, 180, 1, 45, 1, kN, 1000, 1});
    EXPECT_EQ(s.h3, 0.0);
    const double centres = s.h1 + s.h2;
    const auto below = ThreeCentredArchTunnel::Evaluate(s, kN, kI, centres);
    const auto above = ThreeCentredArchTunnel::Evaluate(s, kN, kI, std::nextafter(centres, 9.0));
    EXPECT_EQ(below.zone, Zone::LowerSide);
    ASSERT_EQ(above.zone, Zone::Top);
    EXPECT_TRUE(std::isfinite(above.q1));
    EXPECT_NEAR(above.w, below.w, 1e-9);
    EXPECT_NEAR(above.x, below.x, 1e-6);
    EXPECT_NEAR(above.surfaceWidth, below.surfaceWidth, 1e-9);
  }
}

// Circle of radius 1 with its lowest point at depth 0: area, wetted arc and chord
// of the segment below depth y.
struct CircleSegment {
  double w, x, width;
};
CircleSegment UnitCircle(double y) {
  const double c = 1.0 - y;
  const double half = std::sqrt(1.0 - c * c);
  return {std::acos(c) - c * half, 2.0 * std::acos(c), 2.0 * half};
}

// Two ways to make one circle: A1 = A2 = 90°, and a semicircular top arch on side
// arches reaching right down (γ = 90°, the largest accepted).
TEST(ThreeCentredArchTunnel, CircleShapesMatchCircleGeometry) {
  const Inputs circles[] = {Circle(0, 1), {0, 1, 180, 1, 90, 1, kN, 1000, 1}};
  for (const Inputs& in : circles) {
    const Section s = Built(in);
    EXPECT_NEAR(s.h6, 2.0, 1e-7);
    EXPECT_NEAR(s.w0, 3.1415926, 1e-6);
    EXPECT_NEAR(s.p0, 6.2831852, 1e-6);
    for (double h = 0.05; h < 1.99; h += 0.05) {
      const auto a = ThreeCentredArchTunnel::Evaluate(s, kN, kI, h);
      const CircleSegment e = UnitCircle(h);
      EXPECT_NEAR(a.w, e.w, 1e-6) << in.a1 << " " << h;
      EXPECT_NEAR(a.x, e.x, 1e-6) << in.a1 << " " << h;
      EXPECT_NEAR(a.surfaceWidth, e.width, 1e-6) << in.a1 << " " << h;
    }
  }
  // Flat floor: the circle cut at its 1.41421 chord.
  const Section flat = Built(Circle(1, 1));
  const double floorLevel = 1.0 - std::sqrt(0.5);
  const CircleSegment cut = UnitCircle(floorLevel);
  for (double h = 0.05; h + floorLevel < 1.99; h += 0.05) {
    const auto b = ThreeCentredArchTunnel::Evaluate(flat, kN, kI, h);
    const CircleSegment g = UnitCircle(h + floorLevel);
    EXPECT_NEAR(b.w, g.w - cut.w, 1e-6) << h;
    EXPECT_NEAR(b.x, g.x - cut.x + flat.b3, 1e-6) << h;
    EXPECT_NEAR(b.surfaceWidth, g.width, 1e-6) << h;
  }
}

TEST(ThreeCentredArchTunnel, DepthSearchEndsInTheStateOfItsDepth) {
  struct Case {
    Inputs in;
    Zone zone;
  };
  const Case cases[] = {
      {Circle(0, 0.1), Zone::Bottom},    {Circle(0, 2), Zone::LowerSide},
      {Circle(0, 3.5), Zone::UpperSide}, {Circle(0, 4.4), Zone::UpperSide},
      {Arch(0, 5), Zone::LowerSide},     {Arch(1, 2), Zone::LowerSide},
      {Arch(1, 9), Zone::Top},
  };
  for (const Case& c : cases) {
    const Section s = Built(c.in);
    const auto r = SolveNormalDepth<ThreeCentredArchTunnel::Definition>(s, c.in);
    ASSERT_TRUE(r.converged) << c.in.value;
    EXPECT_LT(std::abs(r.state.q1 - c.in.value), 0.0001);
    EXPECT_EQ(r.state.zone, c.zone) << c.in.value;
    const auto again = ThreeCentredArchTunnel::Evaluate(s, kN, kI, r.state.h);
    EXPECT_EQ(again.w, r.state.w);
    EXPECT_EQ(again.x, r.state.x);
    EXPECT_EQ(again.surfaceWidth, r.state.surfaceWidth);
    EXPECT_EQ(again.q1, r.state.q1);
    EXPECT_EQ(again.v, r.state.v);
    EXPECT_EQ(again.e, r.state.e);
  }
}

TEST(ThreeCentredArchTunnel, FullSectionAtTheCrownAndRisingDischarge) {
  for (const Inputs& shape : {Circle(0, 1), Circle(1, 1), Arch(0, 1), Arch(1, 1)}) {
    const Section s = Built(shape);
    const auto top = ThreeCentredArchTunnel::Evaluate(s, kN, kI, s.h6 * (1.0 - 1e-12));
    EXPECT_NEAR(top.w, s.w0, 1e-9);
    EXPECT_NEAR(top.x, s.p0, 1e-5);
    double previous = 0.0;
    for (int k = 1; k <= 90; ++k) {
      const double q1 = ThreeCentredArchTunnel::Evaluate(s, kN, kI, s.h6 * k / 100.0).q1;
      EXPECT_GT(q1, previous) << k;
      previous = q1;
    }
  }
}

TEST(ThreeCentredArchTunnel, RefusesSectionsThatCannotBeBuilt) {
  const Inputs bad[] = {
      {0, 0, 90, 1, 90, 1, kN, 1000, 1},
      {0, 1, -90, 1, 90, 1, kN, 1000, 1},
      {0, 1, 90, 0, 90, 1, kN, 1000, 1},
      {0, 1, 90, 1, 0, 1, kN, 1000, 1},
      {1, 1, 90, 1, 90, 0, kN, 1000, 1},
      {0, 1, 90, 1, 90, 1, -kN, 1000, 1},
      {0, 1, 90, 1, 90, 1, kN, -1, 1},
      {0, 1, 90, 1, 90, 1, kN, 1000, -1},
      {-0.5, 1, 90, 1, 90, 1, kN, 1000, 1},
      {1.5, 1, 90, 1, 90, 1, kN, 1000, 1},
      {0, 1, 181, 1, 90, 1, kN, 1000, 1},                   // top arch folding under its chord
      {0, 2, 120, 1, 29, 3, kN, 1000, 1},                   // side arches end above their centres
      {0, 1, 180, 1, 91, 1, kN, 1000, 1},                   // side arches turning back inwards
      {0, 1, 180, 2, 90, 1, kN, 1000, 1},                   // side arches crossing: no span left
      {0, 2, 120, 1, 80, 1, kN, 1000, 1},                   // bottom arch narrower than the span
      {1, 1, 90, 1, 90, 0.7, kN, 1000, 1},                  // flat floor: R3 still has to span it
      {0, 1e300, 90, 1e300, 90, 1e300, 1e-300, 1e-300, 1},  // figures beyond any double
  };
  for (const Inputs& in : bad) {
    EXPECT_EQ(Compute(true, in, PressOutcome::InputError), kInputError) << in.a1 << " " << in.a2;
    EXPECT_EQ(Compute(false, in, PressOutcome::InputError), kInputError) << in.a1 << " " << in.a2;
  }
  // The limits themselves are sections: γ = 0 (A1/2 + A2 = 90°) and a 180° top arch.
  EXPECT_EQ(Compute(false, {0, 2, 120, 1, 30, 3, kN, 1000, 1}, PressOutcome::Report).size(), 11u);
  EXPECT_EQ(Compute(true, {1, 2, 120, 1, 30, 3, kN, 1000, 1}, PressOutcome::Report).size(), 11u);
  EXPECT_EQ(Compute(true, {0, 1, 180, 1, 45, 1, kN, 1000, 1}, PressOutcome::Report).size(), 11u);
}

}  // namespace
}  // namespace tarnwick
