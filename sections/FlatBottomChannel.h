// Flat-bottom rectangular and trapezoidal channel: a level bed of width B between
// plane walls of side slope M (horizontal per vertical); M = 0 is the rectangle.
#pragma once

#include "SectionFamily.h"

namespace tarnwick::FlatBottomChannel {

struct Section {
  double b = 0.0;  // bottom width, m
  double m = 0.0;  // side slope
};

// Typed values of Form21 (value = design discharge Q) and Form32 (value = depth h).
struct Inputs {
  double b = 0.0;
  double m = 0.0;
  double n = 0.0;
  double d = 0.0;  // slope denominator, i = 1/D
  double value = 0.0;
};

SectionState Evaluate(const Section& section, double n, double i, double h);

// The bed and walls up to the level `top` above the bed.
Outline SectionOutline(const Section& section, double top);

// The family's side of the window contract.
struct Definition {
  using Inputs = FlatBottomChannel::Inputs;
  using Section = FlatBottomChannel::Section;
  using State = SectionState;
  static FamilySpec Describe();
  static WindowNames Window(CalculationKind kind);
  static std::vector<InputBox<Inputs>> Boxes(CalculationKind kind);
  static Checked<Section> Check(const Inputs& in);
  static State Evaluate(const Section& s, const Inputs& in, double h) {
    return FlatBottomChannel::Evaluate(s, in.n, 1.0 / in.d, h);
  }
  static Outline SectionOutline(const Section& s, double top) {
    return FlatBottomChannel::SectionOutline(s, top);
  }
  static void Report(ResultPane& pane, CalculationKind kind, const Inputs& in, const Section& s,
                     const State& st);
  static void Values(const Inputs& in, const Section& s, const State& st, NamedValues& values);
  // A trapezoid (or rectangle) of width B = beta * h: the designer picks beta, or
  // the best hydraulic section from the side slope.
  static constexpr FamilyHooks<Inputs, Section> kHooks{.proportions =
                                                           ProportionBoxes{"Text2", "Text3"}};
};

// Form21 and Form32 in the window table, the family in the selection window.
void AddWindows(std::vector<WindowSpec>& windows, std::vector<FamilySpec>& families);

}  // namespace tarnwick::FlatBottomChannel
