// Designing a whole section: a channel of chosen proportions, and the smallest
// tunnel of a typed shape that keeps the clearance rules.
#include <cmath>
#include <limits>

#include "Checks.h"
#include "Design.h"
#include "DesignSupport.h"
#include "InputBoxes.h"
#include "core/BracketRoot.h"
#include "core/ReportRow.h"

namespace tarnwick::design {

using namespace detail;

namespace {

constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

bool Positive(double x) { return std::isfinite(x) && x > 0.0; }

// The boxes of a proportioned channel in its depth window and its discharge window.
struct ProportionLayout {
  const WindowSpec& depthWindow;
  const WindowSpec& dischargeWindow;
  size_t width;           // in the depth window
  size_t dischargeWidth;  // in the discharge window
  size_t depth;           // the discharge window's depth box
  size_t discharge;       // the depth window's discharge box
  size_t sideSlope;       // in the depth window
};

std::optional<ProportionLayout> LayoutOf(const WindowSpec& w) {
  if (!OffersProportions(w)) return std::nullopt;
  const WindowSpec* discharge = FindWindow(CalculationKind::Discharge, w.family);
  if (discharge == nullptr) return std::nullopt;
  const auto width = BoxIndex(w, w.proportions->width);
  const auto dischargeWidth = BoxIndex(*discharge, w.proportions->width);
  const auto depth = RoleIndex(*discharge, BoxRole::Depth);
  const auto q = RoleIndex(w, BoxRole::Discharge);
  const auto sideSlope = BoxIndex(w, w.proportions->sideSlope);
  if (!width || !dischargeWidth || !depth || !q || !sideSlope) return std::nullopt;
  return ProportionLayout{w, *discharge, *width, *dischargeWidth, *depth, *q, *sideSlope};
}

// The depth at which the channel of width ratio * h carries q: Q1 grows as h^(8/3)
// for similar sections, so the doubling depths bracket the one root.
std::optional<double> ProportionedDepth(const ProportionLayout& p, std::vector<double> boxes,
                                        double ratio, double q) {
  const auto miss = [&](double h) {
    boxes[p.dischargeWidth] = ratio * h;
    boxes[p.depth] = h;
    const PressResult r = Trial(p.dischargeWindow, boxes);
    return r.outcome == PressOutcome::Report && r.state ? r.state->q1 - q : kNotANumber;
  };
  std::vector<RootSample> samples;
  for (int e = -10; e <= 10; ++e) samples.push_back({std::exp2(e), miss(std::exp2(e))});
  const RootControl control{kDischargeTolerance / 100.0, 0.0, 200};
  for (const RootResult& r : RootsOfSamples(miss, samples, control)) {
    if (std::abs(r.best.f) < kDischargeTolerance) return r.best.x;
  }
  return std::nullopt;
}

std::string ProportionLine(const ProportionLayout& p, const Solution& s, double ratio, bool best) {
  ResultPane line;
  line.Text("求解 ");
  Figure(line, p.depthWindow.boxes[p.width], s.value);
  line.Text(" ");
  Figure(line, p.dischargeWindow.boxes[p.depth], s.depth);
  line.Text(" 宽深比β=").Number(RoundDisplay(ratio));
  if (best) line.Text("(水力最佳断面)");
  return LineOf(line.EndLine());
}

DesignResult Proportioned(const WindowSpec& w, std::span<const std::string> boxTexts,
                          std::optional<double> ratio) {
  const auto layout = LayoutOf(w);
  if (!layout) return Refused(&w, DesignOutcome::NotSolvable, kNotSolvable);
  std::vector<std::string> texts = TextsOf(w, boxTexts);
  texts[layout->width].assign(1, '0');  // (not = "0": GCC 12 -O3 warns falsely)
  const auto values = ReadBoxes(w, texts);
  const bool best = !ratio;
  if (values && best) {
    const double m = (*values)[layout->sideSlope];
    ratio = m >= 0.0 ? BestRatio(m) : kNotANumber;
  }
  const double q = values ? (*values)[layout->discharge] : kNotANumber;
  if (!values || !Positive(*ratio) || !Positive(q)) {
    return Refused(&w, DesignOutcome::InputError, kDataInputError);
  }
  const auto boxes = CompanionValues(w, *values, layout->dischargeWindow, 0.0);
  const auto h = ProportionedDepth(*layout, boxes, *ratio, q);
  if (!h) {
    const std::string words = LabelWords(w.boxes[layout->width].label);
    return Refused(&w, DesignOutcome::NoSolution, words + std::string(kNoValueCarries));
  }
  texts[layout->width] = BoxText(*ratio * *h);
  Solution s = Answer(w, texts, *ratio * *h);
  if (s.press.outcome != PressOutcome::Report) {
    return Refused(&w, DesignOutcome::InputError, kDataInputError);
  }
  s.depth = *h;
  s.line = ProportionLine(*layout, s, *ratio, best);
  return Answered(&w, w.proportions->width, {std::move(s)});
}

// How far a trial section is from meeting the rules, each criterion as a share
// (the area in hundreds of per cent, the height in metres, the capacity as a
// fraction of Q): at least zero exactly when every criterion is met.
class Sizing {
 public:
  Sizing(const WindowSpec& w, std::vector<double> typed, Clearance rules)
      : window_(w), typed_(std::move(typed)), trial_(typed_), rules_(rules) {
    for (size_t k = 0; k < w.boxes.size(); ++k) {
      const BoxSpec& b = w.boxes[k];
      if (b.role == BoxRole::Dimension && b.unit == boxes::kMetre) lengths_.push_back(k);
      if (b.role == BoxRole::Discharge) q_ = typed_[k];
    }
  }
  const std::vector<size_t>& Lengths() const { return lengths_; }
  const std::vector<double>& Typed() const { return typed_; }

  double operator()(double s) {
    for (const size_t k : lengths_) trial_[k] = typed_[k] * s;
    const PressResult r = Trial(window_, trial_);
    if (!r.closed) return kNotANumber;
    const double capacity = (r.closed->qmax - q_) / q_;  // below zero exactly when Q is refused
    if (r.outcome == PressOutcome::Capacity) return capacity;
    if (r.outcome != PressOutcome::Report) return kNotANumber;
    if (rules_.fillRatio) {
      const double d = r.closed->crown;
      const double fill = (d - r.closed->clearanceHeight) / d;
      return std::min(GreatestFillRatio(d) - fill, capacity);
    }
    return std::min({(r.closed->clearanceAreaPercent - rules_.areaPercent) / 100.0,
                     r.closed->clearanceHeight - rules_.height, capacity});
  }

 private:
  const WindowSpec& window_;
  std::vector<double> typed_;
  std::vector<double> trial_;
  Clearance rules_;
  std::vector<size_t> lengths_;
  double q_ = 0.0;
};

// The doubling or halving from s = 1 that brackets the least scale meeting the rules.
std::optional<std::pair<RootSample, RootSample>> ScaleBracket(Sizing& g) {
  RootSample at{1.0, g(1.0)};
  if (std::isnan(at.f)) return std::nullopt;
  const double step = at.f >= 0.0 ? 0.5 : 2.0;
  for (int k = 0; k < 64; ++k) {
    const RootSample next{at.x * step, g(at.x * step)};
    if (std::isnan(next.f)) return std::nullopt;
    if ((next.f >= 0.0) != (at.f >= 0.0)) {
      return step < 1.0 ? std::pair{next, at} : std::pair{at, next};
    }
    at = next;
  }
  return std::nullopt;
}

std::string ScaleLine(const WindowSpec& w, const Sizing& g, double s) {
  ResultPane line;
  line.Text("最小断面 缩放系数s=").Number(RoundDisplay(s));
  for (const size_t k : g.Lengths()) {
    if (k != g.Lengths().front()) line.Text(" ");  // the factor ends in a blank
    Figure(line, w.boxes[k], g.Typed()[k] * s);
  }
  return LineOf(line.EndLine());
}

}  // namespace

bool OffersProportions(const WindowSpec& window) {
  return window.kind == CalculationKind::Depth && window.proportions.has_value();
}

double BestRatio(double sideSlope) {
  return 2.0 * (std::sqrt(1.0 + sideSlope * sideSlope) - sideSlope);
}

DesignResult SolveProportions(const WindowSpec& depthWindow, std::span<const std::string> boxTexts,
                              double ratio) {
  return Proportioned(depthWindow, boxTexts, std::isfinite(ratio) ? ratio : kNotANumber);
}

DesignResult SolveBestProportions(const WindowSpec& depthWindow,
                                  std::span<const std::string> boxTexts) {
  return Proportioned(depthWindow, boxTexts, std::nullopt);
}

bool HasClearance(const WindowSpec& window) { return window.closed; }

DesignResult SizeSmallestTunnel(const WindowSpec& depthWindow,
                                std::span<const std::string> boxTexts, Clearance rules) {
  const WindowSpec& w = depthWindow;
  std::vector<std::string> texts = TextsOf(w, boxTexts);
  const auto values = ReadBoxes(w, texts);
  const bool rulesRead = rules.areaPercent >= 0.0 && rules.areaPercent < 100.0 &&
                         rules.height >= 0.0 && std::isfinite(rules.height);
  if (w.kind != CalculationKind::Depth) {
    return Refused(&w, DesignOutcome::NotSolvable, kNotSolvable);
  }
  if (!values || !rulesRead) return Refused(&w, DesignOutcome::InputError, kDataInputError);
  // A closed section's depth window names its full-section discharge, whether it
  // reports or refuses Q; an open channel's never does.
  const PressResult typed = Trial(w, *values);
  if (!w.closed) return Refused(&w, DesignOutcome::NotSolvable, kNotSolvable);
  if (!typed.closed) return Refused(&w, DesignOutcome::InputError, kDataInputError);
  Sizing g(w, *values, rules);
  const auto bracket = ScaleBracket(g);
  if (!bracket) return Refused(&w, DesignOutcome::InputError, kDataInputError);
  const RootResult r =
      BracketRoot(g, bracket->first, bracket->second, {0.0, 1e-12 * bracket->second.x, 200});
  const double s = r.best.f >= 0.0 ? r.best.x : r.other.x;
  for (const size_t k : g.Lengths()) {
    if ((*values)[k] != 0.0) texts[k] = BoxText((*values)[k] * s);
  }
  Solution answer = Answer(w, texts, s);
  answer.line = ScaleLine(w, g, s);
  return Answered(&w, {}, {std::move(answer)});
}

}  // namespace tarnwick::design
