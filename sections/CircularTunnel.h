// Circular tunnel or pipe running part full, and its flat-floor variant: a circle of
// radius R whose lowest part is filled in by a level floor of width B. B = 0 is the
// full circle. Depths are measured from the floor (from the invert of a full circle).
#pragma once

#include "core/NormalDepthSearch.h"
#include "core/ReportRow.h"
#include "core/SectionModel.h"
#include "core/SectionState.h"

namespace tarnwick::CircularTunnel {

// Typed values of Form24 (value = design discharge Q) and Form35 (value = depth h).
struct Inputs {
  double b = 0.0;  // floor width, m; 0 = full circle
  double r = 0.0;  // radius, m
  double n = 0.0;
  double d = 0.0;  // slope denominator, i = 1/D
  double value = 0.0;
};

// The full section. For the full circle the floor quantities are 0.
struct Section {
  double b = 0.0;
  double r = 0.0;
  double wc = 0.0;  // area of the whole circle
  double pc = 0.0;  // circumference of the whole circle
  double a1 = 0.0;  // floor central angle, rad
  double l1 = 0.0;  // arc cut off by the floor
  double s1 = 0.0;  // area of the segment below the floor
  double h1 = 0.0;  // floor height above the lowest point of the circle
  double w0 = 0.0;  // area of the section
  double p0 = 0.0;  // closed perimeter of the section
  double h0 = 0.0;  // height of the section, floor to crown
  double c = 0.0;   // height of the circle's centre above the floor
  bool flatFloor() const { return b > 0.0; }
};

enum class Zone { BelowCentre, AtCentre, AboveCentre };

// State at one depth: the flow quantities, the zone of the water surface relative to
// the centre, and the central angle of the wetted arc (below) or dry arc (above).
struct State : SectionState {
  Zone zone = Zone::AtCentre;
  double arcAngle = 0.0;  // rad; 0 at the centre
};

bool InputsValid(const Inputs& in);
// Section from the typed floor width and radius; assumes valid inputs.
Section BuildSection(double b, double r);

State Evaluate(const Section& section, double n, double i, double h);
// Manning discharge of the full section with its closed perimeter.
ManningFlowResult FullSectionFlow(const Section& section, double n, double i);
DepthSearchResult<State> SolveDepth(const Section& section, double n, double i, double q);

// The boundary as a closed loop from the crown round the left side, across the
// floor (or through the invert) and back up to the crown; y above the floor, or
// above the invert of a full circle.
Outline SectionOutline(const Section& section);
// The section of a window's inputs, for drawing and rating; empty when the
// input check of both windows would refuse them.
std::optional<SectionModel> Model(const Inputs& in);

PressOutcome ComputeDepth(const Inputs& in, ResultPane& pane);
PressOutcome ComputeDischarge(const Inputs& in, ResultPane& pane);

}  // namespace tarnwick::CircularTunnel
