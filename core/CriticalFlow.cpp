#include "CriticalFlow.h"

#include <cmath>

#include "Hydraulics.h"

namespace tarnwick {

namespace {

// Q²·B/(g·A³) − 1: positive below critical depth, negative above.
double CriticalFunction(double q, const SectionState& s) {
  return q * q * s.surfaceWidth / (kGravity * s.w * s.w * s.w) - 1.0;
}

}  // namespace

std::optional<double> CriticalDepth(double q, double upper,
                                    const std::function<SectionState(double)>& evaluate) {
  if (!(q > 0.0) || !(upper > 0.0)) return std::nullopt;
  double lo = 0.0;
  double hi = upper;
  const double atTop = CriticalFunction(q, evaluate(hi));
  if (!(atTop < 0.0)) return std::nullopt;  // still supercritical at the top of the range
  for (int pass = 0; pass < 200 && hi - lo > 1e-12 * upper; ++pass) {
    const double h = (hi + lo) / 2.0;
    const double f = CriticalFunction(q, evaluate(h));
    if (f > 0.0) {
      lo = h;
    } else {
      hi = h;
    }
  }
  return (hi + lo) / 2.0;
}

double FroudeNumber(const SectionState& s) {
  if (!(s.surfaceWidth > 0.0) || !(s.w > 0.0)) return 0.0;
  return s.v / std::sqrt(kGravity * s.w / s.surfaceWidth);
}

std::string_view FlowRegime(double froude, double tolerance) {
  if (std::fabs(froude - 1.0) <= tolerance) return "临界流";
  return froude < 1.0 ? "缓流" : "急流";
}

}  // namespace tarnwick
