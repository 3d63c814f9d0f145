// Critical and sequent depths of the profile engine against the closed forms of
// a rectangular channel: hc = (q²/g)^(1/3), and Bélanger's sequent depth
// h₂ = h₁/2·(√(1 + 8·Fr₁²) − 1) (Chow, Open-Channel Hydraulics, eq. 15-4),
// which the momentum function of any section must reproduce for a rectangle.
#include <gtest/gtest.h>

#include <cmath>

#include "core/GraduallyVariedFlow.h"
#include "core/Hydraulics.h"

namespace tarnwick {
namespace {

TEST(GraduallyVariedFlow, CriticalAndSequentDepthsOfRectangles) {
  struct Row {
    double width, q, h1;
  };
  const Row rows[] = {{3.0, 4.0, 0.3},
                      {1000.0, 3600.0, 0.6},
                      {10.0, 175.58, 5.0},
                      {0.5, 0.02, 0.01},
                      {20.0, 400.0, 8.0}};
  for (const Row& r : rows) {
    const auto evaluate = [&](double h) {
      return FlowState(h, r.width * h, r.width + 2.0 * h, r.width, 0.014, 0.001);
    };
    const double unit = r.q / r.width;
    const double hc = std::cbrt(unit * unit / kGravity);
    const std::vector<double> found = CriticalDepths(evaluate, {}, r.q, 20.0 * hc);
    ASSERT_EQ(found.size(), 1u) << r.width;
    EXPECT_NEAR(found[0], hc, 1e-9 * hc);
    const double fr2 = unit * unit / (kGravity * r.h1 * r.h1 * r.h1);
    const double belanger = r.h1 / 2.0 * (std::sqrt(1.0 + 8.0 * fr2) - 1.0);
    const std::optional<double> h2 = SequentDepth(evaluate, r.q, r.h1, hc, 100.0 * hc);
    ASSERT_TRUE(h2.has_value()) << r.width;
    EXPECT_NEAR(*h2, belanger, 1e-7 * belanger) << r.width << " " << r.h1;
  }
}

}  // namespace
}  // namespace tarnwick
