#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

#include "core/ReadNumber.h"

namespace tarnwick {
namespace {

TEST(ReadNumber, TakesTheLeadingNumber) {
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {
      {"", 0},          {"abc", 0},        {"12abc", 12},      {"1 000", 1000},
      {"  2.5  ", 2.5}, {"\t3\n", 3},      {"- 2.5", -2.5},    {"+4", 4},
      {".5", 0.5},      {"-.5", -0.5},     {"1.2.3", 1.2},     {"1,5", 1},
      {"1e3", 1000},    {"1E-2", 0.01},    {"1D3", 1000},      {"2d-1", 0.2},
      {"1 e 3", 1000},  {"1e", 1},         {"1e+", 1},         {"3m", 3},
      {"&H1F", 31},     {"&hff", 255},     {"&H 1 0", 16},     {"&O17", 15},
      {"&o8", 0},       {"&Hxyz", 0},      {"&", 0},           {"-", 0},
      {".", 0},         {"e5", 0},         {"0.025", 0.025},   {"1e-999", 0},
      {"1000\r", 1000}, {"１２", 0},  // full-width digits are not digits here
      // Correctly rounded to the nearest double, ties to even, subnormals too.
      {"+.5", 0.5},
      {"0.30000000000000004", 0.30000000000000004},
      {"9007199254740993", 9007199254740992.0},
      {"9007199254740995", 9007199254740996.0},
      {"0.1000000000000000055511151231257827", 0.1},
      {"1.7976931348623157e308", 1.7976931348623157e308},
      {"4.9e-324", 4.9406564584124654e-324},
      {"2.4703282292062328e-324", 4.9406564584124654e-324},
      {"2.4703282292062327e-324", 0},
  };
  for (const Case& c : cases) {
    const NumberReading r = ReadNumber(c.text);
    EXPECT_TRUE(r.valid) << '"' << c.text << '"';
    EXPECT_EQ(r.value, c.value) << '"' << c.text << '"';
  }
}

TEST(ReadNumber, ANumberBeyondTheDoubleRangeIsInvalid) {
  for (const char* text : {"1e999", "-1e999", "1D400", "9999e99999999999"}) {
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
