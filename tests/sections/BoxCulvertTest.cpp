#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "sections/BoxCulvert.h"
#include "tests/sections/FamilyPress.h"

namespace tarnwick {
namespace {

using BoxCulvert::Inputs;
using Lines = std::vector<std::string>;
using Boxes = std::vector<std::string>;

constexpr double kInf = std::numeric_limits<double>::infinity();

// The reference culvert: 2 m by 2 m, n = 0.014, i = 1/1000.
Inputs Square(double value) { return {2, 2, 0.014, 1000, value}; }

double Qmax() {
  const Inputs in = Square(1);
  return BoxCulvert::Definition::FullSectionDischarge(BoxCulvert::BuildSection(2, 2), in);
}

Lines Press(CalculationKind kind, const Inputs& in, PressOutcome expected) {
  ResultPane pane;
  const PressOutcome got =
      kind == CalculationKind::Depth
          ? PressOutcomeOf<BoxCulvert::Definition>(CalculationKind::Depth, in, pane)
          : PressOutcomeOf<BoxCulvert::Definition>(CalculationKind::Discharge, in, pane);
  EXPECT_EQ(got, expected) << in.value;
  return pane.Lines();
}

// A typed depth as the box text that reads back to exactly that double.
std::string Text(double x) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.17g", x);
  return buffer;
}

TEST(BoxCulvert, WorkedDepthReport) {
  ResultPane pane;
  const Boxes boxes = {"2", "2", "0.014", "1000", "3"};
  const PressResult r = PressWithCase(*FindWindow("Form28"), boxes, pane);
  EXPECT_EQ(r.passes, 15);
  ASSERT_TRUE(r.sectionCase.has_value());
  EXPECT_EQ(r.sectionCase->state.h, 1.04046630859375);
  EXPECT_EQ(pane.Lines(),
            (Lines{
                "  ****************矩形箱涵均匀流水深计算成果表****************",
                "箱涵宽B= 2              箱涵高H= 2 ",
                "设计流量Q= 3            糙率N= .014              纵坡I= 1/ 1000 ",
                "计算流量Q1= 3.00005     正常水深H= 1.04047       流速V= 1.44169 ",
                "水面宽B1= 2             断面能量E= 1.1464        箱涵高/宽= 1 ",
                "水力半径RS= .50992      过水断面面积W= 2.08093   湿周X= 4.08093 ",
                "净空高度H5= .95953      净空面积W3= 1.91907      净空面积比(%)= 47.97668 ",
            }));
}

TEST(BoxCulvert, CapacityBoundary) {
  const double qmax = Qmax();
  EXPECT_EQ(RoundDisplay(qmax), 5.69174);
  // The full section just carries Qmax: the search settles under the roof, where
  // the open rectangle carries more than the full section.
  const Lines at = Press(CalculationKind::Depth, Square(qmax), PressOutcome::Report);
  ASSERT_EQ(at.size(), 7u);
  const auto r =
      SolveNormalDepth<BoxCulvert::Definition>(BoxCulvert::BuildSection(2, 2), Square(qmax));
  EXPECT_TRUE(r.converged);
  EXPECT_LT(r.state.h, 2.0);
  EXPECT_EQ(
      Press(CalculationKind::Depth, Square(std::nextafter(qmax, kInf)), PressOutcome::Capacity),
      (Lines{"", "此断面最大过流能力Q1= 5.69174 ", "请从新拟定断面", ""}));
}

TEST(BoxCulvert, DepthAtOrAboveTheRoofIsRefused) {
  const Lines block = {"===========================", "水深大于箱涵高度,请重新输入！",
                       "==========================="};
  for (const double h : {2.0, std::nextafter(2.0, kInf), 3.0}) {
    EXPECT_EQ(Press(CalculationKind::Discharge, Square(h), PressOutcome::DepthTooGreat), block);
  }
  // Just under the roof: the open rectangle, with a clearance of nothing.
  const Lines lines =
      Press(CalculationKind::Discharge, Square(std::nextafter(2.0, 0.0)), PressOutcome::Report);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[4].rfind("水面宽B1= 2 ", 0), 0u) << lines[4];
  EXPECT_EQ(lines[6].rfind("净空高度H5= 0 ", 0), 0u) << lines[6];
}

TEST(BoxCulvert, RefusesEveryInputAtOrBelowZero) {
  const Lines block = {"===========================", "数据输入错误,请重新输入！",
                       "==========================="};
  const Inputs bad[] = {
      {0, 2, 0.014, 1000, 1},  {-2, 2, 0.014, 1000, 1}, {2, 0, 0.014, 1000, 1},
      {2, -2, 0.014, 1000, 1}, {2, 2, 0, 1000, 1},      {2, 2, -0.014, 1000, 1},
      {2, 2, 0.014, 0, 1},     {2, 2, 0.014, -1000, 1}, {2, 2, 0.014, 1000, 0},
      {2, 2, 0.014, 1000, -1},
  };
  for (const Inputs& in : bad) {
    EXPECT_EQ(Press(CalculationKind::Depth, in, PressOutcome::InputError), block);
    EXPECT_EQ(Press(CalculationKind::Discharge, in, PressOutcome::InputError), block);
  }
}

// The depth window's state is, bit for bit, what the discharge window computes
// when the depth it found is typed into it.
TEST(BoxCulvert, DepthWindowStateIsTheDischargeWindowsAtItsDepth) {
  for (const double q : {0.01, 0.5, 3.0, 5.5, Qmax()}) {
    const auto depth = CaseOf(*FindWindow("Form28"), Boxes{"2", "2", "0.014", "1000", Text(q)});
    ASSERT_TRUE(depth.has_value()) << q;
    const SectionState& s = depth->state;
    const auto discharge =
        CaseOf(*FindWindow("Form39"), Boxes{"2", "2", "0.014", "1000", Text(s.h)});
    ASSERT_TRUE(discharge.has_value()) << q;
    const SectionState& t = discharge->state;
    EXPECT_LT(std::abs(s.q1 - q), 0.0001);
    EXPECT_EQ(t.h, s.h);
    EXPECT_EQ(t.w, s.w);
    EXPECT_EQ(t.x, s.x);
    EXPECT_EQ(t.surfaceWidth, s.surfaceWidth);
    EXPECT_EQ(t.v, s.v);
    EXPECT_EQ(t.q1, s.q1);
    EXPECT_EQ(t.e, s.e);
  }
}

}  // namespace
}  // namespace tarnwick
