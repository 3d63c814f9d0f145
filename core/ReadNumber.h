// The number at the start of an input box's text. Blanks, tabs and line feeds are
// skipped wherever they stand ("1 000" is 1000); reading stops at the first
// character that cannot continue the number ("12abc" is 12); a text with no
// leading number is 0. &H and &O read hexadecimal and octal integers. The decimal
// separator is the full stop whatever the locale.
#pragma once

#include <string_view>

namespace tarnwick {

struct NumberReading {
  double value = 0.0;
  // False when the number lies beyond the range of a double ("1e999"); the value
  // is then the infinity of its sign, and no calculation may use it as a figure.
  bool valid = true;
};

NumberReading ReadNumber(std::string_view text);

}  // namespace tarnwick
