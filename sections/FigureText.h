// Figures as the check panel and the case table show them: fixed decimals, or
// the shortest text that reads back as the number (the boxes' values, "0.025").
#pragma once

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

namespace tarnwick {

namespace figure_detail {

// x·10^decimals rounded to a whole number, when a double product settles it: for
// |x·10^d| < 2^31 the product is within 2^-22 of the exact one, so a fraction
// clear of one half by more than that rounds as the exact value does. Near a
// tie, or beyond the range, -1 (the exact digits are then worked out in full).
inline long long ScaledWhole(double magnitude, int decimals) {
  static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
  if (decimals < 0 || decimals > 9 || !(magnitude < 2147483648.0)) return -1;
  const double scaled = magnitude * kPowers[decimals];
  if (!(scaled < 2147483648.0)) return -1;
  const double whole = std::floor(scaled);
  const double fraction = scaled - whole;  // exact below 2^31
  if (std::fabs(fraction - 0.5) < 0x1p-18) return -1;
  return static_cast<long long>(whole) + (fraction > 0.5 ? 1 : 0);
}

}  // namespace figure_detail

// The exact decimal value rounded to `decimals` places, ties to even, the digits
// printf's "%.*f" gives, without its format parsing and multi-precision path.
inline std::string FixedText(double x, int decimals) {
  char buffer[352];  // room for the widest double in fixed notation
  const long long whole = figure_detail::ScaledWhole(std::fabs(x), decimals);
  if (whole < 0) {
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, decimals).ptr;
    return {buffer, end};
  }
  // The digits of the whole number, at least one before the point.
  char digits[24];
  const size_t count =
      static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, whole).ptr - digits);
  const std::string_view all(digits, count);
  const auto places = static_cast<size_t>(decimals);
  std::string out;
  if (std::signbit(x)) out.push_back('-');  // "-0.000", as printf writes it
  if (count <= places) {
    out.append("0.").append(places - count, '0').append(all);
  } else {
    out.append(all.substr(0, count - places));
    if (places > 0) out.append(".").append(all.substr(count - places));
  }
  return out;
}

inline std::string ShortestText(double x) {
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, x).ptr;
  return {buffer, end};
}

}  // namespace tarnwick
