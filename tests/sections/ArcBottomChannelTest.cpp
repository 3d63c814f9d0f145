#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "sections/ArcBottomChannel.h"
#include "tests/sections/FamilyPress.h"

namespace tarnwick {
namespace {

using ArcBottomChannel::Inputs;

constexpr double kInf = std::numeric_limits<double>::infinity();

std::vector<std::string> Press(bool depthKind, const Inputs& in, PressOutcome expected) {
  ResultPane pane;
  const PressOutcome got =
      depthKind
          ? PressOutcomeOf<ArcBottomChannel::Definition>(CalculationKind::Depth, in, pane)
          : PressOutcomeOf<ArcBottomChannel::Definition>(CalculationKind::Discharge, in, pane);
  EXPECT_EQ(got, expected);
  return pane.Lines();
}

const std::vector<std::string> kInputErrorBlock = {
    "===========================", "数据输入错误,请重新输入！", "==========================="};
const std::vector<std::string> kWidthErrorBlock = {
    "===========================", "渠宽数据输入错误,请重新输入！", "==========================="};

TEST(ArcBottomChannel, WorkedReports) {
  struct Case {
    bool depthKind;
    Inputs in;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      // Trapezoid R = 2, M = 1.5, n = 0.025, 1/1000, Q = 5.
      {true,
       {2, 1.5, 0.025, 1000, 5, 0},
       {"  ********************弧底梯形渠均匀流水深计算成果表*****************",
        "底弧半径R= 2            底弧宽B= 2.2188          边坡M= 1.5 ",
        "糙率N= .025             纵坡I= 1/ 1000           流量Q= 5 ",
        "计算流量Q1= 4.9999      正常水深H= 1.43746       底弧圆心角A= 67.38014 ",
        "底弧深H1= .3359         水面宽B1= 5.52347        流速V= 1.04817 ",
        "断面能量E= 1.49345      水力半径RS= .75432       湿周X= 6.32373 "}},
      // Rectangle R = 2, B = 3, n = 0.014, 1/2500, Q = 4.
      {true,
       {2, 0, 0.014, 2500, 4, 3},
       {"  ********************弧底矩形渠均匀流水深计算成果表****************",
        "底弧半径R= 2            渠宽B= 3                 边坡M= 0 ",
        "糙率N= .014             纵坡I= 1/ 2500           流量Q= 4 ",
        "计算流量Q1= 3.99992     正常水深H= 1.36203       底弧圆心角A= 97.18076 ",
        "底弧深H1= .67712        水面宽B1= 3              流速V= 1.15517 ",
        "断面能量E= 1.43004      水力半径RS= .72713       湿周X= 4.76205 "}},
      // Trapezoid at h = 1, above the chord.
      {false,
       {2, 1.5, 0.025, 1000, 1, 0},
       {"  ********************弧底梯形渠均匀流流量计算成果表*****************",
        "底弧半径R= 2            底弧宽B= 2.2188          边坡M= 1.5 ",
        "糙率N= .025             纵坡I= 1/ 1000 ",
        "计算流量Q1= 2.25979     正常水深H= 1             底弧圆心角A= 67.38014 ",
        "底弧深H1= .3359         水面宽B1= 4.2111         流速V= .85569 ",
        "断面能量E= 1.03732      水力半径RS= .5564        湿周X= 4.74646 "}},
      // The same trapezoid at h = 0.2, water within the arc.
      {false,
       {2, 1.5, 0.025, 1000, 0.2, 0},
       {"  ********************弧底梯形渠均匀流流量计算成果表*****************",
        "底弧半径R= 2            底弧宽B= 2.2188          边坡M= 1.5 ",
        "糙率N= .025             纵坡I= 1/ 1000 ",
        "计算流量Q1= .07633      正常水深H= .2            底弧圆心角A= 67.38014 ",
        "底弧深H1= .3359         水面宽B1= 1.74356        流速V= .32495 ",
        "断面能量E= .20538       水力半径RS= .1302        湿周X= 1.80411 "}},
      // Rectangle R = 2, B = 3 at h = 1.
      {false,
       {2, 0, 0.014, 2500, 1, 3},
       {"  ********************弧底矩形渠均匀流流量计算成果表****************",
        "底弧半径R= 2            渠宽B= 3                 边坡M= 0 ",
        "糙率N= .014             纵坡I= 1/ 2500 ",
        "计算流量Q1= 2.38437     正常水深H= 1             底弧圆心角A= 97.18076 ",
        "底弧深H1= .67712        水面宽B1= 3              流速V= 1.00328 ",
        "断面能量E= 1.0513       水力半径RS= .58855       湿周X= 4.038 "}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Press(c.depthKind, c.in, PressOutcome::Report), c.lines) << c.in.value;
  }
}

TEST(ArcBottomChannel, SectionConstantsAndSearchPasses) {
  struct Case {
    ArcBottomChannel::Section section;
    double n, d, q;
    double degrees, chord, arcDepth;
    int passes;
    double h;
  };
  const Case cases[] = {
      {ArcBottomChannel::TrapezoidalSection(2, 1.5), 0.025, 1000, 5, 67.38014, 2.2188, 0.3359, 25,
       1.43746},
      {ArcBottomChannel::RectangularSection(2, 3), 0.014, 2500, 4, 97.18076, 3, 0.67712, 24,
       1.36203},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RoundDegrees(c.section.theta), c.degrees);
    EXPECT_EQ(RoundDisplay(c.section.b), c.chord);
    EXPECT_EQ(RoundDisplay(c.section.h1), c.arcDepth);
    const auto r = SolveNormalDepth<ArcBottomChannel::Definition>(
        c.section, {.n = c.n, .d = c.d, .value = c.q});
    EXPECT_TRUE(r.converged);
    EXPECT_EQ(r.passes, c.passes) << c.q;
    EXPECT_EQ(RoundDisplay(r.state.h), c.h);
    EXPECT_FALSE(r.state.withinArc);
  }
}

TEST(ArcBottomChannel, RectangularWidthMustBeAChordShorterThanTheDiameter) {
  // R = 2: widths 0, 4 (a semicircular bottom), 5, negative, and the infinities an
  // out-of-range width box hands over.
  const double widths[] = {0, 4, 5, -3, kInf, -kInf};
  for (const double b : widths) {
    EXPECT_EQ(Press(true, {2, 0, 0.014, 2500, 4, b}, PressOutcome::WidthError), kWidthErrorBlock)
        << b;
    EXPECT_EQ(Press(false, {2, 0, 0.014, 2500, 1, b}, PressOutcome::WidthError), kWidthErrorBlock)
        << b;
  }
  // Just inside the diameter is a section.
  EXPECT_EQ(Press(false, {2, 0, 0.014, 2500, 1, 3.999}, PressOutcome::Report).size(), 6u);
}

TEST(ArcBottomChannel, RefusesBadInputBeforeLookingAtTheWidth) {
  const Inputs bad[] = {
      {0, 1.5, 0.025, 1000, 5, 0},  {-2, 1.5, 0.025, 1000, 5, 0},
      {2, 1.5, 0, 1000, 5, 0},      {2, 1.5, -0.025, 1000, 5, 0},
      {2, 1.5, 0.025, 0, 5, 0},     {2, 1.5, 0.025, -1000, 5, 0},
      {2, 1.5, 0.025, 1000, 0, 0},  {2, 1.5, 0.025, 1000, -5, 0},
      {2, -1.5, 0.025, 1000, 5, 3},  // walls leaning the wrong way
      {0, 0, 0.014, 2500, 4, 0},     // both checks would fail: the first one speaks
      {2, 0, 0.014, 2500, 0, kInf},
  };
  for (const Inputs& in : bad) {
    EXPECT_EQ(Press(true, in, PressOutcome::InputError), kInputErrorBlock) << in.r << " " << in.m;
    EXPECT_EQ(Press(false, in, PressOutcome::InputError), kInputErrorBlock) << in.r << " " << in.m;
  }
}

TEST(ArcBottomChannel, ShapeIsChosenByTheSideSlopeAlone) {
  // A width typed beside a non-zero slope is not looked at, not even when it is
  // out of range; M = 0 takes the width whatever the option buttons showed.
  const auto trapezoid = Press(true, {2, 1.5, 0.025, 1000, 5, 0}, PressOutcome::Report);
  EXPECT_EQ(Press(true, {2, 1.5, 0.025, 1000, 5, 3}, PressOutcome::Report), trapezoid);
  EXPECT_EQ(Press(true, {2, 1.5, 0.025, 1000, 5, kInf}, PressOutcome::Report), trapezoid);
  EXPECT_EQ(Press(true, {2, 1.5, 0.025, 1000, 5, -kInf}, PressOutcome::Report), trapezoid);
  const auto rectangle = Press(true, {2, 0, 0.014, 2500, 4, 3}, PressOutcome::Report);
  EXPECT_NE(rectangle[0], trapezoid[0]);
  const size_t label = rectangle[1].find("渠宽B= 3 ");
  ASSERT_NE(label, std::string::npos);
  EXPECT_EQ(DisplayColumns(rectangle[1].substr(0, label)), 24);  // label at column 25
}

TEST(ArcBottomChannel, RoughnessPrintsAsTyped) {
  for (const double m : {0.0, 1.5}) {
    const auto lines = Press(false, {2, m, 0.018, 2500, 1, 3}, PressOutcome::Report);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[2].rfind("糙率N= .018 ", 0), 0u) << m;
  }
}

TEST(ArcBottomChannel, ChordIsTheBoundaryBetweenArcAndWalls) {
  const ArcBottomChannel::Section shapes[] = {ArcBottomChannel::TrapezoidalSection(2, 1.5),
                                              ArcBottomChannel::RectangularSection(2, 3)};
  for (const auto& sec : shapes) {
    // At the chord the wall formulas hold with d = 0: the full segment, the arc
    // length and the chord.
    const auto atChord = ArcBottomChannel::Evaluate(sec, 0.02, 0.001, sec.h1);
    EXPECT_FALSE(atChord.withinArc);
    EXPECT_EQ(atChord.w, sec.s1);
    EXPECT_EQ(atChord.x, sec.l);
    EXPECT_EQ(atChord.surfaceWidth, sec.b);
    // Just below it the arc formulas meet them.
    const auto below = ArcBottomChannel::Evaluate(sec, 0.02, 0.001, sec.h1 * (1 - 1e-9));
    EXPECT_TRUE(below.withinArc);
    EXPECT_NEAR(below.phi, sec.theta, 1e-6);
    EXPECT_NEAR(below.w, sec.s1, 1e-6);
    EXPECT_NEAR(below.x, sec.l, 1e-6);
    EXPECT_NEAR(below.surfaceWidth, sec.b, 1e-6);
  }
}

TEST(ArcBottomChannel, DegenerateDepthGivesTheInputErrorBlock) {
  // At h = 1e-17 the segment has no area and no perimeter: RS would be 0/0.
  const auto s =
      ArcBottomChannel::Evaluate(ArcBottomChannel::TrapezoidalSection(2, 1.5), 0.025, 0.001, 1e-17);
  EXPECT_EQ(s.w, 0.0);
  EXPECT_EQ(s.x, 0.0);
  EXPECT_EQ(Press(false, {2, 1.5, 0.025, 1000, 1e-17, 0}, PressOutcome::InputError),
            kInputErrorBlock);
  EXPECT_EQ(Press(false, {2, 0, 0.014, 2500, 1e-17, 3}, PressOutcome::InputError),
            kInputErrorBlock);
}

TEST(ArcBottomChannel, DischargeBeyondDepthLimitReportsTheLimit) {
  const auto r = SolveNormalDepth<ArcBottomChannel::Definition>(
      ArcBottomChannel::TrapezoidalSection(2, 1.5), {.n = 0.025, .d = 1000, .value = 1e12});
  EXPECT_FALSE(r.converged);
  EXPECT_EQ(r.passes, 1000);
  EXPECT_EQ(r.state.h, 1000.0);
  EXPECT_LT(r.state.q1, 1e12);
}

}  // namespace
}  // namespace tarnwick
