#include "GraduallyVariedFlow.h"

#include <algorithm>
#include <cmath>

#include "BracketRoot.h"
#include "CriticalFlow.h"
#include "Hydraulics.h"

namespace tarnwick {

namespace {

constexpr double kSolveWidth = 1e-9;       // m, bracket width the step's depth is solved to
constexpr double kStepAgreement = 3e-6;    // m, one step against two half steps
constexpr int kMostHalvings = 16;          // an interval is cut to 1/65536 at most
constexpr double kNearNormal = 0.001;      // m, "within 1 mm of normal depth"
constexpr double kMostStations = 1000000;  // a profile prints at most this many stations
constexpr int kCriticalSamples = 4000;     // scan of Fr − 1 for every critical depth
constexpr int kMomentIntervals = 128;      // Simpson intervals of ∫A dh

double One(double) { return 1.0; }

// The flow at one depth as the energy equation sees it.
struct Point {
  double h = 0.0;
  double a = 0.0;    // area
  double e = 0.0;    // h + αV²/2g
  double sf = 0.0;   // (Q/K)²
  double fr2 = 0.0;  // αQ²B/(gA³)
};

struct Reached {
  Point p;
  double travelled = 0.0;  // m along the reach from where the advance started
  bool critical = false;   // the profile met critical depth there
};

// Fr² of the flow at h. One section: αQ²B/(gA³). A section with its own α(h)
// (a compound section) has the Froude number of dE/dh = 1 − Fr² (Blalock and
// Sturm 1981), where the change of α with depth counts as much as that of the
// area; taken by a central difference of E.
double FroudeSquared(const std::function<SectionState(double)>& evaluate,
                     const std::function<double(double)>& alpha, double q, double h,
                     const SectionState& s) {
  if (!alpha) return q * q * s.surfaceWidth / (kGravity * s.w * s.w * s.w);
  const auto energy = [&](double y) {
    const double w = evaluate(y).w;
    return y + alpha(y) * q * q / (2.0 * kGravity * w * w);
  };
  const double d = 1e-6 * std::max(h, 1e-3);
  return 1.0 - (energy(h + d) - energy(h - std::min(d, h / 2.0))) / (d + std::min(d, h / 2.0));
}

class Stepper {
 public:
  Stepper(const ProfileReach& r, double sign) : r_(r), sign_(sign) {
    alpha_ = r.alpha ? r.alpha : std::function<double(double)>(One);
  }

  Point At(double h) const {
    const SectionState s = r_.evaluate(h);
    const double q = r_.discharge;
    const double a = alpha_(h);
    const double v = q / s.w;
    const double ratio = q / s.q1;
    return {h, s.w, h + a * v * v / 2.0 / kGravity, r_.slope * ratio * ratio,
            FroudeSquared(r_.evaluate, r_.alpha, q, h, s)};
  }

  // The depth Δx on from `from` by the energy equation, searched between the
  // depth it starts at and the depth it tends to; a step that would pass normal
  // depth gives normal depth, one that would pass critical depth gives nothing.
  std::optional<Point> Step(const Point& from, double dx, const Point& limit, bool limitIsCritical,
                            bool& clamped) const {
    const double rhs = from.e + sign_ * (from.sf / 2.0 - r_.slope) * dx;
    const auto balance = [&](const Point& p) { return p.e - sign_ * p.sf * dx / 2.0 - rhs; };
    const double atFrom = sign_ * (r_.slope - from.sf) * dx;
    if (atFrom == 0.0) return from;
    const double atLimit = balance(limit);
    if (atLimit == 0.0) return limit;
    if ((atFrom > 0.0) == (atLimit > 0.0)) {
      if (limitIsCritical) return std::nullopt;
      clamped = true;
      return limit;
    }
    Point last;
    const auto f = [&](double h) {
      last = At(h);
      return balance(last);
    };
    const RootResult root =
        BracketRoot(f, {from.h, atFrom}, {limit.h, atLimit}, {0.0, kSolveWidth, 200});
    if (last.h != root.best.x) last = At(root.best.x);
    return last;
  }

  // Where a step from `from` lands exactly on critical depth: the energy equation
  // solved for Δx (the direct step).
  double ToCritical(const Point& from, const Point& critical) const {
    const double mean = (from.sf + critical.sf) / 2.0;
    const double dx = (critical.e - from.e) / (sign_ * (mean - r_.slope));
    return std::isfinite(dx) && dx > 0.0 ? dx : 0.0;
  }

  // One printed interval, with step doubling. A step clamped at normal depth
  // is trusted only once the interval cannot be cut further: a long step of the
  // trapezoidal rule overshoots the asymptote that short ones approach.
  Reached Advance(const Point& from, double dx, const Point& limit, bool limitIsCritical,
                  int level) const {
    if (!limitIsCritical && std::fabs(from.h - limit.h) <= kSolveWidth) return {limit, dx};
    bool clamped = false;
    const std::optional<Point> full = Step(from, dx, limit, limitIsCritical, clamped);
    const std::optional<Point> half = Step(from, dx / 2.0, limit, limitIsCritical, clamped);
    std::optional<Point> second;
    if (half) second = Step(*half, dx / 2.0, limit, limitIsCritical, clamped);
    if (full && second && !clamped && std::fabs(second->h - full->h) <= kStepAgreement) {
      return {*second, dx};
    }
    if (level >= kMostHalvings) {
      if (second) return {*second, dx};
      const Point& start = half ? *half : from;
      const double offset = half ? dx / 2.0 : 0.0;
      return {limit, std::min(dx, offset + ToCritical(start, limit)), true};
    }
    const Reached first = Advance(from, dx / 2.0, limit, limitIsCritical, level + 1);
    if (first.critical) return first;
    Reached rest = Advance(first.p, dx / 2.0, limit, limitIsCritical, level + 1);
    rest.travelled += dx / 2.0;
    return rest;
  }

  ProfileStation Station(const Point& p, double x, double bedRise) const {
    const double v = r_.discharge / p.a;
    return {x, p.h, r_.bedAtControl + bedRise * x + p.h, v, std::sqrt(p.fr2), p.e, p.sf};
  }

 private:
  const ProfileReach& r_;
  std::function<double(double)> alpha_;
  double sign_;  // +1 computing upstream, −1 downstream
};

// The letter of the slope and the number of the zone the control depth is in.
std::string TypeName(SlopeClass slope, double h0, double hn, double hc) {
  const char letter = slope == SlopeClass::Mild ? 'M' : slope == SlopeClass::Steep ? 'S' : 'C';
  if (slope == SlopeClass::Critical) return std::string(1, letter) + (h0 > hc ? "1" : "3");
  const char zone = h0 > std::max(hn, hc) ? '1' : h0 < std::min(hn, hc) ? '3' : '2';
  return std::string(1, letter) + zone;
}

double FirstMoment(const std::function<SectionState(double)>& evaluate, double h) {
  const double dh = h / kMomentIntervals;
  double sum = 0.0;  // Simpson's rule; A(0) = 0
  for (int k = 1; k <= kMomentIntervals; ++k) {
    const double weight = k == kMomentIntervals ? 1.0 : (k % 2 == 1 ? 4.0 : 2.0);
    sum += weight * evaluate(dh * k).w;
  }
  return sum * dh / 3.0;
}

// x at which the stations pass depth `depth`, by linear interpolation.
std::optional<double> Crossing(const std::vector<ProfileStation>& stations, double depth) {
  for (size_t k = 0; k + 1 < stations.size(); ++k) {
    const ProfileStation& a = stations[k];
    const ProfileStation& b = stations[k + 1];
    if ((a.h - depth) * (b.h - depth) > 0.0) continue;
    if (a.h == b.h) return a.x;
    return a.x + (depth - a.h) / (b.h - a.h) * (b.x - a.x);
  }
  return std::nullopt;
}

void JumpFigures(const ProfileReach& r, double top, Profile& p) {
  if (p.type != "M3" && p.type != "S1" && p.end != ProfileEnd::Critical) return;
  p.sequentDepth = SequentDepth(r.evaluate, r.discharge, p.normalDepth, p.criticalDepth, top);
  if (!p.sequentDepth) return;
  // Below the sequent depth at the control of an M3 the jump is drowned against
  // it; above it at the control of an S1 the jump stands upstream.
  const bool atControl =
      p.direction == ProfileDirection::Downstream ? p.controlDepth >= *p.sequentDepth : false;
  p.jumpAt = atControl ? std::optional<double>(0.0) : Crossing(p.stations, *p.sequentDepth);
}

double OpenTop(const Stepper& s, double from) {
  double top = std::max(from, 1e-3);
  while (top < kOpenChannelDepthLimit && s.At(top).fr2 >= 1.0) top *= 2.0;
  return top;
}

}  // namespace

std::vector<double> CriticalDepths(const std::function<SectionState(double)>& evaluate,
                                   const std::function<double(double)>& alpha, double q,
                                   double top) {
  const auto f = [&](double h) { return FroudeSquared(evaluate, alpha, q, h, evaluate(h)) - 1.0; };
  std::vector<RootSample> samples;
  for (int k = 1; k <= kCriticalSamples; ++k) {
    const double t = static_cast<double>(k) / kCriticalSamples;
    const double h = top * t * t;  // denser near the bed, where the section changes fastest
    samples.push_back({h, f(h)});
  }
  std::vector<double> depths;
  for (const RootResult& r : RootsOfSamples(f, samples, {0.0, 1e-12 * top, 200})) {
    depths.push_back(r.best.x);
  }
  return depths;
}

double MomentumFunction(const std::function<SectionState(double)>& evaluate, double q, double h) {
  return q * q / (kGravity * evaluate(h).w) + FirstMoment(evaluate, h);
}

std::optional<double> SequentDepth(const std::function<SectionState(double)>& evaluate, double q,
                                   double h, double hc, double top) {
  const double target = MomentumFunction(evaluate, q, h);
  const auto f = [&](double y) { return MomentumFunction(evaluate, q, y) - target; };
  RootSample lo{};
  RootSample hi{};
  if (h > hc) {
    lo = {hc * 1e-6, f(hc * 1e-6)};
    hi = {hc, f(hc)};
  } else {
    lo = {hc, f(hc)};
    hi = {top, f(top)};
  }
  if (!(lo.f * hi.f <= 0.0)) return std::nullopt;
  return BracketRoot(f, lo, hi, {0.0, 1e-9, 200}).best.x;
}

namespace {

// Why a reach and control have no profile; empty when they have one.
std::string Refusal(const ProfileReach& r, const ProfileControl& control) {
  if (!(r.slope > 0.0) || !(r.discharge > 0.0) || !(r.normalDepth > 0.0)) {
    return "水面线只对顺坡(i>0)、有流量、有正常水深的渠段计算。";
  }
  if (!(r.length > 0.0) || r.step < 0.0 || (r.step > 0.0 && r.length / r.step > kMostStations)) {
    return "渠段长度须大于0，计算步长须大于0且不多于1000000步。";
  }
  if (control.kind == ControlKind::Depth && !(control.depth > 0.0)) return "控制水深须大于0。";
  if (r.crown > 0.0 && control.kind == ControlKind::Depth && control.depth >= r.crown) {
    return "控制水深达到或超过洞顶高度：有压流不在明流水面线计算之列。";
  }
  return {};
}

// Slope class, control depth, direction and type, from hn and hc.
void Classify(const Stepper& probe, const ProfileControl& control, Profile& p) {
  const double hn = p.normalDepth;
  const double hc = p.criticalDepth;
  const double frNormal = std::sqrt(probe.At(hn).fr2);
  p.slope = std::fabs(frNormal - 1.0) <= kCriticalFroudeBand ? SlopeClass::Critical
            : hn > hc                                        ? SlopeClass::Mild
                                                             : SlopeClass::Steep;
  double h0 = control.kind == ControlKind::Depth      ? control.depth
              : control.kind == ControlKind::Critical ? hc
                                                      : hn;
  if (std::fabs(h0 - hc) <= kSolveWidth) h0 = hc;
  p.controlDepth = h0;
  const bool uniform = h0 == hn || (h0 == hc && p.slope == SlopeClass::Critical);
  // Above critical depth the flow is subcritical and controlled from downstream.
  p.direction = h0 > hc || (h0 == hc && p.slope == SlopeClass::Mild) ? ProfileDirection::Upstream
                                                                     : ProfileDirection::Downstream;
  p.type = uniform ? "uniform" : TypeName(p.slope, h0, hn, hc);
}

// The stations from the control to the end of the reach or to critical depth.
void March(const ProfileReach& r, Profile& p) {
  const double hn = p.normalDepth;
  const double hc = p.criticalDepth;
  const double h0 = p.controlDepth;
  const bool uniform = p.type == "uniform";
  const double sign = p.direction == ProfileDirection::Upstream ? 1.0 : -1.0;
  const Stepper stepper(r, sign);
  // The depth the profile tends to: critical depth where it lies between the
  // control and normal depth (or beyond normal depth in the wrong direction).
  const bool towardsNormal =
      p.direction == ProfileDirection::Upstream ? (h0 < hn || hn > hc) : (h0 > hn || hn < hc);
  const Point limit = stepper.At(uniform || towardsNormal ? hn : hc);
  const bool limitIsCritical = !uniform && !towardsNormal;
  const double dx = r.step > 0.0 ? r.step : r.length / 50.0;
  const double bedRise = sign * r.slope;
  Point cur = uniform ? limit : stepper.At(h0);
  p.stations.push_back(stepper.Station(cur, 0.0, bedRise));
  double x = 0.0;
  for (long k = 1; x < r.length; ++k) {
    double target = std::min(static_cast<double>(k) * dx, r.length);
    if (r.length - target <= 1e-9 * r.length) target = r.length;
    // Every interval but the last is exactly dx, so that a reach continued from
    // a station steps as the longer reach it is part of.
    const double span = target == r.length ? r.length - x : dx;
    const Reached step =
        uniform ? Reached{limit, span} : stepper.Advance(cur, span, limit, limitIsCritical, 0);
    if (step.critical) {
      p.stations.push_back(stepper.Station(step.p, x + step.travelled, bedRise));
      p.end = ProfileEnd::Critical;
      return;
    }
    cur = step.p;
    x = target;
    p.stations.push_back(stepper.Station(cur, x, bedRise));
  }
}

}  // namespace

ProfileOutcome ComputeProfile(const ProfileReach& r, const ProfileControl& control) {
  ProfileOutcome out;
  out.refusal = Refusal(r, control);
  if (!out.refusal.empty()) return out;
  const Stepper probe(r, 1.0);
  const double top = r.crown > 0.0 ? r.crown * (1.0 - 1e-9) : OpenTop(probe, 10.0 * r.normalDepth);
  Profile p;
  p.normalDepth = r.normalDepth;
  p.criticalDepths = CriticalDepths(r.evaluate, r.alpha, r.discharge, top);
  if (p.criticalDepths.empty()) {
    out.refusal = "断面内求不到临界水深。";
    return out;
  }
  p.criticalDepth = p.criticalDepths.back();
  Classify(probe, control, p);
  March(r, p);
  for (const ProfileStation& s : p.stations) {
    if (std::fabs(s.h - p.normalDepth) > kNearNormal) continue;
    p.nearNormalAt = s.x;
    break;
  }
  if (p.end != ProfileEnd::Critical &&
      std::fabs(p.stations.back().h - p.normalDepth) <= kNearNormal) {
    p.end = ProfileEnd::Normal;
  }
  JumpFigures(r, top, p);
  out.profile = std::move(p);
  return out;
}

std::string_view SlopeName(SlopeClass s) {
  switch (s) {
    case SlopeClass::Mild: return "缓坡";
    case SlopeClass::Steep: return "陡坡";
    case SlopeClass::Critical: return "临界坡";
  }
  return "";
}

std::string_view DirectionName(ProfileDirection d) {
  return d == ProfileDirection::Upstream ? "upstream" : "downstream";
}

std::string_view EndName(ProfileEnd e) {
  switch (e) {
    case ProfileEnd::Length: return "length";
    case ProfileEnd::Critical: return "critical";
    case ProfileEnd::Normal: return "normal";
  }
  return "";
}

}  // namespace tarnwick
