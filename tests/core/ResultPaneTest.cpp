#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "core/ReportRow.h"
#include "core/ResultPane.h"

namespace tarnwick {
namespace {

TEST(NumberText, PrintsSignMagnitudeAndTrailingBlank) {
  struct Case {
    double value;
    std::string text;
  };
  const Case cases[] = {
      {1.24598, " 1.24598 "},
      {0.7425, " .7425 "},
      {1000, " 1000 "},
      {-0.25, "-.25 "},
      {0, " 0 "},
      {-0.0, " 0 "},
      {0.5, " .5 "},
      {0.0125, " .0125 "},
      {0.00001, " .00001 "},
      {-46.225, "-46.225 "},
      {0.1 + 0.2, " .3 "},  // 15 significant digits hide the binary tail
      {2.0 / 3.0, " .666666666666667 "},
      {123456789012345.6, " 123456789012346 "},
      {999999999999999.0, " 999999999999999 "},
      {1e15, " 1E+15 "},
      {1.5e15, " 1.5E+15 "},
      {-2.5e20, "-2.5E+20 "},
      {1e300, " 1E+300 "},
      {1e-20, " .00000000000000000001 "},
      // Exact binary ties at the 16th digit round to even.
      {123456789012344.5, " 123456789012344 "},
      {123456789012345.5, " 123456789012346 "},
      {999999999999998.5, " 999999999999998 "},
      {999999999999999.5, " 1E+15 "},  // the rounding carries into the exponent form
      {-999999999999999.5, "-1E+15 "},
      {999999999999999.4, " 999999999999999 "},
      {1000000000000005.0, " 1E+15 "},
      {1000000000000015.0, " 1.00000000000002E+15 "},
      {1000000000000025.0, " 1.00000000000002E+15 "},
      // Decimal ties that are not binary ties: the stored value decides.
      {1.000000000000005, " 1.00000000000001 "},  // stored just above
      {1.0000000000000049, " 1 "},
      {0.1234567890123455, " .123456789012345 "},  // stored just below
      {2.675, " 2.675 "},
      // Figures cut to five decimals, up to and past 10^10, and finer ones.
      {9999999999.99999, " 9999999999.99999 "},
      {10000000000.5, " 10000000000.5 "},
      {12345.000001, " 12345.000001 "},
      {0.000015, " .000015 "},
      {1234567.123455, " 1234567.123455 "},
      // Just below a power of ten the rounding adds a digit.
      {0.99999999999999989, " 1 "},
      {9.9999999999999982, " 10 "},
      {0.099999999999999992, " .1 "},
      {9.9999999999999991e-06, " .00001 "},
      {99999.999999999995, " 100000 "},
      {-0.00012345678901234567, "-.000123456789012346 "},
      {1.5e-7, " .00000015 "},
      // The smallest numbers are written out in full, the largest in exponent form.
      {5e-324, " ." + std::string(323, '0') + "494065645841247 "},
      {2.2250738585072014e-308, " ." + std::string(307, '0') + "22250738585072 "},
      // A subnormal number reads back from fewer digits than the 15 it is shown with.
      {1.7618580719223136e-310, " ." + std::string(309, '0') + "176185807192231 "},
      {1e21, " 1E+21 "},
      {1.7976931348623157e308, " 1.79769313486232E+308 "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NumberText(c.value), c.text) << c.value;
  }
}

TEST(DisplayColumns, CountsWideCharactersTwice) {
  EXPECT_EQ(DisplayColumns(""), 0);
  EXPECT_EQ(DisplayColumns("RS=*/()"), 7);
  EXPECT_EQ(DisplayColumns("计算流量Q1="), 11);
  EXPECT_EQ(DisplayColumns("“Ｕ”形渠"), 10);
  EXPECT_EQ(DisplayColumns("数据输入错误,请重新输入！"), 25);
  // Any mix and length, eight bytes at a time or not: a narrow character is one
  // column, a character of two or more bytes two.
  std::mt19937 rng(5);
  const std::string_view pieces[] = {"a", "=", "é", "中", "“", "Ｕ", "𝑥", " "};
  for (int k = 0; k < 2000; ++k) {
    std::string text;
    int expected = 0;
    for (int n = static_cast<int>(rng() % 40); n > 0; --n) {
      const std::string_view piece = pieces[rng() % std::size(pieces)];
      text += piece;
      expected += piece.size() == 1 ? 1 : 2;
    }
    ASSERT_EQ(DisplayColumns(text), expected) << text;
    ASSERT_EQ(ConstantColumns(text), expected) << text;
  }
  // A label's columns are counted when the program is compiled.
  static_assert(Label("计算流量Q1=").columns == 11 && Label("“Ｕ”形渠").columns == 10);
}

TEST(ResultPane, TabFillsToColumnOrWrapsToNextLine) {
  ResultPane pane;
  pane.Text("ab").Tab(5).Text("c").EndLine();      // column 3 -> 5
  pane.Text("abcdef").Tab(5).Text("x").EndLine();  // already beyond: next line, column 5
  pane.Text("abcd").Tab(5).Text("y").EndLine();    // exactly at 5: stays
  pane.Text("").EndLine();                         // an empty statement prints an empty line
  ASSERT_EQ(pane.Lines().size(), 5u);
  EXPECT_EQ(pane.Lines()[0], "ab  c");
  EXPECT_EQ(pane.Lines()[1], "abcdef");
  EXPECT_EQ(pane.Lines()[2], "    x");
  EXPECT_EQ(pane.Lines()[3], "abcdy");
  EXPECT_EQ(pane.Lines()[4], "");
}

TEST(ResultPane, ReportRowPlacesFieldsAtTheirColumns) {
  ResultPane pane;
  ReportRow(pane, 27, 50, {"计算流量Q1=", 4.99991}, {"正常水深H=", 1.24598}, {"流速V=", 1.03719});
  ASSERT_EQ(pane.Lines().size(), 1u);
  const std::string& line = pane.Lines()[0];
  EXPECT_EQ(line, "计算流量Q1= 4.99991       正常水深H= 1.24598     流速V= 1.03719 ");
  // Second label at column 27, third at column 50, counting Chinese as two.
  EXPECT_EQ(DisplayColumns(line.substr(0, line.find("正常"))), 26);
  EXPECT_EQ(DisplayColumns(line.substr(0, line.find("流速"))), 49);
}

TEST(ResultPane, ClearEmptiesAndAppendKeepsOrder) {
  ResultPane a;
  InputErrorBlock(a, kDataInputError);
  InputErrorBlock(a, kDataInputError);
  ASSERT_EQ(a.Lines().size(), 6u);
  EXPECT_EQ(a.Lines()[0], "===========================");
  EXPECT_EQ(a.Lines()[1], "数据输入错误,请重新输入！");
  EXPECT_EQ(a.Lines()[5], "===========================");
  ResultPane b;
  b.Text("x").EndLine();
  b.Append(a);
  EXPECT_EQ(b.Lines().size(), 7u);
  EXPECT_EQ(b.Lines()[0], "x");
  b.Clear();
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.Joined(), "");
}

TEST(RoundDisplay, FloorsAfterAddingHalf) {
  struct Case {
    double value;
    double shown;
  };
  const Case cases[] = {
      {4.99990838, 4.99991}, {1.2459754943847656, 1.24598}, {0.742499, 0.7425},
      {-0.46225, -0.46225},  {-0.462254, -0.46225},         {2.0, 2.0},
      {0.000004, 0.0},       {0.000005, 0.00001},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(RoundDisplay(c.value), c.shown) << c.value;
  EXPECT_DOUBLE_EQ(RoundSlope(1.0 / 1000.0), 1000.0);
  EXPECT_DOUBLE_EQ(RoundSlope(1.0 / 2500.0), 2500.0);
  EXPECT_DOUBLE_EQ(RoundDegrees(120.0 * 3.1415926 / 180.0), 120.0);
  EXPECT_DOUBLE_EQ(RoundScaled(4.3419 * 1000.0, 0.3, 1000.0), 4.342);
  EXPECT_DOUBLE_EQ(RoundScaled(4.3416 * 1000.0, 0.3, 1000.0), 4.341);
}

TEST(PrintGuarded, ReplacesAReportWithAnUndefinedFigure) {
  ResultPane pane;
  pane.Text("earlier").EndLine();
  const PressOutcome ok = PrintGuarded(pane, PressOutcome::Report, [](ResultPane& out) {
    SingleRow(out, {"W=", 1.5});
  });
  EXPECT_EQ(ok, PressOutcome::Report);
  const PressOutcome bad = PrintGuarded(pane, PressOutcome::Report, [](ResultPane& out) {
    SingleRow(out, {"W=", 1.5});
    SingleRow(out, {"RS=", std::numeric_limits<double>::quiet_NaN()});
  });
  EXPECT_EQ(bad, PressOutcome::InputError);
  ASSERT_EQ(pane.Lines().size(), 5u);
  EXPECT_EQ(pane.Lines()[1], "W= 1.5 ");
  EXPECT_EQ(pane.Lines()[3], "数据输入错误,请重新输入！");
  EXPECT_FALSE(pane.PrintedNonFinite());
}

// A tally pane decides as a printing pane does and keeps no line.
TEST(PrintGuarded, TallyPaneDecidesAlikeAndKeepsNothing) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (const double figure : {1.5, nan, std::numeric_limits<double>::infinity()}) {
    const auto print = [&](ResultPane& out) { SingleRow(out, {"W=", figure}); };
    ResultPane shown;
    ResultPane tally = ResultPane::Tally();
    EXPECT_EQ(PrintGuarded(tally, PressOutcome::Report, print),
              PrintGuarded(shown, PressOutcome::Report, print))
        << figure;
    EXPECT_TRUE(tally.Empty()) << figure;
    EXPECT_FALSE(tally.KeepsText());
    EXPECT_FALSE(shown.Empty()) << figure;
  }
}

}  // namespace
}  // namespace tarnwick
