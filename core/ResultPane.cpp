#include "ResultPane.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace tarnwick {

int DisplayColumns(std::string_view utf8) {
  // Every byte but a continuation byte (10xxxxxx) starts a character, and a lead
  // byte (11xxxxxx) starts a wide one. Eight bytes at a time: the top bit of each
  // byte, and the bit below it moved up, tell the two kinds apart; the marks are
  // summed by a multiplication that adds the eight bytes into the top one.
  constexpr uint64_t kTop = 0x8080808080808080ULL;
  constexpr uint64_t kBytes = 0x0101010101010101ULL;
  const auto count = [](uint64_t marks) { return static_cast<int>(((marks >> 7) * kBytes) >> 56); };
  const auto marks = [&](uint64_t word) {
    const uint64_t top = word & kTop;
    const uint64_t second = (word << 1) & kTop;
    return count(top & second) - count(top & ~second);
  };
  int columns = static_cast<int>(utf8.size());
  size_t k = 0;
  for (; k + 8 <= utf8.size(); k += 8) {
    uint64_t word = 0;
    std::memcpy(&word, utf8.data() + k, 8);
    columns += marks(word);
  }
  if (k < utf8.size()) {
    uint64_t word = 0;  // the last piece padded with zero bytes, which count as neither
    std::memcpy(&word, utf8.data() + k, utf8.size() - k);
    columns += marks(word);
  }
  return columns;
}

namespace {

// Digits and decimal exponent of |x| rounded to 15 significant digits:
// |x| = d1.d2...d15 × 10^exponent, trailing zeros removed. std::to_chars with a
// precision rounds the exact binary value correctly, ties to even, as printf's
// "%.14e" does, but without the format parsing and the locale.
struct Significand {
  char digits[15];
  int count = 0;     // digits in use, 1 to 15
  int exponent = 0;  // decimal exponent of the first digit
};

// Reads "d[.ddd]e±dd" as to_chars writes it in scientific form.
Significand ReadScientific(const char* text, const char* end) {
  Significand s;
  const char* p = text;
  for (; *p != 'e'; ++p) {
    if (*p != '.' && s.count < 15) s.digits[s.count++] = *p;
  }
  const bool negative = *++p == '-';
  int exponent = 0;
  for (++p; p < end; ++p) exponent = exponent * 10 + (*p - '0');
  s.exponent = negative ? -exponent : exponent;
  while (s.count > 1 && s.digits[s.count - 1] == '0') --s.count;
  return s;
}

Significand Round15(double magnitude) {
  char buffer[32];  // "d.dddddddddddddddde+ddd"
  // The shortest digits that read back as the same normal double lie within half
  // a unit in its last place (2^-53 of it), far closer than half a step of 15
  // significant digits (5·10^-16 of it at least); when there are at most 15 of
  // them they are therefore the correct rounding, and the shortest form is the
  // cheaper one to find. Rounded report figures always take this way. Subnormal
  // numbers carry fewer bits, so their shortest form may be too short.
  if (magnitude >= std::numeric_limits<double>::min()) {
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    if (std::find(buffer, result.ptr, 'e') - buffer <= 16) {
      return ReadScientific(buffer, result.ptr);
    }
  }
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
  return ReadScientific(buffer, result.ptr);
}

void AppendPlain(std::string& text, const Significand& s) {
  const std::string_view digits(s.digits, static_cast<size_t>(s.count));
  if (s.exponent < 0) {
    text.push_back('.');
    text.append(static_cast<size_t>(-s.exponent - 1), '0');
    text.append(digits);
  } else if (s.exponent + 1 >= s.count) {
    text.append(digits);
    text.append(static_cast<size_t>(s.exponent + 1 - s.count), '0');
  } else {
    const size_t wholeDigits = static_cast<size_t>(s.exponent) + 1;
    text.append(digits.substr(0, wholeDigits));
    text.push_back('.');
    text.append(digits.substr(wholeDigits));
  }
}

// Only magnitudes from 1E15 up take this form, so the exponent is positive.
void AppendExponent(std::string& text, const Significand& s) {
  text.push_back(s.digits[0]);
  if (s.count > 1) {
    text.push_back('.');
    text.append(s.digits + 1, static_cast<size_t>(s.count - 1));
  }
  char exponent[8];
  const auto result = std::to_chars(exponent, exponent + sizeof exponent, s.exponent);
  text.append("E+");
  if (result.ptr - exponent < 2) text.push_back('0');
  text.append(exponent, result.ptr);
}

// Most report figures are cut to five decimals (RoundDisplay) and so stored as
// the double nearest to k / 10^5 for a whole number k. That decimal then lies
// within half a unit in the last place of the double and has at most 15
// significant digits below 10^10, so by the argument of Round15 it is the
// rounding to 15 digits, and it is written from k without a general conversion.
// Writes the figure at `p` and returns its end, or null when it is not one.
char* FiveDecimals(char* p, double magnitude) {
  constexpr double kScale = 1e5;
  if (!(magnitude >= std::numeric_limits<double>::min() && magnitude < 1e10)) return nullptr;
  const double k = std::nearbyint(magnitude * kScale);
  if (k / kScale != magnitude) return nullptr;
  const auto scaled = static_cast<uint64_t>(k);
  const uint64_t whole = scaled / 100000;
  uint64_t fraction = scaled % 100000;
  if (whole > 0) p = std::to_chars(p, p + 20, whole).ptr;
  if (fraction > 0) {
    int digits = 5;
    for (; fraction % 10 == 0; fraction /= 10) --digits;
    *p++ = '.';
    for (int d = digits - 1; d >= 0; --d, fraction /= 10)
      p[d] = static_cast<char>('0' + fraction % 10);
    p += digits;
  }
  return p;
}

}  // namespace

void AppendNumberText(std::string& text, double x) {
  if (std::isnan(x)) {
    text.append(" NaN ");
    return;
  }
  const double magnitude = std::fabs(x);
  // The usual figure, sign, digits and the space after, in one append.
  char figure[32];
  figure[0] = x < 0 ? '-' : ' ';
  if (magnitude > 0.0) {
    if (char* end = FiveDecimals(figure + 1, magnitude)) {
      *end++ = ' ';
      text.append(figure, end);
      return;
    }
  }
  text.push_back(figure[0]);
  if (std::isinf(magnitude)) {
    text.append("Inf");
  } else if (magnitude == 0.0) {
    text.push_back('0');
  } else {
    const Significand s = Round15(magnitude);
    if (s.exponent >= 15) {
      AppendExponent(text, s);
    } else {
      AppendPlain(text, s);
    }
  }
  text.push_back(' ');
}

std::string NumberText(double x) {
  std::string text;
  AppendNumberText(text, x);
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

ResultPane& ResultPane::Text(std::string_view utf8, int columns) {
  if (!keepsText_) return *this;
  current_ += utf8;
  column_ += columns;
  return *this;
}

ResultPane& ResultPane::Number(double x) {
  if (!std::isfinite(x)) ++nonFiniteCount_;
  if (!keepsText_) return *this;
  // The number's text is ASCII: one column per character.
  const size_t before = current_.size();
  AppendNumberText(current_, x);
  column_ += static_cast<int>(current_.size() - before);
  return *this;
}

ResultPane& ResultPane::Tab(int column) {
  if (!keepsText_) return *this;
  if (column_ > column) {
    PushLine();
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
  PushLine();
  column_ = 1;
  return *this;
}

void ResultPane::PushLine() {
  // A line cleared before is filled again: a batch that presses, prints and
  // clears one pane allocates its lines once.
  if (spare_.empty()) {
    lines_.push_back(current_);
  } else {
    lines_.push_back(std::move(spare_.back()));
    spare_.pop_back();
    lines_.back().assign(current_);
  }
  current_.clear();
}

void ResultPane::Clear() {
  for (std::string& line : lines_) spare_.push_back(std::move(line));
  lines_.clear();
  current_.clear();
  column_ = 1;
  nonFiniteCount_ = 0;
}

void ResultPane::Rewind(const Mark& mark) {
  lines_.resize(mark.lines);
  current_ = mark.open;
  column_ = mark.column;
  nonFiniteCount_ = mark.nonFiniteCount;
}

void ResultPane::Append(const ResultPane& other) {
  if (keepsText_) lines_.insert(lines_.end(), other.lines_.begin(), other.lines_.end());
  nonFiniteCount_ += other.nonFiniteCount_;
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
