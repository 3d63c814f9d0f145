#include "ResultPane.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tarnwick {

int DisplayColumns(std::string_view utf8) {
  int columns = 0;
  for (const char ch : utf8) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte < 0x80) {
      columns += 1;
    } else if ((byte & 0xC0) != 0x80) {
      columns += 2;  // lead byte of a multi-byte character
    }
  }
  return columns;
}

namespace {

// Digits and decimal exponent of |x| rounded to 15 significant digits:
// |x| = 0.d1d2...d15 × 10^(exponent + 1), trailing zeros removed.
struct Significand {
  std::string digits;
  int exponent = 0;  // decimal exponent of the first digit
};

Significand Round15(double magnitude) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.14e", magnitude);
  Significand s;
  const char* p = buffer;
  for (; *p != 'e'; ++p) {
    if (*p != '.') s.digits.push_back(*p);
  }
  s.exponent = std::atoi(p + 1);
  while (s.digits.size() > 1 && s.digits.back() == '0') s.digits.pop_back();
  return s;
}

std::string PlainMagnitude(const Significand& s) {
  const int digitCount = static_cast<int>(s.digits.size());
  std::string text;
  if (s.exponent < 0) {
    text.push_back('.');
    text.append(static_cast<size_t>(-s.exponent - 1), '0');
    text.append(s.digits);
  } else if (s.exponent + 1 >= digitCount) {
    text.append(s.digits);
    text.append(static_cast<size_t>(s.exponent + 1 - digitCount), '0');
  } else {
    const auto wholeDigits = static_cast<size_t>(s.exponent + 1);
    text.append(s.digits, 0, wholeDigits);
    text.push_back('.');
    text.append(s.digits, wholeDigits, std::string::npos);
  }
  return text;
}

std::string ExponentMagnitude(const Significand& s) {
  std::string text(1, s.digits[0]);
  if (s.digits.size() > 1) {
    text.push_back('.');
    text.append(s.digits, 1, std::string::npos);
  }
  char exponent[16];
  std::snprintf(exponent, sizeof exponent, "E%c%02d", s.exponent < 0 ? '-' : '+',
                std::abs(s.exponent));
  text.append(exponent);
  return text;
}

}  // namespace

std::string NumberText(double x) {
  if (std::isnan(x)) return " NaN ";
  std::string text(1, x < 0 ? '-' : ' ');
  const double magnitude = std::fabs(x);
  if (std::isinf(magnitude)) {
    text.append("Inf");
  } else if (magnitude == 0.0) {
    text.push_back('0');
  } else {
    const Significand s = Round15(magnitude);
    text.append(s.exponent >= 15 ? ExponentMagnitude(s) : PlainMagnitude(s));
  }
  text.push_back(' ');
  return text;
}

ResultPane ResultPane::Tally() {
  ResultPane pane;
  pane.keepsText_ = false;
  return pane;
}

ResultPane& ResultPane::Text(std::string_view utf8) {
  if (!keepsText_) return *this;
  current_ += utf8;
  column_ += DisplayColumns(utf8);
  return *this;
}

ResultPane& ResultPane::Number(double x) {
  if (!std::isfinite(x)) printedNonFinite_ = true;
  if (!keepsText_) return *this;
  return Text(NumberText(x));
}

ResultPane& ResultPane::Tab(int column) {
  if (!keepsText_) return *this;
  if (column_ > column) {
    lines_.push_back(current_);
    current_.clear();
    column_ = 1;
  }
  if (column_ < column) {
    current_.append(static_cast<size_t>(column - column_), ' ');
    column_ = column;
  }
  return *this;
}

ResultPane& ResultPane::EndLine() {
  if (!keepsText_) return *this;
  lines_.push_back(current_);
  current_.clear();
  column_ = 1;
  return *this;
}

void ResultPane::Clear() {
  lines_.clear();
  current_.clear();
  column_ = 1;
  printedNonFinite_ = false;
}

void ResultPane::Append(const ResultPane& other) {
  if (keepsText_) lines_.insert(lines_.end(), other.lines_.begin(), other.lines_.end());
  printedNonFinite_ = printedNonFinite_ || other.printedNonFinite_;
}

std::string ResultPane::Joined() const {
  std::string text;
  for (const std::string& line : lines_) {
    text += line;
    text += '\n';
  }
  return text;
}

}  // namespace tarnwick
