// What the horseshoe and the three-centred-arch tunnels share: the same typed
// values in the same boxes. Both are three arcs round a section (roof, sides,
// bottom) on either an inverted bottom arch or a level floor.
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

}  // namespace tarnwick::ArchTunnel
