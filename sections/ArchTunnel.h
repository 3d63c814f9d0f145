// What the horseshoe and the three-centred-arch tunnels share: the same typed
// values in the same boxes, and the same glue to the window contract. Both are
// three arcs round a section (roof, sides, bottom) on either an inverted bottom
// arch or a level floor.
#pragma once

#include <vector>

#include "InputBoxes.h"

namespace tarnwick::ArchTunnel {

// Typed values of the depth window (value = design discharge Q) and the discharge
// window (value = depth h). F selects the floor: 0 the inverted arch, above 0 up
// to 1 the flat floor.
struct Inputs {
  double f = 0.0;
  double r1 = 0.0;
  double a1 = 0.0;  // degrees
  double r2 = 0.0;
  double a2 = 0.0;  // degrees
  double r3 = 0.0;
  double n = 0.0;
  double d = 0.0;  // slope denominator, i = 1/D
  double value = 0.0;
};

inline std::vector<InputBox<Inputs>> Boxes(CalculationKind kind) {
  using namespace boxes;
  return {Box("Text10", "平底1/反拱底0", {}, "F", {}, BoxRole::ShapeChoice, &Inputs::f),
          Length("Text1", "顶拱半径R1=", "输入顶拱半径（m）", "R1", &Inputs::r1),
          Angle("Text2", "顶拱圆心角A1=", "A1", &Inputs::a1),
          Length("Text3", "侧拱半径R2=", "输入侧拱半径（m）", "R2", &Inputs::r2),
          Angle("Text4", "侧拱圆心角A2=", "A2", &Inputs::a2),
          Length("Text5", "底拱半径R3=", "输入底拱半径（m）", "R3", &Inputs::r3),
          Roughness("Text6", &Inputs::n),
          Slope("Text7", &Inputs::d),
          ValueBox("Text8", kind, &Inputs::value)};
}

namespace detail {

// The family's own functions, found beside its Section by argument-dependent
// lookup (inside Definition its members of the same names would hide them).
template <class Section>
auto StateAt(const Section& s, double n, double i, double h) {
  return Evaluate(s, n, i, h);
}
template <class Section>
Outline OutlineOf(const Section& s) {
  return SectionOutline(s);
}
template <class Section>
double FullDischarge(const Section& s, double n, double i) {
  return FullSectionFlow(s, n, i).q1;
}

}  // namespace detail

// An arch tunnel's side of the window contract, written once. `Specifics` is the
// family's own part: its Section and State, selection button, window names,
// input check, reports, named values, crown and capacity block. The family's
// namespace holds, beside its Section, `Evaluate(section, n, i, h)`,
// `SectionOutline(section)` and `FullSectionFlow(section, n, i)`; the section
// keeps its full area in `w0`.
template <class Specifics>
struct Definition : Specifics {
  using Inputs = ArchTunnel::Inputs;
  using Section = typename Specifics::Section;
  using State = typename Specifics::State;
  static constexpr FamilyHooks<Inputs, Section> kHooks{};
  static std::vector<InputBox<Inputs>> Boxes(CalculationKind kind) {
    return ArchTunnel::Boxes(kind);
  }
  static State Evaluate(const Section& s, const Inputs& in, double h) {
    return detail::StateAt(s, in.n, 1.0 / in.d, h);
  }
  static Outline SectionOutline(const Section& s, double top) {
    (void)top;
    return detail::OutlineOf(s);
  }
  static double FullArea(const Section& s) { return s.w0; }
  static double FullSectionDischarge(const Section& s, const Inputs& in) {
    return detail::FullDischarge(s, in.n, 1.0 / in.d);
  }
};

}  // namespace tarnwick::ArchTunnel
