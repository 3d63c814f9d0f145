// U-shaped channel: a semicircular bottom of radius R continued upward by two
// vertical walls 2R apart, with no height limit.
#pragma once

#include "SectionFamily.h"

namespace tarnwick::UChannel {

struct Section {
  double r = 0.0;  // radius of the semicircular bottom, m
};

// Width between the walls, B = 2R.
double ChannelWidth(const Section& section);

SectionState Evaluate(const Section& section, double n, double i, double h);

// Typed values of Form22 (value = design discharge Q) and Form33 (value = depth h).
struct Inputs {
  double r = 0.0;
  double n = 0.0;
  double d = 0.0;  // slope denominator, i = 1/D
  double value = 0.0;
};

// The semicircle and the walls up to the level `top` above its lowest point; the
// semicircle is drawn whole even when `top` lies below its centre.
Outline SectionOutline(const Section& section, double top);

// The family's side of the window contract.
struct Definition {
  using Inputs = UChannel::Inputs;
  using Section = UChannel::Section;
  using State = SectionState;
  static FamilySpec Describe();
  static WindowNames Window(CalculationKind kind);
  static std::vector<InputBox<Inputs>> Boxes(CalculationKind kind);
  static Checked<Section> Check(const Inputs& in);
  static State Evaluate(const Section& s, const Inputs& in, double h) {
    return UChannel::Evaluate(s, in.n, 1.0 / in.d, h);
  }
  static Outline SectionOutline(const Section& s, double top) {
    return UChannel::SectionOutline(s, top);
  }
  static void Report(ResultPane& pane, CalculationKind kind, const Inputs& in, const Section& s,
                     const State& st);
  static void Values(const Inputs& in, const Section& s, const State& st, NamedValues& values);
  static constexpr FamilyHooks<Inputs, Section> kHooks{};
};

// The family's two windows in the window table, and its selection button.
void AddWindows(std::vector<WindowSpec>& windows, std::vector<FamilySpec>& families);

}  // namespace tarnwick::UChannel
