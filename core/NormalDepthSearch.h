// Normal depth by bisection on the depth. The stop test is on the discharge,
// absolute and strict; depths are never compared. Q1 must grow with depth inside
// the bracket: open channels satisfy this up to any depth, tunnels are bracketed
// by their crown and checked for capacity before the search.
#pragma once

#include <cmath>
#include <type_traits>

#include "Hydraulics.h"

namespace tarnwick {

struct DepthBracket {
  double lo = 0.0;
  double hi = kOpenChannelDepthLimit;
};

struct SearchControl {
  double tolerance = kDischargeTolerance;
  int maxPasses = kMaxSearchPasses;
};

template <class State>
struct DepthSearchResult {
  State state{};           // state at the last depth evaluated
  int passes = 0;          // pass in which the search stopped
  bool converged = false;  // false when the passes ran out (the report does not say so)
};

namespace search_detail {

// Depths that decide a pass without evaluating it: Q1 at `below` is at most
// q − tolerance and at `above` at least q + tolerance, each by a margin that
// covers the rounding of one evaluation; NaN where none is known.
struct DecidedDepths {
  double below = std::nan("");
  double above = std::nan("");
};

// The bisection: a midpoint at or beyond a decided depth is decided without an
// evaluation (Q1 must then rise with the depth); the last pass always evaluates.
template <class Evaluate>
auto Bisect(double q, DepthBracket bracket, Evaluate& evaluate, SearchControl control,
            DecidedDepths decided) -> DepthSearchResult<std::invoke_result_t<Evaluate&, double>> {
  DepthSearchResult<std::invoke_result_t<Evaluate&, double>> result;
  double lo = bracket.lo;
  double hi = bracket.hi;
  for (int pass = 1; pass <= control.maxPasses; ++pass) {
    const double h = (hi + lo) / 2.0;
    result.passes = pass;
    if (pass < control.maxPasses) {
      if (h <= decided.below) {
        lo = h;
        continue;
      }
      if (h >= decided.above) {
        hi = h;
        continue;
      }
    }
    result.state = evaluate(h);
    if (std::abs(result.state.q1 - q) < control.tolerance) {
      result.converged = true;
      return result;
    }
    if (result.state.q1 > q) {
      hi = h;
    } else {
      lo = h;
    }
  }
  return result;
}

}  // namespace search_detail

// `evaluate(h)` returns the whole state at depth h; the state exposes `q1`.
// When the passes run out the result is the midpoint of the last pass, evaluated.
template <class Evaluate>
auto NormalDepthSearch(double q, DepthBracket bracket, Evaluate&& evaluate,
                       SearchControl control = {})
    -> DepthSearchResult<std::invoke_result_t<Evaluate&, double>> {
  return search_detail::Bisect(q, bracket, evaluate, control, {});
}

namespace search_detail {

// Depths around the root of Q1(h) = q that decide the bisection's passes for it:
// a secant from h = 1 m (or the bracket's middle) after a first step with
// Manning's Q ∝ h^(5/3) of a wide channel; a handful of evaluations.
template <class Evaluate>
DecidedDepths DecidingDepths(double q, DepthBracket bracket, Evaluate& evaluate, double tolerance) {
  constexpr int kSecantSteps = 6;
  // The secant stops within this many tolerances of q: its next step, taken but
  // not evaluated, then lies far closer to the root than the band it must cover.
  constexpr double kNear = 256.0;
  constexpr double kStepError = 0.002;  // of that step, as a share of |Q1 − q| before it
  const double margin = 1e-12 * q;
  const auto inside = [&](double h) { return h > bracket.lo && h < bracket.hi; };
  DecidedDepths d;
  // Every evaluation on the way that already decides is kept.
  const auto miss = [&](double h) {
    const double f = evaluate(h).q1 - q;
    if (f <= -tolerance - margin && !(d.below >= h)) d.below = h;
    if (f >= tolerance + margin && !(d.above <= h)) d.above = h;
    return f;
  };
  double h0 = inside(1.0) ? 1.0 : (bracket.lo + bracket.hi) / 2.0;
  double f0 = miss(h0);
  if (!(f0 + q > 0.0)) return d;
  const double logQ = std::log(q);
  double logH0 = std::log(h0);
  double logQ0 = std::log(f0 + q);
  double h1 = std::exp(logH0 + 0.6 * (logQ - logQ0));
  if (!inside(h1)) return d;
  double f1 = miss(h1);
  // The secant on log Q1 against log h: a power law Q1 ∝ h^p, as Manning's
  // relation nearly is over a short range, is met in one step.
  double next = h1;
  for (int step = 0; step <= kSecantSteps && std::abs(f1) > 0.5 * tolerance; ++step) {
    const double logH1 = std::log(h1);
    const double logQ1 = std::log(f1 + q);
    next = std::exp(logH1 + (logQ - logQ1) * (logH1 - logH0) / (logQ1 - logQ0));
    if (!inside(next) || next == h1) {
      next = h1;
      break;
    }
    if (std::abs(f1) <= kNear * tolerance || step == kSecantSteps) break;
    h0 = h1;
    f0 = f1;
    logH0 = logH1;
    logQ0 = logQ1;
    h1 = next;
    f1 = miss(h1);
    next = h1;
  }
  const double rise = (f1 - f0) / (h1 - h0);  // dQ1/dh near the root
  if (!(rise > 0.0) || !std::isfinite(rise)) return d;
  // Depths just outside the band |Q1 − q| < tolerance around the secant's last
  // step, allowing for that step's own error, unless one on the way is already
  // close enough to leave only a few passes to evaluate.
  const double error = next == h1 ? std::abs(f1) : kStepError * std::abs(f1);
  const double reach = 1.5 * (tolerance + error) / rise;
  if (const double a = next - reach; inside(a) && !(d.below >= next - 4.0 * reach)) miss(a);
  if (const double b = next + reach; inside(b) && !(d.above <= next + 4.0 * reach)) miss(b);
  return d;
}

}  // namespace search_detail

// The same search, pass for pass and bit for bit, for a Q1 that rises with the
// depth throughout the bracket (an open channel's single section): a few
// evaluations first find depths where Q1 is decidedly below and above Q, and a
// midpoint beyond them is decided without being evaluated, since Q1 there lies
// further still. Only the passes near the root evaluate, and always the last.
template <class Evaluate>
auto RisingNormalDepthSearch(double q, DepthBracket bracket, Evaluate&& evaluate,
                             SearchControl control = {})
    -> DepthSearchResult<std::invoke_result_t<Evaluate&, double>> {
  return search_detail::Bisect(
      q, bracket, evaluate, control,
      search_detail::DecidingDepths(q, bracket, evaluate, control.tolerance));
}

}  // namespace tarnwick
