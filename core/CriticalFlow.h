// Critical depth and the flow regime of a computed case. At critical depth the
// Froude number V/sqrt(g·A/B) is 1, i.e. Q²·B/(g·A³) = 1 with B the surface width.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "SectionState.h"

namespace tarnwick {

// Bisection on depth between 0 and `upper` (for tunnels the crown, where the
// surface closes). Empty when no depth in the range is critical.
std::optional<double> CriticalDepth(double q, double upper,
                                    const std::function<SectionState(double)>& evaluate);

// V / sqrt(g × W / B1); 0 where there is no free surface.
double FroudeNumber(const SectionState& s);

// Half-width of the band of Froude numbers around 1 that is called critical, in
// the drawing, the checks and the case table alike: near Fr = 1 a small change of energy moves the
// depth a long way and the surface is wavy and unstable, so such a design is flagged.
inline constexpr double kCriticalFroudeBand = 0.01;

// "缓流" (subcritical), "急流" (supercritical) or "临界流" (critical, within the band).
std::string_view FlowRegime(double froude, double tolerance = kCriticalFroudeBand);

}  // namespace tarnwick
