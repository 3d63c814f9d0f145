// Horseshoe tunnel: a roof arc (radius R1, central angle A1) over the spring line,
// a side arc on each side (radius R2, angle A2, centred on the spring line R2 in
// from its end) narrowing the section down to the bottom chord B1, and either an
// inverted bottom arc of radius R3 across B1 or a level floor on B1 itself.
#pragma once

#include <optional>

#include "ArchTunnel.h"
#include "SectionFamily.h"

namespace tarnwick::HorseshoeTunnel {

enum class Floor { InvertedArch, Flat };

// Part of the section holding the water surface.
enum class Zone { Bottom, Side, Roof };

// The built section; angles in radians, lengths in m, areas in m².
struct Section {
  Floor floor = Floor::InvertedArch;
  double r1 = 0.0, a1 = 0.0;            // roof arc
  double r2 = 0.0, a2 = 0.0;            // each side arc
  double r3 = 0.0;                      // bottom arc (the flat floor still reports its angle)
  double b2 = 0.0;                      // tunnel width, the roof chord at the spring line
  double b1 = 0.0;                      // bottom chord, the floor width of the flat floor
  double a3 = 0.0;                      // central angle of the bottom arc over B1
  double h1 = 0.0;                      // sag of the bottom arc (0 for the flat floor)
  double h2 = 0.0;                      // height of the side arcs
  double h3 = 0.0;                      // rise of the roof arc
  double h4 = 0.0;                      // tunnel height, invert to crown
  double sb = 0.0, sm = 0.0, st = 0.0;  // bottom segment, middle part, roof segment
  double lb = 0.0, ls = 0.0, lt = 0.0;  // bottom perimeter, both side arcs, roof arc
  double w0 = 0.0;                      // area of the full section
  double p0 = 0.0;                      // perimeter of the closed section
};

using Inputs = ArchTunnel::Inputs;

struct State : SectionState {
  Zone zone = Zone::Bottom;
};

// The section's dimensions from radii and angles in degrees, without any check.
Section BuildSection(Floor floor, double r1, double a1Degrees, double r2, double a2Degrees,
                     double r3);
// The typed values checked and the section built; nothing when the values are
// refused or describe no horseshoe section.
std::optional<Section> CheckedSection(const Inputs& in);

State Evaluate(const Section& section, double n, double i, double h);
// Manning's discharge of the full section with its closed perimeter.
ManningFlowResult FullSectionFlow(const Section& section, double n, double i);

// The boundary as a closed loop from the crown round by the left side, the floor
// and the right side back to the crown; x from the axis, y above the invert (the
// floor of the flat-floor section).
Outline SectionOutline(const Section& section);

// The family's own side of the window contract; the rest is the arch tunnels'
// shared glue.
struct Specifics {
  using Section = HorseshoeTunnel::Section;
  using State = HorseshoeTunnel::State;
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

}  // namespace tarnwick::HorseshoeTunnel
