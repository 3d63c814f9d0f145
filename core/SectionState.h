// The quantities evaluated at one candidate depth. A report prints the state of
// the last depth evaluated, so all of these always belong to the same depth.
#pragma once

#include "ManningFlow.h"

namespace tarnwick {

struct SectionState {
  double h = 0.0;             // depth of flow
  double w = 0.0;             // wetted area
  double x = 0.0;             // wetted perimeter
  double surfaceWidth = 0.0;  // water-surface width
  double rs = 0.0;            // hydraulic radius
  double c = 0.0;             // Chezy coefficient
  double v = 0.0;             // mean velocity
  double q1 = 0.0;            // discharge at h
  double e = 0.0;             // specific energy
};

// Completes a state from its geometry: Manning flow and specific energy at h.
SectionState FlowState(double h, double w, double x, double surfaceWidth, double n, double i,
                       DischargeForm form = DischargeForm::ChezyArea);

}  // namespace tarnwick
