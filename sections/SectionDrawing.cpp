#include "SectionDrawing.h"

#include <algorithm>
#include <cmath>

#include "core/CompoundFlow.h"
#include "core/CriticalFlow.h"

namespace tarnwick {

namespace {

// Width of the boundary lying flat at its lowest level (a flat bed or floor).
double FloorWidth(const Outline& outline, double lowest, double scale) {
  const double tolerance = 1e-9 * std::max(scale, 1.0);
  double lo = 0.0;
  double hi = 0.0;
  bool found = false;
  for (const OutlinePoint& p : outline) {
    if (std::fabs(p.y - lowest) > tolerance) continue;
    lo = found ? std::min(lo, p.x) : p.x;
    hi = found ? std::max(hi, p.x) : p.x;
    found = true;
  }
  return found ? hi - lo : 0.0;
}

}  // namespace

SectionDrawing DrawingOf(const SectionCase& c) {
  SectionDrawing d;
  const SectionState& s = c.state;
  d.tunnel = c.model.IsTunnel();
  d.wholeSection = c.model.subdivided;
  d.level = s.h;
  d.surfaceWidth = s.surfaceWidth;
  d.area = s.w;
  d.velocity = s.v;
  d.discharge = c.discharge;

  d.outline = c.model.outline(kDrawnFreeboardRatio * s.h);
  if (!d.outline.empty()) {
    double lowest = d.outline.front().y;
    d.left = d.right = d.outline.front().x;
    d.top = lowest;
    for (const OutlinePoint& p : d.outline) {
      d.left = std::min(d.left, p.x);
      d.right = std::max(d.right, p.x);
      d.top = std::max(d.top, p.y);
      lowest = std::min(lowest, p.y);
    }
    d.floorWidth = FloorWidth(d.outline, lowest, d.right - d.left);
  }
  d.water = WetChain(d.outline, s.h);

  const double upper = d.tunnel ? c.model.crown : kOpenChannelCriticalLimit;
  // The lowest minimum of the specific energy, as the checks find it: none in a
  // closed section whose critical depth lies above its crown. A subdivided
  // section's energy carries the Coriolis coefficient of its parts, and its
  // regime is that of its compound Froude number.
  const EnergySection energy{c.discharge, c.model.evaluate, c.model.subsections};
  const CriticalDepths found = FindCriticalDepths(energy, upper);
  if (!found.depths.empty()) d.criticalDepth = found.depths.front();
  d.froude = c.model.subsections
                 ? EnergySection{s.q1, c.model.evaluate, c.model.subsections}.Froude(s.h)
                 : FroudeNumber(s);
  if (s.surfaceWidth > 0.0) d.regime = FlowRegime(d.froude);
  return d;
}

}  // namespace tarnwick
