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
inline SectionState FlowState(double h, double w, double x, double surfaceWidth, double n, double i,
                              DischargeForm form = DischargeForm::ChezyArea) {
  const ManningFlowResult flow = ManningFlow(w, x, n, i, form);
  SectionState s;
  s.h = h;
  s.w = w;
  s.x = x;
  s.surfaceWidth = surfaceWidth;
  s.rs = flow.rs;
  s.c = flow.c;
  s.v = flow.v;
  s.q1 = flow.q1;
  s.e = SpecificEnergy(h, flow.v);
  return s;
}

}  // namespace tarnwick
