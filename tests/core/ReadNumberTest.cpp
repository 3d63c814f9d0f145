#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

#include "core/ReadNumber.h"

namespace tarnwick {
namespace {

TEST(ReadNumber, TakesTheLeadingNumber) {
  // partial: the text holds more than the number read, blanks aside.
  struct Case {
    const char* text;
    double value;
    bool partial;
  };
  const Case cases[] = {
      {"", 0, false},
      {"abc", 0, true},
      {"12abc", 12, true},
      {"1 000", 1000, false},
      {"  2.5  ", 2.5, false},
      {"\t3\n", 3, false},
      {"- 2.5", -2.5, false},
      {"+4", 4, false},
      {".5", 0.5, false},
      {"-.5", -0.5, false},
      {"1.2.3", 1.2, true},
      {"1,5", 1, true},
      {"1e3", 1000, false},
      {"1E-2", 0.01, false},
      {"1D3", 1000, false},
      {"2d-1", 0.2, false},
      {"1 e 3", 1000, false},
      {"1e", 1, true},
      {"1e+", 1, true},
      {"3m", 3, true},
      {"&H1F", 31, false},
      {"&hff", 255, false},
      {"&H 1 0", 16, false},
      {"&O17", 15, false},
      {"&o8", 0, true},
      {"&Hxyz", 0, true},
      {"&", 0, true},
      {"&H", 0, true},
      {"-", 0, true},
      {".", 0, true},
      {"e5", 0, true},
      {"0.025", 0.025, false},
      {"1e-999", 0, false},
      {"1000\r", 1000, false},
      {"\r", 0, false},
      {"   ", 0, false},
      {"1OOO", 1, true},
      {"１２", 0, true},  // full-width digits are not digits here
      // Correctly rounded to the nearest double, ties to even, subnormals too.
      {"+.5", 0.5, false},
      {"0.30000000000000004", 0.30000000000000004, false},
      {"9007199254740993", 9007199254740992.0, false},
      {"9007199254740995", 9007199254740996.0, false},
      {"0.1000000000000000055511151231257827", 0.1, false},
      {"1.7976931348623157e308", 1.7976931348623157e308, false},
      {"4.9e-324", 4.9406564584124654e-324, false},
      {"2.4703282292062328e-324", 4.9406564584124654e-324, false},
      {"2.4703282292062327e-324", 0, false},
      // Plain decimals, as most boxes are typed.
      {"1.", 1, false},
      {"0012.50", 12.5, false},
      {"12345678901234567890123", 12345678901234567890123.0, false},
      {"0.0000000000000000000000000001", 1e-28, false},
  };
  for (const Case& c : cases) {
    const NumberReading r = ReadNumber(c.text);
    EXPECT_TRUE(r.valid) << '"' << c.text << '"';
    EXPECT_EQ(r.value, c.value) << '"' << c.text << '"';
    EXPECT_EQ(r.partial, c.partial) << '"' << c.text << '"';
  }
}

// Plain decimals of every length and every place of the full stop read exactly
// as strtod reads them (correctly rounded), the short ones and the long ones.
TEST(ReadNumber, PlainDecimalsReadAsStrtod) {
  std::mt19937_64 rng(11);
  for (int k = 0; k < 200000; ++k) {
    const int length = 1 + static_cast<int>(rng() % 20);
    std::string text;
    for (int d = 0; d < length; ++d) text.push_back(static_cast<char>('0' + rng() % 10));
    if (rng() % 4 != 0) text.insert(rng() % (text.size() + 1), ".");
    ASSERT_EQ(ReadNumber(text).value, std::strtod(text.c_str(), nullptr)) << text;
  }
}

TEST(ReadNumber, ANumberBeyondTheDoubleRangeIsInvalid) {
  const std::string digits(400, '9');  // beyond the range without an exponent
  for (const char* text : {"1e999", "-1e999", "1D400", "9999e99999999999", digits.c_str()}) {
    const NumberReading r = ReadNumber(text);
    EXPECT_FALSE(r.valid) << text;
    EXPECT_TRUE(std::isinf(r.value)) << text;
  }
  EXPECT_TRUE(ReadNumber("1e308").valid);
}

TEST(ReadNumber, FullStopIsTheDecimalSeparatorInAnyLocale) {
  // Where a comma locale is installed, it must not change the reading.
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous ? previous : "C";
  for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "ru_RU.UTF-8"}) {
    if (std::setlocale(LC_NUMERIC, name) != nullptr) break;
  }
  EXPECT_DOUBLE_EQ(ReadNumber("1.5").value, 1.5);
  EXPECT_DOUBLE_EQ(ReadNumber("1,5").value, 1.0);
  std::setlocale(LC_NUMERIC, saved.c_str());
}

}  // namespace
}  // namespace tarnwick
