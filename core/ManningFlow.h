// Uniform flow by Manning's formula with the Chezy coefficient C = R^(1/6)/n.
#pragma once

#include <cmath>

#include "Hydraulics.h"

namespace tarnwick {

struct ManningFlowResult {
  double rs = 0.0;  // hydraulic radius W/X
  double c = 0.0;   // Chezy coefficient
  double v = 0.0;   // mean velocity
  double q1 = 0.0;  // discharge
};

// The families do not all form the discharge in the same order, and the last bit
// of a product depends on its grouping. ChezyArea is (C*W)*sqrt(RS*i), the form of
// the open channels and the city-gate tunnel; AreaVelocity is W*V, the form of the
// circular, horseshoe and three-centred-arch tunnels.
enum class DischargeForm { ChezyArea, AreaVelocity };

// Inline: the depth search evaluates this up to a thousand times per press.
inline ManningFlowResult ManningFlow(double w, double x, double n, double i,
                                     DischargeForm form = DischargeForm::ChezyArea) {
  ManningFlowResult r;
  r.rs = w / x;
  r.c = std::pow(r.rs, kChezyExponent) / n;
  const double slopeTerm = std::sqrt(r.rs * i);
  r.v = r.c * slopeTerm;
  r.q1 = form == DischargeForm::ChezyArea ? r.c * w * slopeTerm : w * r.v;
  return r;
}

// Specific energy E = h + (V²/2)/g, with the program's g = 9.810001.
inline double SpecificEnergy(double h, double v) { return h + (v * v / 2.0) / kGravity; }

}  // namespace tarnwick
