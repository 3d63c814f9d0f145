#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "sections/CompoundChannel.h"
#include "tests/sections/FamilyPress.h"

namespace tarnwick {
namespace {

using CompoundChannel::Inputs;
using CompoundChannel::Section;

// Main channel 4 m wide, slope 1.5, banks 2 m high; flood plains 10 m and 8 m.
const Section kWorked = {4, 1.5, 2, 0.025, 10, 2, 0.035, 8, 2.5, 0.04};
constexpr double kSlope = 1.0 / 2000;

std::vector<std::string> Press(bool depthKind, const Inputs& in, PressOutcome expected) {
  ResultPane pane;
  const PressOutcome got =
      depthKind ? PressOutcomeOf<CompoundChannel::Definition>(CalculationKind::Depth, in, pane)
                : PressOutcomeOf<CompoundChannel::Definition>(CalculationKind::Discharge, in, pane);
  EXPECT_EQ(got, expected);
  return pane.Lines();
}

const std::vector<std::string> kInputErrorBlock = {
    "===========================", "数据输入错误,请重新输入！", "==========================="};

TEST(CompoundChannel, WorkedReports) {
  struct Case {
    bool depthKind;
    double value;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      // Within the main channel.
      {false,
       1.5,
       {"  ****************复式断面平底梯形渠均匀流流量计算成果表************",
        "深槽底宽B1= 4           左滩地底宽B2= 10         右滩地底宽B3= 8 ",
        "深槽边坡M1= 1.5         左滩地边坡M2= 2          右滩地边坡M3= 2.5 ",
        "深槽糙率n1= .025        左滩地糙率n2= .035       右滩地糙率n3= .04 ",
        "水面宽B= 8.5            纵坡I= 1/ 2000 ",
        "计算流量Q1= 8.36544     正常水深H= 1.5           流速V= .89231 ",
        "断面能量E= 1.54058      过水断面面积W= 9.375     湿周X= 9.40833 "}},
      // One metre over the flood plains.
      {false,
       3,
       {"  ****************复式断面平底梯形渠均匀流流量计算成果表************",
        "深槽底宽B1= 4           左滩地底宽B2= 10         右滩地底宽B3= 8 ",
        "深槽边坡M1= 1.5         左滩地边坡M2= 2          右滩地边坡M3= 2.5 ",
        "深槽糙率n1= .025        左滩地糙率n2= .035       右滩地糙率n3= .04 ",
        "水面宽B= 32.5           纵坡I= 1/ 2000 ",
        "计算流量Q1= 46.8966     正常水深H= 3             流速V= 1.05981 ",
        "断面能量E= 3.05725      过水断面面积W= 44.25     湿周X= 34.13975 "}},
      // Normal depth for Q = 60.
      {true,
       60,
       {"  ****************复式断面平底梯形渠均匀流水深计算成果表************",
        "深槽底宽B1= 4           左滩地底宽B2= 10         右滩地底宽B3= 8 ",
        "深槽边坡M1= 1.5         左滩地边坡M2= 2          右滩地边坡M3= 2.5 ",
        "深槽糙率n1= .025        左滩地糙率n2= .035       右滩地糙率n3= .04 ",
        "水面宽B= 33.75815       纵坡I= 1/ 2000           设计流量Q= 60 ",
        "计算流量Q1= 60.00005    正常水深H= 3.27959       流速V= 1.12123 ",
        "断面能量E= 3.34366      过水断面面积W= 53.51253  湿周X= 35.51775 "}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Press(c.depthKind, {kWorked, 2000, c.value}, PressOutcome::Report), c.lines)
        << c.value;
  }
}

TEST(CompoundChannel, SubsectionsOverTheFloodPlains) {
  const auto s = CompoundChannel::Evaluate(kWorked, kSlope, 3);
  EXPECT_TRUE(s.overBanks);
  struct Row {
    double got, want;
  };
  const Row rows[] = {
      {s.main.w, 24},      {s.left.w, 11},         {s.right.w, 9.25}, {s.main.q, 35.65591},
      {s.left.q, 6.54601}, {s.right.q, 4.69468},   {s.w, 44.25},      {s.x, 34.13975},
      {s.q1, 46.8966},     {s.surfaceWidth, 32.5},
  };
  for (const Row& r : rows) EXPECT_EQ(RoundDisplay(r.got), r.want);
  EXPECT_EQ(s.v, s.q1 / s.w);
}

TEST(CompoundChannel, SearchPasses) {
  const auto r = SolveNormalDepth<CompoundChannel::Definition>(kWorked, {kWorked, 2000, 60});
  EXPECT_TRUE(r.converged);
  EXPECT_EQ(r.passes, 27);
  EXPECT_EQ(RoundDisplay(r.state.h), 3.27959);
  EXPECT_EQ(RoundDisplay(r.state.q1), 60.00005);
}

TEST(CompoundChannel, BankFullDepthIsOneTrapezoid) {
  const auto full = CompoundChannel::Evaluate(kWorked, kSlope, 2);
  EXPECT_FALSE(full.overBanks);
  EXPECT_EQ(full.w, 14.0);
  EXPECT_EQ(full.x, 4.0 + 2.0 * std::sqrt(13.0));
  EXPECT_EQ(full.surfaceWidth, 10.0);
  EXPECT_EQ(full.left.q, 0.0);
  // Just above the banks the main channel keeps its bank-full perimeter and each
  // flood plain wets its bottom and a little of its outer bank.
  const double hf = 1e-6;
  const auto above = CompoundChannel::Evaluate(kWorked, kSlope, 2 + hf);
  EXPECT_TRUE(above.overBanks);
  EXPECT_EQ(above.main.x, full.x);
  EXPECT_NEAR(above.left.x, 10 + hf * std::sqrt(5.0), 1e-12);
  EXPECT_NEAR(above.right.x, 8 + hf * std::sqrt(1 + 6.25), 1e-12);
  EXPECT_NEAR(above.left.w, 10 * hf, 1e-9);
  EXPECT_NEAR(above.q1, full.q1, 1e-3);
}

TEST(CompoundChannel, FloodPlainShapes) {
  struct Case {
    double b2, m2;
    double area, perimeter;  // left flood plain, 1 m deep
  };
  const Case cases[] = {
      {0, 2, 2 * 1.0 / 2, std::sqrt(1 + 4.0)},  // a triangle against the outer bank
      {10, 0, 10, 11},                          // a rectangle with a vertical outer bank
      {0, 0, 0, 1},                             // a wall at the bank top: wets, carries nothing
  };
  for (const Case& c : cases) {
    Section sec = kWorked;
    sec.b2 = c.b2;
    sec.m2 = c.m2;
    const auto s = CompoundChannel::Evaluate(sec, kSlope, 3);
    EXPECT_EQ(s.left.w, c.area) << c.b2 << " " << c.m2;
    EXPECT_EQ(s.left.x, c.perimeter) << c.b2 << " " << c.m2;
    EXPECT_EQ(s.left.q == 0.0, c.area == 0.0);
    EXPECT_TRUE(std::isfinite(s.q1));
    EXPECT_EQ(Press(false, {sec, 2000, 3}, PressOutcome::Report).size(), 7u);
  }
  // Both plains walls: above the banks only the main channel carries water.
  const Section walls = {4, 1.5, 2, 0.025, 0, 0, 0.035, 0, 0, 0.04};
  const auto s = CompoundChannel::Evaluate(walls, kSlope, 3);
  EXPECT_EQ(s.q1, s.main.q);
  EXPECT_DOUBLE_EQ(s.x, s.main.x + 2.0);
  EXPECT_EQ(Press(true, {walls, 2000, 60}, PressOutcome::Report).size(), 7u);
}

TEST(CompoundChannel, RoughnessChangesOnlyItsOwnSubsection) {
  const auto base = CompoundChannel::Evaluate(kWorked, kSlope, 3);
  Section rougher = kWorked;
  rougher.n2 = 0.07;
  const auto s = CompoundChannel::Evaluate(rougher, kSlope, 3);
  EXPECT_EQ(s.w, base.w);
  EXPECT_EQ(s.x, base.x);
  EXPECT_EQ(s.main.q, base.main.q);
  EXPECT_EQ(s.right.q, base.right.q);
  EXPECT_DOUBLE_EQ(s.left.q, base.left.q / 2);  // C halves with n doubled
}

TEST(CompoundChannel, RefusesBadInput) {
  struct Case {
    Section section;
    double d, value;
  };
  const auto with = [](double Section::*field, double v) {
    Section s = kWorked;
    s.*field = v;
    return s;
  };
  const Case bad[] = {
      {with(&Section::b1, 0), 2000, 3},
      {with(&Section::h1, 0), 2000, 3},
      {with(&Section::n1, 0), 2000, 3},
      {with(&Section::b2, -1), 2000, 3},
      {with(&Section::n2, 0), 2000, 3},
      {with(&Section::b3, -1), 2000, 3},
      {with(&Section::n3, -0.04), 2000, 3},
      {kWorked, 0, 3},
      {kWorked, -2000, 3},
      {kWorked, 2000, 0},
      {kWorked, 2000, -3},
      // Overhanging banks: negative side slopes.
      {with(&Section::m1, -1.5), 2000, 3},
      {with(&Section::m2, -2), 2000, 3},
      {with(&Section::m3, -0.1), 2000, 3},
  };
  for (const Case& c : bad) {
    EXPECT_EQ(Press(true, {c.section, c.d, c.value}, PressOutcome::InputError), kInputErrorBlock);
    EXPECT_EQ(Press(false, {c.section, c.d, c.value}, PressOutcome::InputError), kInputErrorBlock);
  }
  // Zero flood-plain widths and a vertical-walled main channel are sections.
  for (const Section& ok : {with(&Section::b2, 0), with(&Section::b3, 0), with(&Section::m1, 0)}) {
    EXPECT_EQ(Press(false, {ok, 2000, 3}, PressOutcome::Report).size(), 7u);
  }
}

}  // namespace
}  // namespace tarnwick
