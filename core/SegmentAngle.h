// Central angles of circular segments, in the arctangent form every depth of
// the curved sections is computed with (atan rather than acos or asin: the
// printed figures were fixed with this form, and it differs in the last bits).
#pragma once

#include <algorithm>
#include <cmath>

namespace tarnwick {

// The segment cut off by a chord x·R from the centre, x > 0 towards the segment:
// 2·atan(sqrt(1 − x²)/x), which is 2·arccos(x).
inline double SegmentAngle(double x) { return 2.0 * std::atan(std::sqrt(1.0 - x * x) / x); }

// The same, for a segment that can never be larger than its own arc of angle
// `whole`: only rounding at the arc's end can put x at or below 0 (a semicircular
// roof is level with its centre there), and the whole arc is meant.
inline double SegmentAngleWithin(double x, double whole) {
  if (!(x > 0.0)) return whole;
  return 2.0 * std::atan(std::sqrt(std::max(0.0, 1.0 - x * x)) / x);
}

// Angle whose sine is s, atan(s/sqrt(1 − s²)); `whole` is the arc part's own
// angle, reached when rounding takes s to 1 at the end of a quarter-circle arc.
inline double AngleFromSine(double s, double whole) {
  const double cosine2 = 1.0 - s * s;
  if (!(cosine2 > 0.0)) return whole;
  return std::atan(s / std::sqrt(cosine2));
}

}  // namespace tarnwick
