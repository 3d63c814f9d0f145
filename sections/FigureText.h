// Figures as the check panel and the case table show them: fixed decimals, or
// the shortest text that reads back as the number (the boxes' values, "0.025").
#pragma once

#include <charconv>
#include <string>

namespace tarnwick {

// The exact decimal value rounded to `decimals` places, ties to even, the digits
// printf's "%.*f" gives, without its format parsing and multi-precision path.
inline std::string FixedText(double x, int decimals) {
  char buffer[352];  // room for the widest double in fixed notation
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, decimals).ptr;
  return {buffer, end};
}

inline std::string ShortestText(double x) {
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, x).ptr;
  return {buffer, end};
}

}  // namespace tarnwick
