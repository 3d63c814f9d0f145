#include "ReadNumber.h"

#include <locale.h>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace tarnwick {

namespace {

bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Blank for the partial-read flag: also the carriage return a pasted line may end in.
bool AllBlank(std::string_view text) {
  for (const char c : text) {
    if (!IsSkipped(c) && c != '\r') return false;
  }
  return true;
}

// A reading and whether every character it consumed took part in the number.
struct Scan {
  NumberReading reading;
  bool complete = true;
};

// Characters of the text with the skipped blanks removed, read one at a time.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) { Skip(); }
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
  void Advance() {
    ++pos_;
    Skip();
  }
  // The characters not read yet.
  std::string_view Rest() const { return text_.substr(pos_); }

 private:
  void Skip() {
    while (pos_ < text_.size() && IsSkipped(text_[pos_])) ++pos_;
  }
  std::string_view text_;
  size_t pos_ = 0;
};

int DigitValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

Scan ReadRadixInteger(Cursor& cursor, int radix) {
  double value = 0.0;
  bool anyDigit = false;
  while (DigitValue(cursor.Peek()) < radix) {
    value = value * radix + DigitValue(cursor.Peek());
    anyDigit = true;
    cursor.Advance();
  }
  return {{value, std::isfinite(value)}, anyDigit};
}

double ParseDecimalC(const std::string& literal) {
  // std::from_chars rounds correctly like strtod and never looks at the locale:
  // the full stop is the decimal separator even when the user's locale writes a
  // comma. It takes no plus sign, and leaves a number beyond the range of a
  // double to strtod_l with the C locale, which gives it as an infinity or zero.
  const char* first = literal.data();
  const char* last = first + literal.size();
  if (first != last && *first == '+') ++first;
  double value = 0.0;
  const auto result = std::from_chars(first, last, value);
  if (result.ec == std::errc() && result.ptr == last) return value;
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return strtod_l(literal.c_str(), nullptr, cLocale);
}

// After "&": &H hexadecimal, &O octal; any other prefix reads nothing.
Scan ReadPrefixed(Cursor& cursor) {
  cursor.Advance();
  const char prefix = cursor.Peek();
  if (prefix == 'H' || prefix == 'h') {
    cursor.Advance();
    return ReadRadixInteger(cursor, 16);
  }
  if (prefix == 'O' || prefix == 'o') {
    cursor.Advance();
    return ReadRadixInteger(cursor, 8);
  }
  return {{}, false};
}

Scan ReadDecimal(Cursor& cursor) {
  std::string literal;
  if (cursor.Peek() == '+' || cursor.Peek() == '-') {
    literal.push_back(cursor.Peek());
    cursor.Advance();
  }
  bool anyDigit = false;
  while (IsDigit(cursor.Peek())) {
    literal.push_back(cursor.Peek());
    anyDigit = true;
    cursor.Advance();
  }
  if (cursor.Peek() == '.') {
    literal.push_back('.');
    cursor.Advance();
    while (IsDigit(cursor.Peek())) {
      literal.push_back(cursor.Peek());
      anyDigit = true;
      cursor.Advance();
    }
  }
  if (!anyDigit) return {{}, false};

  bool complete = true;
  const char marker = cursor.Peek();
  if (marker == 'E' || marker == 'e' || marker == 'D' || marker == 'd') {
    cursor.Advance();
    std::string exponent = "e";
    if (cursor.Peek() == '+' || cursor.Peek() == '-') {
      exponent.push_back(cursor.Peek());
      cursor.Advance();
    }
    bool exponentDigits = false;
    while (IsDigit(cursor.Peek())) {
      exponent.push_back(cursor.Peek());
      exponentDigits = true;
      cursor.Advance();
    }
    if (exponentDigits) literal += exponent;
    complete = exponentDigits;
  }

  const double value = ParseDecimalC(literal);
  return {{value, std::isfinite(value)}, complete};
}

// A plain decimal, digits with at most one full stop and nothing else ("2000",
// "0.025"), the way almost every box is typed: read as the general path would
// read it, without walking it a character at a time.
std::optional<NumberReading> ReadPlainDecimal(std::string_view text) {
  // Exact powers of ten: every one up to 10^22 is a double.
  static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  bool point = false;
  int digits = 0;
  int decimals = 0;
  uint64_t whole = 0;  // the digits as one number, while there are at most 15
  for (const char c : text) {
    if (IsDigit(c)) {
      ++digits;
      if (digits <= 15) whole = whole * 10 + static_cast<uint64_t>(c - '0');
      if (point) ++decimals;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0) return std::nullopt;
  if (digits <= 15) {
    // Both the digits (below 10^15 < 2^53) and 10^decimals are exact doubles, so
    // the one correctly rounded division is the correctly rounded reading
    // (Clinger, "How to read floating point numbers accurately", 1990).
    return NumberReading{static_cast<double>(whole) / kPowers[decimals], true};
  }
  double value = 0.0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  return NumberReading{value, std::isfinite(value)};
}

}  // namespace

NumberReading ReadNumber(std::string_view text) {
  if (const std::optional<NumberReading> plain = ReadPlainDecimal(text)) return *plain;
  Cursor cursor(text);
  const Scan scan = cursor.Peek() == '&' ? ReadPrefixed(cursor) : ReadDecimal(cursor);
  NumberReading r = scan.reading;
  r.partial = !AllBlank(text) && (!scan.complete || !AllBlank(cursor.Rest()));
  return r;
}

}  // namespace tarnwick
