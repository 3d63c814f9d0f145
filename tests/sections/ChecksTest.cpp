#include "sections/Checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "core/Hydraulics.h"

namespace tarnwick {
namespace {

constexpr double kUp = std::numeric_limits<double>::infinity();

std::string Exact(double x) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", x);
  return buffer;
}

struct Pressed {
  PressResult result;
  std::vector<Check> checks;
};

Pressed PressChecks(const WindowSpec& w, const std::vector<std::string>& texts,
                    const CheckLimits& limits = {}) {
  ResultPane pane;
  Pressed p{PressWithCase(w, texts, pane), {}};
  p.checks = EngineeringChecks(w, texts, p.result, limits);
  return p;
}

Pressed PressChecks(const char* window, const std::vector<std::string>& texts,
                    const CheckLimits& limits = {}) {
  return PressChecks(*FindWindow(window), texts, limits);
}

const Check* Find(const std::vector<Check>& checks, std::string_view name) {
  for (const Check& c : checks) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

size_t BoxOf(const WindowSpec& w, BoxRole role) {
  for (size_t k = 0; k < w.boxes.size(); ++k) {
    if (w.boxes[k].role == role) return k;
  }
  ADD_FAILURE() << w.name << " has no box of the role";
  return 0;
}

struct WindowCase {
  const WindowSpec* window;
  std::vector<std::string> texts;
};

// Both windows of every family on its sample section: the discharge window as the
// sample is typed, the depth window asked for the discharge the sample carries.
std::vector<WindowCase> SampleCases() {
  std::vector<WindowCase> cases;
  for (const FamilySpec& f : Families()) {
    const WindowSpec& discharge = *FindWindow(CalculationKind::Discharge, f.family);
    const WindowSpec& depth = *FindWindow(CalculationKind::Depth, f.family);
    std::vector<std::string> texts(f.sample.begin(), f.sample.end());
    const Pressed p = PressChecks(discharge, texts);
    EXPECT_TRUE(p.result.sectionCase.has_value()) << f.id;
    if (!p.result.sectionCase) continue;
    cases.push_back({&discharge, texts});
    EXPECT_EQ(BoxOf(depth, BoxRole::Discharge), BoxOf(discharge, BoxRole::Depth)) << f.id;
    texts[BoxOf(depth, BoxRole::Discharge)] = Exact(p.result.sectionCase->discharge);
    cases.push_back({&depth, texts});
  }
  return cases;
}

// Q²·B1/(g·W³) at depth h: 1 at critical depth, above it below.
double CriticalRatio(const SectionCase& c, double h) {
  const SectionState s = c.model.evaluate(h);
  return c.discharge * c.discharge * s.surfaceWidth / (kGravity * s.w * s.w * s.w);
}

// Every window: hc brackets Fr = 1 to well within the bisection's tolerance, and
// on the critical slope the window's own press finds hc again, critical flow.
TEST(EngineeringChecks, FroudeIsOneAtTheCriticalDepthOfEveryWindow) {
  for (const WindowCase& wc : SampleCases()) {
    const WindowSpec& w = *wc.window;
    const Pressed p = PressChecks(w, wc.texts);
    const SectionCase& c = *p.result.sectionCase;
    const Check* hc = Find(p.checks, "critical_depth");
    ASSERT_TRUE(hc && hc->value) << w.name;
    const double eps = 1e-9 * (c.model.IsTunnel() ? c.model.crown : kOpenChannelDepthLimit);
    EXPECT_GT(CriticalRatio(c, *hc->value - eps), 1.0) << w.name;
    EXPECT_LT(CriticalRatio(c, *hc->value + eps), 1.0) << w.name;
    const SectionState at = c.model.evaluate(*hc->value);
    EXPECT_NEAR(c.discharge / at.w / std::sqrt(kGravity * at.w / at.surfaceWidth), 1.0, 1e-6)
        << w.name;
    EXPECT_EQ(Find(p.checks, "clearance_area") != nullptr, c.model.IsTunnel()) << w.name;
    EXPECT_EQ(Find(p.checks, "search_limit") != nullptr, w.kind == CalculationKind::Depth);
    for (const Check& k : p.checks) EXPECT_TRUE(k.text.ends_with(StatusText(k.status))) << k.text;

    const Check* slope = Find(p.checks, "critical_slope");
    ASSERT_TRUE(slope && slope->value) << w.name;
    std::vector<std::string> texts = wc.texts;
    texts[BoxOf(w, BoxRole::Slope)] = Exact(1.0 / *slope->value);
    if (w.kind == CalculationKind::Discharge) {
      texts[BoxOf(w, BoxRole::Depth)] = Exact(*hc->value);
    }
    const Pressed critical = PressChecks(w, texts);
    ASSERT_TRUE(critical.result.sectionCase) << w.name;
    EXPECT_NEAR(critical.result.sectionCase->state.h, *hc->value, 1e-4) << w.name;
    EXPECT_NEAR(critical.result.sectionCase->state.q1, c.discharge, 1e-4) << w.name;
    const Check* regime = Find(critical.checks, "regime");
    ASSERT_NE(regime, nullptr) << w.name;
    EXPECT_EQ(regime->status, CheckStatus::Note) << regime->text;
    EXPECT_TRUE(regime->text.starts_with("流态：临界流")) << regime->text;
  }
}

TEST(EngineeringChecks, RegimeOnBothSidesOfCritical) {
  const struct {
    const char* window;
    std::vector<std::string> texts;
    const char* regime;
    bool mildSlope;
  } cases[] = {
      {"Form21", {"2", "1.5", "0.025", "1000", "5"}, "流态：缓流", true},
      {"Form21", {"2", "1.5", "0.014", "20", "5"}, "流态：急流", false},
      {"Form32", {"2", "1.5", "0.025", "1000", "0.1"}, "流态：缓流", true},
      {"Form23", {"3", "2", "1.7320508", "120", "0", "0.014", "1000", "8"}, "流态：缓流", true},
      {"Form23", {"3", "2", "1.7320508", "120", "0", "0.012", "30", "8"}, "流态：急流", false},
  };
  for (const auto& c : cases) {
    const Pressed p = PressChecks(c.window, c.texts);
    const Check* regime = Find(p.checks, "regime");
    ASSERT_NE(regime, nullptr) << c.window;
    EXPECT_TRUE(regime->text.starts_with(c.regime)) << regime->text;
    EXPECT_EQ(regime->status, CheckStatus::Pass) << regime->text;
    EXPECT_EQ(*regime->value < 1.0, c.mildSlope) << regime->text;
    const Check* slope = Find(p.checks, "critical_slope");
    ASSERT_NE(slope, nullptr) << c.window;
    EXPECT_EQ(*slope->limit < *slope->value, c.mildSlope) << slope->text;
    EXPECT_EQ(*Find(p.checks, "critical_depth")->value < p.result.sectionCase->state.h,
              c.mildSlope);
  }
}

TEST(EngineeringChecks, VelocityAtItsLimits) {
  const std::vector<std::string> texts = {"2", "1.5", "0.025", "1000", "5"};
  const double v = PressChecks("Form21", texts).result.sectionCase->state.v;
  const double above = std::nextafter(v, kUp);
  const double below = std::nextafter(v, -kUp);
  const struct {
    std::optional<double> min, max;
    CheckStatus status;
    double limit;
  } cases[] = {
      {v, {}, CheckStatus::Pass, v},          {above, {}, CheckStatus::Fail, above},
      {{}, v, CheckStatus::Pass, v},          {{}, below, CheckStatus::Fail, below},
      {v, v, CheckStatus::Pass, v},           {0.2, 1.5, CheckStatus::Pass, 1.5},
      {0.9, 30.0, CheckStatus::Pass, 0.9},    {above, 30.0, CheckStatus::Fail, above},
      {0.2, below, CheckStatus::Fail, below},
  };
  for (const auto& c : cases) {
    CheckLimits limits;
    limits.velocityMin = c.min;
    limits.velocityMax = c.max;
    const auto pressed = PressChecks("Form21", texts, limits);
    const Check* check = Find(pressed.checks, "velocity");
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->status, c.status) << check->text;
    EXPECT_EQ(*check->limit, c.limit) << check->text;
    EXPECT_EQ(*check->value, v);
  }
  EXPECT_EQ(Find(PressChecks("Form21", texts).checks, "velocity"), nullptr);
}

TEST(EngineeringChecks, ClearancePassesExactlyAtItsLimits) {
  const std::vector<std::string> texts = {"3", "2", "1.7320508", "120", "0", "0.014", "1000", "8"};
  const Pressed p = PressChecks("Form23", texts);
  const double area = *Find(p.checks, "clearance_area")->value;
  const double height = *Find(p.checks, "clearance_height")->value;
  const struct {
    double area, height;
    CheckStatus areaStatus, heightStatus;
  } cases[] = {
      {area, height, CheckStatus::Pass, CheckStatus::Pass},
      {std::nextafter(area, kUp), height, CheckStatus::Fail, CheckStatus::Pass},
      {area, std::nextafter(height, kUp), CheckStatus::Pass, CheckStatus::Fail},
  };
  for (const auto& c : cases) {
    CheckLimits limits;
    limits.clearanceAreaPercent = c.area;
    limits.clearanceHeight = c.height;
    const Pressed q = PressChecks("Form23", texts, limits);
    EXPECT_EQ(Find(q.checks, "clearance_area")->status, c.areaStatus);
    EXPECT_EQ(Find(q.checks, "clearance_height")->status, c.heightStatus);
  }
  // The defaults, 15 % and 0.4 m, against the report's own clearance figures.
  EXPECT_EQ(Find(p.checks, "clearance_area")->status,
            area >= 15.0 ? CheckStatus::Pass : CheckStatus::Fail);
  EXPECT_EQ(Find(p.checks, "clearance_height")->status,
            height >= 0.4 ? CheckStatus::Pass : CheckStatus::Fail);
}

// The chord 2·R1·sin(A1/2) against B: only the city-gate windows have it.
TEST(EngineeringChecks, RoofChordWithinOnePercentOfTheWidth) {
  const struct {
    const char* window;
    const char* b;
    const char* h2;
    const char* r1;
    const char* a1;
    const char* value;
    CheckStatus status;
  } cases[] = {
      {"Form34", "3", "2", "1.7320508", "120", "2.5", CheckStatus::Pass},  // chord 3.000
      {"Form34", "3", "2", "17.320508", "120", "2.5", CheckStatus::Fail},  // R1 ten times
      {"Form23", "2", "1.5", "1.2", "112.6", "1", CheckStatus::Pass},
      {"Form23", "2", "1.5", "1.19", "112.6", "1", CheckStatus::Pass},    // 0.997 % short
      {"Form23", "2", "1.5", "1.1895", "112.6", "1", CheckStatus::Fail},  // 1.039 % short
      {"Form23", "2", "1.5", "1.214", "112.6", "1", CheckStatus::Pass},   // 0.999 % over
      {"Form23", "2", "1.5", "1.2145", "112.6", "1", CheckStatus::Fail},  // 1.041 % over
  };
  for (const auto& c : cases) {
    const std::vector<std::string> texts = {c.b, c.h2, c.r1, c.a1, "0", "0.014", "1000", c.value};
    const Pressed p = PressChecks(c.window, texts);
    ASSERT_EQ(p.result.outcome, PressOutcome::Report) << c.r1;
    const Check* chord = Find(p.checks, "roof_chord");
    ASSERT_NE(chord, nullptr) << c.window;
    EXPECT_EQ(chord->status, c.status) << chord->text;
    CheckLimits exact;
    exact.shapeFitPercent = *chord->value;
    EXPECT_EQ(Find(PressChecks(c.window, texts, exact).checks, "roof_chord")->status,
              CheckStatus::Pass);
    exact.shapeFitPercent = std::nextafter(*chord->value, -kUp);
    EXPECT_EQ(Find(PressChecks(c.window, texts, exact).checks, "roof_chord")->status,
              CheckStatus::Fail);
  }
  for (const WindowCase& wc : SampleCases()) {
    EXPECT_EQ(Find(PressChecks(*wc.window, wc.texts).checks, "roof_chord") != nullptr,
              wc.window->family == Family::CityGateTunnel);
  }
}

TEST(EngineeringChecks, NamesTheBoxReadInPart) {
  const struct {
    std::vector<std::string> texts;
    size_t index;     // of the box read in part
    const char* box;  // its symbol; nullptr: no box read in part
    double read;
    bool report;
  } cases[] = {
      {{"2", "1.5", "0.025", "1OOO", "5"}, 3, "I", 1, true},
      {{"2", "1.5", "0.025", "1 000", "5"}, 0, nullptr, 0, true},
      {{"2m", "1.5", "0.025", "1000", "5"}, 0, "B", 2, true},
      {{"O.5", "1.5", "0.025", "1000", "5"}, 0, "B", 0, false},  // read as 0: refused
  };
  for (const auto& c : cases) {
    const Pressed p = PressChecks("Form21", c.texts);
    EXPECT_EQ(p.result.outcome == PressOutcome::Report, c.report);
    const Check* partial = Find(p.checks, "partial_read");
    if (!c.box) {
      EXPECT_EQ(partial, nullptr);
      continue;
    }
    ASSERT_NE(partial, nullptr) << c.box;
    EXPECT_EQ(partial->box, c.box);
    EXPECT_EQ(*partial->value, c.read);
    EXPECT_EQ(partial->status, CheckStatus::Note);
    EXPECT_NE(partial->text.find("“" + c.texts[c.index] + "”"), std::string::npos) << partial->text;
  }
}

// An open channel that cannot carry Q below 1000 m: all 1000 passes, h = 1000.
TEST(EngineeringChecks, SearchThatEndsAtItsLimitFails) {
  const struct {
    const char* q;
    CheckStatus status;
  } cases[] = {{"5", CheckStatus::Pass}, {"1e12", CheckStatus::Fail}};
  for (const auto& c : cases) {
    const Pressed p = PressChecks("Form21", {"2", "1.5", "0.025", "1000", c.q});
    const Check* search = Find(p.checks, "search_limit");
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(search->status, c.status) << search->text;
    EXPECT_EQ(*search->value >= kDischargeTolerance, c.status == CheckStatus::Fail);
    EXPECT_EQ(*search->limit, kDischargeTolerance);
  }
  const Pressed p = PressChecks("Form21", {"2", "1.5", "0.025", "1000", "1e12"});
  EXPECT_EQ(p.result.passes, kMaxSearchPasses);
  EXPECT_EQ(p.result.sectionCase->state.h, 1000.0);
  EXPECT_FALSE(Find(p.checks, "critical_depth")->value.has_value());  // hc above 1000 m
}

}  // namespace
}  // namespace tarnwick
