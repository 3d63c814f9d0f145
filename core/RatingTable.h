// The stage–discharge (rating) table of a section as CSV: one row per depth,
// evaluated exactly as the discharge window evaluates that depth.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "SectionState.h"

namespace tarnwick {

// Depths top × k / count for k = 1 … count.
std::vector<double> RatingDepths(double top, int count);

// Header "depth,area,perimeter,hydraulic_radius,velocity,discharge,surface_width,
// specific_energy", then one row per depth, 12 significant digits, full stop as
// decimal separator whatever the locale; a quantity the section does not form
// is left blank.
std::string RatingCsv(const std::vector<double>& depths,
                      const std::function<SectionState(double)>& evaluate);

// One point of the stage–discharge curve.
struct RatingPoint {
  double depth = 0.0;      // m
  double discharge = 0.0;  // m³/s
};

// The curve through the given depths (rising), starting on the dry bed: a section
// carries no flow at depth 0, where the hydraulic radius itself is 0/0 for a
// tunnel. Depths whose discharge is not a finite number are left out.
std::vector<RatingPoint> RatingCurve(const std::vector<double>& depths,
                                     const std::function<SectionState(double)>& evaluate);

// The discharge at `depth`, interpolated linearly between the neighbouring points
// of a curve in rising depth; empty outside the curve or on an empty curve.
std::optional<double> DischargeAtDepth(const std::vector<RatingPoint>& curve, double depth);

}  // namespace tarnwick
