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
  // True when the text holds more than the number read: a character other than a
  // blank (space, tab, line feed, carriage return) that is not part of it ("1OOO"
  // typed with the letter O reads 1, "1,5" reads 1, "2m" reads 2), an exponent
  // marker without digits ("1e"), or no number at all in a text that is not blank
  // ("abc", "-"). The value is the same either way; the flag lets the checks name
  // the box whose text was not read in full.
  bool partial = false;
};

NumberReading ReadNumber(std::string_view text);

}  // namespace tarnwick
