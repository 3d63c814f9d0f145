// The boxes most windows share (roughness, slope, discharge or depth) and the
// words of their labels and tool tips, for the families' box lists.
#pragma once

#include <string_view>

#include "SectionFamily.h"

namespace tarnwick::boxes {

inline constexpr std::string_view kMetre = "m";
inline constexpr std::string_view kDegree = "°";
inline constexpr std::string_view kCubicMetresPerSecond = "m³/s";
inline constexpr std::string_view kDegreesTip = "输入十进制度";
inline constexpr std::string_view kSlopeTip = "输入渠道纵坡（1/ ？）";

// A box filling the member `field` of a family's typed values.
template <class Inputs>
InputBox<Inputs> Box(std::string_view name, std::string_view label, std::string_view tip,
                     std::string_view symbol, std::string_view unit, BoxRole role,
                     double Inputs::*field, int row = -1) {
  BoxSpec box{name, label, tip};
  box.symbol = symbol;
  box.unit = unit;
  box.role = role;
  box.row = row;
  return {box, field};
}

template <class Inputs>
InputBox<Inputs> Length(std::string_view name, std::string_view label, std::string_view tip,
                        std::string_view symbol, double Inputs::*field, int row = -1) {
  return Box(name, label, tip, symbol, kMetre, BoxRole::Dimension, field, row);
}

template <class Inputs>
InputBox<Inputs> Angle(std::string_view name, std::string_view label, std::string_view symbol,
                       double Inputs::*field) {
  return Box(name, label, kDegreesTip, symbol, kDegree, BoxRole::Dimension, field);
}

template <class Inputs>
InputBox<Inputs> Roughness(std::string_view name, double Inputs::*field, int row = -1) {
  return Box(name, "糙    率 n=", "输入渠道糙率", "n", {}, BoxRole::Roughness, field, row);
}

// The slope is typed as the denominator D of 1/D.
template <class Inputs>
InputBox<Inputs> Slope(std::string_view name, double Inputs::*field,
                       std::string_view tip = kSlopeTip, int row = -1) {
  return Box(name, "纵    坡 I=", tip, "I", {}, BoxRole::Slope, field, row);
}

// The box that takes the discharge (depth windows) or the depth (discharge windows).
template <class Inputs>
InputBox<Inputs> ValueBox(std::string_view name, CalculationKind kind, double Inputs::*field,
                          int row = -1) {
  return kind == CalculationKind::Depth ? Box(name, "流    量 Q=", "输入渠道流量", "Q",
                                              kCubicMetresPerSecond, BoxRole::Discharge, field, row)
                                        : Box(name, "水    深 H=", "输入渠道水深（m）", "h", kMetre,
                                              BoxRole::Depth, field, row);
}

}  // namespace tarnwick::boxes
