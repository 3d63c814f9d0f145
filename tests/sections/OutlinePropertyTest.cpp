// The drawn boundary of every section must hold the same water as the closed-form
// geometry the calculators use: wetted area, wetted perimeter and surface width
// measured on the outline agree with W, X and B1 of the model's evaluation at the
// same depth. This checks both sides independently — a wrong outline and a wrong
// formula both show up — and above all at the depths where a calculator switches
// between its formulas (arc chord, top of a semicircle, bank tops), where a wrong
// branch or a wrong constant would open a step.
//
// Each row is built by a small factory: a name, the model of typed inputs and the
// depths to check. New shapes are added as new factories in Rows().
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "core/OutlineGeometry.h"
#include "sections/ArcBottomChannel.h"
#include "sections/CompoundChannel.h"
#include "sections/FlatBottomChannel.h"
#include "sections/ParabolicChannel.h"
#include "sections/UChannel.h"

namespace tarnwick {
namespace {

struct OutlineCase {
  std::string name;
  std::optional<SectionModel> model;
  std::vector<double> depths;
  // Largest relative disagreement allowed: drawing accuracy unless a row asks
  // for more.
  double tolerance = 1e-4;
};

// Straight-sided boundaries measure exactly, up to rounding.
constexpr double kPolygon = 1e-12;
// Arcs are drawn as chords; the sliver between chord and arc is largest, relative
// to the water, at the shallowest depths checked (2% of the arc's depth).
constexpr double kDenseArc = 2e-5;

// Relative step that puts a depth just below or just above a zone boundary.
constexpr double kHair = 1e-7;

// Depths spread over (0, top], and for every zone boundary: the boundary itself,
// a hair below and above it, and two depths well inside the zone below it.
std::vector<double> Depths(double top, std::initializer_list<double> boundaries = {}) {
  std::vector<double> depths;
  constexpr int kSpread = 24;
  for (int k = 1; k <= kSpread; ++k) depths.push_back(top * k / kSpread);
  for (const double b : boundaries) {
    for (const double d : {b * 0.02, b * 0.1, b * 0.5, b * (1.0 - kHair), b, b * (1.0 + kHair)}) {
      depths.push_back(d);
    }
  }
  std::sort(depths.begin(), depths.end());
  return depths;
}

OutlineCase FlatTrapezoid() {
  return {"flat-bottom trapezoid",
          FamilyModel<FlatBottomChannel::Definition>({2, 1.5, 0.025, 1000, 5}), Depths(3),
          kPolygon};
}

OutlineCase FlatRectangle() {
  return {"flat-bottom rectangle",
          FamilyModel<FlatBottomChannel::Definition>({3, 0, 0.014, 2500, 4}), Depths(2.5),
          kPolygon};
}

OutlineCase ArcTrapezoid(double r, double m) {
  const double chord = ArcBottomChannel::TrapezoidalSection(r, m).h1;
  return {"arc-bottom trapezoid R=" + std::to_string(r) + " M=" + std::to_string(m),
          FamilyModel<ArcBottomChannel::Definition>({r, m, 0.025, 1000, 5, 0}),
          Depths(3 * r, {chord}), kDenseArc};
}

OutlineCase ArcRectangle(double r, double b) {
  const double chord = ArcBottomChannel::RectangularSection(r, b).h1;
  return {"arc-bottom rectangle R=" + std::to_string(r) + " B=" + std::to_string(b),
          FamilyModel<ArcBottomChannel::Definition>({r, 0, 0.014, 2500, 4, b}),
          Depths(3 * r, {chord}), kDenseArc};
}

OutlineCase UShaped(double r) {
  return {"U-shaped R=" + std::to_string(r), FamilyModel<UChannel::Definition>({r, 0.014, 2000, 3}),
          Depths(3 * r, {r}), kDenseArc};
}

// The bed is drawn with even chords across the width: their sliver of water
// shrinks with the square of the chord, held to the dense-arc accuracy.
OutlineCase Parabolic(double p, double top) {
  return {"parabolic p=" + std::to_string(p),
          FamilyModel<ParabolicChannel::Definition>({p, 0.014, 1000, 2}), Depths(top), kDenseArc};
}

OutlineCase Compound(std::string name, const CompoundChannel::Section& s) {
  return {"compound " + name, FamilyModel<CompoundChannel::Definition>({s, 2000, 60}),
          Depths(3 * s.h1, {s.h1}), kPolygon};
}

std::vector<OutlineCase> Rows() {
  return {
      FlatTrapezoid(),
      FlatRectangle(),
      ArcTrapezoid(2, 1.5),
      ArcTrapezoid(1, 0.3),  // steep walls: a deep arc of 146 degrees
      ArcRectangle(2, 3),
      ArcRectangle(1, 1.98),  // nearly a semicircle
      UShaped(1),
      UShaped(0.35),
      Parabolic(1, 3),
      Parabolic(0.2, 10),  // narrow and deep: 0.4 m wide per metre of depth at the top
      Parabolic(40, 1),    // wide and shallow: 18 m wide per metre of depth
      Compound("two plains", {4, 1.5, 2, 0.025, 10, 2, 0.035, 8, 2.5, 0.04}),
      Compound("left plain B2=0", {4, 1.5, 2, 0.025, 0, 2, 0.035, 8, 2.5, 0.04}),
      Compound("left plain a vertical wall", {4, 1.5, 2, 0.025, 0, 0, 0.035, 8, 2.5, 0.04}),
      Compound("rectangular main channel", {3, 0, 1.2, 0.02, 6, 1, 0.03, 0, 3, 0.03}),
  };
}

double Relative(double measured, double closedForm) {
  return std::fabs(measured - closedForm) / std::fabs(closedForm);
}

TEST(SectionOutline, WettedGeometryOnTheDrawingMatchesTheClosedForm) {
  for (const OutlineCase& row : Rows()) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(row.model.has_value());
    EXPECT_FALSE(row.model->IsTunnel());
    const double drawnTop = 1.25 * row.depths.back();
    const Outline drawn = row.model->outline(drawnTop);
    ASSERT_GE(drawn.size(), 3u);
    double worst = 0.0;
    for (const double h : row.depths) {
      SCOPED_TRACE("h=" + std::to_string(h));
      const SectionState closed = row.model->evaluate(h);
      ASSERT_GT(closed.w, 0.0);
      // The walls drawn well above the water, and drawn exactly to the water line:
      // the wetted part must not depend on how high the walls are drawn.
      for (const Outline& outline : {drawn, row.model->outline(h)}) {
        const OutlineWetting wet = WettingBelow(outline, h);
        const double errors[] = {Relative(wet.area, closed.w), Relative(wet.perimeter, closed.x),
                                 Relative(wet.surfaceWidth, closed.surfaceWidth)};
        EXPECT_LE(errors[0], row.tolerance) << "area " << wet.area << " vs " << closed.w;
        EXPECT_LE(errors[1], row.tolerance) << "perimeter " << wet.perimeter << " vs " << closed.x;
        EXPECT_LE(errors[2], row.tolerance)
            << "surface width " << wet.surfaceWidth << " vs " << closed.surfaceWidth;
        for (const double e : errors) worst = std::max(worst, e);
      }
    }
    std::printf("[ outline  ] %-45s largest relative disagreement %.3g\n", row.name.c_str(), worst);
  }
}

// Walls drawn to a level below the zone boundary: the arc or the main channel is
// still drawn whole, from bank top to bank top, and the outline starts and ends
// at the same height.
TEST(SectionOutline, LowDrawingLevelKeepsTheWholeBed) {
  struct Case {
    std::string name;
    std::optional<SectionModel> model;
    double top;         // drawing level, below the boundary
    double edgeHeight;  // where the drawn boundary must end on either side
    double edgeX;       // half the width there
  };
  const auto arc = ArcBottomChannel::TrapezoidalSection(2, 1.5);
  const Case cases[] = {
      {"arc trapezoid", FamilyModel<ArcBottomChannel::Definition>({2, 1.5, 0.025, 1000, 5, 0}), 0.1,
       arc.h1, arc.b / 2},
      {"U", FamilyModel<UChannel::Definition>({1, 0.014, 2000, 3}), 0.5, 1.0, 1.0},
      // Flood plains 10 and 8 wide beside a main channel 4 + 2 × 1.5 × 2 wide at
      // its bank tops: the boundary ends at the outer edges of the plains.
      {"compound",
       FamilyModel<CompoundChannel::Definition>(
           {{4, 1.5, 2, 0.025, 10, 2, 0.035, 8, 2.5, 0.04}, 2000, 60}),
       1.0, 2.0, 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(c.model.has_value());
    const Outline o = c.model->outline(c.top);
    EXPECT_DOUBLE_EQ(o.front().y, c.edgeHeight);
    EXPECT_DOUBLE_EQ(o.back().y, c.edgeHeight);
    if (c.edgeX > 0) {
      EXPECT_NEAR(o.front().x, -c.edgeX, 1e-12);
      EXPECT_NEAR(o.back().x, c.edgeX, 1e-12);
    } else {
      EXPECT_DOUBLE_EQ(o.front().x, -(5.0 + 10.0));
      EXPECT_DOUBLE_EQ(o.back().x, 5.0 + 8.0);
    }
    const auto lowest = std::min_element(o.begin(), o.end(),
                                         [](const auto& a, const auto& b) { return a.y < b.y; });
    EXPECT_NEAR(lowest->y, 0.0, 1e-12);
  }
}

}  // namespace
}  // namespace tarnwick
