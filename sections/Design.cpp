// Solving a discharge window for one box: trial values over the box's range, its
// steps refined where Q1 bends, every sign change of Q1 - Q solved, each root
// checked against the capacity of its section and reported by a press of its box
// texts.
#include "Design.h"

#include <cmath>
#include <limits>

#include "DesignSupport.h"
#include "InputBoxes.h"
#include "core/BracketRoot.h"
#include "core/ReportRow.h"

namespace tarnwick::design {

using namespace detail;

namespace {

constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();
// Refined to a hundredth of the windows' tolerance; kept when the window's own is met.
constexpr RootControl kDischargeSolve{kDischargeTolerance / 100.0, 0.0, 200};
// Halvings that find the end of a box's range to a billionth of a trial step.
constexpr int kEdgePasses = 30;
// Q1 the same at two trials, relative to Q: the box takes no part in it.
constexpr double kSameDischarge = 1e-12;
// Pieces each trial step beside a turn of Q1 is divided into.
constexpr int kTurnSteps = 16;
// Refinement of a step between accepted trials (see Design.h): the step is halved
// while its midpoint strays from the chord by a kHidden-th of the least |Q1 - Q|
// of the three points or more, and by more than kSmallBend; always for the first
// kForcedDepth halvings, to kRefineDepth at most, within kRefineBudget presses for
// the whole range.
constexpr double kHidden = 8.0;
constexpr double kSmallBend = kDischargeTolerance / 100.0;
constexpr int kForcedDepth = 2;
constexpr int kRefineDepth = 40;
constexpr int kRefineBudget = 20000;

// lo · 2^(k / steps) for k = 0, 1, ... up to hi.
void AppendDoubling(std::vector<double>& values, int loExponent, int hiExponent, int steps) {
  for (int k = 0; k <= (hiExponent - loExponent) * steps; ++k) {
    values.push_back(std::exp2(loExponent + static_cast<double>(k) / steps));
  }
}

// The trial values of an unknown, from its role and unit (see Design.h).
std::vector<double> TrialValues(const BoxSpec& box) {
  std::vector<double> values;
  if (box.role == BoxRole::Roughness) {
    AppendDoubling(values, -14, 1, 1);
  } else if (box.role == BoxRole::Slope) {
    AppendDoubling(values, -4, 30, 1);
  } else if (box.unit == boxes::kMetre) {
    values.push_back(0.0);
    AppendDoubling(values, -10, 13, 1);
  } else if (box.unit == boxes::kDegree) {
    for (int k = 0; k <= 720; ++k) values.push_back(k * 0.5);
  } else {
    values.push_back(0.0);
    AppendDoubling(values, -10, 7, 16);
  }
  return values;
}

struct Scan {
  std::vector<RootSample> samples;     // f = Q1 - Q, NaN where the window refuses
  std::vector<PressOutcome> outcomes;  // of each trial
  std::vector<RootSample> dropped;     // refined trials not kept (see Refined)
};

// The window pressed with the unknown at x, the other boxes as typed.
class Unknown {
 public:
  Unknown(const WindowSpec& window, std::vector<double> boxes, size_t index, double q)
      : window_(window), boxes_(std::move(boxes)), index_(index), q_(q) {}

  PressResult Press(double x) {
    boxes_[index_] = x;
    return Trial(window_, boxes_);
  }
  double Miss(const PressResult& r) const {
    return r.outcome == PressOutcome::Report && r.state ? r.state->q1 - q_ : kNotANumber;
  }
  double operator()(double x) { return Miss(Press(x)); }

  // Presses the window at x and adds the trial to the scan.
  void Add(Scan& scan, double x) {
    const PressResult r = Press(x);
    scan.samples.push_back({x, Miss(r)});
    scan.outcomes.push_back(r.outcome);
  }

  // The last value the window accepts between an accepted trial and a refused one.
  std::pair<RootSample, PressOutcome> Edge(RootSample accepted, double refused,
                                           PressOutcome refusal) {
    for (int pass = 0; pass < kEdgePasses; ++pass) {
      const double mid = (accepted.x + refused) / 2.0;
      const PressResult r = Press(mid);
      const double miss = Miss(r);
      if (std::isnan(miss)) {
        refused = mid;
        refusal = r.outcome;
      } else {
        accepted = {mid, miss};
      }
    }
    return {accepted, refusal};
  }

 private:
  const WindowSpec& window_;
  std::vector<double> boxes_;
  size_t index_;
  double q_;
};

// The end of the window's range between an accepted trial and a refused
// neighbour: a root may lie between the trial and the range's end, which the
// trials of a length step over (a rectangle's width just under the diameter of its
// bottom arc). The end found becomes a trial, its refused side another. First
// (nearingOnly) only where the trial comes nearer to Q than its other neighbour;
// after the turns, at every end still unexplored.
Scan WithEdges(const Scan& scan, Unknown& unknown, bool nearingOnly) {
  Scan out;
  const auto& s = scan.samples;
  const auto accepted = [&](size_t k) { return !std::isnan(s[k].f); };
  const auto nearing = [&](size_t k, size_t inner, bool hasInner) {
    return !hasInner || !accepted(inner) || std::abs(s[k].f) < std::abs(s[inner].f);
  };
  for (size_t k = 0; k < s.size(); ++k) {
    out.samples.push_back(s[k]);
    out.outcomes.push_back(scan.outcomes[k]);
    if (k + 1 == s.size() || accepted(k) == accepted(k + 1)) continue;
    const size_t in = accepted(k) ? k : k + 1;
    const size_t off = accepted(k) ? k + 1 : k;
    const bool hasInner = accepted(k) ? k > 0 : k + 2 < s.size();
    if (nearingOnly && !nearing(in, accepted(k) ? k - 1 : k + 2, hasInner)) continue;
    if (std::abs(s[off].x - s[in].x) <= 1e-6 * std::abs(s[in].x)) continue;  // an end found
    const auto [edge, refusal] = unknown.Edge(s[in], s[off].x, scan.outcomes[off]);
    if (edge.x == s[in].x) continue;  // the range ends at the trial itself
    const RootSample beyond{edge.x + (s[off].x - edge.x) * 1e-9, kNotANumber};
    out.samples.push_back(accepted(k) ? edge : beyond);
    out.outcomes.push_back(accepted(k) ? PressOutcome::Report : refusal);
    out.samples.push_back(accepted(k) ? beyond : edge);
    out.outcomes.push_back(accepted(k) ? refusal : PressOutcome::Report);
  }
  return out;
}

// A trial nearer to Q than both its neighbours, all three short of Q or all
// beyond it: Q1 turns back there, and a pair of roots may lie between trials.
bool Turns(const std::vector<RootSample>& s, size_t k) {
  if (k == 0 || k + 1 >= s.size()) return false;
  const double a = s[k - 1].f;
  const double b = s[k].f;
  const double c = s[k + 1].f;
  if (std::isnan(a) || std::isnan(b) || std::isnan(c)) return false;
  const bool sameSide = (a > 0.0) == (b > 0.0) && (b > 0.0) == (c > 0.0);
  return sameSide && std::abs(b) < std::abs(a) && std::abs(b) < std::abs(c);
}

// Both steps beside a turn tried again at a sixteenth of the step.
Scan WithTurns(const Scan& scan, Unknown& unknown) {
  const auto& s = scan.samples;
  std::vector<bool> turn(s.size());
  for (size_t k = 0; k < s.size(); ++k) turn[k] = Turns(s, k);
  Scan out;
  for (size_t k = 0; k < s.size(); ++k) {
    out.samples.push_back(s[k]);
    out.outcomes.push_back(scan.outcomes[k]);
    if (k + 1 == s.size() || !(turn[k] || turn[k + 1])) continue;
    for (int j = 1; j < kTurnSteps; ++j) {
      unknown.Add(out, s[k].x + (s[k + 1].x - s[k].x) * j / kTurnSteps);
    }
  }
  return out;
}

// The step from a to b (both accepted) halved while Q1 bends between them more
// than a straight chord allows for: the midpoint's distance d from the chord
// bounds how far a smooth Q1 may leave the three values (a parabola through them
// leaves them by at most d), so where kHidden * d reaches the least |Q1 - Q| of
// the three, a hump or a pair of roots may hide, and both halves are looked at
// again. Near a turn of Q1 this halves on towards the turn until its value is
// known to kSmallBend; far from Q, or where Q1 runs nearly straight, a press
// settles the step. The first kForcedDepth halvings are made whatever the bend,
// so that a hump between the chord's ends and its midpoint shows. The trials are
// added in order of x.
void Refine(Scan& out, RootSample a, RootSample b, int depth, Unknown& unknown, int& budget) {
  const double x = a.x + (b.x - a.x) / 2.0;
  if (!(x > a.x && x < b.x) || budget <= 0) return;
  --budget;
  const PressResult r = unknown.Press(x);
  const RootSample m{x, unknown.Miss(r)};
  const double bend = std::abs(m.f - (a.f + b.f) / 2.0);
  const double least = std::min({std::abs(a.f), std::abs(m.f), std::abs(b.f)});
  const bool bends = kHidden * bend >= least && kHidden * bend > kSmallBend;
  const bool deeper = !std::isnan(m.f) && depth < kRefineDepth && (depth < kForcedDepth || bends);
  if (deeper) Refine(out, a, m, depth + 1, unknown, budget);
  out.samples.push_back(m);
  out.outcomes.push_back(r.outcome);
  if (deeper) Refine(out, m, b, depth + 1, unknown, budget);
}

// How many roots RootsOfSamples sees in the samples: runs within its tolerance,
// and sign changes between defined neighbours outside it.
int RootsSeen(const std::vector<RootSample>& s) {
  const auto within = [&](size_t k) { return std::abs(s[k].f) < kDischargeSolve.tolerance; };
  int roots = 0;
  for (size_t k = 0; k < s.size(); ++k) {
    if (within(k)) {
      roots += k == 0 || !within(k - 1);
    } else if (k + 1 < s.size() && !std::isnan(s[k].f) && !std::isnan(s[k + 1].f) &&
               !within(k + 1)) {
      roots += (s[k].f > 0.0) != (s[k + 1].f > 0.0);
    }
  }
  return roots;
}

// Every step between accepted trials refined (Refine); the refined trials are
// kept only where they show other roots than the step's ends do, so that a root
// the trials bracket alone is solved from that bracket as before. The others are
// kept aside, for telling whether the box acts at all.
Scan Refined(const Scan& scan, Unknown& unknown) {
  const auto& s = scan.samples;
  Scan out;
  int budget = kRefineBudget;
  for (size_t k = 0; k < s.size(); ++k) {
    out.samples.push_back(s[k]);
    out.outcomes.push_back(scan.outcomes[k]);
    if (k + 1 == s.size() || std::isnan(s[k].f) || std::isnan(s[k + 1].f)) continue;
    Scan step;
    step.samples.push_back(s[k]);
    step.outcomes.push_back(scan.outcomes[k]);
    Refine(step, s[k], s[k + 1], 0, unknown, budget);
    step.samples.push_back(s[k + 1]);
    const bool same = RootsSeen(step.samples) == RootsSeen({s[k], s[k + 1]});
    for (size_t j = 1; j + 1 < step.samples.size(); ++j) {
      if (same) {
        out.dropped.push_back(step.samples[j]);
        continue;
      }
      out.samples.push_back(step.samples[j]);
      out.outcomes.push_back(step.outcomes[j]);
    }
  }
  return out;
}

// The discharge does not fix the box: two neighbouring trials carry Q within
// the windows' tolerance with the same Q1, the box taking no part in the flow at
// this depth (a roof radius above the water, a flood plain the water stays below).
bool Undetermined(const Scan& scan, double q) {
  const auto& s = scan.samples;
  for (size_t k = 0; k + 1 < s.size(); ++k) {
    const bool within = std::abs(s[k].f) < kDischargeTolerance;
    if (within && std::abs(s[k + 1].f - s[k].f) <= kSameDischarge * q) return true;
  }
  return false;
}

// Q1 where the box takes no part in it over its whole range: two or more trials
// the window accepts, kept or dropped, every one with the same Q1 (a culvert's
// height above the water); empty where the box acts anywhere.
std::optional<double> SameEverywhere(const Scan& scan, double q) {
  std::optional<double> first;
  int accepted = 0;
  std::vector<RootSample> all = scan.samples;
  all.insert(all.end(), scan.dropped.begin(), scan.dropped.end());
  for (const RootSample& s : all) {
    if (std::isnan(s.f)) continue;
    if (first && std::abs(s.f - *first) > kSameDischarge * q) return std::nullopt;
    if (!first) first = s.f;
    ++accepted;
  }
  if (accepted < 2) return std::nullopt;
  return *first + q;
}

// Where a run of two or more trials within the tolerance lasts to the last
// trial the window accepts, Q1 only nears Q as the box grows without end (a floor
// arc flattening towards the level floor): no value in that run is a design.
double LimitRunStart(const Scan& scan) {
  const auto& s = scan.samples;
  size_t k = s.size();
  while (k > 0 && std::isnan(s[k - 1].f)) --k;
  size_t run = 0;
  while (k > 0 && std::abs(s[k - 1].f) < kDischargeTolerance) {
    --k;
    ++run;
  }
  return run >= 2 ? s[k].x : INFINITY;
}

std::vector<double> Roots(const Scan& scan, Unknown& unknown) {
  const double limit = LimitRunStart(scan);
  std::vector<double> roots;
  for (const RootResult& r : RootsOfSamples(unknown, scan.samples, kDischargeSolve)) {
    if (std::abs(r.best.f) < kDischargeTolerance && r.best.x < limit) roots.push_back(r.best.x);
  }
  return roots;
}

// Why no trial carried Q: only sections the window refuses; the trials that come
// nearest standing next to tunnels lower than the depth; or none in range.
DesignOutcome Unsolved(const Scan& scan) {
  const auto tooLow = [&](size_t k) {
    return k < scan.outcomes.size() && scan.outcomes[k] == PressOutcome::DepthTooGreat;
  };
  std::optional<size_t> nearest;
  bool anyTooLow = false;
  for (size_t k = 0; k < scan.samples.size(); ++k) {
    anyTooLow = anyTooLow || tooLow(k);
    const double miss = std::abs(scan.samples[k].f);
    if (!std::isnan(miss) && (!nearest || miss < std::abs(scan.samples[*nearest].f))) nearest = k;
  }
  if (!nearest) return anyTooLow ? DesignOutcome::DepthTooGreat : DesignOutcome::InputError;
  const bool besideTooLow = tooLow(*nearest + 1) || (*nearest > 0 && tooLow(*nearest - 1));
  return besideTooLow ? DesignOutcome::DepthTooGreat : DesignOutcome::NoSolution;
}

DesignResult RefuseUnsolved(const WindowSpec& window, const BoxSpec& box, DesignOutcome why) {
  switch (why) {
    case DesignOutcome::DepthTooGreat: return Refused(&window, why, kTunnelTooLow);
    case DesignOutcome::NoSolution:
      return Refused(&window, why, LabelWords(box.label) + std::string(kNoValueCarries));
    default: return Refused(&window, DesignOutcome::InputError, kDataInputError);
  }
}

// The depth window's own press of the section for Q, where it refuses Q as above
// the section's capacity: the capacity block it prints. Empty when it takes Q.
std::optional<ResultPane> CapacityBlockOf(const WindowSpec& window, std::span<const double> boxes,
                                          double q) {
  const WindowSpec* depthWindow = FindWindow(CalculationKind::Depth, window.family);
  if (depthWindow == nullptr) return std::nullopt;
  ResultPane block;
  const PressResult r = depthWindow->run(CompanionValues(window, boxes, *depthWindow, q), block,
                                         PressDetail::Outcome);
  if (r.outcome != PressOutcome::Capacity) return std::nullopt;
  return block;
}

std::string SolvedLine(const BoxSpec& box, double value, size_t index, size_t count) {
  ResultPane line;
  line.Text("求解 ");
  Figure(line, box, value);
  if (count > 1) {
    line.Text(" 第").Text(std::to_string(index + 1)).Text("解(共").Text(std::to_string(count));
    line.Text("解)");
  }
  return LineOf(line.EndLine());
}

// The roots whose sections the depth window accepts Q for, each reported by a
// press of its texts. When it accepts none, each root's line and the capacity
// block its depth window prints for that section.
DesignResult Carried(const WindowSpec& window, size_t index, std::vector<std::string> texts,
                     std::vector<double> boxes, const std::vector<double>& roots, double q) {
  std::vector<double> carried;
  std::vector<std::pair<double, ResultPane>> above;
  for (const double x : roots) {
    boxes[index] = x;
    if (auto block = CapacityBlockOf(window, boxes, q)) {
      above.emplace_back(x, std::move(*block));
    } else {
      carried.push_back(x);
    }
  }
  const BoxSpec& box = window.boxes[index];
  if (carried.empty()) {
    DesignResult r;
    r.outcome = DesignOutcome::Capacity;
    r.window = &window;
    for (size_t k = 0; k < above.size(); ++k) {
      r.pane.Text(SolvedLine(box, above[k].first, k, above.size())).EndLine();
      r.pane.Append(above[k].second);
    }
    return r;
  }
  std::vector<Solution> solutions;
  for (size_t k = 0; k < carried.size(); ++k) {
    texts[index] = BoxText(carried[k]);
    solutions.push_back(Answer(window, texts, carried[k]));
    solutions.back().line = SolvedLine(box, carried[k], k, carried.size());
  }
  return Answered(&window, box.name, std::move(solutions));
}

}  // namespace

bool IsSolvable(const BoxSpec& box) {
  return box.role == BoxRole::Dimension || box.role == BoxRole::Roughness ||
         box.role == BoxRole::Slope;
}

std::vector<std::string_view> SolvableBoxes(const WindowSpec& window) {
  std::vector<std::string_view> names;
  if (window.kind != CalculationKind::Discharge) return names;
  for (const BoxSpec& box : window.boxes) {
    if (IsSolvable(box)) names.push_back(box.name);
  }
  return names;
}

DesignResult SolveForBox(const WindowSpec& window, std::span<const std::string> boxTexts,
                         std::string_view boxName, double designQ) {
  const auto index = BoxIndex(window, boxName);
  if (!index || window.kind != CalculationKind::Discharge || !IsSolvable(window.boxes[*index])) {
    return Refused(&window, DesignOutcome::NotSolvable, kNotSolvable);
  }
  const BoxSpec& box = window.boxes[*index];
  std::vector<std::string> texts = TextsOf(window, boxTexts);
  texts[*index].assign(1, '0');  // (not = "0": GCC 12 -O3 warns falsely of an overlap)
  const auto values = ReadBoxes(window, texts);
  if (!values || !std::isfinite(designQ) || designQ <= 0.0) {
    return Refused(&window, DesignOutcome::InputError, kDataInputError);
  }
  Unknown unknown(window, *values, *index, designQ);
  Scan trials;
  for (const double x : TrialValues(box)) unknown.Add(trials, x);
  const Scan explored = WithTurns(WithEdges(trials, unknown, true), unknown);
  if (Undetermined(explored, designQ)) {
    return Refused(&window, DesignOutcome::Undetermined,
                   LabelWords(box.label) + std::string(kDoesNotAct));
  }
  const Scan scan = Refined(WithEdges(explored, unknown, false), unknown);
  const std::vector<double> roots = Roots(scan, unknown);
  if (const auto q1 = SameEverywhere(scan, designQ); roots.empty() && q1) {
    ResultPane message;
    message.Text(LabelWords(box.label)).Text(kNoEffect).Number(RoundDisplay(*q1));
    message.Text(kNoEffectCarries).EndLine();
    return Refused(&window, DesignOutcome::NoEffect, LineOf(message));
  }
  if (roots.empty()) return RefuseUnsolved(window, box, Unsolved(scan));
  return Carried(window, *index, texts, *values, roots, designQ);
}

}  // namespace tarnwick::design
