// The design solvers over every window of the table: solved values carry the
// design discharge in both windows, the smallest tunnel is the smallest, the best
// trapezoid is the best, and what cannot be designed is refused in one block.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "sections/Design.h"
#include "sections/DesignSupport.h"

namespace tarnwick::design {
namespace {

using detail::BoxText;
using detail::Trial;

double Q1Of(const PressResult& r) { return r.state ? r.state->q1 : NAN; }

const WindowSpec& Companion(const WindowSpec& w) {
  const auto other =
      w.kind == CalculationKind::Depth ? CalculationKind::Discharge : CalculationKind::Depth;
  return *FindWindow(other, w.family);
}

std::vector<std::string> SampleTexts(const WindowSpec& w) {
  const auto& sample = FamilyOf(w.family).sample;
  std::vector<std::string> texts(sample.begin(), sample.end());
  texts.resize(w.boxes.size());
  return texts;
}

// A discharge window's case near its family's sample: every number but the
// shape choice scaled by 0.75 to 1.3, kept when both windows take it.
struct Case {
  std::vector<std::string> texts;
  std::vector<double> boxes;
  double q = 0.0;  // Q1 at the typed depth
};

Case RandomCase(std::mt19937& rng, const WindowSpec& w) {
  std::uniform_real_distribution<double> factor(0.75, 1.3);
  const std::vector<std::string> sample = SampleTexts(w);
  const std::vector<double> typical = ReadBoxes(w, sample).value();
  for (int attempt = 0; attempt < 200; ++attempt) {
    Case c{sample, {}, 0.0};
    for (size_t k = 0; k < w.boxes.size(); ++k) {
      if (w.boxes[k].role == BoxRole::ShapeChoice || sample[k].empty()) continue;
      c.texts[k] = BoxText(typical[k] * factor(rng));
    }
    c.boxes = ReadBoxes(w, c.texts).value();
    c.q = Q1Of(Trial(w, c.boxes));
    const WindowSpec& depth = Companion(w);
    if (std::isfinite(c.q) &&
        Trial(depth, detail::CompanionValues(w, c.boxes, depth, c.q)).outcome ==
            PressOutcome::Report) {
      return c;
    }
  }
  ADD_FAILURE() << w.name << ": no case near the sample";
  return {};
}

// The box plays no part at this depth: moving it a tenth either way (or to 1
// and 3 from 0) keeps Q1 to the last digits.
bool DoesNotAct(const WindowSpec& w, std::vector<double> boxes, size_t k) {
  const double q = Q1Of(Trial(w, boxes));
  const double typed = boxes[k];
  int acting = 0;
  int pressed = 0;
  for (const double f : {0.9, 1.1}) {
    boxes[k] = typed == 0.0 ? 10.0 * f - 8.0 : typed * f;
    const PressResult r = Trial(w, boxes);
    if (r.outcome != PressOutcome::Report) continue;
    ++pressed;
    if (std::abs(Q1Of(r) - q) > 1e-12 * q) ++acting;
  }
  return pressed > 0 && acting == 0;
}

// How far the depth window's normal depth may stand from h: both depths carry Q
// within the tolerance, so they differ by at most twice it over dQ1/dh.
double DepthAccuracy(const WindowSpec& w, std::vector<double> boxes, size_t depthBox) {
  const double h = boxes[depthBox];
  const double dh = 1e-6 * h;
  boxes[depthBox] = h + dh;
  const double up = Q1Of(Trial(w, boxes));
  boxes[depthBox] = h - dh;
  const double down = Q1Of(Trial(w, boxes));
  return 1.5 * 2.0 * kDischargeTolerance / std::abs((up - down) / (2.0 * dh));
}

TEST(Design, SolvedBoxCarriesTheDischargeInBothWindows) {
  std::mt19937 rng(612);
  int solved = 0;
  for (const WindowSpec& w : Windows()) {
    if (w.kind != CalculationKind::Discharge) continue;
    const WindowSpec& depth = Companion(w);
    const size_t depthBox = *detail::RoleIndex(w, BoxRole::Depth);
    for (const std::string_view name : SolvableBoxes(w)) {
      const size_t k = *detail::BoxIndex(w, name);
      for (int n = 0; n < 3; ++n) {
        const Case c = RandomCase(rng, w);
        std::vector<std::string> texts = c.texts;
        texts[k] = "1e999";  // the unknown's text is ignored
        const DesignResult r = SolveForBox(w, texts, name, c.q);
        SCOPED_TRACE(std::string(w.name) + " " + std::string(name) + " at " + c.texts[k]);
        if (r.outcome == DesignOutcome::Undetermined) {
          EXPECT_TRUE(DoesNotAct(w, c.boxes, k));
          continue;
        }
        ASSERT_EQ(r.outcome, DesignOutcome::Solved) << r.pane.Joined();
        double nearest = INFINITY;
        for (const Solution& s : r.solutions) {
          nearest = std::min(nearest, std::abs(s.value - c.boxes[k]));
          ResultPane pane;
          const PressResult back = PressWithCase(w, s.texts, pane);
          EXPECT_EQ(pane.Joined(), s.report.Joined());
          EXPECT_LT(std::abs(Q1Of(back) - c.q), kDischargeTolerance);
          EXPECT_EQ(s.boxes[k], s.value);
          const PressResult normal = Trial(depth, detail::CompanionValues(w, s.boxes, depth, c.q));
          ASSERT_EQ(normal.outcome, PressOutcome::Report);
          EXPECT_LE(std::abs(normal.state->h - c.boxes[depthBox]),
                    DepthAccuracy(w, s.boxes, depthBox));
        }
        // The typed value is one of the roots, found again.
        EXPECT_LT(nearest, 1e-4 * std::max(1.0, c.boxes[k]));
        ++solved;
      }
    }
  }
  EXPECT_GT(solved, 100);
}

// The whole range of an unknown as a dense scan sees it, on its own grid: n
// values evenly spaced in log from lo to hi (after 0 where the range starts at
// nothing), or evenly spaced for an angle. Far finer than any coarse trial grid.
std::vector<double> DenseGrid(const BoxSpec& box, int n) {
  std::vector<double> grid;
  const auto logSpan = [&](double lo, double hi) {
    for (int k = 0; k < n; ++k) grid.push_back(lo * std::pow(hi / lo, double(k) / (n - 1)));
  };
  if (box.role == BoxRole::Roughness) {
    logSpan(std::exp2(-14), 2.0);
  } else if (box.role == BoxRole::Slope) {
    logSpan(1.0 / 16, std::exp2(30));
  } else if (box.unit == "°") {
    for (int k = 0; k < n; ++k) grid.push_back(360.0 * k / (n - 1));
  } else {
    grid.push_back(0.0);
    logSpan(std::exp2(-10), box.unit == "m" ? std::exp2(13) : std::exp2(7));
  }
  return grid;
}

// Q1 of the discharge window with box k at x; NaN where the window refuses.
double Q1At(const WindowSpec& w, std::vector<double> boxes, size_t k, double x) {
  boxes[k] = x;
  const PressResult r = Trial(w, boxes);
  return r.outcome == PressOutcome::Report ? Q1Of(r) : NAN;
}

// The roots of Q1 - q the dense scan shows: every sign change between defined
// neighbours closed by plain bisection (a jump across q, where |Q1 - q| stays
// large, is no root), and every run of samples within the tolerance, once, at its
// least miss. Where a run of two or more lasts to the end of the range, Q1 nears
// q as the box grows without end: a root there may be reported or left out, the
// run's extent depending on the trials. Each root is kept with whether its
// section's depth window takes q.
struct DenseRoot {
  double x;
  bool withinCapacity;
  bool limit;  // within the run to the end of the range: may be reported or not
};
std::vector<DenseRoot> DenseRoots(const WindowSpec& w, const std::vector<double>& boxes, size_t k,
                                  const std::vector<double>& grid, const std::vector<double>& q1,
                                  double q) {
  const auto f = [&](size_t i) { return q1[i] - q; };
  const auto within = [&](size_t i) { return std::abs(f(i)) < kDischargeTolerance; };
  const auto missAt = [&](double x) { return std::abs(Q1At(w, boxes, k, x) - q); };
  size_t last = q1.size();
  while (last > 0 && std::isnan(q1[last - 1])) --last;
  std::vector<double> xs;
  double limitFrom = INFINITY;
  for (size_t i = 0; i < last; ++i) {
    if (std::isnan(q1[i])) continue;
    if (within(i)) {  // a run within the tolerance: one root, at its least miss
      size_t best = i;
      const size_t first = i;
      for (; i + 1 < last && !std::isnan(q1[i + 1]) && within(i + 1); ++i) {
        if (std::abs(f(i + 1)) < std::abs(f(best))) best = i + 1;
      }
      xs.push_back(grid[best]);
      if (i + 1 == last && i > first) limitFrom = grid[first];
    } else if (i + 1 < last && !std::isnan(q1[i + 1]) && !within(i + 1) &&
               (f(i) < 0) != (f(i + 1) < 0)) {
      double lo = grid[i], hi = grid[i + 1];
      const bool rising = f(i) < 0;
      for (int pass = 0; pass < 60; ++pass) {
        const double mid = (lo + hi) / 2, fm = Q1At(w, boxes, k, mid) - q;
        if (std::isnan(fm)) break;
        ((fm < 0) == rising ? lo : hi) = mid;
      }
      const double x = missAt(lo) < missAt(hi) ? lo : hi;
      if (missAt(x) < kDischargeTolerance) xs.push_back(x);
    }
  }
  std::vector<DenseRoot> roots;
  const WindowSpec& depth = Companion(w);
  for (const double x : xs) {
    std::vector<double> at = boxes;
    at[k] = x;
    const PressResult r = Trial(depth, detail::CompanionValues(w, at, depth, q));
    roots.push_back({x, r.outcome != PressOutcome::Capacity, x >= limitFrom * (1 - 1e-3)});
  }
  return roots;
}

// Whether the solver's answer agrees with the dense scan: every root the scan
// finds reported (or, all above capacity, the capacity block), no other value,
// and a refusal only where the scan finds no root.
std::string Disagreement(const DesignResult& r, const std::vector<DenseRoot>& dense, double q,
                         const WindowSpec& w, const std::vector<double>& boxes, size_t k) {
  std::vector<double> expected;  // to be reported
  std::vector<double> allowed;   // may be reported: those and the limit roots
  bool anyRoot = false;          // not a limit
  for (const DenseRoot& d : dense) {
    if (d.withinCapacity && !d.limit) expected.push_back(d.x);
    if (d.withinCapacity || d.limit) allowed.push_back(d.x);
    anyRoot = anyRoot || !d.limit;
  }
  // The same root: close, or joined by a stretch where Q1 stays within the
  // tolerance (a nearly flat Q1 leaves a root's place loose).
  const auto near = [&](double a, double b) {
    if (std::abs(a - b) <= 1e-6 * std::max(std::abs(b), 1e-3)) return true;
    for (int j = 0; j <= 8; ++j) {
      if (!(std::abs(Q1At(w, boxes, k, a + (b - a) * j / 8) - q) < kDischargeTolerance)) {
        return false;
      }
    }
    return true;
  };
  std::string why;
  const auto say = [&](const std::string& s, double x) { why += s + " " + BoxText(x) + "; "; };
  if (r.outcome == DesignOutcome::Solved) {
    for (const double e : expected) {
      bool found = false;
      for (const Solution& s : r.solutions) found = found || near(s.value, e);
      if (!found) say("missed root", e);
    }
    for (const Solution& s : r.solutions) {
      bool known = false;
      for (const double e : allowed) known = known || near(s.value, e);
      if (!known) say("root the scan does not find", s.value);
      if (!(std::abs(Q1At(w, boxes, k, s.value) - q) < kDischargeTolerance)) {
        say("value that misses Q", s.value);
      }
    }
  } else if (r.outcome == DesignOutcome::Capacity) {
    if (!anyRoot || !expected.empty()) why = "capacity block, but the scan finds roots in it";
  } else if (r.outcome != DesignOutcome::Undetermined && anyRoot) {
    say("refused, but the scan finds a root at", dense.front().x);
  }
  return why;
}

// The solver's roots against a dense independent scan of the unknown's whole
// range, over random sections near every family's sample and every solvable box
// of every discharge window: Q the discharge of the typed value, of a random
// value in range, or just under the scan's highest interior hump of Q1.
TEST(Design, SolverFindsEveryRootADenseScanFinds) {
  constexpr int kCasesPerBox = 96;
  constexpr int kGrid = 4000;
  std::mt19937 rng(1709);
  int cases = 0;
  int failures = 0;
  for (const WindowSpec& w : Windows()) {
    if (w.kind != CalculationKind::Discharge) continue;
    for (const std::string_view name : SolvableBoxes(w)) {
      const size_t k = *detail::BoxIndex(w, name);
      const std::vector<double> grid = DenseGrid(w.boxes[k], kGrid);
      for (int n = 0; n < kCasesPerBox; ++n) {
        const Case c = RandomCase(rng, w);
        std::vector<double> q1(grid.size());
        for (size_t i = 0; i < grid.size(); ++i) q1[i] = Q1At(w, c.boxes, k, grid[i]);
        double q = c.q;
        if (n % 3 == 1) {
          q = q1[std::uniform_int_distribution<size_t>(0, grid.size() - 1)(rng)];
        } else if (n % 3 == 2) {
          for (size_t i = 1; i + 1 < grid.size(); ++i) {
            if (q1[i] > q1[i - 1] && q1[i] > q1[i + 1] && (q == c.q || q1[i] > q)) q = q1[i];
          }
          q *= 1.0 - 1e-3;
        }
        if (!(q > 1e-2 && q < 1e4)) continue;
        ++cases;
        const DesignResult r = SolveForBox(w, c.texts, name, q);
        const std::string why =
            Disagreement(r, DenseRoots(w, c.boxes, k, grid, q1, q), q, w, c.boxes, k);
        if (why.empty()) continue;
        if (++failures <= 20) {
          ADD_FAILURE() << w.name << " --solve " << name << " --discharge " << BoxText(q) << " "
                        << ::testing::PrintToString(c.texts) << ": " << why;
        }
      }
    }
  }
  EXPECT_EQ(failures, 0) << "of " << cases << " cases";
  EXPECT_GT(cases, 4000);
}

// Every tunnel's smallest section of its typed shape meets both clearance rules
// (or the pipe's fill ratio by diameter) and the capacity check, and the same
// shape one per cent smaller fails one.
TEST(Design, SmallestTunnelIsTheLeastThatKeepsTheRules) {
  const Clearance rules[] = {{}, {30.0, 0.1}, {5.0, 1.0}, {0.0, 0.0}, {15.0, 0.4, true}};
  // h/D against the greatest fill ratio of GB 50014 for D, written out here.
  const auto fillOk = [](const ClosedFigures& f) {
    const double d = f.crown;
    const double most = d < 0.35 ? 0.55 : d < 0.5 ? 0.65 : d < 1.0 ? 0.70 : 0.75;
    return (d - f.clearanceHeight) / d <= most + 1e-12;
  };
  int tunnels = 0;
  for (const WindowSpec& w : Windows()) {
    if (w.kind != CalculationKind::Depth || !HasClearance(w)) continue;
    ++tunnels;
    const WindowSpec& discharge = Companion(w);
    const std::vector<double> sample = ReadBoxes(discharge, SampleTexts(discharge)).value();
    const double q = Q1Of(Trial(discharge, sample));
    std::vector<std::string> texts = SampleTexts(w);
    texts[*detail::RoleIndex(w, BoxRole::Discharge)] = BoxText(q);
    const std::vector<double> typed = ReadBoxes(w, texts).value();
    for (const Clearance& c : rules) {
      SCOPED_TRACE(std::string(w.name) + " A=" + std::to_string(c.areaPercent));
      const DesignResult r = SizeSmallestTunnel(w, texts, c);
      ASSERT_EQ(r.outcome, DesignOutcome::Solved) << r.pane.Joined();
      const Solution& s = r.solutions.at(0);
      EXPECT_EQ(s.press.outcome, PressOutcome::Report);
      if (c.fillRatio) {
        EXPECT_TRUE(fillOk(*s.press.closed));
      } else {
        EXPECT_GE(s.press.closed->clearanceAreaPercent, c.areaPercent);
        EXPECT_GE(s.press.closed->clearanceHeight, c.height);
      }
      EXPECT_EQ(s.line.rfind("最小断面 缩放系数s=", 0), 0u) << s.line;
      std::vector<double> smaller = typed;
      for (size_t k = 0; k < w.boxes.size(); ++k) {
        const bool length = w.boxes[k].unit == "m" && w.boxes[k].role == BoxRole::Dimension;
        if (!length) {
          EXPECT_EQ(s.texts[k], texts[k]) << w.boxes[k].name;
        }
        EXPECT_EQ(s.boxes[k], length ? typed[k] * s.value : typed[k]) << w.boxes[k].name;
        if (length) smaller[k] = typed[k] * s.value * 0.99;
      }
      const PressResult less = Trial(w, smaller);
      const bool fails = less.outcome != PressOutcome::Report ||
                         (c.fillRatio ? !fillOk(*less.closed)
                                      : less.closed->clearanceAreaPercent < c.areaPercent ||
                                            less.closed->clearanceHeight < c.height);
      EXPECT_TRUE(fails);
    }
  }
  EXPECT_GE(tunnels, 4);
}

// A channel of the width-to-depth ratio asked for, or of the best one, carries the
// design discharge in its depth window's report.
TEST(Design, ProportionedChannelHasItsRatioAndCarriesQ) {
  struct Row {
    double m, n, d, q, ratio;  // ratio 0: the hydraulically best section
  };
  const Row rows[] = {{1.5, 0.025, 1000, 5, 2}, {0, 0.014, 2500, 0.3, 1},
                      {2, 0.03, 500, 120, 6},   {0.5, 0.02, 3000, 0.02, 0.5},
                      {1.5, 0.025, 1000, 5, 0}, {0, 0.014, 800, 40, 0}};
  int offered = 0;
  for (const WindowSpec& w : Windows()) {
    if (!OffersProportions(w)) continue;
    ++offered;
    for (const Row& row : rows) {
      std::vector<std::string> texts(w.boxes.size());
      for (size_t k = 0; k < w.boxes.size(); ++k) {
        const BoxSpec& b = w.boxes[k];
        if (b.name == w.proportions->sideSlope) texts[k] = BoxText(row.m);
        if (b.role == BoxRole::Roughness) texts[k] = BoxText(row.n);
        if (b.role == BoxRole::Slope) texts[k] = BoxText(row.d);
        if (b.role == BoxRole::Discharge) texts[k] = BoxText(row.q);
      }
      const DesignResult r =
          row.ratio > 0 ? SolveProportions(w, texts, row.ratio) : SolveBestProportions(w, texts);
      SCOPED_TRACE(std::to_string(row.q) + " ratio " + std::to_string(row.ratio));
      ASSERT_EQ(r.outcome, DesignOutcome::Solved) << r.pane.Joined();
      const Solution& s = r.solutions.at(0);
      const double ratio = row.ratio > 0 ? row.ratio : BestRatio(row.m);
      EXPECT_NEAR(s.value / s.depth, ratio, 1e-12 * ratio);
      EXPECT_LT(std::abs(Q1Of(s.press) - row.q), kDischargeTolerance);
      EXPECT_EQ(r.pane.Lines().at(0), s.line);
      EXPECT_NE(s.line.find("宽深比β="), std::string::npos) << s.line;
    }
  }
  EXPECT_EQ(offered, 1);
}

// The best trapezoid of any side slope has a hydraulic radius of half its depth.
TEST(Design, BestTrapezoidHasHydraulicRadiusHalfItsDepth) {
  EXPECT_DOUBLE_EQ(BestRatio(0.0), 2.0);
  EXPECT_NEAR(BestRatio(1.0 / std::sqrt(3.0)), 2.0 / std::sqrt(3.0), 1e-15);
  for (const WindowSpec& w : Windows()) {
    if (!OffersProportions(w)) continue;
    const WindowSpec& discharge = Companion(w);
    for (const double m : {0.0, 0.25, 1.0 / std::sqrt(3.0), 1.0, 1.5, 3.0}) {
      for (const double q : {0.05, 5.0, 300.0}) {
        std::vector<std::string> texts(w.boxes.size(), "1000");
        texts[*detail::BoxIndex(w, w.proportions->sideSlope)] = BoxText(m);
        texts[*detail::RoleIndex(w, BoxRole::Roughness)] = "0.02";
        texts[*detail::RoleIndex(w, BoxRole::Discharge)] = BoxText(q);
        const DesignResult r = SolveBestProportions(w, texts);
        ASSERT_EQ(r.outcome, DesignOutcome::Solved) << m << " " << q;
        const Solution& s = r.solutions.at(0);
        std::vector<double> at = detail::CompanionValues(w, s.boxes, discharge, s.depth);
        const PressResult t = Trial(discharge, at);
        EXPECT_NEAR(t.state->rs, s.depth / 2.0, 1e-12 * s.depth) << m << " " << q;
      }
    }
  }
}

// Each root of the unknown in its range, smallest first, with its line and report;
// a single root's line has no count.
TEST(Design, EveryRootIsReportedWithItsLine) {
  const std::vector<std::string> trapezoid{"", "1.5", "0.025", "1000", "1.5"};
  const std::vector<std::string> horseshoe{"0", "1", "180", "2", "", "2", "0.014", "1000", "1"};
  const std::vector<std::string> arch{"0", "1", "90", "0.5", "", "2", "0.014", "1000", "0.5"};
  struct Row {
    const char* window;
    std::vector<std::string> texts;
    const char* box;
    double q;
    std::vector<std::string> lines;  // each line's beginning
  };
  const Row rows[] = {
      {"Form32", trapezoid, "Text2", 7.295356, {"求解 渠 底 宽 B= 2 m"}},
      {"Form32", {"2", "1.5", "0.025", "", "1.5"}, "Text5", 7.295356, {"求解 纵    坡 I= 1/ 1000"}},
      {"Form36", horseshoe, "Text4", 2.6, {"求解 侧拱圆心角A2= 11.8", "求解 侧拱圆心角A2= 18.5"}},
      {"Form37", arch, "Text4", 0.75, {"求解 侧拱圆心角A2= 49.8", "求解 侧拱圆心角A2= 100.4"}},
      // humps of Q1 narrower than the trial steps
      {"Form35",
       {"", "1", "0.014", "1000", "0.6"},
       "Text1",
       1.35,
       {"求解 平底板宽度B= 1.5918", "求解 平底板宽度B= 1.9729"}},
      {"Form36",
       {"0", "", "131.6", "8.128", "11.1", "5.255", "0.014", "2000", "0.8268"},
       "Text1",
       3.35,
       {"求解 顶拱半径R1= 2.8538", "求解 顶拱半径R1= 3.1697"}},
  };
  for (const Row& row : rows) {
    const WindowSpec& w = *FindWindow(row.window);
    const DesignResult r = SolveForBox(w, row.texts, row.box, row.q);
    SCOPED_TRACE(std::string(row.window) + " " + row.box);
    ASSERT_EQ(r.outcome, DesignOutcome::Solved) << r.pane.Joined();
    EXPECT_EQ(PressOutcomeOf(r.outcome), PressOutcome::Report);
    ASSERT_EQ(r.solutions.size(), row.lines.size());
    EXPECT_EQ(r.box, row.box);
    ResultPane expected;
    for (size_t k = 0; k < r.solutions.size(); ++k) {
      const Solution& s = r.solutions[k];
      EXPECT_EQ(s.line.rfind(row.lines[k], 0), 0u) << s.line;
      const std::string count =
          "第" + std::to_string(k + 1) + "解(共" + std::to_string(r.solutions.size()) + "解)";
      EXPECT_EQ(s.line.find(count) != std::string::npos, r.solutions.size() > 1) << s.line;
      EXPECT_LT(k > 0 ? r.solutions[k - 1].value : -INFINITY, s.value);
      EXPECT_LT(std::abs(Q1Of(s.press) - row.q), kDischargeTolerance);
      expected.Text(s.line).EndLine();
      expected.Append(s.report);
    }
    EXPECT_EQ(r.pane.Joined(), expected.Joined());
  }
}

// What cannot be designed is refused, saying why: one block (separator, message,
// separator), or for roots above their section's capacity each root's line and
// the capacity block of its depth window.
TEST(Design, RefusalsAreOneBlock) {
  const WindowSpec& form32 = *FindWindow("Form32");
  const std::vector<std::string> trapezoid{"2", "1.5", "0.025", "1000", "1.5"};
  const std::vector<std::string> channel{"", "1.5", "0.025", "1000", "5"};
  const std::vector<std::string> cityGate{"2", "1.5", "1.2", "112.6", "0", "0.014", "1000", "1"};
  const std::vector<std::string> horseshoe{"0", "1", "180", "2", "30", "2", "0.014", "1000", "1"};
  const std::vector<std::string> circle{"", "1", "0.014", "1000", "1.5"};
  const auto solve = [](const char* window, std::vector<std::string> texts, const char* box,
                        double q) {
    return [=] { return SolveForBox(*FindWindow(window), texts, box, q); };
  };
  const double gateQ =
      Q1Of(Trial(*FindWindow("Form34"), ReadBoxes(*FindWindow("Form34"), cityGate).value()));
  struct Row {
    const char* what;
    std::function<DesignResult()> run;
    DesignOutcome outcome;
    std::string message;
    std::vector<std::string> lines = {};  // the whole pane, where it is no one-message block
  };
  const Row rows[] = {
      {"a trickle no bottom width carries", solve("Form32", trapezoid, "Text2", 1e-4),
       DesignOutcome::NoSolution, "渠底宽B取任何值均不能通过设计流量,请重新输入！"},
      {"a flood no roughness carries", solve("Form32", trapezoid, "Text4", 1e6),
       DesignOutcome::NoSolution, "糙率n取任何值均不能通过设计流量,请重新输入！"},
      {"only a circle lower than the depth", solve("Form35", circle, "Text2", 0.5),
       DesignOutcome::DepthTooGreat, "能通过设计流量的隧洞高度不大于水深,请重新输入！"},
      {"the roof angle overfills the section",
       solve("Form34", {"3", "2", "1.7320508", "", "0", "0.014", "1000", "2.5"}, "Text4", 15.1326),
       DesignOutcome::Capacity,
       "",
       // the root's line, then the capacity block its depth window prints
       {"求解 顶拱圆心角A1= 120 °", "", "此断面最大过流能力Q1= 14.46587 ", "请从新拟定断面", ""}},
      {"a roof radius above the water", solve("Form34", cityGate, "Text3", gateQ),
       DesignOutcome::Undetermined, "顶拱半径R1不影响此水深的流量,不能求解,请重新选择！"},
      {"a roof radius above the water, another Q", solve("Form34", cityGate, "Text3", 3),
       DesignOutcome::NoEffect,
       "顶拱半径R1不影响此水深的流量,流量恒为Q1= 2.84587 ,不能通过设计流量,请重新输入！"},
      {"a culvert's height above the water",
       solve("Form39", {"2", "", "0.014", "1000", "1.5"}, "Text2", 3), DesignOutcome::NoEffect,
       "箱涵高度H不影响此水深的流量,流量恒为Q1= 4.82052 ,不能通过设计流量,请重新输入！"},
      {"the floor type", solve("Form36", horseshoe, "Text10", 2), DesignOutcome::NotSolvable,
       "该数据不能求解,请重新选择！"},
      {"the depth", solve("Form36", horseshoe, "Text8", 2), DesignOutcome::NotSolvable,
       "该数据不能求解,请重新选择！"},
      {"a depth window", solve("Form21", channel, "Text2", 5), DesignOutcome::NotSolvable,
       "该数据不能求解,请重新选择！"},
      {"no such box", solve("Form32", trapezoid, "Text9", 5), DesignOutcome::NotSolvable,
       "该数据不能求解,请重新选择！"},
      {"a negative discharge", solve("Form32", trapezoid, "Text2", -1), DesignOutcome::InputError,
       std::string(kDataInputError)},
      {"a roughness of zero", solve("Form32", {"2", "1.5", "0", "1000", "1.5"}, "Text2", 5),
       DesignOutcome::InputError, std::string(kDataInputError)},
      {"proportions of an arc-bottom channel",
       [&] { return SolveProportions(*FindWindow("Form2"), channel, 2); },
       DesignOutcome::NotSolvable, "该数据不能求解,请重新选择！"},
      {"proportions in the discharge window",
       [&] { return SolveProportions(form32, trapezoid, 2); }, DesignOutcome::NotSolvable,
       "该数据不能求解,请重新选择！"},
      {"a ratio of zero", [&] { return SolveProportions(*FindWindow("Form21"), channel, 0); },
       DesignOutcome::InputError, std::string(kDataInputError)},
      {"the best section of an overhanging bank",
       [&] {
         return SolveBestProportions(*FindWindow("Form21"), {{"", "-1", "0.025", "1000", "5"}});
       },
       DesignOutcome::InputError, std::string(kDataInputError)},
      {"the smallest open channel",
       [&] {
         return SizeSmallestTunnel(*FindWindow("Form21"), {{"2", "1.5", "0.025", "1000", "5"}});
       },
       DesignOutcome::NotSolvable, "该数据不能求解,请重新选择！"},
      {"a rule of all the area",
       [&] {
         return SizeSmallestTunnel(*FindWindow("Form24"), circle, {100.0, 0.4});
       },
       DesignOutcome::InputError, std::string(kDataInputError)},
      {"a tunnel of no radius",
       [&] {
         return SizeSmallestTunnel(*FindWindow("Form24"), {{"", "0", "0.014", "1000", "1"}});
       },
       DesignOutcome::InputError, std::string(kDataInputError)},
  };
  for (const Row& row : rows) {
    const DesignResult r = row.run();
    SCOPED_TRACE(row.what);
    EXPECT_EQ(r.outcome, row.outcome);
    EXPECT_NE(PressOutcomeOf(r.outcome), PressOutcome::Report);  // ends as a refused press
    EXPECT_TRUE(r.solutions.empty());
    if (!row.lines.empty()) {
      EXPECT_EQ(r.pane.Lines(), row.lines);
      continue;
    }
    ASSERT_EQ(r.pane.Lines().size(), 3u) << r.pane.Joined();
    EXPECT_EQ(r.pane.Lines()[0], kSeparatorLine);
    EXPECT_EQ(r.pane.Lines()[1], row.message);
    EXPECT_EQ(r.pane.Lines()[2], kSeparatorLine);
  }
}

}  // namespace
}  // namespace tarnwick::design
