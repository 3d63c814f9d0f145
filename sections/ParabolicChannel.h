// Parabolic channel: the bed x² = 2·p·y, its vertex the lowest point and p the
// parameter of the parabola in metres (the focus stands p/2 above the vertex).
// Earth channels scour towards this shape; with no corner and no height limit it
// is an open channel searched up to 1000 m like the others.
#pragma once

#include "SectionFamily.h"

namespace tarnwick::ParabolicChannel {

struct Section {
  double p = 0.0;  // parameter of the parabola, m
};

// Typed values of Form27 (value = design discharge Q) and Form38 (value = depth h).
struct Inputs {
  double p = 0.0;
  double n = 0.0;
  double d = 0.0;  // slope denominator, i = 1/D
  double value = 0.0;
};

SectionState Evaluate(const Section& section, double n, double i, double h);

// The bed from bank top to bank top at the level `top`, as dense points.
Outline SectionOutline(const Section& section, double top);

// The family's side of the window contract.
struct Definition {
  using Inputs = ParabolicChannel::Inputs;
  using Section = ParabolicChannel::Section;
  using State = SectionState;
  static FamilySpec Describe();
  static WindowNames Window(CalculationKind kind);
  static std::vector<InputBox<Inputs>> Boxes(CalculationKind kind);
  static Checked<Section> Check(const Inputs& in);
  static State Evaluate(const Section& s, const Inputs& in, double h) {
    return ParabolicChannel::Evaluate(s, in.n, 1.0 / in.d, h);
  }
  static Outline SectionOutline(const Section& s, double top) {
    return ParabolicChannel::SectionOutline(s, top);
  }
  static void Report(ResultPane& pane, CalculationKind kind, const Inputs& in, const Section& s,
                     const State& st);
  static void Values(const Inputs& in, const Section& s, const State& st, NamedValues& values);
  static constexpr FamilyHooks<Inputs, Section> kHooks{};
};

// The family's two windows in the window table, and its selection button.
void AddWindows(std::vector<WindowSpec>& windows, std::vector<FamilySpec>& families);

}  // namespace tarnwick::ParabolicChannel
