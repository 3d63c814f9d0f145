// The depth window and the discharge window of a family must agree: the state the
// search reports at its final depth is exactly what the discharge window prints
// for that depth, and its discharge meets the design discharge.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "sections/ArcBottomChannel.h"
#include "sections/CompoundChannel.h"
#include "sections/FlatBottomChannel.h"
#include "sections/ParabolicChannel.h"
#include "sections/UChannel.h"

namespace tarnwick {
namespace {

struct Outcome {
  SectionState searched;   // reported by the depth search
  SectionState evaluated;  // evaluated once at the searched depth
  bool converged;
};

struct Family {
  std::string name;
  std::function<Outcome(double q)> run;
};

template <class Solve, class Evaluate>
Outcome RoundTrip(Solve solve, Evaluate evaluate, double q) {
  const auto r = solve(q);
  return {r.state, evaluate(r.state.h), r.converged};
}

std::vector<Family> Families() {
  const double d = 2000;
  const double i = 1.0 / d;
  const auto trapezoid = ArcBottomChannel::TrapezoidalSection(2, 1.5);
  const auto rectangle = ArcBottomChannel::RectangularSection(2, 3);
  const UChannel::Section u{1};
  const ParabolicChannel::Section parabola{1};
  const CompoundChannel::Section compound{4, 1.5, 2, 0.025, 10, 2, 0.035, 8, 2.5, 0.04};
  return {
      {"arc-bottom trapezoid",
       [=](double q) {
         return RoundTrip(
             [&](double v) {
               return SolveNormalDepth<ArcBottomChannel::Definition>(
                   trapezoid, {.n = 0.025, .d = d, .value = v});
             },
             [&](double h) { return ArcBottomChannel::Evaluate(trapezoid, 0.025, i, h); }, q);
       }},
      {"arc-bottom rectangle",
       [=](double q) {
         return RoundTrip(
             [&](double v) {
               return SolveNormalDepth<ArcBottomChannel::Definition>(
                   rectangle, {.n = 0.014, .d = d, .value = v});
             },
             [&](double h) { return ArcBottomChannel::Evaluate(rectangle, 0.014, i, h); }, q);
       }},
      {"U-shaped",
       [=](double q) {
         return RoundTrip(
             [&](double v) {
               return SolveNormalDepth<UChannel::Definition>(u, {1, 0.014, d, v});
             },
             [&](double h) { return UChannel::Evaluate(u, 0.014, i, h); }, q);
       }},
      {"parabolic",
       [=](double q) {
         return RoundTrip(
             [&](double v) {
               return SolveNormalDepth<ParabolicChannel::Definition>(parabola, {1, 0.014, d, v});
             },
             [&](double h) { return ParabolicChannel::Evaluate(parabola, 0.014, i, h); }, q);
       }},
      {"compound",
       [=](double q) {
         return RoundTrip(
             [&](double v) {
               return SolveNormalDepth<CompoundChannel::Definition>(compound, {compound, d, v});
             },
             [&](double h) { return CompoundChannel::Evaluate(compound, i, h); }, q);
       }},
  };
}

TEST(OpenChannelRoundTrip, SearchedStateIsTheDischargeWindowsState) {
  // Small discharges keep the water within the arc or the main channel, large
  // ones put it on the walls or over the flood plains.
  const double discharges[] = {0.01, 0.3, 1, 4, 15, 60, 250};
  for (const Family& family : Families()) {
    for (const double q : discharges) {
      const Outcome o = family.run(q);
      SCOPED_TRACE(family.name + " Q=" + std::to_string(q));
      EXPECT_TRUE(o.converged);
      EXPECT_LT(std::abs(o.searched.q1 - q), 0.0001);
      EXPECT_EQ(o.searched.h, o.evaluated.h);
      EXPECT_EQ(o.searched.w, o.evaluated.w);
      EXPECT_EQ(o.searched.x, o.evaluated.x);
      EXPECT_EQ(o.searched.q1, o.evaluated.q1);
      EXPECT_EQ(o.searched.v, o.evaluated.v);
      EXPECT_EQ(o.searched.e, o.evaluated.e);
      EXPECT_EQ(o.searched.surfaceWidth, o.evaluated.surfaceWidth);
    }
  }
}

// The depth search of an open section decides most passes without evaluating
// them; it must stop at the same pass on the same bits as the plain bisection.
template <class F>
int DifferingSearches(std::function<typename F::Inputs(std::function<double()>)> draw) {
  std::mt19937_64 rng(20261209);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const std::function<double()> u = [&] { return unit(rng); };
  int differing = 0;
  for (int k = 0; k < 4000; ++k) {
    typename F::Inputs in = draw(u);
    in.d = 100.0 + 20000.0 * u() * u();
    in.value = 1e-3 * std::pow(1e7, u());  // 0.001 to 10 000 m³/s
    const auto checked = F::Check(in);
    if (!checked.section) continue;
    const auto fast = SolveNormalDepth<F>(*checked.section, in);
    const auto plain = NormalDepthSearch(
        in.value, DepthBracket{}, [&](double h) { return F::Evaluate(*checked.section, in, h); });
    if (fast.passes != plain.passes || fast.converged != plain.converged ||
        fast.state.h != plain.state.h || fast.state.q1 != plain.state.q1) {
      ++differing;
    }
  }
  return differing;
}

TEST(OpenChannelRoundTrip, DecidedPassesGiveThePlainBisection) {
  EXPECT_EQ(DifferingSearches<FlatBottomChannel::Definition>([](auto u) {
              return FlatBottomChannel::Inputs{
                  .b = 0.1 + 20 * u(), .m = 3 * u() * u(), .n = 0.01 + 0.03 * u()};
            }),
            0);
  EXPECT_EQ(DifferingSearches<ArcBottomChannel::Definition>([](auto u) {
              return ArcBottomChannel::Inputs{.r = 0.2 + 5 * u(),
                                              .m = 3 * u(),
                                              .n = 0.01 + 0.03 * u(),
                                              .b = u() < 0.5 ? 0.0 : 0.1 + 5 * u()};
            }),
            0);
  EXPECT_EQ(DifferingSearches<UChannel::Definition>([](auto u) {
              return UChannel::Inputs{.r = 0.1 + 5 * u(), .n = 0.01 + 0.03 * u()};
            }),
            0);
  EXPECT_EQ(DifferingSearches<ParabolicChannel::Definition>([](auto u) {
              return ParabolicChannel::Inputs{.p = 0.05 + 10 * u(), .n = 0.01 + 0.03 * u()};
            }),
            0);
}

}  // namespace
}  // namespace tarnwick
