#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Hydraulics.h"
#include "sections/UChannel.h"
#include "tests/sections/FamilyPress.h"

namespace tarnwick {
namespace {

using UChannel::Inputs;

std::vector<std::string> Press(bool depthKind, const Inputs& in, PressOutcome expected) {
  ResultPane pane;
  const PressOutcome got =
      depthKind ? PressOutcomeOf<UChannel::Definition>(CalculationKind::Depth, in, pane)
                : PressOutcomeOf<UChannel::Definition>(CalculationKind::Discharge, in, pane);
  EXPECT_EQ(got, expected);
  return pane.Lines();
}

const std::vector<std::string> kInputErrorBlock = {
    "===========================", "数据输入错误,请重新输入！", "==========================="};

TEST(UChannel, WorkedReports) {
  struct Case {
    bool depthKind;
    Inputs in;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      // R = 1, n = 0.014, 1/2000, Q = 3: the water stands on the walls.
      {true,
       {1, 0.014, 2000, 3},
       {"  ********************“Ｕ”形渠均匀流水深计算成果表****************",
        "半径R= 1                渠道宽B= 2               水面宽B1= 2 ",
        "糙率N= .014             纵坡I= 1/ 2000           设计流量Q= 3 ",
        "计算流量Q1= 3.00003     正常水深H= 1.50418       流速V= 1.16318 ",
        "直墙高f= .50418         宽/深(B/H)= 1.32963      断面能量E= 1.57314 ",
        "水力半径RS= .62149      过水断面面积W= 2.57916   湿周X= 4.14996 "}},
      // Q = 0.5: within the semicircle, negative wall height, ratio from B1.
      {true,
       {1, 0.014, 2000, 0.5},
       {"  ********************“Ｕ”形渠均匀流水深计算成果表****************",
        "半径R= 1                渠道宽B= 2               水面宽B1= 1.7735 ",
        "糙率N= .014             纵坡I= 1/ 2000           设计流量Q= .5 ",
        "计算流量Q1= .49991      正常水深H= .53775        流速V= .73476 ",
        "直墙高f=-.46225         宽/深(B/H)= 3.29799      断面能量E= .56527 ",
        "水力半径RS= .31202      过水断面面积W= .68037    湿周X= 2.18054 "}},
      // Discharge at h = 0.8.
      {false,
       {1, 0.014, 2000, 0.8},
       {"  ********************“Ｕ”形渠均匀流流量计算成果表****************",
        "半径R= 1                渠道宽B= 2               水面宽B1= 1.95959 ",
        "糙率N= .014             纵坡I= 1/ 2000 ",
        "计算流量Q1= 1.06521     正常水深H= .8            流速V= .90773 ",
        "直墙高f=-.2             宽/深(B/H)= 2.44949      断面能量E= .842 ",
        "水力半径RS= .42845      过水断面面积W= 1.17348   湿周X= 2.73888 "}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Press(c.depthKind, c.in, PressOutcome::Report), c.lines) << c.in.value;
  }
}

TEST(UChannel, SearchPasses) {
  struct Case {
    double q;
    int passes;
    double h;
    bool onWalls;
  };
  const Case cases[] = {{3, 22, 1.50418, true}, {0.5, 23, 0.53775, false}};
  for (const Case& c : cases) {
    const auto r = SolveNormalDepth<UChannel::Definition>({1}, {1, 0.014, 2000, c.q});
    EXPECT_TRUE(r.converged);
    EXPECT_EQ(r.passes, c.passes) << c.q;
    EXPECT_EQ(RoundDisplay(r.state.h), c.h);
    EXPECT_EQ(r.state.surfaceWidth == 2.0, c.onWalls);
  }
}

TEST(UChannel, DepthEqualToRadiusUsesTheWallFormulas) {
  for (const double r : {1.0, 2.5, 0.3}) {
    const SectionState s = UChannel::Evaluate({r}, 0.014, 0.0005, r);
    EXPECT_EQ(s.w, kPi * (r * r) / 2.0) << r;
    EXPECT_EQ(s.x, kPi * r) << r;
    EXPECT_EQ(s.surfaceWidth, 2.0 * r) << r;
    // Just below R the segment formulas meet the half circle.
    const SectionState below = UChannel::Evaluate({r}, 0.014, 0.0005, r * (1 - 1e-9));
    EXPECT_LT(UChannel::Evaluate({r}, 0.014, 0.0005, 0.9 * r).surfaceWidth, 2.0 * r);
    EXPECT_NEAR(below.w, s.w, 1e-6 * r);
    EXPECT_NEAR(below.x, s.x, 1e-6 * r);
  }
  const auto lines = Press(false, {1, 0.014, 2000, 1}, PressOutcome::Report);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[4].rfind("直墙高f= 0 ", 0), 0u);
  EXPECT_NE(lines[5].find("过水断面面积W= 1.5708 "), std::string::npos);
  EXPECT_NE(lines[5].find("湿周X= 3.14159 "), std::string::npos);
}

TEST(UChannel, VeryLargeDepthIsAccepted) {
  // The walls have no height limit.
  const SectionState s = UChannel::Evaluate({1}, 0.014, 0.0005, 1e6);
  EXPECT_EQ(s.w, kPi * 1.0 / 2.0 + 2.0 * 999999.0);
  EXPECT_EQ(Press(false, {1, 0.014, 2000, 1e6}, PressOutcome::Report).size(), 8u);
  // A discharge needing more than 1000 m ends at the upper bound.
  const auto r = SolveNormalDepth<UChannel::Definition>({1}, {1, 0.014, 2000, 1e9});
  EXPECT_FALSE(r.converged);
  EXPECT_EQ(r.state.h, 1000.0);
}

TEST(UChannel, RefusesBadInput) {
  const Inputs bad[] = {
      {0, 0.014, 2000, 3}, {-1, 0.014, 2000, 3}, {1, 0, 2000, 3},     {1, -0.014, 2000, 3},
      {1, 0.014, 0, 3},    {1, 0.014, -2000, 3}, {1, 0.014, 2000, 0}, {1, 0.014, 2000, -3},
  };
  for (const Inputs& in : bad) {
    EXPECT_EQ(Press(true, in, PressOutcome::InputError), kInputErrorBlock);
    EXPECT_EQ(Press(false, in, PressOutcome::InputError), kInputErrorBlock);
  }
}

TEST(UChannel, DegenerateDepthGivesTheInputErrorBlock) {
  const SectionState s = UChannel::Evaluate({1}, 0.014, 0.0005, 1e-17);
  EXPECT_EQ(s.w, 0.0);
  EXPECT_EQ(s.x, 0.0);
  EXPECT_EQ(Press(false, {1, 0.014, 2000, 1e-17}, PressOutcome::InputError), kInputErrorBlock);
}

}  // namespace
}  // namespace tarnwick
