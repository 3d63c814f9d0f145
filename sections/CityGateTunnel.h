// City-gate tunnel: from bottom to top an optional circular floor arch sagging
// below the foot of the walls, two vertical side walls and a circular roof arch.
// A free-surface tunnel: the depth window refuses a discharge the full section
// cannot carry, the discharge window a depth at or above the crown.
#pragma once

#include "SectionFamily.h"

namespace tarnwick::CityGateTunnel {

// Typed values of Form23 (value = design discharge Q) and Form34 (value = depth h).
struct Inputs {
  double b = 0.0;   // clear width between the side walls, m
  double h2 = 0.0;  // height of the side walls, m
  double r1 = 0.0;  // roof-arch radius, m
  double a1 = 0.0;  // roof-arch central angle, decimal degrees
  double r2 = 0.0;  // floor-arch radius, m; 0 = flat floor
  double n = 0.0;
  double d = 0.0;  // slope denominator, i = 1/D
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

// The boundary as a closed loop from the crown, down the left wall, across the
// floor and back up to the crown; y above the lowest point of the floor.
Outline SectionOutline(const Section& section);

// The family's side of the window contract.
struct Definition {
  using Inputs = CityGateTunnel::Inputs;
  using Section = CityGateTunnel::Section;
  using State = CityGateTunnel::State;
  static FamilySpec Describe();
  static WindowNames Window(CalculationKind kind);
  static std::vector<InputBox<Inputs>> Boxes(CalculationKind kind);
  static Checked<Section> Check(const Inputs& in);
  static State Evaluate(const Section& s, const Inputs& in, double h) {
    // At the crown the dry roof segment has closed and the section runs full; the
    // roof-zone formulas give exactly that there, but a depth a rounding step
    // above the crown (the last depth of a rating, crown·k/k) would take the
    // square root of a negative number. A press never evaluates there.
    if (h >= s.h4) return {FlowState(h, s.w0, s.p0, 0.0, in.n, 1.0 / in.d)};
    return CityGateTunnel::Evaluate(s, in.n, 1.0 / in.d, h);
  }
  static Outline SectionOutline(const Section& s, double top) {
    (void)top;
    return CityGateTunnel::SectionOutline(s);
  }
  static void Report(ResultPane& pane, CalculationKind kind, const Inputs& in, const Section& s,
                     const State& st);
  static void Values(const Inputs& in, const Section& s, const State& st, NamedValues& values);
  // The roof's chord against the width between the walls it stands on.
  static void Fits(const Inputs& in, const Section& s, std::vector<ShapeFit>& fits);
  static double Crown(const Section& s);
  static double FullArea(const Section& s);
  static double FullSectionDischarge(const Section& s, const Inputs& in);
  static void CapacityBlock(ResultPane& pane, const Section& s, const Inputs& in, double qmax);
  static constexpr FamilyHooks<Inputs, Section> kHooks{.fits = &Fits};
};

// The family's two windows in the window table, and its selection button.
void AddWindows(std::vector<WindowSpec>& windows, std::vector<FamilySpec>& families);

}  // namespace tarnwick::CityGateTunnel
