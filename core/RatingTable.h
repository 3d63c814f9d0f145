// The stage–discharge (rating) table of a section as CSV: one row per depth,
// evaluated exactly as the discharge window evaluates that depth.
#pragma once

#include <functional>
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

}  // namespace tarnwick
