// Three-centred-arch tunnel: a top arch (radius R1, central angle A1) meeting two
// side arches (radius R2, angle A2 each) tangentially, over either an inverted
// bottom arch of radius R3 across the span of the side arches' lower ends, or a
// flat floor plate on that span.
#pragma once

#include <optional>

#include "ArchTunnel.h"
#include "SectionFamily.h"

namespace tarnwick::ThreeCentredArchTunnel {

enum class Floor { InvertedArch, Flat };

// Part of the section holding the water surface, from the invert up.
enum class Zone { Bottom, LowerSide, UpperSide, Top };

// The built section; angles in radians, lengths in m, areas in m². Heights are
// measured upwards; the side-arch centres lie at H1 + H2 above the invert.
struct Section {
  Floor floor = Floor::InvertedArch;
  double r1 = 0.0, a1 = 0.0;  // top arch
  double r2 = 0.0, a2 = 0.0;  // each side arch
  double r3 = 0.0;            // bottom arch (the flat floor still reports its angle)
  double beta = 0.0;          // where a side arch meets the top arch, above its centre's level
  double gamma = 0.0;         // lower end of a side arch, below its centre's level
  double b3 = 0.0;            // span of the side arches' lower ends (bottom chord or floor)
  double a3 = 0.0;            // central angle of the bottom arch over B3
  double h1 = 0.0;            // rise of the bottom arch (0 for the flat floor)
  double h2 = 0.0;            // side-arch centres above the lower ends of the side arches
  double h3 = 0.0;            // springing of the top arch above the side-arch centres
  double h5 = 0.0;            // rise of the top arch
  double h6 = 0.0;            // tunnel height, invert to crown
  double b2 = 0.0;            // tunnel width at the level of the side-arch centres
  double b1 = 0.0;            // top-arch chord
  double s1 = 0.0, s2 = 0.0, s3 = 0.0, s4 = 0.0;  // areas, bottom to top
  double l1 = 0.0, l2 = 0.0, l3 = 0.0, l4 = 0.0;  // perimeters, bottom to top
  double w0 = 0.0;                                // area of the full section
  double p0 = 0.0;                                // perimeter of the closed section
};

using Inputs = ArchTunnel::Inputs;

struct State : SectionState {
  Zone zone = Zone::Bottom;
};

// The section's dimensions from radii and angles in degrees, without any check.
Section BuildSection(Floor floor, double r1, double a1Degrees, double r2, double a2Degrees,
                     double r3);
// The typed values checked and the section built; nothing when the values are
// refused or describe no three-centred-arch section.
std::optional<Section> CheckedSection(const Inputs& in);

State Evaluate(const Section& section, double n, double i, double h);
// Manning's discharge of the full section with its closed perimeter.
ManningFlowResult FullSectionFlow(const Section& section, double n, double i);

// The boundary as a closed loop from the crown round by the left side, the floor
// and the right side back to the crown; x from the axis, y above the invert (the
// floor plate of the flat-floor section).
Outline SectionOutline(const Section& section);

// The family's own side of the window contract; the rest is the arch tunnels'
// shared glue.
struct Specifics {
  using Section = ThreeCentredArchTunnel::Section;
  using State = ThreeCentredArchTunnel::State;
  static FamilySpec Describe();
  static WindowNames Window(CalculationKind kind);
  static Checked<Section> Check(const Inputs& in);
  static void Report(ResultPane& pane, CalculationKind kind, const Inputs& in, const Section& s,
                     const State& st);
  static void Values(const Inputs& in, const Section& s, const State& st, NamedValues& values);
  static double Crown(const Section& s);
  static void CapacityBlock(ResultPane& pane, const Section& s, const Inputs& in, double qmax);
};

using Definition = ArchTunnel::Definition<Specifics>;

// The family's two windows in the window table, and its selection button.
void AddWindows(std::vector<WindowSpec>& windows, std::vector<FamilySpec>& families);

}  // namespace tarnwick::ThreeCentredArchTunnel
