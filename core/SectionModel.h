// A section at the dimensions typed into a window, as the drawing, the stage–
// discharge curve and the rating table see it: its state at any depth, its
// boundary drawn to scale, and for tunnels the crown and the full-section
// discharge.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "CompoundFlow.h"
#include "SectionState.h"

namespace tarnwick {

struct OutlinePoint {
  double x = 0.0;  // m, across the section; 0 on the axis of symmetry
  double y = 0.0;  // m, above the lowest point of the bed or invert
};

// The wetted boundary in order: for an open channel from the top of the left bank
// down and up to the top of the right bank; for a tunnel a closed loop that starts
// and ends at the crown. Arcs are given as dense points.
using Outline = std::vector<OutlinePoint>;

struct SectionModel {
  std::function<SectionState(double h)> evaluate;  // the discharge window's evaluation
  // The boundary; an open channel's walls are drawn up to the level `top`, a
  // tunnel ignores it.
  std::function<Outline(double top)> outline;
  double crown = 0.0;                          // tunnel height; 0 for an open channel
  std::optional<double> fullSectionDischarge;  // Qmax of a tunnel
  bool subdivided = false;  // compound section: figures are for the whole section
  // A subdivided section's subsections at a depth, for the Coriolis coefficient,
  // the specific energy and the critical depths (core/CompoundFlow.h); empty for
  // a section of one part.
  SubsectionsAt subsections;

  bool IsTunnel() const { return crown > 0.0; }
};

}  // namespace tarnwick
