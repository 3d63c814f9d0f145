// The drawn boundary of the horseshoe and three-centred-arch tunnels against
// their closed-form wetted geometry. The outline is built only from the arc
// centres and end points; area, wetted perimeter and surface width measured on it
// under a water level must agree with what the discharge window computes at that
// depth. Every zone formula is thereby checked against the shape it stands for,
// in particular at and just beside the zone boundaries, where a wrong sign or a
// doubled angle shows at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "core/OutlineGeometry.h"
#include "core/ResultPane.h"
#include "sections/HorseshoeTunnel.h"
#include "sections/ThreeCentredArchTunnel.h"
#include "tests/sections/FamilyPress.h"

namespace tarnwick {
namespace {

constexpr double kN = 0.014;
constexpr double kD = 1000.0;
constexpr double kFlat = 1.0;
constexpr double kInverted = 0.0;

// Relative agreement of area and perimeter between the arcs and their chords.
constexpr double kRelativeTolerance = 1e-4;
// Surface width, as a share of the tunnel width: near the crown the water line
// meets an almost level arc, where a chord's sag moves the crossing sideways.
constexpr double kWidthTolerance = 1e-4;

struct Case {
  std::string name;
  SectionModel model;
  std::vector<double> boundaries;  // zone boundaries, invert upwards
  double width = 0.0;              // tunnel width
};

Case HorseshoeCase(const std::string& name, const HorseshoeTunnel::Inputs& in) {
  const auto section = HorseshoeTunnel::CheckedSection(in);
  const auto model = FamilyModel<HorseshoeTunnel::Definition>(in);
  EXPECT_TRUE(section.has_value() && model.has_value()) << name;
  if (!section || !model) return {name, {}, {}, 0.0};
  std::vector<double> boundaries{section->h1 + section->h2};  // spring line
  if (section->floor == HorseshoeTunnel::Floor::InvertedArch) {
    boundaries.push_back(section->h1);  // bottom chord
  }
  return {name, *model, boundaries, section->b2};
}

Case ThreeCentredCase(const std::string& name, const ThreeCentredArchTunnel::Inputs& in) {
  const auto section = ThreeCentredArchTunnel::CheckedSection(in);
  const auto model = FamilyModel<ThreeCentredArchTunnel::Definition>(in);
  EXPECT_TRUE(section.has_value() && model.has_value()) << name;
  if (!section || !model) return {name, {}, {}, 0.0};
  const double centres = section->h1 + section->h2;
  // Level of the side-arch centres, and the springing of the top arch.
  std::vector<double> boundaries{centres, centres + section->h3};
  if (section->floor == ThreeCentredArchTunnel::Floor::InvertedArch) {
    boundaries.push_back(section->h1);  // bottom chord
  }
  return {name, *model, boundaries, section->b2};
}

HorseshoeTunnel::Inputs Horseshoe(double f, double r1, double a1, double r2, double a2, double r3,
                                  double value = 1.0) {
  return {f, r1, a1, r2, a2, r3, kN, kD, value};
}

ThreeCentredArchTunnel::Inputs ThreeCentred(double f, double r1, double a1, double r2, double a2,
                                            double r3, double value = 1.0) {
  return {f, r1, a1, r2, a2, r3, kN, kD, value};
}

std::vector<Case> HorseshoeCases() {
  std::vector<Case> cases;
  for (const double f : {kInverted, kFlat}) {
    const std::string floor = f == kFlat ? " flat" : " inverted";
    // Semicircular roof on side arcs of twice its radius.
    cases.push_back(HorseshoeCase("roof 180" + floor, Horseshoe(f, 1, 180, 2, 30, 2)));
    // Flatter roof whose centre lies below the spring line.
    cases.push_back(HorseshoeCase("roof 120" + floor, Horseshoe(f, 2, 120, 3, 25, 4)));
    // Side arcs and bottom arc of three times the roof radius.
    cases.push_back(HorseshoeCase("radius 3R" + floor, Horseshoe(f, 1.5, 180, 4.5, 20, 4.5)));
  }
  return cases;
}

std::vector<Case> ThreeCentredCases() {
  std::vector<Case> cases;
  for (const double f : {kInverted, kFlat}) {
    const std::string floor = f == kFlat ? " flat" : " inverted";
    // Four arcs of one circle.
    cases.push_back(ThreeCentredCase("one circle" + floor, ThreeCentred(f, 1, 90, 1, 90, 1)));
    // Flat top arch on tighter side arches: side centres on the near side of the axis.
    cases.push_back(ThreeCentredCase("tight sides" + floor, ThreeCentred(f, 2, 120, 1, 80, 3)));
    // Side arches wider than the top arch: their centres lie beyond the axis.
    cases.push_back(ThreeCentredCase("wide sides" + floor, ThreeCentred(f, 1.5, 120, 2.5, 60, 3)));
    // Quarter-circle side arches under a quarter-circle top arch: beta = gamma = 45°.
    cases.push_back(ThreeCentredCase("top 90" + floor, ThreeCentred(f, 3, 90, 1.5, 90, 4)));
    // Semicircular top arch: the side arches meet it level with their centres.
    cases.push_back(ThreeCentredCase("top 180" + floor, ThreeCentred(f, 1, 180, 2, 40, 3)));
    // Side arches ending level with their centres: no part below the centres.
    cases.push_back(ThreeCentredCase("no lower side" + floor, ThreeCentred(f, 2, 120, 1, 30, 3)));
  }
  return cases;
}

// Depths across the whole height, each zone boundary and a hair either side of
// it, and close below the crown.
std::vector<double> ProbeDepths(const Case& c) {
  const double crown = c.model.crown;
  std::vector<double> depths;
  for (int k = 1; k < 40; ++k) depths.push_back(crown * k / 40.0);
  for (const double b : c.boundaries) {
    for (const double offset : {-1e-3, -1e-6, 0.0, 1e-6, 1e-3}) {
      // A boundary on the floor itself (side arches ending level with their
      // centres over a flat floor) has nothing below it.
      if (b + offset > 0.0) depths.push_back(b + offset);
    }
  }
  depths.push_back(crown * (1.0 - 1e-3));
  depths.push_back(crown * (1.0 - 1e-4));
  return depths;
}

double Relative(double measured, double closedForm) {
  return std::fabs(measured - closedForm) / std::fabs(closedForm);
}

// Largest disagreements seen over a family's sections.
struct Disagreement {
  double area = 0.0;
  double perimeter = 0.0;
  double width = 0.0;
};

Disagreement CheckAgainstOutline(const std::vector<Case>& cases) {
  Disagreement worst;
  for (const Case& c : cases) {
    if (!c.model.IsTunnel()) {
      ADD_FAILURE() << c.name << ": no tunnel model";
      continue;
    }
    const Outline outline = c.model.outline(0.0);
    for (const double h : ProbeDepths(c)) {
      EXPECT_LT(h, c.model.crown) << c.name;
      const SectionState s = c.model.evaluate(h);
      const OutlineWetting drawn = WettingBelow(outline, h);
      const double area = Relative(drawn.area, s.w);
      const double perimeter = Relative(drawn.perimeter, s.x);
      const double width = std::fabs(drawn.surfaceWidth - s.surfaceWidth) / c.width;
      EXPECT_LT(area, kRelativeTolerance)
          << c.name << " h=" << h << " W=" << s.w << " drawn " << drawn.area;
      EXPECT_LT(perimeter, kRelativeTolerance)
          << c.name << " h=" << h << " X=" << s.x << " drawn " << drawn.perimeter;
      EXPECT_LT(width, kWidthTolerance)
          << c.name << " h=" << h << " B=" << s.surfaceWidth << " drawn " << drawn.surfaceWidth;
      worst.area = std::max(worst.area, area);
      worst.perimeter = std::max(worst.perimeter, perimeter);
      worst.width = std::max(worst.width, width);
    }
  }
  return worst;
}

void Summarise(const char* family, const Disagreement& d) {
  std::printf("%s: largest relative disagreement area %.3g, perimeter %.3g, width %.3g\n", family,
              d.area, d.perimeter, d.width);
}

TEST(ArchTunnelOutline, HorseshoeWettingMatchesDrawnSection) {
  Summarise("horseshoe", CheckAgainstOutline(HorseshoeCases()));
}

TEST(ArchTunnelOutline, ThreeCentredWettingMatchesDrawnSection) {
  Summarise("three-centred arch", CheckAgainstOutline(ThreeCentredCases()));
}

// The loop closes at the crown, rests on the invert, is symmetric about the axis
// and is as wide as the tunnel; below the crown it holds the full section.
TEST(ArchTunnelOutline, ClosedLoopThroughCrownAndInvert) {
  std::vector<Case> cases = HorseshoeCases();
  for (Case& c : ThreeCentredCases()) cases.push_back(std::move(c));
  for (const Case& c : cases) {
    const Outline outline = c.model.outline(123.0);  // a tunnel ignores the level
    ASSERT_GT(outline.size(), 100u) << c.name;
    EXPECT_EQ(outline.front().x, 0.0) << c.name;
    EXPECT_EQ(outline.front().y, c.model.crown) << c.name;
    EXPECT_EQ(outline.back().x, 0.0) << c.name;
    EXPECT_EQ(outline.back().y, c.model.crown) << c.name;
    double lowest = outline.front().y;
    double left = 0.0;
    double right = 0.0;
    for (const OutlinePoint& p : outline) {
      lowest = std::min(lowest, p.y);
      left = std::min(left, p.x);
      right = std::max(right, p.x);
      EXPECT_LE(p.y, c.model.crown) << c.name;
    }
    EXPECT_NEAR(lowest, 0.0, 1e-12) << c.name;
    EXPECT_EQ(right - left, c.width) << c.name;
    EXPECT_EQ(left, -right) << c.name;
    // Level with the crown every point of the boundary is wet: the closed perimeter
    // is that of the full section, and the area too.
    const OutlineWetting full = WettingBelow(outline, c.model.crown * 1.5);
    const SectionState nearlyFull = c.model.evaluate(std::nextafter(c.model.crown, 0.0));
    EXPECT_LT(Relative(full.area, nearlyFull.w), kRelativeTolerance) << c.name;
    EXPECT_LT(Relative(full.perimeter, nearlyFull.x), kRelativeTolerance) << c.name;
  }
}

// The crown and the full-section discharge of the model are the very numbers the
// windows test against: the depth window searches at Q = Qmax and prints its
// capacity block, with that Qmax, one step above; the discharge window refuses the
// crown and computes one step below it.
template <class Definition>
void CheckLimits(const char* family, std::string_view capacityLabel) {
  using Inputs = typename Definition::Inputs;
  int checked = 0;
  for (const double f : {kInverted, kFlat}) {
    const Inputs sections[] = {{f, 1, 180, 2, 30, 2, kN, kD, 1.0},
                               {f, 2, 120, 3, 25, 4, 0.025, 500, 1.0},
                               {f, 1, 90, 1, 90, 1, kN, kD, 1.0},
                               {f, 1.5, 120, 2.5, 60, 3, 0.017, 2000, 1.0}};
    for (const Inputs& in : sections) {
      const auto model = FamilyModel<Definition>(in);
      if (!model) continue;  // not every shape is one of both families
      ++checked;
      const std::string name =
          std::string(family) + " R1=" + std::to_string(in.r1) + " F=" + std::to_string(f);
      ASSERT_TRUE(model->fullSectionDischarge.has_value()) << name;
      const double qmax = *model->fullSectionDischarge;

      Inputs at = in;
      at.value = qmax;
      ResultPane pane;
      EXPECT_EQ(PressOutcomeOf<Definition>(CalculationKind::Depth, at, pane), PressOutcome::Report)
          << name;
      at.value = std::nextafter(qmax, std::numeric_limits<double>::infinity());
      ResultPane over;
      EXPECT_EQ(PressOutcomeOf<Definition>(CalculationKind::Depth, at, over),
                PressOutcome::Capacity)
          << name;
      ASSERT_EQ(over.Lines().size(), 4u) << name;
      EXPECT_EQ(over.Lines()[2], std::string(capacityLabel) + NumberText(qmax)) << name;

      at.value = model->crown;
      ResultPane atCrown;
      EXPECT_EQ(PressOutcomeOf<Definition>(CalculationKind::Discharge, at, atCrown),
                PressOutcome::DepthTooGreat)
          << name;
      at.value = std::nextafter(model->crown, 0.0);
      ResultPane below;
      EXPECT_EQ(PressOutcomeOf<Definition>(CalculationKind::Discharge, at, below),
                PressOutcome::Report)
          << name;
    }
  }
  EXPECT_EQ(checked, 6) << family;  // three of the shapes, each with both floors
}

TEST(ArchTunnelModel, CrownAndFullSectionDischargeAreTheWindowsOwn) {
  CheckLimits<HorseshoeTunnel::Definition>("horseshoe", "此断面最大过流量为Q1=");
  CheckLimits<ThreeCentredArchTunnel::Definition>("three-centred", "该断面最大过流能力Q1=");
  // The worked horseshoe carries about 5.19233 m³/s full.
  const auto worked =
      FamilyModel<HorseshoeTunnel::Definition>(Horseshoe(kInverted, 1, 180, 2, 30, 2));
  ASSERT_TRUE(worked.has_value());
  EXPECT_NEAR(*worked->fullSectionDischarge, 5.19233, 5e-6);
  EXPECT_NEAR(worked->crown, 2.13879, 5e-6);
}

// Inputs the windows refuse give no section to draw or rate.
TEST(ArchTunnelModel, NoModelForRefusedInputs) {
  const HorseshoeTunnel::Inputs horseshoe[] = {
      Horseshoe(2, 1, 180, 2, 30, 2),     // floor type out of range
      Horseshoe(-1, 1, 180, 2, 30, 2),    // floor type out of range
      Horseshoe(0, 0, 180, 2, 30, 2),     // no roof radius
      Horseshoe(0, 1, 180, 2, 30, 0),     // no bottom radius, needed by both floors
      Horseshoe(1, 1, 180, 2, 30, 2, 0),  // no discharge or depth
      Horseshoe(0, 1, 180, 2, 70, 2),     // side arcs leave no bottom chord
      Horseshoe(0, 1, 180, 2, 30, 0.7),   // bottom arc cannot span the chord
      Horseshoe(0, 1, 200, 2, 30, 2),     // roof folds under its chord
  };
  for (const auto& in : horseshoe) {
    ResultPane pane;
    EXPECT_NE(PressOutcomeOf<HorseshoeTunnel::Definition>(CalculationKind::Discharge, in, pane),
              PressOutcome::Report);
    EXPECT_FALSE(FamilyModel<HorseshoeTunnel::Definition>(in).has_value())
        << in.f << " " << in.a2 << " " << in.r3;
  }
  const ThreeCentredArchTunnel::Inputs threeCentred[] = {
      ThreeCentred(2, 2, 120, 1, 80, 3),    // floor type out of range
      ThreeCentred(0, 2, 120, 0, 80, 3),    // no side radius
      ThreeCentred(1, 2, 120, 1, 80, 0),    // no bottom radius, needed by both floors
      ThreeCentred(0, 2, 120, 1, 20, 3),    // side arches end above their centres
      ThreeCentred(0, 2, 120, 1, 80, 1.5),  // bottom arch cannot span the side arches
      ThreeCentred(0, 2, 190, 1, 80, 3),    // top arch folds under its chord
  };
  for (const auto& in : threeCentred) {
    ResultPane pane;
    EXPECT_NE(
        PressOutcomeOf<ThreeCentredArchTunnel::Definition>(CalculationKind::Discharge, in, pane),
        PressOutcome::Report);
    EXPECT_FALSE(FamilyModel<ThreeCentredArchTunnel::Definition>(in).has_value())
        << in.f << " " << in.a2 << " " << in.r3;
  }
}

}  // namespace
}  // namespace tarnwick
