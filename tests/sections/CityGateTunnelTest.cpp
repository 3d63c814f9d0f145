#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/Hydraulics.h"
#include "sections/CityGateTunnel.h"
#include "tests/sections/FamilyPress.h"

namespace tarnwick {
namespace {

using CityGateTunnel::Inputs;
using CityGateTunnel::Section;
using CityGateTunnel::Zone;
using Lines = std::vector<std::string>;

enum class Kind { Depth, Discharge };

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kN = 0.014;
constexpr double kI = 0.001;

// The reference tunnel: 3 m wide, 2 m walls, a 120° roof of radius
// √3 (chord 3 m), with a flat floor or a floor arch of radius 3.
Inputs Flat(double value) { return {3, 2, 1.7320508, 120, 0, kN, 1000, value}; }
Inputs Arched(double value) { return {3, 2, 1.7320508, 120, 3, kN, 1000, value}; }
// Roughness kN, slope kI and design discharge q, for a search on a section built
// beforehand (the search reads no dimension from the typed values).
Inputs Carrying(double q) { return {.n = kN, .d = 1000, .value = q}; }
Section SectionOf(const Inputs& in) {
  return CityGateTunnel::BuildSection(in.b, in.h2, in.r1, in.a1, in.r2);
}

Lines Press(Kind kind, const Inputs& in, PressOutcome expected) {
  ResultPane pane;
  const PressOutcome got =
      kind == Kind::Depth
          ? PressOutcomeOf<CityGateTunnel::Definition>(CalculationKind::Depth, in, pane)
          : PressOutcomeOf<CityGateTunnel::Definition>(CalculationKind::Discharge, in, pane);
  EXPECT_EQ(got, expected);
  return pane.Lines();
}

TEST(CityGateTunnel, WorkedReports) {
  struct Case {
    const char* name;
    Kind kind;
    Inputs in;
    PressOutcome outcome;
    Lines lines;
  };
  const Case cases[] = {
      {"flat floor, Q = 8, wall zone",
       Kind::Depth,
       Flat(8),
       PressOutcome::Report,
       {"  ****************城门洞形隧洞均匀流水深计算成果表**************",
        "侧墙高H2= 2             顶拱高H3= .86603         顶拱半径R1= 1.73205 ",
        "顶拱圆心角A1= 120       隧洞宽B= 3               隧洞高H4= 2.86603 ",
        "设计流量Q= 8            糙率N= .014              纵坡I= 1/ 1000 ",
        "计算流量Q1= 8.00006     正常水深H= 1.44744       流速V= 1.84234 ",
        "水面宽B1= 3             断面能量E= 1.62044       隧洞高/宽= .95534 ",
        "水力半径RS= .73663      过水断面面积W= 4.342     湿周X= 5.895 ",
        "净空高度H5= 1.41858     净空面积W3= 3.50022      净空面积比(%)= 44.631 "}},
      {"flat floor, Q = 15 above the capacity",
       Kind::Depth,
       Flat(15),
       PressOutcome::Capacity,
       {"", "此断面最大过流能力Q1= 14.46587 ", "请从新拟定断面", ""}},
      {"flat floor, h = 2.5, roof zone carries more than Qmax",
       Kind::Discharge,
       Flat(2.5),
       PressOutcome::Report,
       {"  ****************城门洞形隧洞均匀流流量计算成果表**************",
        "侧墙高H2= 2             顶拱高H3= .86603         顶拱半径R1= 1.73205 ",
        "顶拱圆心角A1= 120       隧洞宽B= 3               隧洞高H4= 2.86603 ",
        "糙率N= .014             纵坡I= 1/ 1000 ",
        "计算流量Q1= 15.1326     正常水深H= 2.5           流速V= 2.0699 ",
        "水面宽B1= 2.12976       断面能量E= 2.71837       隧洞高/宽= .95534 ",
        "水力半径RS= .87724      过水断面面积W= 7.311     湿周X= 8.334 ",
        "净空高度H5= .36603      净空面积W3= .53178       净空面积比(%)= 6.781 "}},
      {"floor arch, Q = 8",
       Kind::Depth,
       Arched(8),
       PressOutcome::Report,
       {"  ****************城门洞形隧洞均匀流水深计算成果表**************",
        "底拱高H1= .40192        侧墙高H2= 2              顶拱高H3= .86603 ",
        "顶拱半径R1= 1.73205     顶拱圆心角A1= 120        底拱半径R2= 3 ",
        "底拱圆心角A2= 60        隧洞宽B= 3               隧洞高H4= 3.26795 ",
        "设计流量Q= 8            糙率N= .014              纵坡I= 1/ 1000 ",
        "计算流量Q1= 7.99994     正常水深H= 1.52681       流速V= 1.90932 ",
        "水面宽B1= 3             断面能量E= 1.71262       隧洞高/宽= 1.08932 ",
        "水力半径RS= .77716      过水断面面积W= 4.19      湿周X= 5.391 ",
        "净空高度H5= 1.74113     净空面积W3= 4.46788      净空面积比(%)= 51.605 "}},
      {"floor arch, h = 0.3, floor zone",
       Kind::Discharge,
       Arched(0.3),
       PressOutcome::Report,
       {"  ****************城门洞形隧洞均匀流流量计算成果表**************",
        "底拱高H1= .40192        侧墙高H2= 2              顶拱高H3= .86603 ",
        "顶拱半径R1= 1.73205     顶拱圆心角A1= 120        底拱半径R2= 3 ",
        "底拱圆心角A2= 60        隧洞宽B= 3               隧洞高H4= 3.26795 ",
        "糙率N= .014             纵坡I= 1/ 1000 ",
        "计算流量Q1= .40187      正常水深H= .3            流速V= .76036 ",
        "水面宽B1= 2.61534       断面能量E= .32947        隧洞高/宽= 1.08932 ",
        "水力半径RS= .19531      过水断面面积W= .528      湿周X= 2.706 ",
        "净空高度H5= 2.96795     净空面积W3= 8.1293       净空面积比(%)= 93.895 "}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Press(c.kind, c.in, c.outcome), c.lines) << c.name;
  }
}

TEST(CityGateTunnel, WorkedSectionsAndSearches) {
  struct Case {
    Inputs in;
    double h1, h4, w0, p0, qmax;
    int passes;
    double h;
  };
  const Case cases[] = {
      {Flat(8), 0, 2.86603, 7.84255, 10.6276, 14.46587, 15, 1.44744},
      {Arched(8), 0.40192, 3.26795, 8.65783, 10.76919, 16.90823, 16, 1.52681},
  };
  for (const Case& c : cases) {
    const Section s = SectionOf(c.in);
    EXPECT_NEAR(s.h3, 0.86603, 5e-6);
    EXPECT_NEAR(s.h1, c.h1, 5e-6);
    EXPECT_NEAR(s.h4, c.h4, 5e-6);
    EXPECT_NEAR(s.w0, c.w0, 5e-6);
    EXPECT_NEAR(s.p0, c.p0, 5e-6);
    EXPECT_NEAR(CityGateTunnel::FullSectionFlow(s, kN, kI).q1, c.qmax, 5e-6);
    const auto r = SolveNormalDepth<CityGateTunnel::Definition>(s, Carrying(c.in.value));
    EXPECT_TRUE(r.converged);
    EXPECT_EQ(r.passes, c.passes);
    EXPECT_NEAR(r.state.h, c.h, 5e-6);
    EXPECT_EQ(r.state.zone, Zone::Wall);
  }
  EXPECT_NEAR(SectionOf(Arched(8)).a2 * 180.0 / kPi, 60.0, 5e-6);
}

TEST(CityGateTunnel, CapacityBoundary) {
  for (const Inputs& base : {Flat(1), Arched(1)}) {
    const double qmax = CityGateTunnel::FullSectionFlow(SectionOf(base), kN, kI).q1;
    Inputs at = base;
    at.value = qmax;  // a discharge the full section just carries: the search runs
    const Lines report = Press(Kind::Depth, at, PressOutcome::Report);
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(report[0], "  ****************城门洞形隧洞均匀流水深计算成果表**************");
    // Near the crown a closed conduit carries more than when full, so the search
    // settles on a depth under the crown with Q1 within the tolerance of Qmax.
    const auto r = SolveNormalDepth<CityGateTunnel::Definition>(SectionOf(at), Carrying(qmax));
    EXPECT_TRUE(r.converged);
    EXPECT_LT(r.state.h, SectionOf(at).h4);
    EXPECT_EQ(r.state.zone, Zone::Roof);

    Inputs above = base;
    above.value = std::nextafter(qmax, kInf);
    const Lines block = Press(Kind::Depth, above, PressOutcome::Capacity);
    ASSERT_EQ(block.size(), 4u);
    EXPECT_EQ(block[1].rfind("此断面最大过流能力Q1= ", 0), 0u);
    EXPECT_EQ(block[2], "请从新拟定断面");
  }
  EXPECT_EQ(Press(Kind::Depth, Arched(17), PressOutcome::Capacity)[1],
            "此断面最大过流能力Q1= 16.90823 ");
}

TEST(CityGateTunnel, DepthAtOrAboveTheCrownIsRefused) {
  const Lines block = {"===========================", "水深大于隧洞高度,请重新输入！",
                       "==========================="};
  for (const Inputs& base : {Flat(1), Arched(1)}) {
    const Section s = SectionOf(base);
    for (const double h : {s.h4, std::nextafter(s.h4, kInf), s.h4 + 1.0}) {
      Inputs in = base;
      in.value = h;
      EXPECT_EQ(Press(Kind::Discharge, in, PressOutcome::DepthTooGreat), block);
    }
    // Just under the crown: computed, with a clearance close to nothing.
    const double h = std::nextafter(s.h4, 0.0);
    const auto st = CityGateTunnel::Evaluate(s, kN, kI, h);
    EXPECT_LT(s.h4 - st.h, 1e-12);
    EXPECT_LT(s.w0 - st.w, 1e-12);
    Inputs in = base;
    in.value = h;
    const Lines lines = Press(Kind::Discharge, in, PressOutcome::Report);
    EXPECT_EQ(lines.back().rfind("净空高度H5= 0 ", 0), 0u) << lines.back();
  }
}

TEST(CityGateTunnel, ZoneBoundariesBelongToTheLowerZone) {
  const Section s = SectionOf(Arched(1));
  struct Case {
    double h;
    Zone zone;
  };
  const Case cases[] = {
      {s.h1, Zone::Floor},
      {std::nextafter(s.h1, kInf), Zone::Wall},
      {s.h1 + s.h2, Zone::Wall},
      {std::nextafter(s.h1 + s.h2, kInf), Zone::Roof},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CityGateTunnel::Evaluate(s, kN, kI, c.h).zone, c.zone) << c.h;
  }
  // The floor zone at the sag spans the whole width; the wall top is the full width.
  const auto floorTop = CityGateTunnel::Evaluate(s, kN, kI, s.h1);
  EXPECT_NEAR(floorTop.surfaceWidth, s.b, 1e-9);
  EXPECT_NEAR(floorTop.w, s.wf, 1e-9);
  const auto wallTop = CityGateTunnel::Evaluate(s, kN, kI, s.h1 + s.h2);
  EXPECT_EQ(wallTop.surfaceWidth, s.b);
  // Across the wall top the area and perimeter join up with the roof zone.
  const auto roofFoot = CityGateTunnel::Evaluate(s, kN, kI, std::nextafter(s.h1 + s.h2, kInf));
  EXPECT_NEAR(roofFoot.w, wallTop.w, 1e-6);
  EXPECT_NEAR(roofFoot.x, wallTop.x, 1e-6);
  EXPECT_NEAR(roofFoot.surfaceWidth, s.b, 1e-6);

  // A flat floor (R2 = 0) has no floor zone and two geometry lines.
  const Section flat = SectionOf(Flat(1));
  EXPECT_EQ(flat.h1, 0.0);
  EXPECT_EQ(flat.lf, flat.b);
  EXPECT_EQ(CityGateTunnel::Evaluate(flat, kN, kI, 1e-9).zone, Zone::Wall);
  EXPECT_EQ(Press(Kind::Depth, Flat(8), PressOutcome::Report).size(), 8u);
  EXPECT_EQ(Press(Kind::Depth, Arched(8), PressOutcome::Report).size(), 9u);
}

TEST(CityGateTunnel, RefusesBadInput) {
  const Lines block = {"===========================", "数据输入错误,请重新输入！",
                       "==========================="};
  const Inputs bad[] = {
      {0, 2, 1.7320508, 120, 0, kN, 1000, 1},
      {-3, 2, 1.7320508, 120, 0, kN, 1000, 1},
      {3, 0, 1.7320508, 120, 0, kN, 1000, 1},
      {3, 2, 0, 120, 0, kN, 1000, 1},
      {3, 2, 1.7320508, 0, 0, kN, 1000, 1},
      {3, 2, 1.7320508, 120, 0, 0, 1000, 1},
      {3, 2, 1.7320508, 120, 0, kN, 0, 1},
      {3, 2, 1.7320508, 120, 0, kN, -1000, 1},
      {3, 2, 1.7320508, 120, 0, kN, 1000, 0},
      {3, 2, 1.7320508, 120, 0, kN, 1000, -1},
      {3, 2, 1.7320508, 120, -3, kN, 1000, 1},   // negative floor-arch radius
      {3, 2, 1.7320508, 120, 1.5, kN, 1000, 1},  // semicircular floor, R2 = B/2
      {3, 2, 1.7320508, 120, 1, kN, 1000, 1},    // R2 below half the width
      // A roof of more than a half circle overhangs the walls.
      {3, 2, 1.5, 180.0001, 0, kN, 1000, 1},
      {3, 2, 1.7320508, 240, 0, kN, 1000, 1},
      {3, 2, 1.7320508, 360, 3, kN, 1000, 1},
  };
  for (const Inputs& in : bad) {
    EXPECT_EQ(Press(Kind::Depth, in, PressOutcome::InputError), block) << in.a1 << " " << in.r2;
    EXPECT_EQ(Press(Kind::Discharge, in, PressOutcome::InputError), block) << in.a1;
  }
}

TEST(CityGateTunnel, SemicircularRoof) {
  // A 180° roof: its centre stays a hair below the wall top, so the roof zone
  // starts with a dry half disc and never divides by zero, however tall the walls.
  for (const double h2 : {0.5, 2.0, 1e3, 1e6, 1e9}) {
    for (const double r1 : {0.01, 1.5}) {
      const Section s = CityGateTunnel::BuildSection(2 * r1, h2, r1, 180, 0);
      const double h = std::nextafter(s.h1 + s.h2, kInf);
      const auto st = CityGateTunnel::Evaluate(s, kN, kI, h);
      EXPECT_EQ(st.zone, Zone::Roof);
      EXPECT_NEAR(st.segmentAngle, kPi, 1e-4);
      EXPECT_NEAR(st.surfaceWidth, 2 * r1, 1e-9 * r1);
      EXPECT_NEAR(st.w, s.wr, 1e-7 * s.wr) << h2 << " " << r1;
      EXPECT_TRUE(std::isfinite(st.q1));
    }
  }
  const Inputs semicircle{3, 2, 1.5, 180, 0, kN, 1000, 2.75};
  const Lines report = Press(Kind::Discharge, semicircle, PressOutcome::Report);
  ASSERT_EQ(report.size(), 8u);
  EXPECT_EQ(report[2].rfind("顶拱圆心角A1= 180 ", 0), 0u) << report[2];
  Inputs depth = semicircle;
  depth.value = 10;
  EXPECT_EQ(Press(Kind::Depth, depth, PressOutcome::Report).size(), 8u);
}

TEST(CityGateTunnel, SearchEndsOnTheDischargeOfItsDepth) {
  for (const Inputs& base : {Flat(1), Arched(1)}) {
    const Section s = SectionOf(base);
    for (const double q : {0.05, 0.4, 3.0, 8.0, 14.0}) {
      const auto r = SolveNormalDepth<CityGateTunnel::Definition>(s, Carrying(q));
      EXPECT_TRUE(r.converged) << q;
      EXPECT_LT(std::abs(r.state.q1 - q), 0.0001);
      const auto again = CityGateTunnel::Evaluate(s, kN, kI, r.state.h);
      EXPECT_EQ(again.zone, r.state.zone);
      EXPECT_EQ(again.w, r.state.w);
      EXPECT_EQ(again.x, r.state.x);
      EXPECT_EQ(again.surfaceWidth, r.state.surfaceWidth);
      EXPECT_EQ(again.v, r.state.v);
      EXPECT_EQ(again.q1, r.state.q1);
      EXPECT_EQ(again.e, r.state.e);
    }
  }
}

TEST(CityGateTunnel, FlowApproachesTheFullSection) {
  for (const Inputs& base : {Flat(1), Arched(1)}) {
    const Section s = SectionOf(base);
    // A distance δ under the crown leaves a dry arc of about 2·sqrt(2·R1·δ) and a
    // dry area of order δ^1.5.
    for (const double delta : {1e-6, 1e-9}) {
      const auto st = CityGateTunnel::Evaluate(s, kN, kI, s.h4 - delta);
      EXPECT_NEAR(st.x, s.p0, 4.0 * std::sqrt(2.0 * s.r1 * delta));
      EXPECT_NEAR(st.w, s.w0, 4.0 * std::sqrt(s.r1) * std::pow(delta, 1.5) + 1e-12);
    }
    // Q1 rises with the depth through all three zones up to nine-tenths of the height.
    double previous = 0.0;
    for (int k = 1; k <= 90; ++k) {
      const double h = s.h4 * k / 100.0;
      const double q1 = CityGateTunnel::Evaluate(s, kN, kI, h).q1;
      EXPECT_GT(q1, previous) << h;
      previous = q1;
    }
  }
}

}  // namespace
}  // namespace tarnwick
