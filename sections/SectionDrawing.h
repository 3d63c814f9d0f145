// What the section drawing shows for one computed case: the boundary to scale,
// the water below the computed level, the main dimensions read off the boundary,
// and the critical-flow figures of the case. The drawing window only paints these.
#pragma once

#include <optional>
#include <string_view>

#include "WindowCatalog.h"
#include "core/OutlineGeometry.h"
#include "core/SectionModel.h"

namespace tarnwick {

// An open channel's walls are drawn up to 30 % of the depth above the water
// (1.3 × h), so the banks are visible without dwarfing the wetted part.
inline constexpr double kDrawnFreeboardRatio = 1.3;
// Upper limit of the critical-depth search in an open channel, m.
inline constexpr double kOpenChannelCriticalLimit = 1000.0;

struct SectionDrawing {
  bool tunnel = false;
  bool wholeSection = false;  // compound section: the figures are for the whole section
  Outline outline;            // the boundary as drawn
  // The wetted part of the boundary closed along the water line (first and last
  // points lie on the water line); empty when nothing is wet.
  Outline water;
  double level = 0.0;                         // water level above the lowest point = depth h
  double left = 0.0, right = 0.0, top = 0.0;  // extent of the drawn boundary (bottom is 0)
  double floorWidth = 0.0;                    // flat width at the lowest level; 0 for a curved bed
  double surfaceWidth = 0.0;                  // B1 of the computed state
  double area = 0.0;
  double velocity = 0.0;
  double discharge = 0.0;
  std::optional<double> criticalDepth;  // empty when no depth in range is critical
  double froude = 0.0;
  std::string_view regime;  // empty when there is no free surface (full tunnel)
};

SectionDrawing DrawingOf(const SectionCase& c);

}  // namespace tarnwick
