// The compound-section checks against an independent computation written here:
// the subsections of a main channel and two flood plains from their geometry, the
// Coriolis coefficient, the specific energy E = h + α·Q²/(2g·A²), the compound
// Froude number from dE/dh = 1 − Fc² and every minimum of E found by a dense scan.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/CompoundFlow.h"
#include "core/Hydraulics.h"
#include "sections/CaseTable.h"
#include "sections/Checks.h"

namespace tarnwick {
namespace {

struct Channel {
  double b1, m1, h1, n1, b2, m2, n2, b3, m3, n3;
};

struct Part {
  double a, p, n;
};

std::vector<Part> Parts(const Channel& c, double h) {
  const double hf = h - c.h1;
  if (hf <= 0.0)
    return {{(c.b1 + c.m1 * h) * h, c.b1 + 2.0 * h * std::sqrt(1 + c.m1 * c.m1), c.n1}};
  std::vector<Part> parts = {{(c.b1 + c.m1 * c.h1) * c.h1 + (c.b1 + 2.0 * c.m1 * c.h1) * hf,
                              c.b1 + 2.0 * c.h1 * std::sqrt(1 + c.m1 * c.m1), c.n1}};
  for (const auto& [b, m, n] : {Part{c.b2, c.m2, c.n2}, Part{c.b3, c.m3, c.n3}}) {
    parts.push_back({(b + m * hf / 2.0) * hf, b + hf * std::sqrt(1 + m * m), n});
  }
  return parts;
}

// Σ(Kᵢ³/Aᵢ²)/K³ = α/A², and K.
std::pair<double, double> Factor(const Channel& c, double h) {
  double k = 0.0;
  double weighted = 0.0;
  for (const Part& p : Parts(c, h)) {
    if (!(p.a > 0.0)) continue;
    const double ki = p.a * std::pow(p.a / p.p, 2.0 / 3.0) / p.n;
    k += ki;
    weighted += ki * ki * ki / (p.a * p.a);
  }
  return {weighted / (k * k * k), k};
}

double Energy(const Channel& c, double q, double h) {
  return h + q * q / (2.0 * kGravity) * Factor(c, h).first;
}

double Area(const Channel& c, double h) {
  double a = 0.0;
  for (const Part& p : Parts(c, h)) a += p.a;
  return a;
}

std::vector<std::string> Texts(const Channel& c, double d, double value) {
  std::vector<std::string> texts;
  for (const double x : {c.b1, c.m1, c.h1, c.n1, c.b2, c.m2, c.n2, c.b3, c.m3, c.n3, d, value}) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", x);
    texts.push_back(buffer);
  }
  return texts;
}

TEST(CompoundChecks, AlphaFroudeAndEveryCriticalDepthAgainstADenseScan) {
  const struct {
    const char* window;
    Channel channel;
    double d;
    double value;  // Q of Form11, h of Form12
    size_t criticalDepths;
    CheckStatus regime;
  } cases[] = {
      // Rough, shallow flood plains: supercritical as a compound section, Fc ≈ 1.48.
      {"Form12", {5.3, 1, 1.7, 0.02, 28, 2, 0.04, 27, 0, 0.03}, 200, 2.5, 1, CheckStatus::Note},
      // Two minima of E, at about 2.42 and 3.27 m.
      {"Form11", {5.1, 0, 2.9, 0.02, 40, 2, 0.05, 38, 1, 0.04}, 1000, 60, 2, CheckStatus::Pass},
      {"Form11", {7.2, 1.5, 2.2, 0.025, 23, 0, 0.05, 44, 3, 0.03}, 1000, 75, 2, CheckStatus::Pass},
      // Within the main channel: one section, α = 1.
      {"Form12", {4, 1, 2, 0.025, 6, 2, 0.03, 6, 2, 0.03}, 2000, 1.5, 1, CheckStatus::Pass},
  };
  for (const auto& c : cases) {
    const WindowSpec& w = *FindWindow(c.window);
    const std::vector<std::string> texts = Texts(c.channel, c.d, c.value);
    ResultPane pane;
    const PressResult r = PressWithCase(w, texts, pane);
    ASSERT_EQ(r.outcome, PressOutcome::Report) << c.window;
    const std::vector<Check> checks = EngineeringChecks(w, texts, r);
    const SectionState& st = r.sectionCase->state;
    const double q = st.q1;
    const double h = st.h;

    const auto [factor, k] = Factor(c.channel, h);
    const double area = Area(c.channel, h);
    EXPECT_NEAR(k * std::sqrt(1.0 / c.d), q, 1e-9 * q) << c.window;  // same subsections
    const double alpha = factor * area * area;
    const double step = 1e-5 * h;
    const double slope =
        (Energy(c.channel, q, h + step) - Energy(c.channel, q, h - step)) / (2 * step);
    const double fc = std::sqrt(1.0 - slope);

    std::vector<double> minima;  // every minimum of E at the design discharge, by a dense scan
    const double design = r.sectionCase->discharge;
    for (double x = 1e-3; x < 50.0; x *= 1.0002) {
      const double e = Energy(c.channel, design, x);
      if (e < Energy(c.channel, design, x / 1.0002) && e <= Energy(c.channel, design, x * 1.0002)) {
        minima.push_back(x);
      }
    }

    std::vector<double> depths;
    const Check* froude = nullptr;
    const Check* coriolis = nullptr;
    const Check* regime = nullptr;
    size_t slopes = 0;
    for (const Check& ch : checks) {
      if (ch.name == "critical_depth" && ch.value) depths.push_back(*ch.value);
      if (ch.name == "froude") froude = &ch;
      if (ch.name == "coriolis") coriolis = &ch;
      if (ch.name == "regime") regime = &ch;
      if (ch.name == "critical_slope") ++slopes;
    }
    ASSERT_TRUE(froude && coriolis && regime) << c.window;
    EXPECT_NEAR(*coriolis->value, alpha, 1e-9 * alpha) << coriolis->text;
    EXPECT_NEAR(*froude->value, fc, 1e-4) << froude->text;
    EXPECT_EQ(regime->status, c.regime) << regime->text;
    ASSERT_EQ(minima.size(), c.criticalDepths) << c.window;
    ASSERT_EQ(depths.size(), minima.size()) << c.window;
    EXPECT_EQ(slopes, depths.size());
    for (size_t j = 0; j < depths.size(); ++j) EXPECT_NEAR(depths[j], minima[j], 1e-3 * minima[j]);
  }
  // The figure: Fc = 1.48 where the single-section Fr was 0.91.
  const std::vector<std::string> rough = Texts(cases[0].channel, 200, 2.5);
  ResultPane pane;
  const PressResult r = PressWithCase(*FindWindow("Form12"), rough, pane);
  for (const Check& ch : EngineeringChecks(*FindWindow("Form12"), rough, r)) {
    if (ch.name == "froude") {
      EXPECT_NEAR(*ch.value, 1.481, 0.001);
    }
  }
  // The case table tells the same regime.
  const std::optional<CaseRow> row = CaseRowOf(*FindWindow("Form12"), rough, r);
  ASSERT_TRUE(row && row->froude);
  EXPECT_NEAR(*row->froude, 1.481, 0.001);
  EXPECT_EQ(row->regime, "急流");
}

// A section of one part: α = 1 and Fc is the plain Froude number at the case, so
// the windows of every other family are judged as before.
TEST(CompoundChecks, OneSectionKeepsAlphaOne) {
  const auto rectangle = [](double h) {
    SectionState s;
    s.h = h;
    s.w = 2.0 * h;
    s.surfaceWidth = 2.0;
    return s;
  };
  const EnergySection single{5.0, rectangle, {}};
  for (const double h : {0.3, 0.8, 1.7}) {
    EXPECT_EQ(single.Alpha(h), 1.0);
    EXPECT_NEAR(single.Froude(h), 5.0 / (2.0 * h) / std::sqrt(kGravity * h), 1e-12);
    EXPECT_NEAR(single.Energy(h), h + 25.0 / (2.0 * kGravity * 4.0 * h * h), 1e-12);
  }
  // The struct, not the function of the same name in core/GraduallyVariedFlow.h.
  // Discharges whose critical depth falls in every cell of the search's grid,
  // from a micrometre to above the range (none found, said to lie above it).
  for (double q = 1e-7; q < 1e8; q *= 3.7) {
    const double exact = std::cbrt((q / 2.0) * (q / 2.0) / kGravity);  // (q²/g)^(1/3)
    const struct CriticalDepths hc = FindCriticalDepths({q, rectangle, {}}, 1000.0);
    if (exact > 1000.0) {
      EXPECT_TRUE(hc.depths.empty() && hc.aboveRange) << q;
      continue;
    }
    ASSERT_EQ(hc.depths.size(), 1u) << q;
    EXPECT_NEAR(hc.depths[0], exact, 1e-12 * exact) << q;
  }
}

}  // namespace
}  // namespace tarnwick
