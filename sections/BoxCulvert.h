// Box culvert running part full: a closed rectangle B wide and H high with a
// free water surface below its flat roof. Like the tunnels, the depth window
// refuses a discharge the full section cannot carry and the discharge window a
// depth at or above the roof.
#pragma once

#include <string_view>

#include "SectionFamily.h"

namespace tarnwick::BoxCulvert {

// Typed values of Form28 (value = design discharge Q) and Form39 (value = depth h).
struct Inputs {
  double b = 0.0;       // clear width, m
  double height = 0.0;  // clear height, floor to roof, m
  double n = 0.0;
  double d = 0.0;  // slope denominator, i = 1/D
  double value = 0.0;
};

// The full section: area B·H and the closed perimeter 2·(B + H).
struct Section {
  double b = 0.0;
  double height = 0.0;
  double w0 = 0.0;
  double p0 = 0.0;
};

Section BuildSection(double b, double height);

// Below the roof the open rectangle B·h with the wetted perimeter B + 2·h; at
// and above the roof the full section with its closed perimeter and no surface.
SectionState Evaluate(const Section& section, double n, double i, double h);

// The boundary as a closed loop from the middle of the roof round the left
// wall, the floor and the right wall back to it; y above the floor.
Outline SectionOutline(const Section& section);

// The family's side of the window contract.
struct Definition {
  using Inputs = BoxCulvert::Inputs;
  using Section = BoxCulvert::Section;
  using State = SectionState;
  static FamilySpec Describe();
  static WindowNames Window(CalculationKind kind);
  static std::vector<InputBox<Inputs>> Boxes(CalculationKind kind);
  static Checked<Section> Check(const Inputs& in);
  static State Evaluate(const Section& s, const Inputs& in, double h) {
    return BoxCulvert::Evaluate(s, in.n, 1.0 / in.d, h);
  }
  static Outline SectionOutline(const Section& s, double top) {
    (void)top;
    return BoxCulvert::SectionOutline(s);
  }
  static void Report(ResultPane& pane, CalculationKind kind, const Inputs& in, const Section& s,
                     const State& st);
  static void Values(const Inputs& in, const Section& s, const State& st, NamedValues& values);
  static double Crown(const Section& s) { return s.height; }
  static double FullArea(const Section& s) { return s.w0; }
  static double FullSectionDischarge(const Section& s, const Inputs& in);
  static void CapacityBlock(ResultPane& pane, const Section& s, const Inputs& in, double qmax);
  static constexpr FamilyHooks<Inputs, Section> kHooks{
      .depthTooGreatMessage = "水深大于箱涵高度,请重新输入！",
      .closedKind = ClosedKind::BoxCulvert};
};

// The family's two windows in the window table, and its selection button.
void AddWindows(std::vector<WindowSpec>& windows, std::vector<FamilySpec>& families);

}  // namespace tarnwick::BoxCulvert
