// Circular tunnel or pipe running part full, and its flat-floor variant: a circle of
// radius R whose lowest part is filled in by a level floor of width B. B = 0 is the
// full circle. Depths are measured from the floor (from the invert of a full circle).
#pragma once

#include "SectionFamily.h"

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

// The boundary as a closed loop from the crown round the left side, across the
// floor (or through the invert) and back up to the crown; y above the floor, or
// above the invert of a full circle.
Outline SectionOutline(const Section& section);

// The family's side of the window contract.
struct Definition {
  using Inputs = CircularTunnel::Inputs;
  using Section = CircularTunnel::Section;
  using State = CircularTunnel::State;
  // A circular tunnel or pipe: the clearance rule is the user's choice, a pipe's
  // greatest fill ratio unless chosen otherwise.
  static FamilySpec Describe();
  static WindowNames Window(CalculationKind kind);
  static std::vector<InputBox<Inputs>> Boxes(CalculationKind kind);
  static Checked<Section> Check(const Inputs& in);
  static State Evaluate(const Section& s, const Inputs& in, double h) {
    // At the crown the dry segment has closed and the section runs full. Under a
    // flat floor the level y = h + H1 at the crown can round a step above 2R,
    // where the dry-arc ratio passes 1 and its square root is undefined; the
    // last depth of a rating (crown·k/k) can also land a step above the crown.
    // A press never evaluates there.
    if (h >= s.h0) {
      return {FlowState(h, s.w0, s.p0, 0.0, in.n, 1.0 / in.d, DischargeForm::AreaVelocity)};
    }
    return CircularTunnel::Evaluate(s, in.n, 1.0 / in.d, h);
  }
  static Outline SectionOutline(const Section& s, double top) {
    (void)top;
    return CircularTunnel::SectionOutline(s);
  }
  static void Report(ResultPane& pane, CalculationKind kind, const Inputs& in, const Section& s,
                     const State& st);
  static void Values(const Inputs& in, const Section& s, const State& st, NamedValues& values);
  static double Crown(const Section& s);
  static double FullArea(const Section& s);
  static double FullSectionDischarge(const Section& s, const Inputs& in);
  static void CapacityBlock(ResultPane& pane, const Section& s, const Inputs& in, double qmax);
  static constexpr FamilyHooks<Inputs, Section> kHooks{.closedKind = ClosedKind::CircularConduit};
};

// The family's two windows in the window table, and its selection button.
void AddWindows(std::vector<WindowSpec>& windows, std::vector<FamilySpec>& families);

}  // namespace tarnwick::CircularTunnel
