#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "core/BracketRoot.h"

namespace tarnwick {
namespace {

using Function = std::function<double(double)>;

RootResult Solve(const Function& f, double lo, double hi, RootControl control) {
  return BracketRoot(f, {lo, f(lo)}, {hi, f(hi)}, control);
}

TEST(BracketRoot, FindsKnownRootsInFewEvaluations) {
  struct Case {
    const char* name;
    Function f;
    double lo, hi, root;
    int maxEvaluations;  // bisection would need about 40 for this accuracy
  };
  const Case cases[] = {
      {"x^2 - 2", [](double x) { return x * x - 2.0; }, 0.0, 2.0, std::sqrt(2.0), 8},
      {"cos x - x", [](double x) { return std::cos(x) - x; }, 0.0, 1.0, 0.7390851332151607, 8},
      {"1/x - 0.5", [](double x) { return 1.0 / x - 0.5; }, 1.0, 10.0, 2.0, 12},
      {"e^x / 1e6 - 1", [](double x) { return std::exp(x) / 1e6 - 1.0; }, 0.0, 20.0, std::log(1e6),
       16},
      {"(x - 1)^3, flat at its root", [](double x) { return std::pow(x - 1.0, 3); }, -2.0, 3.0, 1.0,
       45},
      {"root at the upper end", [](double x) { return x - 3.0; }, 0.0, 3.0, 3.0, 0},
  };
  for (const Case& c : cases) {
    const RootResult r = Solve(c.f, c.lo, c.hi, {1e-12, 0.0, 200});
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(r.converged);
    EXPECT_LT(std::abs(r.best.f), 1e-12);
    EXPECT_EQ(r.best.f, c.f(r.best.x));
    EXPECT_NEAR(r.best.x, c.root, 1e-4);
    EXPECT_LE(r.evaluations, c.maxEvaluations);
  }
}

// A loose tolerance stops early; with no tolerance the bracket closes to the
// width asked for, its two ends on either side of the root.
TEST(BracketRoot, StopsOnTheValueOrOnTheBracketWidth) {
  const Function f = [](double x) { return x * x * x - 10.0; };
  const RootResult loose = Solve(f, 0.0, 5.0, {0.5, 0.0, 200});
  const RootResult tight = Solve(f, 0.0, 5.0, {1e-13, 0.0, 200});
  EXPECT_TRUE(loose.converged);
  EXPECT_LT(std::abs(loose.best.f), 0.5);
  EXPECT_LT(loose.evaluations, tight.evaluations);
  const RootResult closed = Solve(f, 0.0, 5.0, {0.0, 1e-9, 200});
  EXPECT_FALSE(closed.converged);
  EXPECT_LE(std::abs(closed.best.x - closed.other.x), 1e-9);
  EXPECT_LT(std::min(closed.best.x, closed.other.x), std::cbrt(10.0) + 1e-15);
  EXPECT_GT(std::max(closed.best.x, closed.other.x), std::cbrt(10.0) - 1e-15);
  EXPECT_LT(closed.best.f * closed.other.f, 0.0);
  const RootResult capped = Solve(f, 0.0, 5.0, {0.0, 0.0, 3});
  EXPECT_EQ(capped.evaluations, 3);
}

TEST(BracketRoot, UndefinedValueEndsTheSearchUnconverged) {
  const Function f = [](double x) {
    return x > 0.4 && x < 0.6 ? std::numeric_limits<double>::quiet_NaN() : x - 0.5;
  };
  const RootResult r = Solve(f, 0.0, 1.0, {});
  EXPECT_FALSE(r.converged);
  EXPECT_GE(r.evaluations, 1);
}

// Every zero of sin on [0, 10]: one on a sample, three between samples; a jump
// across zero and a sign change beside an undefined sample are no roots.
TEST(RootsOfSamples, FindsEverySignChangeAndSampleOnZero) {
  const Function f = [](double x) {
    if (x > 10.2 && x < 10.6) return std::numeric_limits<double>::quiet_NaN();
    if (x >= 10.0) return x < 10.75 ? -1.0 : (x < 11.25 ? 1.0 : -1.0);  // jump at 11.25
    return std::sin(x);
  };
  std::vector<RootSample> samples;
  for (double x = 0.0; x <= 12.0; x += 0.5) samples.push_back({x, f(x)});
  samples.push_back({12.5, 0.0});
  samples.push_back({13.0, 0.0});  // a run of zeros counts once
  const std::vector<RootResult> roots = RootsOfSamples(f, samples, {1e-10, 0.0, 200});
  std::vector<double> found;
  for (const RootResult& r : roots) {
    if (std::abs(r.best.f) < 1e-10) found.push_back(r.best.x);
  }
  const double pi = std::acos(-1.0);
  const std::vector<double> expected = {0.0, pi, 2.0 * pi, 3.0 * pi, 12.5};
  ASSERT_EQ(found.size(), expected.size());
  for (size_t k = 0; k < found.size(); ++k) EXPECT_NEAR(found[k], expected[k], 1e-9) << k;
  ASSERT_EQ(roots.size(), expected.size() + 1);  // the jump closes unconverged
  EXPECT_FALSE(roots[4].converged);
  EXPECT_NEAR(roots[4].best.x, 11.25, 1e-12);
}

}  // namespace
}  // namespace tarnwick
