#include "sections/FlowCombination.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "sections/CaseRecord.h"

namespace tarnwick {
namespace {

// The increased-discharge coefficient at the ends and inside each range of the
// table by design discharge, worked by hand: linear in Q from the range's upper
// coefficient at its lower end to its lower coefficient at its upper end.
TEST(FlowCombination, IncreaseCoefficientFollowsTheTable) {
  const struct {
    double q, k;
  } rows[] = {
      {0.5, 1.325},   {1.0, 1.30},   {3.0, 1.275},   {5.0, 1.25},   {12.5, 1.225},
      {20.0, 1.20},   {35.0, 1.175}, {50.0, 1.15},   {75.0, 1.125}, {100.0, 1.10},
      {200.0, 1.075}, {300.0, 1.05}, {1000.0, 1.05},
  };
  for (const auto& row : rows) EXPECT_NEAR(IncreaseCoefficient(row.q), row.k, 1e-12) << row.q;
  // No step at a range boundary.
  for (const double b : {1.0, 5.0, 20.0, 50.0, 100.0, 300.0}) {
    EXPECT_NEAR(IncreaseCoefficient(b * (1 - 1e-9)), IncreaseCoefficient(b * (1 + 1e-9)), 1e-8)
        << b;
  }
}

FlowRequest Request(double least, std::optional<double> increased = {},
                    std::optional<double> coefficient = {}, std::optional<double> freeboard = {},
                    double bed = 0.0, double c = 0.64) {
  FlowRequest r;
  r.least = least;
  r.increased = increased;
  r.coefficient = coefficient;
  r.freeboard = freeboard;
  r.bedLevel = bed;
  r.siltCoefficient = c;
  return r;
}

// Normal depth of a trapezoid B, side slope m, by bisection of Manning's formula.
double NormalDepth(double b, double m, double n, double i, double q) {
  const auto flow = [&](double h) {
    const double a = (b + m * h) * h;
    const double p = b + 2.0 * h * std::sqrt(1.0 + m * m);
    return a * std::pow(a / p, 2.0 / 3.0) * std::sqrt(i) / n;
  };
  double lo = 0.0, hi = 100.0;
  for (int k = 0; k < 200; ++k) ((flow(0.5 * (lo + hi)) < q) ? lo : hi) = 0.5 * (lo + hi);
  return 0.5 * (lo + hi);
}

double Radius(double b, double m, double h) {
  return (b + m * h) * h / (b + 2.0 * h * std::sqrt(1.0 + m * m));
}

// Each case of the flat-bottom depth window at three discharges, against an
// independent Manning computation: the increased discharge, Fb = h加大/4 + 0.2 m
// (or the one typed), H = h加大 + Fb, the bank over the bed, and V不淤 = C·√R at
// the least discharge.
TEST(FlowCombination, ThreeDischargesAgainstManning) {
  const struct {
    double b, m, n, d, q;  // Form21: B, M, n, slope 1/d, Q
    FlowRequest request;
    double increased;                 // m³/s expected
    std::optional<double> freeboard;  // typed, else the rule
  } rows[] = {
      {2.0, 1.5, 0.025, 1000, 5.0, Request(1.5), 6.25, {}},
      {3.0, 0.0, 0.014, 2000, 0.6, Request(0.2, {}, {}, {}, 0.0, 0.41), 0.6 * 1.32, {}},
      {4.0, 2.0, 0.020, 3000, 35.0, Request(10.0, {}, {}, {}, 12.5), 35.0 * 1.175, {}},
      {2.0, 1.0, 0.025, 1000, 8.0, Request(2.0, 9.0, {}, 0.6), 9.0, 0.6},
      {2.0, 1.0, 0.025, 1000, 8.0, Request(2.0, {}, 1.3), 10.4, {}},
  };
  const WindowSpec& w = *FindWindow("Form21");
  for (const auto& row : rows) {
    const auto text = [](double x) {
      char buffer[40];
      std::snprintf(buffer, sizeof buffer, "%.17g", x);
      return std::string(buffer);
    };
    const std::vector<std::string> texts = {text(row.b), text(row.m), text(row.n), text(row.d),
                                            text(row.q)};
    const CaseRecord r = RecordFlows(w, texts, row.request, {});
    ASSERT_TRUE(r.flows) << row.q;
    const FlowCombination& f = *r.flows;
    const double i = 1.0 / row.d;
    const double hd = NormalDepth(row.b, row.m, row.n, i, row.q);
    const double hi = NormalDepth(row.b, row.m, row.n, i, row.increased);
    const double hl = NormalDepth(row.b, row.m, row.n, i, row.request.least);
    EXPECT_NEAR(f.increased.q, row.increased, 1e-9);
    // The window's search stops within 0.5 % of Q, well within 1 mm of depth here.
    EXPECT_NEAR(f.design.h, hd, 1e-3);
    EXPECT_NEAR(f.increased.h, hi, 1e-3);
    EXPECT_NEAR(f.least.h, hl, 1e-3);
    const double fb = row.freeboard.value_or(hi / 4.0 + 0.2);
    EXPECT_NEAR(f.freeboard, fb, 1e-3);
    EXPECT_NEAR(f.channelDepth, hi + fb, 2e-3);
    EXPECT_NEAR(f.bankLevel, row.request.bedLevel + hi + fb, 2e-3);
    // Its water-surface profile is drawn under that bank; a plain case has none.
    EXPECT_NEAR(r.ProfileTop(), hi + fb, 2e-3);
    EXPECT_EQ(RecordPress(w, texts, {}).ProfileTop(), 0.0);
    EXPECT_NEAR(f.siltLimit, row.request.siltCoefficient * std::sqrt(Radius(row.b, row.m, hl)),
                1e-3);
    // The seed report of the design discharge first, as a plain press prints it.
    const CaseRecord plain = RecordPress(w, texts, {});
    ASSERT_GT(r.printed.size(), plain.printed.size());
    EXPECT_TRUE(std::equal(plain.printed.begin(), plain.printed.end(), r.printed.begin()));
    EXPECT_NE(r.printed[plain.printed.size()].find("流量组合计算成果表"), std::string::npos);
  }
}

// A trapezoid designed with its flows: B/h = β (or the typed depth's bottom width)
// found for the increased discharge when asked, else for the design one; the
// answer's section then carries that discharge at the depth found (Manning,
// computed here), and the block of the three discharges follows its report.
TEST(FlowCombination, DesignSizedForTheIncreasedDischarge) {
  const struct {
    DesignMode mode;
    const char* window;
    std::vector<std::string> texts;  // Form21: B, M, n, D, Q; Form32: B, M, n, D, h
    double q;                        // design discharge
    bool increased;                  // sized for Q加大
    double sizedFor;                 // m³/s the answer carries
  } rows[] = {
      {DesignMode::Ratio, "Form21", {"", "1.5", "0.025", "1000", "5"}, 5.0, true, 6.25},
      {DesignMode::Ratio, "Form21", {"", "1.5", "0.025", "1000", "5"}, 5.0, false, 5.0},
      {DesignMode::Best,
       "Form21",
       {"", "1", "0.02", "2000", "30"},
       30.0,
       true,
       30.0 * (1.20 - 0.05 / 3.0)},
      {DesignMode::SolveBox, "Form32", {"", "1.5", "0.025", "1000", "1.2"}, 5.0, true, 6.25},
  };
  for (const auto& row : rows) {
    DesignRequest request;
    request.mode = row.mode;
    request.ratio = 2.0;
    request.box = "Text2";
    request.discharge = row.q;
    request.flows = Request(1.0);
    request.sizeForIncreased = row.increased;
    const std::vector<CaseRecord> records =
        RecordDesign(*FindWindow(row.window), row.texts, request, {});
    ASSERT_EQ(records.size(), 1u) << row.window;
    const CaseRecord& r = records.front();
    ASSERT_TRUE(r.answer && r.flows) << row.window;
    EXPECT_EQ(r.design, request);
    const SectionCase& c = *r.press.sectionCase;
    const double b = std::stod(r.reportingTexts[0]);  // B, the first box of both windows
    const double m = std::stod(row.texts[1]), n = std::stod(row.texts[2]);
    const double i = 1.0 / std::stod(row.texts[3]);
    const double h = c.state.h;
    const double w = (b + m * h) * h;
    const double carried = w * std::pow(Radius(b, m, h), 2.0 / 3.0) * std::sqrt(i) / n;
    EXPECT_NEAR(carried, row.sizedFor, 2e-3 * row.sizedFor) << row.window;
    // The block: the design discharge at its own depth, the increased one at the
    // answer's depth when sized for it.
    EXPECT_NEAR(r.flows->design.q, row.q, 1e-12);
    EXPECT_NEAR(r.flows->design.h, NormalDepth(b, m, n, i, row.q), 1e-3);
    if (row.increased) {
      EXPECT_NEAR(r.flows->increased.h, h, 1e-3);
    }
    EXPECT_NE(r.printed.back().find("不淤"), std::string::npos);
  }
  // Not a closed section's design, nor sizing without the flows.
  DesignRequest size;
  size.mode = DesignMode::Size;
  size.flows = Request(1.0);
  EXPECT_FALSE(DesignMisfit(*FindWindow("Form23"), size).empty());
  DesignRequest bare;
  bare.mode = DesignMode::Best;
  bare.sizeForIncreased = true;
  EXPECT_FALSE(DesignMisfit(*FindWindow("Form21"), bare).empty());
}

// Only the depth windows of the open channels take a combination: the five open
// families, not the tunnels, pipes and culverts, nor any discharge window.
TEST(FlowCombination, TakenByOpenChannelDepthWindowsOnly) {
  const Family open[] = {Family::FlatBottomChannel, Family::ArcBottomChannel, Family::UChannel,
                         Family::ParabolicChannel, Family::CompoundChannel};
  for (const WindowSpec& w : Windows()) {
    const bool isOpen = std::find(std::begin(open), std::end(open), w.family) != std::end(open);
    const bool expected = isOpen && w.kind == CalculationKind::Depth;
    EXPECT_EQ(FlowMisfit(w, Request(1.0)).empty(), expected) << w.name;
  }
  EXPECT_FALSE(FlowMisfit(*FindWindow("Form21"), Request(0.0)).empty());
}

}  // namespace
}  // namespace tarnwick
