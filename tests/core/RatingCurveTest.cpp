// The stage–discharge curve: it starts dry at depth 0, leaves out depths whose
// discharge is not a number, and reads the discharge at any depth between its
// points by linear interpolation.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "core/RatingTable.h"

namespace tarnwick {
namespace {

// A section whose discharge is h² (and not a number above 3 m).
SectionState Square(double h) {
  SectionState s;
  s.h = h;
  s.q1 = h > 3.0 ? std::numeric_limits<double>::quiet_NaN() : h * h;
  return s;
}

TEST(RatingCurve, StartsDryAndSkipsNonFiniteDischarges) {
  const std::vector<RatingPoint> curve = RatingCurve({1.0, 2.0, 3.0, 4.0}, Square);
  ASSERT_EQ(curve.size(), 4u);
  EXPECT_EQ(curve[0].depth, 0.0);
  EXPECT_EQ(curve[0].discharge, 0.0);
  EXPECT_EQ(curve[1].discharge, 1.0);
  EXPECT_EQ(curve[2].discharge, 4.0);
  EXPECT_EQ(curve[3].depth, 3.0);
  EXPECT_EQ(curve[3].discharge, 9.0);
}

TEST(RatingCurve, DischargeAtDepth) {
  const std::vector<RatingPoint> curve = RatingCurve(RatingDepths(3.0, 3), Square);
  const struct {
    double depth;
    std::optional<double> discharge;
  } cases[] = {
      {0.0, 0.0},              // dry bed
      {0.5, 0.5},              // between (0, 0) and (1, 1)
      {1.0, 1.0},              // on a point
      {1.25, 1.75},            // a quarter of the way from (1, 1) to (2, 4)
      {2.5, 6.5},              // halfway from (2, 4) to (3, 9)
      {3.0, 9.0},              // top of the curve
      {3.0001, std::nullopt},  // above the curve
      {-0.1, std::nullopt},    // below the bed
      {std::nan(""), std::nullopt},
  };
  for (const auto& c : cases) {
    const std::optional<double> q = DischargeAtDepth(curve, c.depth);
    ASSERT_EQ(q.has_value(), c.discharge.has_value()) << c.depth;
    if (q) {
      EXPECT_DOUBLE_EQ(*q, *c.discharge) << c.depth;
    }
  }
  EXPECT_FALSE(DischargeAtDepth({}, 0.0).has_value());
}

}  // namespace
}  // namespace tarnwick
