#include "SectionState.h"

namespace tarnwick {

SectionState FlowState(double h, double w, double x, double surfaceWidth, double n, double i,
                       DischargeForm form) {
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
