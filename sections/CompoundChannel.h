// Compound-section flat-bottom trapezoidal channel: a trapezoidal main channel
// whose banks stand H1 high, with a flat flood plain on each side at bank-top
// level. Above the banks the section is split by vertical lines through the bank
// edges into the main channel and the two flood plains; each carries its own
// Manning discharge with its own roughness and the discharges are added.
#pragma once

#include "SectionFamily.h"

namespace tarnwick::CompoundChannel {

struct Section {
  double b1 = 0.0;  // main-channel bottom width, m
  double m1 = 0.0;  // main-channel side slope, both banks
  double h1 = 0.0;  // bank height above the main-channel bed, m
  double n1 = 0.0;  // main-channel roughness
  double b2 = 0.0;  // left flood plain: width, outer-bank slope, roughness
  double m2 = 0.0;
  double n2 = 0.0;
  double b3 = 0.0;  // right flood plain: width, outer-bank slope, roughness
  double m3 = 0.0;
  double n3 = 0.0;
};

// One sub-section above the banks: area, wetted perimeter and discharge.
struct Part {
  double w = 0.0;
  double x = 0.0;
  double q = 0.0;
};

// The whole-section quantities. Above the banks V is Q1/W of the whole section and
// no hydraulic radius or Chezy coefficient of the whole section exists: rs and c
// stay 0 there and are never printed.
struct CompoundState : SectionState {
  bool overBanks = false;
  Part main;
  Part left;
  Part right;
};

CompoundState Evaluate(const Section& section, double i, double h);

// Typed values of Form11 (value = design discharge Q) and Form12 (value = depth h),
// in box order.
struct Inputs : Section {
  double d = 0.0;  // slope denominator, i = 1/D
  double value = 0.0;
};

// The physical boundary, with the main channel's axis at x = 0: left outer bank,
// left flood-plain bottom, main channel, right flood-plain bottom, right outer
// bank. The outer banks rise to the level `top`, or end at the plains when `top`
// is below the bank tops. The dividing lines above the bank edges are no part of
// it, as they are no part of any wetted perimeter.
Outline SectionOutline(const Section& section, double top);

// The family's side of the window contract.
struct Definition {
  using Inputs = CompoundChannel::Inputs;
  using Section = CompoundChannel::Section;
  using State = CompoundState;
  static FamilySpec Describe();
  static WindowNames Window(CalculationKind kind);
  static std::vector<InputBox<Inputs>> Boxes(CalculationKind kind);
  static Checked<Section> Check(const Inputs& in);
  static State Evaluate(const Section& s, const Inputs& in, double h) {
    return CompoundChannel::Evaluate(s, 1.0 / in.d, h);
  }
  static Outline SectionOutline(const Section& s, double top) {
    return CompoundChannel::SectionOutline(s, top);
  }
  static void Report(ResultPane& pane, CalculationKind kind, const Inputs& in, const Section& s,
                     const State& st);
  static void Values(const Inputs& in, const Section& s, const State& st, NamedValues& values);
  // Within the main channel one part; above the banks the main channel and the
  // two flood plains, divided by the vertical lines the discharge is computed with.
  static Subsections Subdivide(const Section& s, const Inputs& in, double h);
  // Above the banks the figures are of the whole, subdivided section.
  static constexpr FamilyHooks<Inputs, Section> kHooks{.wholeSectionFigures = true,
                                                       .subdivide = &Subdivide};
};

// The family's two windows in the window table, and its selection button.
void AddWindows(std::vector<WindowSpec>& windows, std::vector<FamilySpec>& families);

}  // namespace tarnwick::CompoundChannel
