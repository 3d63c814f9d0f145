#include "ManningFlow.h"

#include <cmath>

#include "Hydraulics.h"

namespace tarnwick {

ManningFlowResult ManningFlow(double w, double x, double n, double i, DischargeForm form) {
  ManningFlowResult r;
  r.rs = w / x;
  r.c = std::pow(r.rs, kChezyExponent) / n;
  const double slopeTerm = std::sqrt(r.rs * i);
  r.v = r.c * slopeTerm;
  r.q1 = form == DischargeForm::ChezyArea ? r.c * w * slopeTerm : w * r.v;
  return r;
}

double SpecificEnergy(double h, double v) { return h + (v * v / 2.0) / kGravity; }

}  // namespace tarnwick
