#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "core/CriticalFlow.h"
#include "core/OutlineGeometry.h"
#include "core/RatingTable.h"
#include "sections/FlatBottomChannel.h"

namespace tarnwick {
namespace {

TEST(WettingBelow, MeasuresOpenAndClosedBoundaries) {
  struct Case {
    const char* name;
    Outline outline;
    double level;
    double area;
    double perimeter;
    double width;
  };
  const double pi = std::acos(-1.0);
  Outline circle = ArcPoints(0.0, 1.0, 1.0, pi / 2.0, pi / 2.0 + 2.0 * pi, 4096);
  const Case cases[] = {
      {"rectangle", {{-1, 3}, {-1, 0}, {1, 0}, {1, 3}}, 1.5, 3.0, 5.0, 2.0},
      {"triangle", {{-2, 2}, {0, 0}, {2, 2}}, 1.0, 1.0, 2.0 * std::sqrt(2.0), 2.0},
      {"dry", {{-1, 3}, {-1, 0}, {1, 0}, {1, 3}}, 0.0, 0.0, 0.0, 0.0},
      {"half circle", circle, 1.0, pi / 2.0, pi, 2.0},
      {"full circle", circle, 2.5, pi, 2.0 * pi, 0.0},
  };
  for (const Case& c : cases) {
    const OutlineWetting w = WettingBelow(c.outline, c.level);
    EXPECT_NEAR(w.area, c.area, 1e-5) << c.name;
    EXPECT_NEAR(w.perimeter, c.perimeter, 1e-5) << c.name;
    EXPECT_NEAR(w.surfaceWidth, c.width, 1e-5) << c.name;
  }
}

TEST(CriticalFlow, RectangleCriticalDepthAndFroude) {
  // For a rectangle yc = (Q²/(g·B²))^(1/3), whatever roughness and slope.
  struct Case {
    double b;
    double q;
  };
  for (const Case c : {Case{3.0, 4.0}, Case{2.0, 5.0}, Case{0.5, 0.01}, Case{10.0, 300.0}}) {
    const auto model = FamilyModel<FlatBottomChannel::Definition>({c.b, 0.0, 0.014, 2500, c.q});
    ASSERT_TRUE(model.has_value());
    const auto yc = CriticalDepth(c.q, 1000.0, model->evaluate);
    ASSERT_TRUE(yc.has_value());
    const double expected = std::cbrt(c.q * c.q / (9.810001 * c.b * c.b));
    EXPECT_NEAR(*yc, expected, 1e-6) << c.b << " " << c.q;
    SectionState atCritical = model->evaluate(*yc);
    atCritical.v = c.q / atCritical.w;
    EXPECT_NEAR(FroudeNumber(atCritical), 1.0, 1e-6);
  }
}

TEST(CriticalFlow, FroudeNumberAndRegime) {
  const auto model = FamilyModel<FlatBottomChannel::Definition>({2, 1.5, 0.025, 1000, 5});
  ASSERT_TRUE(model.has_value());
  const auto yc = CriticalDepth(5.0, 1000.0, model->evaluate);
  ASSERT_TRUE(yc.has_value());
  SectionState atCritical = model->evaluate(*yc);
  atCritical.v = 5.0 / atCritical.w;  // the design discharge flowing at that depth
  EXPECT_NEAR(FroudeNumber(atCritical), 1.0, 1e-6);
  EXPECT_EQ(FlowRegime(FroudeNumber(atCritical)), "临界流");
  // The worked normal depth 1.24598 lies above critical depth: mild slope.
  const SectionState normal = model->evaluate(1.2459754943847656);
  EXPECT_LT(*yc, normal.h);
  EXPECT_EQ(FlowRegime(FroudeNumber(normal)), "缓流");
  EXPECT_EQ(FlowRegime(1.8), "急流");
  // One band for the drawing, the checks and the case table: within 0.01 of 1.
  for (const auto& [fr, regime] : {std::pair{1.009, "临界流"}, std::pair{0.991, "临界流"},
                                   std::pair{1.011, "急流"}, std::pair{0.989, "缓流"}}) {
    EXPECT_EQ(FlowRegime(fr), std::string_view(regime)) << fr;
  }
  EXPECT_FALSE(CriticalDepth(0.0, 10.0, model->evaluate).has_value());
}

TEST(RatingTable, RowsEqualTheDischargeEvaluation) {
  const auto model = FamilyModel<FlatBottomChannel::Definition>({2, 1.5, 0.025, 1000, 5});
  ASSERT_TRUE(model.has_value());
  const std::string csv = RatingCsv(RatingDepths(3.0, 2), model->evaluate);
  std::istringstream lines(csv);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(
      line,
      "depth,area,perimeter,hydraulic_radius,velocity,discharge,surface_width,specific_energy");
  int rows = 0;
  for (const double h : {1.5, 3.0}) {
    ASSERT_TRUE(std::getline(lines, line));
    ++rows;
    std::vector<double> v;
    std::istringstream fields(line);
    for (std::string f; std::getline(fields, f, ',');) v.push_back(std::stod(f));
    ASSERT_EQ(v.size(), 8u);
    const SectionState s = model->evaluate(h);
    const double expected[] = {h, s.w, s.x, s.rs, s.v, s.q1, s.surfaceWidth, s.e};
    for (size_t k = 0; k < 8; ++k) EXPECT_NEAR(v[k], expected[k], 1e-11 * std::fabs(expected[k]));
  }
  EXPECT_EQ(rows, 2);
  EXPECT_FALSE(std::getline(lines, line));
  // The discharge window's worked case at h = 1.5: W 6.375, X 7.40833, Q1 7.29536.
  EXPECT_NE(csv.find("\n1.5,6.375,7.40832"), std::string::npos);
  EXPECT_NE(csv.find(",7.29536"), std::string::npos);
}

}  // namespace
}  // namespace tarnwick
