#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sections/ParabolicChannel.h"
#include "tests/sections/FamilyPress.h"

namespace tarnwick {
namespace {

using Lines = std::vector<std::string>;

PressResult PressWindow(const char* window, const std::vector<std::string>& boxes, Lines& lines) {
  ResultPane pane;
  const PressResult r = PressWithCase(*FindWindow(window), boxes, pane);
  lines = pane.Lines();
  return r;
}

// p = 1 m: at h = 1 the surface is 2·√2 wide; Q = 2 settles at h = 0.85324.
TEST(ParabolicChannel, WorkedReports) {
  Lines lines;
  const PressResult discharge = PressWindow("Form38", {"1", "0.014", "1000", "1"}, lines);
  EXPECT_EQ(discharge.outcome, PressOutcome::Report);
  EXPECT_EQ(lines, (Lines{
                       "  ****************抛物线形渠均匀流流量计算成果表****************",
                       "抛物线参数p= 1          水面宽B1= 2.82843        宽/深(B1/H)= 2.82843 ",
                       "糙率N= .014             纵坡I= 1/ 1000 ",
                       "计算流量Q1= 2.76974     正常水深H= 1             流速V= 1.46888 ",
                       "水力半径RS= .52441      过水断面面积W= 1.88562   湿周X= 3.59571 ",
                       "断面能量E= 1.10997 ",
                   }));

  const PressResult depth = PressWindow("Form27", {"1", "0.014", "1000", "2"}, lines);
  EXPECT_EQ(depth.outcome, PressOutcome::Report);
  EXPECT_EQ(depth.passes, 24);
  EXPECT_TRUE(depth.converged);
  ASSERT_TRUE(depth.sectionCase.has_value());
  EXPECT_EQ(depth.sectionCase->state.h, 0.8532404899597168);
  EXPECT_EQ(lines, (Lines{
                       "  ****************抛物线形渠均匀流水深计算成果表****************",
                       "抛物线参数p= 1          水面宽B1= 2.61265        宽/深(B1/H)= 3.06203 ",
                       "糙率N= .014             纵坡I= 1/ 1000           设计流量Q= 2 ",
                       "计算流量Q1= 2.00008     正常水深H= .85324        流速V= 1.34582 ",
                       "水力半径RS= .45991      过水断面面积W= 1.48614   湿周X= 3.23138 ",
                       "断面能量E= .94556 ",
                   }));
  // The family's own figures beside the common ones, unrounded.
  const NamedValues& v = depth.familyValues;
  ASSERT_GE(v.size(), 2u);
  EXPECT_EQ(v[v.size() - 2].symbol, "p");
  EXPECT_EQ(v[v.size() - 2].value, 1.0);
  EXPECT_EQ(v.back().symbol, "B1/H");
  EXPECT_EQ(v.back().value, depth.sectionCase->state.surfaceWidth / 0.8532404899597168);
}

TEST(ParabolicChannel, RefusesEveryInputAtOrBelowZero) {
  const Lines block = {"===========================", "数据输入错误,请重新输入！",
                       "==========================="};
  const ParabolicChannel::Inputs bad[] = {
      {0, 0.014, 1000, 1}, {-1, 0.014, 1000, 1}, {1, 0, 1000, 1},     {1, -0.014, 1000, 1},
      {1, 0.014, 0, 1},    {1, 0.014, -1000, 1}, {1, 0.014, 1000, 0}, {1, 0.014, 1000, -1},
  };
  for (const auto& in : bad) {
    ResultPane depth;
    ResultPane discharge;
    EXPECT_EQ(PressOutcomeOf<ParabolicChannel::Definition>(CalculationKind::Depth, in, depth),
              PressOutcome::InputError);
    EXPECT_EQ(
        PressOutcomeOf<ParabolicChannel::Definition>(CalculationKind::Discharge, in, discharge),
        PressOutcome::InputError);
    EXPECT_EQ(depth.Lines(), block) << in.p << " " << in.n << " " << in.d << " " << in.value;
    EXPECT_EQ(discharge.Lines(), block);
  }
}

}  // namespace
}  // namespace tarnwick
