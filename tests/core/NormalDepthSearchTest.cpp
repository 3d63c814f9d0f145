#include <gtest/gtest.h>

#include "core/ManningFlow.h"
#include "core/NormalDepthSearch.h"

namespace tarnwick {
namespace {

struct LinearState {
  double h = 0.0;
  double q1 = 0.0;
};

// Q1 = h: the bracket halves towards Q, which makes the passes easy to count.
LinearState Linear(double h) { return {h, h}; }

TEST(NormalDepthSearch, StopsAtTheFirstPassWithinTolerance) {
  struct Case {
    double q;
    int passes;
    double h;
  };
  const Case cases[] = {
      {500.0, 1, 500.0},  // exact hit at the first midpoint: |Q1 - Q| = 0
      {250.0, 2, 250.0},
      {750.0, 2, 750.0},
      {500.00009, 1, 500.0},  // within 0.0001 counts
  };
  for (const Case& c : cases) {
    const auto r = NormalDepthSearch(c.q, DepthBracket{}, Linear);
    EXPECT_TRUE(r.converged);
    EXPECT_EQ(r.passes, c.passes) << c.q;
    EXPECT_DOUBLE_EQ(r.state.h, c.h);
  }
}

TEST(NormalDepthSearch, ReportsTheLastMidpointWhenPassesRunOut) {
  int calls = 0;
  const auto r = NormalDepthSearch(5000.0, DepthBracket{0.0, 1000.0}, [&](double h) {
    ++calls;
    return Linear(h);
  });
  EXPECT_FALSE(r.converged);
  EXPECT_EQ(r.passes, 1000);
  EXPECT_EQ(calls, 1000);
  EXPECT_EQ(r.state.h, 1000.0);  // the bracket closes on its upper bound
  EXPECT_EQ(r.state.q1, 1000.0);
}

TEST(NormalDepthSearch, HonoursBracketAndControl) {
  const auto r = NormalDepthSearch(3.0, DepthBracket{0.0, 4.0}, Linear, SearchControl{0.5, 10});
  EXPECT_EQ(r.passes, 2);  // 2, then 3
  EXPECT_DOUBLE_EQ(r.state.h, 3.0);
  const auto capped =
      NormalDepthSearch(3.1, DepthBracket{0.0, 4.0}, Linear, SearchControl{1e-9, 3});
  EXPECT_EQ(capped.passes, 3);
  EXPECT_FALSE(capped.converged);
  EXPECT_DOUBLE_EQ(capped.state.h, 3.5);  // midpoints 2, 3, 3.5
}

// The search that decides passes without evaluating them stops where the plain
// bisection stops, on the same state, and evaluates far less often.
TEST(NormalDepthSearch, RisingSearchIsThePlainBisection) {
  struct Case {
    double q;
    int maxPasses;
    int mostEvaluations;
  };
  const Case cases[] = {
      {500.0, 1000, 8},      // the first midpoint is the root
      {500.00009, 1000, 8},  // within the tolerance at once
      {3.7, 1000, 8},
      {1e-4, 1000, 30},  // the band lies at the invert
      {0.0, 1000, 30},
      {5000.0, 1000, 1002},  // above the bracket: every pass runs out, each evaluated
      {3.1, 3, 8},           // passes run out before the root
  };
  for (const Case& c : cases) {
    int evaluations = 0;
    const auto counted = [&](double h) {
      ++evaluations;
      return Linear(h);
    };
    const SearchControl control{kDischargeTolerance, c.maxPasses};
    const auto plain = NormalDepthSearch(c.q, DepthBracket{}, Linear, control);
    const auto rising = RisingNormalDepthSearch(c.q, DepthBracket{}, counted, control);
    EXPECT_EQ(rising.passes, plain.passes) << c.q;
    EXPECT_EQ(rising.converged, plain.converged) << c.q;
    EXPECT_EQ(rising.state.h, plain.state.h) << c.q;
    EXPECT_LE(evaluations, c.mostEvaluations) << c.q;
  }
}

TEST(ManningFlow, RelationsOfAKnownSection) {
  // Trapezoid B = 2, M = 1.5 at h = 1.5: W = 6.375, X = 2 + sqrt(3.25) * 3.
  const double x = 2.0 + std::sqrt(3.25) * 3.0;
  const ManningFlowResult f = ManningFlow(6.375, x, 0.025, 0.001);
  EXPECT_NEAR(f.rs, 0.86052, 5e-6);
  EXPECT_NEAR(f.v, 1.14437, 5e-6);
  EXPECT_NEAR(f.q1, 7.29536, 5e-6);
  EXPECT_DOUBLE_EQ(f.c, std::pow(f.rs, 1.0 / 6.0) / 0.025);
  const ManningFlowResult g = ManningFlow(6.375, x, 0.025, 0.001, DischargeForm::AreaVelocity);
  EXPECT_EQ(g.q1, 6.375 * g.v);
  EXPECT_NEAR(SpecificEnergy(1.5, f.v), 1.56675, 5e-6);
}

}  // namespace
}  // namespace tarnwick
