#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/Hydraulics.h"
#include "sections/SectionDrawing.h"

namespace tarnwick {
namespace {

double ShoelaceArea(const Outline& polygon) {
  double twice = 0.0;
  for (size_t k = 0; k < polygon.size(); ++k) {
    const OutlinePoint& p = polygon[k];
    const OutlinePoint& q = polygon[(k + 1) % polygon.size()];
    twice += p.x * q.y - q.x * p.y;
  }
  return std::fabs(twice) / 2.0;
}

SectionDrawing DrawingFor(const char* window, const std::vector<std::string>& boxes) {
  const WindowSpec* w = FindWindow(window);
  EXPECT_NE(w, nullptr);
  const auto c = CaseOf(*w, boxes);
  EXPECT_TRUE(c.has_value()) << window;
  return DrawingOf(*c);
}

// Flat-bottom rectangle 2 m wide carrying 5 m³/s: the critical depth has the
// closed form (Q²/(g·B²))^(1/3), the walls stand 1.3 h high, the floor is the bed.
TEST(SectionDrawing, RectangleWorkedCase) {
  const SectionDrawing d = DrawingFor("Form21", {"2", "0", "0.025", "1000", "5"});
  ASSERT_TRUE(d.criticalDepth.has_value());
  const double hc = std::cbrt(5.0 * 5.0 / (kGravity * 2.0 * 2.0));
  EXPECT_NEAR(*d.criticalDepth, hc, 1e-6);
  EXPECT_FALSE(d.tunnel);
  EXPECT_FALSE(d.wholeSection);
  EXPECT_DOUBLE_EQ(d.left, -1.0);
  EXPECT_DOUBLE_EQ(d.right, 1.0);
  EXPECT_DOUBLE_EQ(d.floorWidth, 2.0);
  EXPECT_DOUBLE_EQ(d.top, kDrawnFreeboardRatio * d.level);
  EXPECT_DOUBLE_EQ(d.surfaceWidth, 2.0);
  // Froude number of a rectangle: V/sqrt(g·h).
  EXPECT_NEAR(d.froude, d.velocity / std::sqrt(kGravity * d.level), 1e-12);
  EXPECT_EQ(d.regime, d.level > hc ? "缓流" : "急流");
  // The water polygon is the 2 m × h rectangle, ends on the water line.
  EXPECT_NEAR(ShoelaceArea(d.water), 2.0 * d.level, 1e-12);
  EXPECT_DOUBLE_EQ(d.water.front().y, d.level);
  EXPECT_DOUBLE_EQ(d.water.back().y, d.level);
}

// Every family: the shaded water has the area the calculator computed, the
// regime agrees with the depth's side of critical depth, the drawing reaches the
// crown of a tunnel.
TEST(SectionDrawing, WaterAreaAndRegimeAgreeWithTheCase) {
  const struct {
    const char* window;
    std::vector<std::string> boxes;
  } cases[] = {
      {"Form21", {"2", "1.5", "0.025", "1000", "5"}},
      {"Form32", {"2", "1.5", "0.005", "10", "1.5"}},  // steep: supercritical
      {"Form2", {"2", "1.5", "0.025", "1000", "5"}},
      {"Form22", {"1", "0.014", "2000", "3"}},
      {"Form11", {"4", "1.5", "2", "0.025", "10", "2", "0.035", "8", "2.5", "0.04", "2000", "60"}},
      // Rough flood plains: supercritical as a compound section (Fc = 1.48).
      {"Form12", {"5.3", "1", "1.7", "0.02", "28", "2", "0.04", "27", "0", "0.03", "200", "2.5"}},
      {"Form23", {"3", "2", "1.7320508", "120", "0", "0.014", "1000", "8"}},
      {"Form24", {"", "1", "0.014", "1000", "1.5"}},
      {"Form35", {"0.8", "1", "0.014", "1000", "0.6"}},
      {"Form25", {"0", "1", "180", "2", "30", "2", "0.014", "1000", "2"}},
      {"Form26", {"0", "1", "90", "1", "90", "1", "0.014", "1000", "2"}},
      {"Form27", {"1", "0.014", "1000", "2"}},
      {"Form28", {"2", "2", "0.014", "1000", "3"}},
  };
  bool sawSupercritical = false;
  for (const auto& c : cases) {
    const WindowSpec* w = FindWindow(c.window);
    const auto sc = CaseOf(*w, c.boxes);
    ASSERT_TRUE(sc.has_value()) << c.window;
    const SectionDrawing d = DrawingOf(*sc);
    EXPECT_NEAR(ShoelaceArea(d.water), sc->state.w, 2e-3 * sc->state.w) << c.window;
    EXPECT_EQ(d.tunnel, sc->model.IsTunnel()) << c.window;
    EXPECT_EQ(d.wholeSection, w->family == Family::CompoundChannel) << c.window;
    if (d.tunnel) {
      EXPECT_NEAR(d.top, sc->model.crown, 1e-9) << c.window;
    } else {
      EXPECT_GE(d.top, kDrawnFreeboardRatio * d.level - 1e-12) << c.window;
    }
    ASSERT_TRUE(d.criticalDepth.has_value()) << c.window;
    EXPECT_EQ(d.regime, d.level > *d.criticalDepth ? "缓流" : "急流") << c.window;
    sawSupercritical = sawSupercritical || d.regime == "急流";
  }
  EXPECT_TRUE(sawSupercritical);
}

// A box culvert whose critical depth lies above its roof draws no critical depth
// (a 2 × 1 m box carrying 9 m³/s: Q²/(g·B²·H³) = 2.06 > 1 at the roof).
TEST(SectionDrawing, NoCriticalDepthAboveTheRoof) {
  EXPECT_GT(9.0 * 9.0 / (kGravity * 2.0 * 2.0 * 1.0), 1.0);
  EXPECT_FALSE(DrawingFor("Form28", {"2", "1", "0.014", "50", "9"}).criticalDepth.has_value());
  EXPECT_TRUE(DrawingFor("Form28", {"2", "1", "0.014", "50", "3"}).criticalDepth.has_value());
}

TEST(SectionDrawing, FloorWidthOfFlatAndCurvedBeds) {
  EXPECT_NEAR(
      DrawingFor("Form23", {"3", "2", "1.7320508", "120", "0", "0.014", "1000", "8"}).floorWidth,
      3.0, 1e-9);
  EXPECT_NEAR(DrawingFor("Form35", {"0.8", "1", "0.014", "1000", "0.6"}).floorWidth, 0.8, 1e-6);
  EXPECT_EQ(DrawingFor("Form22", {"1", "0.014", "2000", "3"}).floorWidth, 0.0);
  EXPECT_EQ(DrawingFor("Form27", {"1", "0.014", "1000", "2"}).floorWidth, 0.0);
  EXPECT_EQ(DrawingFor("Form28", {"2", "2", "0.014", "1000", "3"}).floorWidth, 2.0);
}

TEST(SectionDrawing, WetChainOfADryAndAFullBoundary) {
  const Outline vee = {{-1.0, 1.0}, {0.0, 0.0}, {1.0, 1.0}};
  EXPECT_TRUE(WetChain(vee, 0.0).empty());
  const Outline half = WetChain(vee, 0.5);
  ASSERT_EQ(half.size(), 3u);
  EXPECT_DOUBLE_EQ(half.front().x, -0.5);
  EXPECT_DOUBLE_EQ(half.back().x, 0.5);
  EXPECT_DOUBLE_EQ(ShoelaceArea(half), 0.25);
}

}  // namespace
}  // namespace tarnwick
