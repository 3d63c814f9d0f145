// City-gate tunnel: from bottom to top an optional circular floor arch sagging
// below the foot of the walls, two vertical side walls and a circular roof arch.
// A free-surface tunnel: the depth window refuses a discharge the full section
// cannot carry, the discharge window a depth at or above the crown.
#pragma once

#include "core/NormalDepthSearch.h"
#include "core/ReportRow.h"
#include "core/SectionModel.h"
#include "core/SectionState.h"

namespace tarnwick::CityGateTunnel {

// Typed values of Form23 (value = design discharge Q) and Form34 (value = depth h).
struct Inputs {
  double b = 0.0;   // clear width between the side walls, m
  double h2 = 0.0;  // height of the side walls, m
  double r1 = 0.0;  // roof-arch radius, m
  double a1 = 0.0;  // roof-arch central angle, decimal degrees
  double r2 = 0.0;  // floor-arch radius, m; 0 = flat floor
  double n = 0.0;
  double d = 0.0;   // slope denominator, i = 1/D
  double value = 0.0;
};

// The full section, derived once from the typed dimensions.
struct Section {
  double b = 0.0;
  double h2 = 0.0;
  double r1 = 0.0;
  double r2 = 0.0;
  double a1 = 0.0;  // roof-arch central angle, rad
  double h3 = 0.0;  // roof-arch rise
  double a2 = 0.0;  // floor-arch central angle, rad; 0 for a flat floor
  double h1 = 0.0;  // floor-arch sag; 0 for a flat floor
  double h4 = 0.0;  // tunnel height, floor-arch invert to crown
  double wf = 0.0;  // floor segment area
  double wr = 0.0;  // area between the walls
  double wt = 0.0;  // roof segment area
  double w0 = 0.0;  // full-section area
  double lf = 0.0;  // floor perimeter
  double lt = 0.0;  // roof arc length
  double p0 = 0.0;  // closed perimeter of the full section
};

enum class Zone { Floor, Wall, Roof };

// State at one depth: the flow quantities plus the zone the water surface lies in
// and the central angle of the wetted floor segment or the dry roof segment.
struct State : SectionState {
  Zone zone = Zone::Wall;
  double segmentAngle = 0.0;  // rad; 0 in the wall zone
};

// Section from the typed dimensions (angle in degrees); assumes valid inputs.
Section BuildSection(double b, double h2, double r1, double a1Degrees, double r2);
// The checks both windows make before anything is computed.
bool InputsValid(const Inputs& in);

State Evaluate(const Section& section, double n, double i, double h);
// Manning discharge of the full section with its closed perimeter.
ManningFlowResult FullSectionFlow(const Section& section, double n, double i);
DepthSearchResult<State> SolveDepth(const Section& section, double n, double i, double q);

// The boundary as a closed loop from the crown, down the left wall, across the
// floor and back up to the crown; y above the lowest point of the floor.
Outline SectionOutline(const Section& section);
// The section of a window's inputs, for drawing and rating; empty when the
// input check of both windows would refuse them.
std::optional<SectionModel> Model(const Inputs& in);

PressOutcome ComputeDepth(const Inputs& in, ResultPane& pane);
PressOutcome ComputeDischarge(const Inputs& in, ResultPane& pane);

}  // namespace tarnwick::CityGateTunnel
