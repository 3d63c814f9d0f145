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

// `evaluate(h)` returns the whole state at depth h; the state exposes `q1`.
// When the passes run out the result is the midpoint of the last pass, evaluated.
template <class Evaluate>
auto NormalDepthSearch(double q, DepthBracket bracket, Evaluate&& evaluate,
                       SearchControl control = {})
    -> DepthSearchResult<std::invoke_result_t<Evaluate&, double>> {
  DepthSearchResult<std::invoke_result_t<Evaluate&, double>> result;
  double lo = bracket.lo;
  double hi = bracket.hi;
  for (int pass = 1; pass <= control.maxPasses; ++pass) {
    const double h = (hi + lo) / 2.0;
    result.state = evaluate(h);
    result.passes = pass;
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

}  // namespace tarnwick
