// Arc-bottom rectangular and trapezoidal channel: a bed that is a circular arc of
// radius R with plane walls above its ends. The trapezoid's walls (slope M) are
// tangent to the arc, so M fixes the arc; the rectangle's vertical walls stand a
// width B apart on the arc's ends, so B is the chord. M = 0 selects the rectangle.
#pragma once

#include "SectionFamily.h"

namespace tarnwick::ArcBottomChannel {

struct Section {
  double r = 0.0;      // radius of the bottom arc, m
  double m = 0.0;      // side slope; 0 for the rectangle
  double b = 0.0;      // chord of the arc: bottom-arc width or channel width, m
  double theta = 0.0;  // central angle of the arc, rad
  double h1 = 0.0;     // depth of the arc below its chord, m
  double s1 = 0.0;     // area of the full arc segment, m²
  double l = 0.0;      // arc length, m
};

// Walls of slope m > 0 tangent to the arc.
Section TrapezoidalSection(double r, double m);
// Vertical walls a width b apart, 0 < b < 2r.
Section RectangularSection(double r, double b);

struct ArcState : SectionState {
  bool withinArc = false;  // water below the chord: the arc alone is wetted
  double phi = 0.0;        // wetted central angle while within the arc, rad
};

ArcState Evaluate(const Section& section, double n, double i, double h);

// Typed values of Form2 (value = design discharge Q) and Form31 (value = depth h),
// in box order; b is the rectangular width, looked at only when m = 0.
struct Inputs {
  double r = 0.0;
  double m = 0.0;
  double n = 0.0;
  double d = 0.0;  // slope denominator, i = 1/D
  double value = 0.0;
  double b = 0.0;
};

// The arc and the walls up to the level `top` above the lowest point of the arc;
// the arc is drawn whole even when `top` lies below its chord.
Outline SectionOutline(const Section& section, double top);

// The family's side of the window contract.
struct Definition {
  using Inputs = ArcBottomChannel::Inputs;
  using Section = ArcBottomChannel::Section;
  using State = ArcState;
  static FamilySpec Describe();
  static WindowNames Window(CalculationKind kind);
  static std::vector<InputBox<Inputs>> Boxes(CalculationKind kind);
  static Checked<Section> Check(const Inputs& in);
  static State Evaluate(const Section& s, const Inputs& in, double h) {
    return ArcBottomChannel::Evaluate(s, in.n, 1.0 / in.d, h);
  }
  static Outline SectionOutline(const Section& s, double top) {
    return ArcBottomChannel::SectionOutline(s, top);
  }
  static void Report(ResultPane& pane, CalculationKind kind, const Inputs& in, const Section& s,
                     const State& st);
  static void Values(const Inputs& in, const Section& s, const State& st, NamedValues& values);
  static std::vector<ShapeOption> Shapes(CalculationKind kind);
  static uint32_t ShapeTint(CalculationKind kind);
  static constexpr FamilyHooks<Inputs, Section> kHooks{.shapes = &Shapes, .shapeTint = &ShapeTint};
};

// The family's two windows in the window table, and its selection button.
void AddWindows(std::vector<WindowSpec>& windows, std::vector<FamilySpec>& families);

}  // namespace tarnwick::ArcBottomChannel
