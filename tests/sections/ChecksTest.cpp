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
    const bool tunnelRule = w.closed && RuleFor(w, {}) == ClearanceRule::Tunnel;
    EXPECT_EQ(Find(p.checks, "clearance_area") != nullptr, tunnelRule) << w.name;
    EXPECT_EQ(Find(p.checks, "fill_ratio") != nullptr, w.closedKind == ClosedKind::CircularConduit)
        << w.name;
    EXPECT_EQ(Find(p.checks, "clearance") != nullptr, w.closedKind == ClosedKind::BoxCulvert)
        << w.name;
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
    EXPECT_EQ(regime->status, CheckStatus::Fail) << regime->text;
    EXPECT_TRUE(regime->text.starts_with("流态：临界流，接近临界流，水面不稳定")) << regime->text;
  }
}

TEST(EngineeringChecks, RegimeOnBothSidesOfCritical) {
  const struct {
    const char* window;
    std::vector<std::string> texts;
    const char* regime;
    bool mildSlope;
    CheckStatus status = CheckStatus::Pass;
  } cases[] = {
      {"Form21", {"2", "1.5", "0.025", "1000", "5"}, "流态：缓流", true},
      {"Form21", {"2", "1.5", "0.014", "20", "5"}, "急流：校核冲刷", false, CheckStatus::Note},
      {"Form32", {"2", "1.5", "0.025", "1000", "0.1"}, "流态：缓流", true},
      {"Form23", {"3", "2", "1.7320508", "120", "0", "0.014", "1000", "8"}, "流态：缓流", true},
      {"Form23",
       {"3", "2", "1.7320508", "120", "0", "0.012", "30", "8"},
       "急流：校核冲刷",
       false,
       CheckStatus::Note},
      // Either side of the near-critical band 0.8–1.2 (Fr 0.79900, 0.80099,
      // 1.19887, 1.20097 in a 2 m rectangle 1 m deep, n = 0.014).
      {"Form32", {"2", "0", "0.014", "323.3", "1"}, "流态：缓流", true},
      {"Form32",
       {"2", "0", "0.014", "321.7", "1"},
       "流态：缓流，接近临界流",
       true,
       CheckStatus::Fail},
      {"Form32",
       {"2", "0", "0.014", "143.6", "1"},
       "流态：急流，接近临界流",
       false,
       CheckStatus::Fail},
      {"Form32", {"2", "0", "0.014", "143.1", "1"}, "急流：校核冲刷", false, CheckStatus::Note},
  };
  for (const auto& c : cases) {
    const Pressed p = PressChecks(c.window, c.texts);
    const Check* regime = Find(p.checks, "regime");
    ASSERT_NE(regime, nullptr) << c.window;
    EXPECT_TRUE(regime->text.starts_with(c.regime)) << regime->text;
    EXPECT_EQ(regime->status, c.status) << regime->text;
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

// A box read in part, or a slope typed as a fraction or as i: a fail naming the
// box, what was typed and the number used, on a report or a refusal alike.
TEST(EngineeringChecks, NamesTheBoxReadInPart) {
  const struct {
    std::vector<std::string> texts;
    size_t index;      // of the box at fault
    const char* box;   // its symbol; nullptr: no box at fault
    const char* name;  // the check
    double read;
    bool report;
  } cases[] = {
      {{"2", "1.5", "0.025", "1OOO", "5"}, 3, "I", "slope_text", 1, true},
      {{"2", "1.5", "0.025", "1/1000", "5"}, 3, "I", "slope_text", 1, true},
      {{"2", "1.5", "0.025", "0.0005", "5"}, 3, "I", "slope_text", 0.0005, true},
      {{"2", "1.5", "0.025", "0.999", "5"}, 3, "I", "slope_text", 0.999, true},
      {{"2", "1.5", "0.025", "-5", "5"}, 3, "I", "slope_text", -5, false},
      {{"2", "1.5", "0.025", "1", "5"}, 0, nullptr, "", 0, true},  // D = 1 as typed
      {{"2", "1.5", "0.025", "1 000", "5"}, 0, nullptr, "", 0, true},
      {{"2m", "1.5", "0.025", "1000", "5"}, 0, "B", "partial_read", 2, true},
      {{"2", "1.5", "0.025", "1000", "2OOO"}, 4, "Q", "partial_read", 2, true},
      {{"O.5", "1.5", "0.025", "1000", "5"}, 0, "B", "partial_read", 0, false},  // refused
  };
  for (const auto& c : cases) {
    const Pressed p = PressChecks("Form21", c.texts);
    EXPECT_EQ(p.result.outcome == PressOutcome::Report, c.report);
    const Check* slope = Find(p.checks, "slope_text");
    const Check* partial = Find(p.checks, "partial_read");
    if (!c.box) {
      EXPECT_EQ(slope, nullptr) << slope->text;
      EXPECT_EQ(partial, nullptr) << partial->text;
      continue;
    }
    const Check* fault = Find(p.checks, c.name);
    ASSERT_NE(fault, nullptr) << c.texts[c.index];
    EXPECT_EQ(slope == nullptr || partial == nullptr, true) << "one check a box";
    EXPECT_EQ(fault->box, c.box);
    EXPECT_EQ(*fault->value, c.read);
    EXPECT_EQ(fault->status, CheckStatus::Fail);
    EXPECT_NE(fault->text.find("“" + c.texts[c.index] + "”"), std::string::npos) << fault->text;
    if (fault->name == "slope_text") {
      EXPECT_NE(fault->text.find("填1000"), std::string::npos) << fault->text;  // how to type it
    }
  }
}

// The search fails when |Q1 − Q| exceeds 0.5 % of Q: an open channel that cannot
// carry Q below 1000 m (all 1000 passes, h = 1000), and a 200 mm pipe carrying
// 2 l/s whose search stopped within the absolute 0.0001 m³/s, 4.8 % off.
TEST(EngineeringChecks, SearchFailsBeyondHalfAPerCentOfQ) {
  const struct {
    const char* window;
    std::vector<std::string> texts;
    CheckStatus status;
  } cases[] = {
      {"Form21", {"2", "1.5", "0.025", "1000", "5"}, CheckStatus::Pass},
      {"Form21", {"2", "1.5", "0.025", "1000", "1e12"}, CheckStatus::Fail},
      {"Form24", {"", "0.1", "0.013", "200", "0.002"}, CheckStatus::Fail},
  };
  for (const auto& c : cases) {
    const Pressed p = PressChecks(c.window, c.texts);
    const Check* search = Find(p.checks, "search_limit");
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(search->status, c.status) << search->text;
    const SectionCase& k = *p.result.sectionCase;
    EXPECT_EQ(*search->value, std::fabs(k.state.q1 - k.discharge));
    EXPECT_DOUBLE_EQ(*search->limit, 0.005 * k.discharge);
    // The boundary: the miss itself as the share allowed passes, a hair less fails.
    const double share = 100.0 * *search->value / k.discharge;
    CheckLimits limits;
    limits.searchPercent = share * (1.0 + 1e-12);
    EXPECT_EQ(Find(PressChecks(c.window, c.texts, limits).checks, "search_limit")->status,
              CheckStatus::Pass);
    limits.searchPercent = share * (1.0 - 1e-12);
    EXPECT_EQ(Find(PressChecks(c.window, c.texts, limits).checks, "search_limit")->status,
              CheckStatus::Fail);
  }
  const Pressed p = PressChecks("Form21", {"2", "1.5", "0.025", "1000", "1e12"});
  EXPECT_EQ(p.result.passes, kMaxSearchPasses);
  EXPECT_EQ(p.result.sectionCase->state.h, 1000.0);
  EXPECT_FALSE(Find(p.checks, "critical_depth")->value.has_value());  // hc above 1000 m
}

// The band's ends belong to it: Fr at the lower end fails, at the upper end too.
TEST(EngineeringChecks, NearCriticalBandIncludesItsEnds) {
  const std::vector<std::string> texts = {"2", "0", "0.014", "200", "1"};
  const double fr = *Find(PressChecks("Form32", texts).checks, "regime")->value;
  const struct {
    double low, high;
    CheckStatus status;
  } cases[] = {
      {fr, 2.0, CheckStatus::Fail},
      {std::nextafter(fr, kUp), 2.0, CheckStatus::Pass},
      {0.5, fr, CheckStatus::Fail},
      {0.5, std::nextafter(fr, -kUp), CheckStatus::Note},
  };
  for (const auto& c : cases) {
    CheckLimits limits;
    limits.froudeLow = c.low;
    limits.froudeHigh = c.high;
    const auto pressed = PressChecks("Form32", texts, limits);
    const Check* regime = Find(pressed.checks, "regime");
    ASSERT_NE(regime, nullptr);
    EXPECT_EQ(regime->status, c.status) << regime->text;
  }
}

// A closed section whose critical depth lies above its crown: said so, with
// neither hc nor ic (a 2 × 1 m box carrying 9 m³/s on 1/50).
TEST(EngineeringChecks, CriticalDepthAboveTheCrown) {
  const Pressed p = PressChecks("Form28", {"2", "1", "0.014", "50", "9"});
  ASSERT_EQ(p.result.outcome, PressOutcome::Report);
  const Check* hc = Find(p.checks, "critical_depth");
  ASSERT_NE(hc, nullptr);
  EXPECT_FALSE(hc->value.has_value());
  EXPECT_TRUE(hc->text.starts_with("临界水深高于洞顶")) << hc->text;
  EXPECT_EQ(Find(p.checks, "critical_slope"), nullptr);
  // Independently: a rectangle B wide keeps B up to its roof, and Q²/(g·B²·H³) > 1
  // says the flow is still supercritical there.
  EXPECT_GT(9.0 * 9.0 / (kGravity * 2.0 * 2.0 * 1.0), 1.0);
}

// No check text prints a figure that could not be formed: a discharge next to 0,
// slopes steeper than 1/0.05.
TEST(EngineeringChecks, NoInfinityOrNotANumberInAnyText) {
  const std::vector<std::string> cases[] = {
      {"2", "1.5", "0.025", "1000", "1e-300"},
      {"2", "1.5", "0.025", "0.04", "5"},
      {"2", "1.5", "0.025", "0.01", "5"},
      {"2", "1.5", "0.025", "1e300", "5"},
  };
  for (const auto& texts : cases) {
    for (const char* window : {"Form21", "Form32"}) {
      for (const Check& c : PressChecks(window, texts).checks) {
        for (const char* bad : {"inf", "nan", "1/0", "Inf", "NaN"}) {
          EXPECT_EQ(c.text.find(bad), std::string::npos) << window << ": " << c.text;
        }
      }
    }
  }
}

// The greatest fill ratio of GB 50014 at each row's diameters, between rows the
// row below, under 200 mm the first row; a pipe's check uses it on h/D.
TEST(EngineeringChecks, FillRatioByDiameter) {
  const struct {
    double d, most;
  } rows[] = {{0.15, 0.55}, {0.2, 0.55}, {0.3, 0.55}, {0.34, 0.55}, {0.35, 0.65}, {0.45, 0.65},
              {0.49, 0.65}, {0.5, 0.70}, {0.9, 0.70}, {0.99, 0.70}, {1.0, 0.75},  {3.0, 0.75}};
  for (const auto& r : rows) EXPECT_EQ(GreatestFillRatio(r.d), r.most) << r.d;
  const struct {
    std::vector<std::string> texts;  // Form24: flat floor, radius, n, D, Q
    CheckStatus status;
  } cases[] = {
      {{"", "0.5", "0.013", "1000", "0.3"}, CheckStatus::Pass},
      {{"", "0.5", "0.013", "1000", "0.7"}, CheckStatus::Fail},  // h/D = 0.758
      {{"", "0.1", "0.013", "200", "0.002"}, CheckStatus::Pass},
  };
  for (const auto& c : cases) {
    const Pressed p = PressChecks("Form24", c.texts);
    const Check* fill = Find(p.checks, "fill_ratio");
    ASSERT_NE(fill, nullptr);
    const double d = p.result.closed->crown;
    EXPECT_DOUBLE_EQ(*fill->value, p.result.sectionCase->state.h / d);
    EXPECT_EQ(*fill->limit, GreatestFillRatio(d));
    EXPECT_EQ(fill->status, c.status) << fill->text;
    EXPECT_EQ(Find(p.checks, "clearance_area"), nullptr);
    CheckLimits tunnel;
    tunnel.closedRule = ClearanceRule::Tunnel;
    EXPECT_NE(Find(PressChecks("Form24", c.texts, tunnel).checks, "clearance_area"), nullptr);
  }
}

// A lining chosen: its lower tabulated end, soils corrected by R^a; no limit at
// all still fails a velocity above every lining's.
TEST(EngineeringChecks, LiningVelocityWithTheRadiusCorrection) {
  const std::vector<std::string> texts = {"2", "1.5", "0.025", "1000", "5"};
  const SectionState st = PressChecks("Form21", texts).result.sectionCase->state;
  const double r = st.w / st.x;
  const struct {
    const char* lining;
    double exponent;
    double limit;
  } cases[] = {
      {"light-loam", 0.25, 0.60 * std::pow(r, 0.25)},
      {"clay-loam", 1.0 / 3.0, 0.75 * std::pow(r, 1.0 / 3.0)},
      {"concrete", 0.25, 5.0},  // a lining: no correction
  };
  for (const auto& c : cases) {
    CheckLimits limits;
    limits.lining = c.lining;
    limits.soilExponent = c.exponent;
    const auto pressed = PressChecks("Form21", texts, limits);
    const Check* v = Find(pressed.checks, "velocity");
    ASSERT_NE(v, nullptr) << c.lining;
    EXPECT_NEAR(*v->limit, c.limit, 1e-12) << v->text;
    EXPECT_EQ(v->status, st.v > c.limit ? CheckStatus::Fail : CheckStatus::Pass) << v->text;
    EXPECT_NE(v->text.find("水工设计手册"), std::string::npos) << v->text;
  }
  for (const LiningVelocity& l : UsualMaximumVelocities()) EXPECT_LT(l.maxVelocity, l.upperEnd);
  // No limits: 1/1000 passes unjudged, a slope of 1/1 (V = 11.75 m/s) fails.
  EXPECT_EQ(Find(PressChecks("Form21", texts).checks, "velocity"), nullptr);
  const auto steep = PressChecks("Form21", {"2", "1.5", "0.025", "1", "5"});
  const Check* fast = Find(steep.checks, "velocity");
  ASSERT_NE(fast, nullptr);
  EXPECT_EQ(fast->status, CheckStatus::Fail);
  EXPECT_EQ(*fast->limit, 5.0);
}

}  // namespace
}  // namespace tarnwick
