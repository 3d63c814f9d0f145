#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sections/FlatBottomChannel.h"
#include "tests/sections/FamilyPress.h"

namespace tarnwick {
namespace {

using FlatBottomChannel::Inputs;

std::vector<std::string> DepthReport(const Inputs& in,
                                     PressOutcome expected = PressOutcome::Report) {
  ResultPane pane;
  EXPECT_EQ(PressOutcomeOf<FlatBottomChannel::Definition>(CalculationKind::Depth, in, pane),
            expected);
  return pane.Lines();
}

std::vector<std::string> DischargeReport(const Inputs& in,
                                         PressOutcome expected = PressOutcome::Report) {
  ResultPane pane;
  EXPECT_EQ(PressOutcomeOf<FlatBottomChannel::Definition>(CalculationKind::Discharge, in, pane),
            expected);
  return pane.Lines();
}

TEST(FlatBottomChannel, WorkedDepthSearches) {
  struct Case {
    Inputs in;
    int passes;
    double h;
  };
  const Case cases[] = {
      {{2, 1.5, 0.025, 1000, 5}, 21, 1.2459754943847656},
      {{3, 0, 0.014, 2500, 4}, 23, 1.21677},
      {{2, 1.5, 0.025, 1000, 0.000001}, 19, 0.0019073486328125},
  };
  for (const Case& c : cases) {
    const auto r = SolveNormalDepth<FlatBottomChannel::Definition>({c.in.b, c.in.m}, c.in);
    EXPECT_TRUE(r.converged);
    EXPECT_EQ(r.passes, c.passes) << c.in.value;
    EXPECT_NEAR(r.state.h, c.h, 5e-6);
  }
  const auto worked =
      SolveNormalDepth<FlatBottomChannel::Definition>({2, 1.5}, {2, 1.5, 0.025, 1000, 5});
  EXPECT_EQ(worked.state.h, 1.2459754943847656);
  EXPECT_NEAR(worked.state.q1, 4.99990838, 1e-8);
}

TEST(FlatBottomChannel, TrapezoidDepthReport) {
  const std::vector<std::string> expected = {
      "  ****************平底梯形渠、矩形渠均匀流水深计算成果表************",
      "渠底宽B= 2                水面宽B1= 5.73793      边坡M= 1.5 ",
      "糙率N= .025               纵坡I= 1/ 1000         设计流量Q= 5 ",
      "计算流量Q1= 4.99991       正常水深H= 1.24598     流速V= 1.03719 ",
      "宽/深(B1/H)= 4.60517      断面能量E= 1.30081     湿周X= 6.49243 ",
      "水力半径RS= .7425         过水断面面积W= 4.82063 ",
  };
  EXPECT_EQ(DepthReport({2, 1.5, 0.025, 1000, 5}), expected);
}

TEST(FlatBottomChannel, RectangleDepthReport) {
  const std::vector<std::string> expected = {
      "  ****************平底梯形渠、矩形渠均匀流水深计算成果表************",
      "渠底宽B= 3                水面宽B1= 3            边坡M= 0 ",
      "糙率N= .014               纵坡I= 1/ 2500         设计流量Q= 4 ",
      "计算流量Q1= 4.00002       正常水深H= 1.21677     流速V= 1.0958 ",
      "宽/深(B1/H)= 2.46555      断面能量E= 1.27797     湿周X= 5.43354 ",
      "水力半径RS= .67181        过水断面面积W= 3.65031 ",
  };
  EXPECT_EQ(DepthReport({3, 0, 0.014, 2500, 4}), expected);
}

TEST(FlatBottomChannel, DischargeReport) {
  const std::vector<std::string> expected = {
      "  ****************平底梯形渠、矩形渠均匀流流量计算成果表************",
      "渠底宽B= 2                水面宽B1= 6.5          边坡M= 1.5 ",
      "糙率N= .025               纵坡I= 1/ 1000 ",
      "计算流量Q1= 7.29536       正常水深H= 1.5         流速V= 1.14437 ",
      "宽/深(B1/H)= 4.33333      断面能量E= 1.56675     湿周X= 7.40833 ",
      "水力半径RS= .86052        过水断面面积W= 6.375 ",
  };
  EXPECT_EQ(DischargeReport({2, 1.5, 0.025, 1000, 1.5}), expected);
}

TEST(FlatBottomChannel, DischargeBeyondDepthLimitReportsTheLimit) {
  ResultPane pane;
  const auto r =
      SolveNormalDepth<FlatBottomChannel::Definition>({2, 1.5}, {2, 1.5, 0.025, 1000, 1e12});
  EXPECT_FALSE(r.converged);
  EXPECT_EQ(r.passes, 1000);
  EXPECT_EQ(r.state.h, 1000.0);
  EXPECT_LT(r.state.q1, 1e12);
  const auto lines = DepthReport({2, 1.5, 0.025, 1000, 1e12});
  // The long Q1 pushes the depth to column 27 of a line of its own.
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[4], std::string(26, ' ') + "正常水深H= 1000        流速V= 70.52855 ");
}

TEST(FlatBottomChannel, RefusesBadInput) {
  const std::vector<std::string> block = {
      "===========================", "数据输入错误,请重新输入！", "==========================="};
  const Inputs bad[] = {
      {0, 1.5, 0.025, 1000, 5},  // triangle: no bottom width
      {-2, 1.5, 0.025, 1000, 5}, {2, 1.5, 0, 1000, 5},      {2, 1.5, -0.025, 1000, 5},
      {2, 1.5, 0.025, 0, 5},     {2, 1.5, 0.025, -1000, 5}, {2, 1.5, 0.025, 1000, 0},
      {2, 1.5, 0.025, 1000, -5}, {2, -0.5, 0.025, 1000, 5},  // overhanging wall
  };
  for (const Inputs& in : bad) {
    EXPECT_EQ(DepthReport(in, PressOutcome::InputError), block);
    EXPECT_EQ(DischargeReport(in, PressOutcome::InputError), block);
  }
}

TEST(FlatBottomChannel, ExtremeInputNeverPrintsUndefinedFigures) {
  // Finite inputs whose results overflow: the last guard turns them into the
  // input-error block instead of a report with "Inf" or "NaN".
  const auto lines =
      DischargeReport({1e300, 1e300, 1e-300, 1e-300, 1e300}, PressOutcome::InputError);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], "数据输入错误,请重新输入！");
}

TEST(FlatBottomChannel, RepeatedPressesStackReports) {
  ResultPane pane;
  PressOutcomeOf<FlatBottomChannel::Definition>(CalculationKind::Depth, {2, 1.5, 0.025, 1000, 5},
                                                pane);
  PressOutcomeOf<FlatBottomChannel::Definition>(CalculationKind::Depth, {2, 1.5, 0.025, 1000, 5},
                                                pane);
  PressOutcomeOf<FlatBottomChannel::Definition>(CalculationKind::Depth, {0, 1.5, 0.025, 1000, 5},
                                                pane);
  ASSERT_EQ(pane.Lines().size(), 15u);
  for (size_t k = 0; k < 6; ++k) EXPECT_EQ(pane.Lines()[k], pane.Lines()[k + 6]);
  EXPECT_EQ(pane.Lines()[13], "数据输入错误,请重新输入！");
}

}  // namespace
}  // namespace tarnwick
