// Uniform flow by Manning's formula with the Chezy coefficient C = R^(1/6)/n.
#pragma once

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

ManningFlowResult ManningFlow(double w, double x, double n, double i,
                              DischargeForm form = DischargeForm::ChezyArea);

// Specific energy E = h + (V²/2)/g, with the program's g = 9.810001.
double SpecificEnergy(double h, double v);

}  // namespace tarnwick
