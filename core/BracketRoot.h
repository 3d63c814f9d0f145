// The one root finder of the design solvers: Brent's method (inverse quadratic
// interpolation and secant steps, safeguarded by bisection) inside a bracket
// where the function changes sign. Like the normal-depth search, the stop test is
// on the function value, absolute and strict; a bracket closed down to the last
// bits of its ends also stops, and the result then says whether the value met the
// tolerance. The function is only evaluated: a value that is not a number (a
// section the window refuses) ends the search unconverged.
//
// RootsOfSamples finds every root a grid of samples shows: each sample within the
// tolerance, and each sign change between two neighbouring defined samples,
// refined with BracketRoot. A jump across zero (a discontinuity) closes its
// bracket without meeting the tolerance: the caller judges |f| of each result.
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "Hydraulics.h"

namespace tarnwick {

struct RootControl {
  double tolerance = kDischargeTolerance;  // stop when |f(x)| < tolerance
  double width = 0.0;                      // also stop when the bracket is narrower than this
  int maxEvaluations = 200;                // Brent needs far fewer; bisection alone needs ~1100
};

// A point and the function's value there.
struct RootSample {
  double x = 0.0;
  double f = 0.0;
};

struct RootResult {
  RootSample best;   // the point of least |f| found
  RootSample other;  // the far end of the last bracket: sign opposite to best's
  int evaluations = 0;
  bool converged = false;  // |best.f| < tolerance
};

namespace root_detail {

inline bool SameSign(double a, double b) { return (a > 0.0 && b > 0.0) || (a < 0.0 && b < 0.0); }

// The next Brent step from the best point b towards the contrapoint c, a being
// the previous best; d and e are the last two steps, updated in place.
inline double BrentStep(RootSample a, RootSample b, RootSample c, double tol, double& d,
                        double& e) {
  const double m = (c.x - b.x) / 2.0;
  if (std::abs(e) >= tol && std::abs(a.f) > std::abs(b.f)) {
    const double s = b.f / a.f;
    double p = 0.0;
    double q = 0.0;
    if (a.x == c.x) {  // secant
      p = 2.0 * m * s;
      q = 1.0 - s;
    } else {  // inverse quadratic interpolation
      const double qa = a.f / c.f;
      const double r = b.f / c.f;
      p = s * (2.0 * m * qa * (qa - r) - (b.x - a.x) * (r - 1.0));
      q = (qa - 1.0) * (r - 1.0) * (s - 1.0);
    }
    if (p > 0.0) {
      q = -q;
    } else {
      p = -p;
    }
    if (2.0 * p < std::min(3.0 * m * q - std::abs(tol * q), std::abs(e * q))) {
      e = d;
      d = p / q;
      return d;
    }
  }
  d = m;
  e = m;
  return d;
}

}  // namespace root_detail

// Root of f between lo and hi, whose values (f(lo), f(hi)) differ in sign or are
// zero; the ends are not evaluated again.
template <class F>
RootResult BracketRoot(F&& f, RootSample lo, RootSample hi, RootControl control = {}) {
  RootResult r;
  RootSample a = lo;
  RootSample b = hi;
  RootSample c = a;
  double d = b.x - a.x;
  double e = d;
  for (;;) {
    if (root_detail::SameSign(b.f, c.f)) {
      c = a;
      d = e = b.x - a.x;
    }
    if (std::abs(c.f) < std::abs(b.f)) {
      a = b;
      b = c;
      c = a;
    }
    r.best = b;
    r.other = c;
    r.converged = std::abs(b.f) < control.tolerance;
    const double tol =
        2.0 * std::numeric_limits<double>::epsilon() * std::abs(b.x) + control.width / 2.0;
    const double m = (c.x - b.x) / 2.0;
    if (r.converged || b.f == 0.0 || std::abs(m) <= tol ||
        r.evaluations >= control.maxEvaluations) {
      return r;
    }
    const double step = root_detail::BrentStep(a, b, c, tol, d, e);
    a = b;
    b.x += std::abs(step) > tol ? step : (m > 0.0 ? tol : -tol);
    b.f = f(b.x);
    ++r.evaluations;
    if (std::isnan(b.f)) {
      r.converged = false;
      return r;
    }
  }
}

// Every root the samples (in ascending x; f NaN where undefined) show, ascending,
// converged or not. A run of neighbouring samples within the tolerance counts
// once, at its first.
template <class F>
std::vector<RootResult> RootsOfSamples(F&& f, const std::vector<RootSample>& samples,
                                       RootControl control = {}) {
  std::vector<RootResult> roots;
  const auto within = [&](const RootSample& s) { return std::abs(s.f) < control.tolerance; };
  for (size_t k = 0; k < samples.size(); ++k) {
    const RootSample& s = samples[k];
    if (within(s)) {
      if (k == 0 || !within(samples[k - 1])) roots.push_back({s, s, 0, true});
      continue;
    }
    if (k + 1 == samples.size()) break;
    const RootSample& next = samples[k + 1];
    if (std::isnan(s.f) || std::isnan(next.f) || within(next)) continue;
    if (root_detail::SameSign(s.f, next.f)) continue;
    roots.push_back(BracketRoot(f, s, next, control));
  }
  return roots;
}

}  // namespace tarnwick
