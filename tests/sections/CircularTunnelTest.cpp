#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/Hydraulics.h"
#include "sections/CircularTunnel.h"
#include "tests/sections/FamilyPress.h"

namespace tarnwick {
namespace {

using CircularTunnel::Inputs;
using CircularTunnel::Section;
using CircularTunnel::Zone;
using Lines = std::vector<std::string>;

enum class Kind { Depth, Discharge };

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kN = 0.014;
constexpr double kI = 0.001;

// The reference pipe: radius 1, as a full circle or on a 0.8 m floor.
Inputs Full(double value) { return {0, 1, kN, 1000, value}; }
Inputs Floored(double value) { return {0.8, 1, kN, 1000, value}; }
// Roughness kN, slope kI and design discharge q, for a search on a section built
// beforehand (the search reads no dimension from the typed values).
Inputs Carrying(double q) { return {.n = kN, .d = 1000, .value = q}; }
Section SectionOf(const Inputs& in) { return CircularTunnel::BuildSection(in.b, in.r); }

Lines Press(Kind kind, const Inputs& in, PressOutcome expected) {
  ResultPane pane;
  const PressOutcome got =
      kind == Kind::Depth
          ? PressOutcomeOf<CircularTunnel::Definition>(CalculationKind::Depth, in, pane)
          : PressOutcomeOf<CircularTunnel::Definition>(CalculationKind::Discharge, in, pane);
  EXPECT_EQ(got, expected);
  return pane.Lines();
}

TEST(CircularTunnel, WorkedReports) {
  struct Case {
    const char* name;
    Kind kind;
    Inputs in;
    PressOutcome outcome;
    Lines lines;
  };
  const Case cases[] = {
      {"full circle, Q = 1.5",
       Kind::Depth,
       Full(1.5),
       PressOutcome::Report,
       {"  *****************圆形隧洞及管道均匀流水深计算成果表*************",
        "隧洞半径R= 1            糙率N= .014                纵坡I= 1/ 1000 ",
        "设计流量Q= 1.5          计算流量Q1= 1.50009        正常水深H= .79816 ",
        "流速V= 1.28227          水面宽B= 1.95884           断面能量E= .88196 ",
        "净空高H1= 1.20184       净空面积比(%)= 62.762 ",
        "水力半径RS= .42772      过水断面面积W= 1.16987     湿周X= 2.73511 "}},
      {"full circle, Q = 5 above the capacity: Qmax with all its digits",
       Kind::Depth,
       Full(5),
       PressOutcome::Capacity,
       {"  ", "该断面最大过流Q1= 4.47028452307199 ", "请从新拟定断面", " "}},
      {"flat floor, h = 0.6 below the centre",
       Kind::Discharge,
       Floored(0.6),
       PressOutcome::Report,
       {"  **************平底圆形隧洞及管道均匀流流量计算成果表************",
        "隧洞半径R= 1            糙率N= .014                纵坡I= 1/ 1000 ",
        "计算流量Q1= 1.04273     正常水深H= .6 ",
        "流速V= 1.15398          水面宽B= 1.89717           断面能量E= .66787 ",
        "净空高H1= 1.31652       净空面积比(%)= 70.821      平底板宽度B= .8 ",
        "水力半径RS= .36517      过水断面面积W= .90359      湿周X= 2.47445 ",
        "底板圆心角A1= 47.15636  底板弓形高H1= .08348   底板弓形面积S1= .04491 "}},
      {"full circle half full, centre rule",
       Kind::Discharge,
       Full(1),
       PressOutcome::Report,
       {"  *****************圆形隧洞及管道均匀流流量计算成果表*************",
        "隧洞半径R= 1            糙率N= .014                纵坡I= 1/ 1000 ",
        "计算流量Q1= 2.23514     正常水深H= 1 ",
        "流速V= 1.42294          水面宽B= 2                 断面能量E= 1.1032 ",
        "净空高H1= 1             净空面积比(%)= 50 ",
        "水力半径RS= .5          过水断面面积W= 1.5708      湿周X= 3.14159 "}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Press(c.kind, c.in, c.outcome), c.lines) << c.name;
  }
  // The flat-floor depth table: its own banner, the floor width on the clearance
  // line and the floor line with its third item at column 48.
  const Lines floored = Press(Kind::Depth, Floored(1.5), PressOutcome::Report);
  ASSERT_EQ(floored.size(), 7u);
  EXPECT_EQ(floored[0], "  *****************平底圆形隧洞及管道均匀流水深计算成果表*************");
  const size_t floorWidth = floored[4].find("平底板宽度B= .8 ");
  ASSERT_NE(floorWidth, std::string::npos);
  EXPECT_EQ(DisplayColumns(std::string_view(floored[4]).substr(0, floorWidth)), 51);
  EXPECT_EQ(floored[6], "底板圆心角A1= 47.15636  底板弓形高H1= .08348   底板弓形面积S1= .04491 ");
}

TEST(CircularTunnel, WorkedSectionsAndCentre) {
  const Section full = SectionOf(Full(1));
  EXPECT_EQ(full.h0, 2.0);
  EXPECT_EQ(full.c, 1.0);
  EXPECT_EQ(full.p0, kTwoPi);
  EXPECT_NEAR(CircularTunnel::FullSectionFlow(full, kN, kI).q1, 4.47028, 5e-6);
  const Section floored = SectionOf(Floored(1));
  EXPECT_NEAR(floored.a1 * 180.0 / kPi, 47.15636, 5e-6);
  EXPECT_NEAR(floored.a1, 2.0 * std::asin(0.4), 1e-6);
  EXPECT_NEAR(floored.h1, 0.08348, 5e-6);
  EXPECT_NEAR(floored.s1, 0.04491, 5e-6);
  EXPECT_NEAR(floored.c, 0.91652, 5e-6);
  EXPECT_EQ(floored.h0, 2.0 - floored.h1);

  // The full circle's first pass lands on the centre: a discharge equal to the
  // half-full one stops there, by the centre rule.
  const auto half = CircularTunnel::Evaluate(full, kN, kI, 1.0);
  EXPECT_EQ(half.zone, Zone::AtCentre);
  EXPECT_EQ(half.w, kPi / 2.0);
  EXPECT_EQ(half.x, kTwoPi / 2.0);
  EXPECT_EQ(half.surfaceWidth, 2.0);
  const auto r = SolveNormalDepth<CircularTunnel::Definition>(full, Carrying(half.q1));
  EXPECT_EQ(r.passes, 1);
  EXPECT_EQ(r.state.h, 1.0);
  const auto worked = SolveNormalDepth<CircularTunnel::Definition>(full, Carrying(1.5));
  EXPECT_TRUE(worked.converged);
  EXPECT_NEAR(worked.state.h, 0.79816, 5e-6);
  EXPECT_EQ(worked.state.zone, Zone::BelowCentre);

  struct ZoneCase {
    const Section& s;
    double h;
    Zone zone;
  };
  const ZoneCase zones[] = {
      {full, 1.0, Zone::AtCentre},
      {full, std::nextafter(1.0, 0.0), Zone::BelowCentre},
      {full, std::nextafter(1.0, kInf), Zone::AboveCentre},
      {floored, floored.c, Zone::AtCentre},
      {floored, 0.6, Zone::BelowCentre},
      {floored, 1.5, Zone::AboveCentre},
  };
  for (const ZoneCase& z : zones) {
    EXPECT_EQ(CircularTunnel::Evaluate(z.s, kN, kI, z.h).zone, z.zone) << z.h;
  }
  const auto floorCentre = CircularTunnel::Evaluate(floored, kN, kI, floored.c);
  EXPECT_EQ(floorCentre.w, kPi / 2.0 - floored.s1);
  EXPECT_EQ(floorCentre.x, (kTwoPi / 2.0 - floored.l1) + 0.8);
}

TEST(CircularTunnel, DepthOneRoundingStepOffTheCentreUsesTheCentreRule) {
  // Depths that differ from the centre height in the last bit, for which the
  // surface's distance from the centre computes as exactly 0.
  struct Case {
    double b, r, h;
  };
  const Case cases[] = {
      // Typed depths at the centre height of a 3-4-5 floor triangle, which computes
      // a last bit below or above the typed value.
      {1.6, 1, 0.6},
      {0.4, 0.25, 0.15},
      {0.66, 0.55, 0.44},
      {1.26, 0.65, 0.16},
  };
  for (const Case& c : cases) {
    const Section s = CircularTunnel::BuildSection(c.b, c.r);
    ASSERT_NE(c.h, s.c);
    const double y = c.h + s.h1;
    const double ratio = c.h > s.c ? (c.r - (2.0 * c.r - y)) / c.r : (c.r - y) / c.r;
    ASSERT_EQ(ratio, 0.0) << "not a rounding corner: " << c.h;
    const auto st = CircularTunnel::Evaluate(s, kN, kI, c.h);
    EXPECT_EQ(st.zone, Zone::AtCentre);
    EXPECT_EQ(st.w, s.wc / 2.0 - s.s1);
    EXPECT_EQ(st.x, (s.pc / 2.0 - s.l1) + s.b);
    EXPECT_EQ(st.surfaceWidth, 2.0 * c.r);
    EXPECT_EQ(st.h, c.h);
    Inputs in{c.b, c.r, kN, 1000, c.h};
    const Lines lines = Press(Kind::Discharge, in, PressOutcome::Report);
    ASSERT_EQ(lines.size(), 7u);
  }
  const Lines report = Press(Kind::Discharge, {1.6, 1, kN, 1000, 0.6}, PressOutcome::Report);
  ASSERT_EQ(report.size(), 7u);
  EXPECT_EQ(report[3].rfind("流速V= ", 0), 0u);
  EXPECT_NE(report[3].find("水面宽B= 2 "), std::string::npos) << report[3];
}

TEST(CircularTunnel, CapacityBoundary) {
  for (const Inputs& base : {Full(1), Floored(1)}) {
    const Section s = SectionOf(base);
    const double qmax = CircularTunnel::FullSectionFlow(s, kN, kI).q1;
    Inputs at = base;
    at.value = qmax;  // carried by the full section: the search runs
    EXPECT_EQ(Press(Kind::Depth, at, PressOutcome::Report).size(), base.b > 0 ? 7u : 6u);
    const auto r = SolveNormalDepth<CircularTunnel::Definition>(s, Carrying(qmax));
    EXPECT_TRUE(r.converged);
    EXPECT_LT(r.state.h, s.h0);
    EXPECT_EQ(r.state.zone, Zone::AboveCentre);

    Inputs above = base;
    above.value = std::nextafter(qmax, kInf);
    const Lines block = Press(Kind::Depth, above, PressOutcome::Capacity);
    ASSERT_EQ(block.size(), 4u);
    EXPECT_EQ(block[0], "  ");
    EXPECT_EQ(block[2], "请从新拟定断面");
    EXPECT_EQ(block[3], " ");
  }
  EXPECT_EQ(Press(Kind::Depth, Floored(5), PressOutcome::Capacity)[1],
            "该断面最大过流Q1= 4.37498303448613 ");
}

TEST(CircularTunnel, DepthAtOrAboveTheCrownIsRefused) {
  const Lines block = {"===========================", "水深大于隧洞高度,请重新输入！",
                       "==========================="};
  for (const Inputs& base : {Full(1), Floored(1)}) {
    const Section s = SectionOf(base);
    for (const double h : {s.h0, std::nextafter(s.h0, kInf), 2.0 * s.r + 1.0}) {
      Inputs in = base;
      in.value = h;
      EXPECT_EQ(Press(Kind::Discharge, in, PressOutcome::DepthTooGreat), block);
    }
    const double h = std::nextafter(s.h0, 0.0);
    const auto st = CircularTunnel::Evaluate(s, kN, kI, h);
    EXPECT_LT(s.w0 - st.w, 1e-12);
    Inputs in = base;
    in.value = h;
    const Lines lines = Press(Kind::Discharge, in, PressOutcome::Report);
    EXPECT_EQ(lines[4].rfind("净空高H1= 0 ", 0), 0u) << lines[4];
    EXPECT_NE(lines[4].find("净空面积比(%)= 0 "), std::string::npos) << lines[4];
  }
}

TEST(CircularTunnel, FloorWidthSelectsTheVariant) {
  EXPECT_EQ(Press(Kind::Discharge, Full(0.6), PressOutcome::Report).size(), 6u);
  EXPECT_EQ(Press(Kind::Discharge, Floored(0.6), PressOutcome::Report).size(), 7u);
  // A very narrow floor: the results approach those of the full circle.
  const Section full = SectionOf(Full(1));
  const Section narrow = CircularTunnel::BuildSection(1e-4, 1);
  EXPECT_LT(narrow.h1, 1e-8);
  EXPECT_LT(narrow.s1, 1e-12);
  for (const double h : {0.3, 1.3}) {
    const auto a = CircularTunnel::Evaluate(full, kN, kI, h);
    const auto b = CircularTunnel::Evaluate(narrow, kN, kI, h);
    EXPECT_NEAR(b.w, a.w, 1e-6);
    EXPECT_NEAR(b.x, a.x, 1e-6);
    EXPECT_NEAR(b.q1, a.q1, 1e-6);
  }
}

TEST(CircularTunnel, RefusesBadInput) {
  const Lines block = {"===========================", "数据输入错误,请重新输入！",
                       "==========================="};
  const Inputs bad[] = {
      {0, 0, kN, 1000, 0.5},   {0, -1, kN, 1000, 0.5}, {0, 1, 0, 1000, 0.5},
      {0, 1, -kN, 1000, 0.5},  {0, 1, kN, 0, 0.5},     {0, 1, kN, -1000, 0.5},
      {0, 1, kN, 1000, 0},     {0, 1, kN, 1000, -0.5}, {-0.8, 1, kN, 1000, 0.5},
      {2, 1, kN, 1000, 0.5},  // floor as wide as the diameter
      {2.5, 1, kN, 1000, 0.5},
  };
  for (const Inputs& in : bad) {
    EXPECT_EQ(Press(Kind::Depth, in, PressOutcome::InputError), block) << in.b << " " << in.r;
    EXPECT_EQ(Press(Kind::Discharge, in, PressOutcome::InputError), block) << in.b;
  }
}

TEST(CircularTunnel, SearchEndsOnTheDischargeOfItsDepth) {
  for (const Inputs& base : {Full(1), Floored(1)}) {
    const Section s = SectionOf(base);
    for (const double q : {0.01, 0.5, 1.5, 3.0, 4.3}) {
      const auto r = SolveNormalDepth<CircularTunnel::Definition>(s, Carrying(q));
      EXPECT_TRUE(r.converged) << q;
      EXPECT_LT(std::abs(r.state.q1 - q), 0.0001);
      const auto again = CircularTunnel::Evaluate(s, kN, kI, r.state.h);
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

TEST(CircularTunnel, FlowApproachesTheFullSection) {
  for (const Inputs& base : {Full(1), Floored(1)}) {
    const Section s = SectionOf(base);
    // A distance δ under the crown leaves a dry arc of about 2·sqrt(2·R·δ) and a dry
    // area of order δ^1.5.
    for (const double delta : {1e-6, 1e-9}) {
      const auto st = CircularTunnel::Evaluate(s, kN, kI, s.h0 - delta);
      EXPECT_NEAR(st.x, s.p0, 4.0 * std::sqrt(2.0 * s.r * delta));
      EXPECT_NEAR(st.w, s.w0, 4.0 * std::sqrt(s.r) * std::pow(delta, 1.5) + 1e-12);
    }
    double previous = 0.0;
    for (int k = 1; k <= 90; ++k) {
      const double h = s.h0 * k / 100.0;
      const double q1 = CircularTunnel::Evaluate(s, kN, kI, h).q1;
      EXPECT_GT(q1, previous) << h;
      previous = q1;
    }
  }
}

}  // namespace
}  // namespace tarnwick
