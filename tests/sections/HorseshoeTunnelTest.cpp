#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "sections/HorseshoeTunnel.h"
#include "sections/WindowCatalog.h"
#include "tests/sections/FamilyPress.h"

namespace tarnwick {
namespace {

using HorseshoeTunnel::Floor;
using HorseshoeTunnel::Inputs;
using HorseshoeTunnel::Section;
using HorseshoeTunnel::Zone;

constexpr double kN = 0.014;
constexpr double kI = 0.001;

// The worked shape: semicircular roof R1 = 1, side arcs R2 = 2 over 30°, bottom arc R3 = 2.
Inputs Worked(double f, double value) { return {f, 1, 180, 2, 30, 2, kN, 1000, value}; }

// R1 = R2 = R3 = 1 with a semicircular roof and 60° side arcs is one circle of radius 1:
// the side arcs are centred on the axis and the bottom arc closes the same circle.
Section UnitCircle(Floor floor) { return HorseshoeTunnel::BuildSection(floor, 1, 180, 1, 60, 1); }

std::vector<std::string> Compute(bool depthKind, const Inputs& in, PressOutcome expected) {
  ResultPane pane;
  const PressOutcome got =
      depthKind ? PressOutcomeOf<HorseshoeTunnel::Definition>(CalculationKind::Depth, in, pane)
                : PressOutcomeOf<HorseshoeTunnel::Definition>(CalculationKind::Discharge, in, pane);
  EXPECT_EQ(got, expected);
  return pane.Lines();
}

const std::vector<std::string> kInputError = {
    "===========================", "数据输入错误,请重新输入！", "==========================="};
const std::vector<std::string> kTooDeep = {
    "===========================", "水深大于隧洞高度,请重新输入！", "==========================="};

TEST(HorseshoeTunnel, WorkedDepthReport) {
  const std::vector<std::string> expected = {
      "  *****************马蹄形隧洞均匀流水深计算成果表****************",
      "顶拱半径R1= 1           侧拱半径R2= 2            底拱半径R3= 2 ",
      "顶拱圆心角A1= 180       侧拱圆心角A2= 30         底拱圆心角A3= 42.9414 ",
      "底拱高H1= .13879        侧拱高H2= 1              顶拱高H3= 1 ",
      "底拱宽B1= 1.4641        隧洞宽B2= 2              隧洞高H4= 2.13879 ",
      "设计流量Q= 2            糙率N= .014              纵坡I= 1/ 1000 ",
      "计算流量Q1= 1.99995     正常水深H= .8854         流速V= 1.37094 ",
      "水面宽B= 1.96777        断面能量E= .98119        净空面积比(%)= 58.717 ",
      "净空高度H5= 1.25339     隧洞高/宽= 1.069 ",
      "水力半径RS= .47285      过水断面面积W= 1.459     湿周X= 3.085 ",
  };
  EXPECT_EQ(Compute(true, Worked(0, 2), PressOutcome::Report), expected);

  const Section s = *HorseshoeTunnel::CheckedSection(Worked(0, 2));
  EXPECT_NEAR(HorseshoeTunnel::FullSectionFlow(s, kN, kI).q1, 5.19233, 5e-6);
  const auto r = SolveNormalDepth<HorseshoeTunnel::Definition>(s, Worked(0, 2));
  EXPECT_TRUE(r.converged);
  EXPECT_EQ(r.passes, 15);
  EXPECT_EQ(r.state.h, 0.8853970229153396);
  EXPECT_EQ(r.state.zone, Zone::Side);
}

TEST(HorseshoeTunnel, WorkedFlatFloorDischargeReport) {
  const std::vector<std::string> expected = {
      "  **************平底板马蹄形隧洞均匀流流量计算成果表*************",
      "顶拱半径R1= 1           侧拱半径R2= 2            底板半径R3= 2 ",
      "顶拱圆心角A1= 180       侧拱圆心角A2= 30         底板圆心角A3= 42.9414 ",
      "底拱高H1= 0             侧拱高H2= 1              顶拱高H3= 1 ",
      "底板宽B1= 1.4641        隧洞宽B2= 2              隧洞高H4= 2 ",
      "糙率N= .014             纵坡I= 1/ 1000 ",
      "计算流量Q1= .91899      正常水深H= .5            流速V= 1.08439 ",
      "水面宽B= 1.87298        断面能量E= .55993        净空面积比(%)= 75.054 ",
      "净空高度H5= 1.5         隧洞高/宽= 1 ",
      "水力半径RS= .33263      过水断面面积W= .847      湿周X= 2.548 ",
  };
  EXPECT_EQ(Compute(false, Worked(1, 0.5), PressOutcome::Report), expected);
}

// The "底板半径R3=" label belongs to the flat-floor discharge table only; both
// flat tables name the floor angle and width after the floor plate.
TEST(HorseshoeTunnel, FloorChosenByTheFirstBox) {
  struct Case {
    const char* window;
    const char* floorBox;
    int exitLines;  // 3: input-error block, 10: report
    const char* banner;
    const char* radiusLine;
  };
  const Case cases[] = {
      {"Form36", "", 10, "  *****************马蹄形隧洞均匀流流量计算成果表***************",
       "底拱半径R3= 2 "},
      {"Form36", "0", 10, "  *****************马蹄形隧洞均匀流流量计算成果表***************",
       "底拱半径R3= 2 "},
      {"Form36", "0.5", 10, "  **************平底板马蹄形隧洞均匀流流量计算成果表*************",
       "底板半径R3= 2 "},
      {"Form36", "1", 10, "  **************平底板马蹄形隧洞均匀流流量计算成果表*************",
       "底板半径R3= 2 "},
      {"Form25", "0.5", 10, "  ***************平底板马蹄形隧洞均匀流水深计算成果表*************",
       "底拱半径R3= 2 "},
      {"Form25", "", 10, "  *****************马蹄形隧洞均匀流水深计算成果表****************",
       "底拱半径R3= 2 "},
      {"Form25", "-1", 3, nullptr, nullptr},
      {"Form25", "2", 3, nullptr, nullptr},
      {"Form36", "-1", 3, nullptr, nullptr},
      {"Form36", "2", 3, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    const std::vector<std::string> boxes = {
        c.floorBox, "1",    "180",
        "2",        "30",   "2",
        ".014",     "1000", std::string(c.window) == "Form25" ? "2" : "0.5"};
    ResultPane pane;
    Press(*FindWindow(c.window), boxes, pane);
    const auto& lines = pane.Lines();
    ASSERT_EQ(lines.size(), static_cast<size_t>(c.exitLines)) << c.window << " F=" << c.floorBox;
    if (c.banner == nullptr) {
      EXPECT_EQ(lines, kInputError);
      continue;
    }
    EXPECT_EQ(lines[0], c.banner) << c.floorBox;
    EXPECT_TRUE(lines[1].ends_with(c.radiusLine)) << lines[1];
    const bool flat = std::string(c.banner).find("平底板") != std::string::npos;
    EXPECT_EQ(lines[2].find("底板圆心角A3=") != std::string::npos, flat) << lines[2];
    EXPECT_EQ(lines[4].starts_with("底板宽B1="), flat) << lines[4];
    EXPECT_TRUE(lines[3].starts_with(flat ? "底拱高H1= 0 " : "底拱高H1= .13879 ")) << lines[3];
  }
}

TEST(HorseshoeTunnel, CapacityBlockAboveTheGreatestDischarge) {
  for (const Floor floor : {Floor::InvertedArch, Floor::Flat}) {
    const double f = floor == Floor::Flat ? 1 : 0;
    const Section s = *HorseshoeTunnel::CheckedSection(Worked(f, 1));
    const double qmax = HorseshoeTunnel::FullSectionFlow(s, kN, kI).q1;
    // Q equal to Qmax is carried: the search runs and reports.
    const auto atMax = Compute(true, Worked(f, qmax), PressOutcome::Report);
    ASSERT_EQ(atMax.size(), 10u);
    EXPECT_TRUE(atMax[6].starts_with("计算流量Q1= ")) << atMax[6];
    const auto r = SolveNormalDepth<HorseshoeTunnel::Definition>(s, Worked(f, qmax));
    EXPECT_TRUE(r.converged);
    EXPECT_LT(r.state.h, s.h4);
    // The least bit more is refused, with Qmax at full precision.
    const std::vector<std::string> block = {"   ", "断面太小,请重新拟定断面",
                                            "此断面最大过流量为Q1=" + NumberText(qmax), "   "};
    EXPECT_EQ(Compute(true, Worked(f, std::nextafter(qmax, 1e9)), PressOutcome::Capacity), block);
  }
  const auto big = Compute(true, Worked(0, 6), PressOutcome::Capacity);
  ASSERT_EQ(big.size(), 4u);
  EXPECT_EQ(big[2], "此断面最大过流量为Q1= 5.19232774363628 ");
}

TEST(HorseshoeTunnel, DepthAtTheCrownIsRefused) {
  for (const Floor floor : {Floor::InvertedArch, Floor::Flat}) {
    const double f = floor == Floor::Flat ? 1 : 0;
    const Section s = *HorseshoeTunnel::CheckedSection(Worked(f, 1));
    EXPECT_EQ(Compute(false, Worked(f, s.h4), PressOutcome::DepthTooGreat), kTooDeep);
    EXPECT_EQ(Compute(false, Worked(f, s.h4 + 1), PressOutcome::DepthTooGreat), kTooDeep);
    // Just below the crown: no clearance left, and the whole area wetted.
    const auto lines = Compute(false, Worked(f, std::nextafter(s.h4, 0.0)), PressOutcome::Report);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_TRUE(lines[7].ends_with("净空面积比(%)= 0 ")) << lines[7];
    EXPECT_TRUE(lines[8].starts_with("净空高度H5= 0 ")) << lines[8];
  }
}

TEST(HorseshoeTunnel, ZoneBoundariesBelongToTheLowerZone) {
  const Section arch = *HorseshoeTunnel::CheckedSection(Worked(0, 1));
  const Section flat = *HorseshoeTunnel::CheckedSection(Worked(1, 1));
  struct Case {
    const Section* s;
    double h;
    Zone zone;
  };
  const double archSpring = arch.h1 + arch.h2;
  const Case cases[] = {
      {&arch, arch.h1, Zone::Bottom},
      {&arch, std::nextafter(arch.h1, 9.0), Zone::Side},
      {&arch, archSpring, Zone::Side},
      {&arch, std::nextafter(archSpring, 9.0), Zone::Roof},
      {&flat, 1e-9, Zone::Side},
      {&flat, flat.h2, Zone::Side},
      {&flat, std::nextafter(flat.h2, 9.0), Zone::Roof},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HorseshoeTunnel::Evaluate(*c.s, kN, kI, c.h).zone, c.zone) << c.h;
  }
  // At the spring line no side arc is dry: the full width and the lower part of the section.
  const auto a = HorseshoeTunnel::Evaluate(arch, kN, kI, archSpring);
  EXPECT_EQ(a.surfaceWidth, arch.b2);
  EXPECT_EQ(a.w, arch.sb + arch.sm);
  EXPECT_EQ(a.x, arch.lb + arch.ls);
  const auto b = HorseshoeTunnel::Evaluate(flat, kN, kI, flat.h2);
  EXPECT_EQ(b.w, flat.sm);
  EXPECT_EQ(b.x, flat.b1 + flat.ls);
  // The floor plate is wetted at every depth.
  EXPECT_GT(HorseshoeTunnel::Evaluate(flat, kN, kI, 1e-9).x, flat.b1);
}

// A semicircular roof meets the side zone level with its centre's spring line. The
// first depth above it must give the whole roof as the dry segment, not a division
// by zero or a negative angle.
TEST(HorseshoeTunnel, SemicircularRoofJustAboveTheSpringLine) {
  for (const Floor floor : {Floor::InvertedArch, Floor::Flat}) {
    const Section s = *HorseshoeTunnel::CheckedSection(Worked(floor == Floor::Flat ? 1 : 0, 1));
    EXPECT_NEAR(s.b2, 2.0, 1e-12);
    EXPECT_NEAR(s.h3, 1.0, 1e-7);
    const double spring = s.h1 + s.h2;
    const auto below = HorseshoeTunnel::Evaluate(s, kN, kI, spring);
    const auto above = HorseshoeTunnel::Evaluate(s, kN, kI, std::nextafter(spring, 9.0));
    ASSERT_EQ(above.zone, Zone::Roof);
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
CircleSegment Circle(double y) {
  const double c = 1.0 - y;
  const double half = std::sqrt(1.0 - c * c);
  return {std::acos(c) - c * half, 2.0 * std::acos(c), 2.0 * half};
}

TEST(HorseshoeTunnel, UnitCircleShapeMatchesCircleGeometry) {
  const Section arch = UnitCircle(Floor::InvertedArch);
  EXPECT_NEAR(arch.h4, 2.0, 1e-7);
  EXPECT_NEAR(arch.w0, 3.1415926, 1e-6);
  EXPECT_NEAR(arch.p0, 6.2831852, 1e-6);
  const Section flat = UnitCircle(Floor::Flat);
  const double floorLevel = 1.0 - std::cos(std::acos(-1.0) / 6.0);  // chord of width 1
  ASSERT_NEAR(arch.h1, floorLevel, 1e-7);
  const CircleSegment cut = Circle(floorLevel);
  for (double h = 0.05; h < 1.99; h += 0.05) {
    const auto a = HorseshoeTunnel::Evaluate(arch, kN, kI, h);
    const CircleSegment e = Circle(h);
    EXPECT_NEAR(a.w, e.w, 1e-6) << h;
    EXPECT_NEAR(a.x, e.x, 1e-6) << h;
    EXPECT_NEAR(a.surfaceWidth, e.width, 1e-6) << h;
    if (h + floorLevel >= 1.99) continue;
    const auto b = HorseshoeTunnel::Evaluate(flat, kN, kI, h);
    const CircleSegment g = Circle(h + floorLevel);
    EXPECT_NEAR(b.w, g.w - cut.w, 1e-6) << h;
    EXPECT_NEAR(b.x, g.x - cut.x + flat.b1, 1e-6) << h;
    EXPECT_NEAR(b.surfaceWidth, g.width, 1e-6) << h;
  }
}

TEST(HorseshoeTunnel, DepthSearchEndsInTheStateOfItsDepth) {
  struct Case {
    Inputs in;
    Zone zone;
  };
  const Case cases[] = {
      {Worked(0, 2), Zone::Side}, {Worked(0, 0.05), Zone::Bottom}, {Worked(0, 4.5), Zone::Roof},
      {Worked(1, 2), Zone::Side}, {Worked(1, 4.5), Zone::Roof},
  };
  for (const Case& c : cases) {
    const Section s = *HorseshoeTunnel::CheckedSection(c.in);
    const auto r = SolveNormalDepth<HorseshoeTunnel::Definition>(s, c.in);
    ASSERT_TRUE(r.converged) << c.in.value;
    EXPECT_LT(std::abs(r.state.q1 - c.in.value), 0.0001);
    EXPECT_EQ(r.state.zone, c.zone) << c.in.value;
    const auto again = HorseshoeTunnel::Evaluate(s, kN, kI, r.state.h);
    EXPECT_EQ(again.w, r.state.w);
    EXPECT_EQ(again.x, r.state.x);
    EXPECT_EQ(again.surfaceWidth, r.state.surfaceWidth);
    EXPECT_EQ(again.q1, r.state.q1);
    EXPECT_EQ(again.v, r.state.v);
    EXPECT_EQ(again.e, r.state.e);
  }
}

TEST(HorseshoeTunnel, FullSectionAtTheCrownAndRisingDischarge) {
  for (const Section& s :
       {*HorseshoeTunnel::CheckedSection(Worked(0, 1)),
        *HorseshoeTunnel::CheckedSection(Worked(1, 1)), UnitCircle(Floor::Flat)}) {
    const auto top = HorseshoeTunnel::Evaluate(s, kN, kI, s.h4 * (1.0 - 1e-12));
    EXPECT_NEAR(top.w, s.w0, 1e-9);
    EXPECT_NEAR(top.x, s.p0, 1e-5);
    double previous = 0.0;
    for (int k = 1; k <= 90; ++k) {
      const double q1 = HorseshoeTunnel::Evaluate(s, kN, kI, s.h4 * k / 100.0).q1;
      EXPECT_GT(q1, previous) << k;
      previous = q1;
    }
  }
}

TEST(HorseshoeTunnel, RefusesSectionsThatCannotBeBuilt) {
  const Inputs bad[] = {
      {0, 0, 180, 2, 30, 2, kN, 1000, 2},
      {0, 1, 0, 2, 30, 2, kN, 1000, 2},
      {0, 1, 180, -2, 30, 2, kN, 1000, 2},
      {0, 1, 180, 2, 0, 2, kN, 1000, 2},
      {0, 1, 180, 2, 30, 0, kN, 1000, 2},
      {0, 1, 180, 2, 30, 2, 0, 1000, 2},
      {0, 1, 180, 2, 30, 2, kN, 0, 2},
      {0, 1, 180, 2, 30, 2, kN, 1000, 0},
      {-0.1, 1, 180, 2, 30, 2, kN, 1000, 2},
      {1.1, 1, 180, 2, 30, 2, kN, 1000, 2},
      {0, 1, 180.5, 2, 30, 2, kN, 1000, 2},                  // roof folding under its chord
      {1, 1, 180, 0.5, 90.5, 2, kN, 1000, 1},                // side arc turning back inwards
      {0, 1, 180, 2, 61, 2, kN, 1000, 2},                    // side arcs cross: no bottom chord
      {0, 1, 180, 3, 60, 2, kN, 1000, 2},                    // B1 < 0
      {0, 1, 180, 2, 30, 0.7, kN, 1000, 2},                  // bottom arc narrower than B1
      {1, 1, 180, 2, 30, 0.73205, kN, 1000, 1},              // flat floor: R3 still has to span B1
      {0, 1e200, 180, 1e200, 30, 1e200, 1e-300, 1e-300, 1},  // figures beyond any double
  };
  for (const Inputs& in : bad) {
    EXPECT_EQ(Compute(true, in, PressOutcome::InputError), kInputError) << in.r1 << " " << in.a1;
    EXPECT_EQ(Compute(false, in, PressOutcome::InputError), kInputError) << in.r1 << " " << in.a1;
  }
  // The limits themselves are sections: a semicircular roof and quarter-circle side arcs.
  EXPECT_EQ(Compute(false, {0, 1, 180, 0.5, 90, 2, kN, 1000, 1}, PressOutcome::Report).size(), 10u);
  EXPECT_EQ(Compute(true, {1, 1, 180, 0.5, 90, 2, kN, 1000, 1}, PressOutcome::Report).size(), 10u);
}

}  // namespace
}  // namespace tarnwick
