// tarnwick-calc WINDOW --rating N for the arc-bottom, U-shaped and compound
// windows: the stage–discharge table reaches twice the depth of the case, and its
// row at that depth holds what the window itself reports there.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CalcCommand.h"
#include "sections/WindowCatalog.h"

namespace tarnwick {
namespace {

struct CalcRun {
  int exit = -1;
  std::string out;
};

CalcRun Calc(std::vector<std::string> args) {
  std::istringstream in;
  std::ostringstream out;
  std::ostringstream err;
  CalcRun r;
  r.exit = RunCalcCommand(args, in, out, err);
  r.out = out.str();
  return r;
}

// Columns of the table, in order.
enum Column { kDepth, kArea, kPerimeter, kRadius, kVelocity, kDischarge, kWidth, kEnergy };

std::vector<std::vector<double>> ParseRows(const std::string& csv) {
  std::istringstream lines(csv);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(
      line,
      "depth,area,perimeter,hydraulic_radius,velocity,discharge,surface_width,specific_energy");
  std::vector<std::vector<double>> rows;
  while (std::getline(lines, line)) {
    std::vector<double> row;
    std::istringstream fields(line);
    // A blank field is a quantity the section does not form.
    for (std::string f; std::getline(fields, f, ',');) {
      row.push_back(f.empty() ? std::numeric_limits<double>::quiet_NaN() : std::stod(f));
    }
    EXPECT_EQ(row.size(), 8u) << line;
    rows.push_back(row);
  }
  return rows;
}

TEST(RatingCommand, MiddleRowIsTheWindowsOwnCase) {
  struct Case {
    std::vector<std::string> boxes;  // window name first
    // Figures the window prints for the case (5 decimals): column and value.
    std::vector<std::pair<Column, double>> reported;
  };
  const Case cases[] = {
      // Depth windows: the middle row is the normal depth of the design discharge.
      {{"Form2", "2", "1.5", "0.025", "1000", "5"},
       {{kDepth, 1.43746},
        {kDischarge, 4.9999},
        {kWidth, 5.52347},
        {kVelocity, 1.04817},
        {kEnergy, 1.49345},
        {kRadius, 0.75432},
        {kPerimeter, 6.32373}}},
      {{"Form2", "2", "0", "0.014", "2500", "4", "3"},
       {{kDepth, 1.36203}, {kDischarge, 3.99992}, {kWidth, 3}, {kPerimeter, 4.76205}}},
      {{"Form22", "1", "0.014", "2000", "3"},
       {{kDepth, 1.50418},
        {kDischarge, 3.00003},
        {kArea, 2.57916},
        {kPerimeter, 4.14996},
        {kRadius, 0.62149},
        {kEnergy, 1.57314}}},
      {{"Form11", "4", "1.5", "2", "0.025", "10", "2", "0.035", "8", "2.5", "0.04", "2000", "60"},
       {{kDepth, 3.27959},
        {kDischarge, 60.00005},
        {kVelocity, 1.12123},
        {kEnergy, 3.34366},
        {kArea, 53.51253},
        {kPerimeter, 35.51775},
        {kWidth, 33.75815}}},
      // Discharge windows: the middle row is the typed depth.
      {{"Form31", "2", "1.5", "0.025", "1000", "1"},
       {{kDepth, 1},
        {kDischarge, 2.25979},
        {kWidth, 4.2111},
        {kVelocity, 0.85569},
        {kEnergy, 1.03732},
        {kRadius, 0.5564},
        {kPerimeter, 4.74646}}},
      {{"Form31", "2", "0", "0.014", "2500", "1", "3"},
       {{kDepth, 1}, {kDischarge, 2.38437}, {kVelocity, 1.00328}, {kPerimeter, 4.038}}},
      {{"Form33", "1", "0.014", "2000", "0.8"},
       {{kDepth, 0.8},
        {kArea, 1.17348},
        {kPerimeter, 2.73888},
        {kWidth, 1.95959},
        {kDischarge, 1.06521}}},
      {{"Form12", "4", "1.5", "2", "0.025", "10", "2", "0.035", "8", "2.5", "0.04", "2000", "3"},
       {{kDepth, 3},
        {kArea, 44.25},
        {kPerimeter, 34.13975},
        {kDischarge, 46.8966},
        {kWidth, 32.5}}},
  };
  constexpr int kRows = 6;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.boxes[0] + " " + c.boxes.back());
    std::vector<std::string> args = {c.boxes[0], "--rating", std::to_string(kRows)};
    args.insert(args.end(), c.boxes.begin() + 1, c.boxes.end());
    const CalcRun r = Calc(args);
    ASSERT_EQ(r.exit, 0) << r.out;
    const auto rows = ParseRows(r.out);
    ASSERT_EQ(rows.size(), static_cast<size_t>(kRows));
    // Depths step evenly up to twice the case's depth; the discharge rises with them.
    const double step = rows[0][kDepth];
    for (int k = 0; k < kRows; ++k) {
      EXPECT_NEAR(rows[k][kDepth], step * (k + 1), 1e-9 * step * kRows);
      if (k > 0) {
        EXPECT_GT(rows[k][kDischarge], rows[k - 1][kDischarge]);
      }
    }
    const std::vector<double>& middle = rows[kRows / 2 - 1];
    for (const auto& [column, value] : c.reported) {
      EXPECT_NEAR(middle[column], value, 5e-6) << "column " << column;
    }
  }
}

TEST(RatingCommand, RefusedCasesPrintTheBlockAndOfferNoModel) {
  const std::string inputError =
      "===========================\n数据输入错误,请重新输入！\n===========================\n";
  const std::string widthError =
      "===========================\n渠宽数据输入错误,请重新输入！\n===========================\n";
  struct Case {
    std::vector<std::string> boxes;
    std::string block;
  };
  const Case cases[] = {
      {{"Form2", "2", "0", "0.025", "1000", "5", "4"}, widthError},  // semicircular bottom
      {{"Form31", "2", "0", "0.025", "1000", "1"}, widthError},      // width box empty
      {{"Form31", "2", "1.5", "0.025", "1000", ""}, inputError},     // no depth
      {{"Form2", "2", "-1.5", "0.025", "1000", "5"}, inputError},    // overhanging walls
      {{"Form22", "0", "0.014", "2000", "3"}, inputError},
      {{"Form33", "1", "-0.014", "2000", "0.8"}, inputError},
      {{"Form11", "4", "1.5", "2", "0.025", "-1", "2", "0.035", "8", "2.5", "0.04", "2000", "60"},
       inputError},
      {{"Form12", "4", "1.5", "2", "0.025", "10", "2", "0.035", "8", "2.5", "0", "2000", "3"},
       inputError},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.boxes[0]);
    std::vector<std::string> args = {c.boxes[0], "--rating", "5"};
    args.insert(args.end(), c.boxes.begin() + 1, c.boxes.end());
    const CalcRun r = Calc(args);
    EXPECT_EQ(r.exit, 1);
    EXPECT_EQ(r.out, c.block);
    const WindowSpec* window = FindWindow(c.boxes[0]);
    ASSERT_NE(window, nullptr);
    const std::vector<std::string> texts(c.boxes.begin() + 1, c.boxes.end());
    EXPECT_FALSE(ModelOf(*window, texts).has_value());
  }
}

TEST(RatingCommand, TrapezoidIgnoresTheWidthBox) {
  // With a side slope the arc follows from M and the width box is never read, so
  // whatever it holds changes nothing.
  const CalcRun plain = Calc({"Form31", "--rating", "3", "2", "1.5", "0.025", "1000", "1"});
  const CalcRun junk = Calc({"Form31", "--rating", "3", "2", "1.5", "0.025", "1000", "1", "abc"});
  EXPECT_EQ(plain.exit, 0);
  EXPECT_EQ(junk.exit, 0);
  EXPECT_EQ(plain.out, junk.out);
}

TEST(RatingCommand, CompoundModelIsSubdividedAndTheOthersAreNot) {
  const std::vector<std::string> arc = {"2", "1.5", "0.025", "1000", "1"};
  const std::vector<std::string> u = {"1", "0.014", "2000", "0.8"};
  const std::vector<std::string> compound = {"4",     "1.5", "2",   "0.025", "10",   "2",
                                             "0.035", "8",   "2.5", "0.04",  "2000", "3"};
  struct Case {
    const char* window;
    const std::vector<std::string>* texts;
    bool subdivided;
  };
  const Case cases[] = {{"Form2", &arc, false},      {"Form31", &arc, false},
                        {"Form22", &u, false},       {"Form33", &u, false},
                        {"Form11", &compound, true}, {"Form12", &compound, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.window);
    const auto model = ModelOf(*FindWindow(c.window), *c.texts);
    ASSERT_TRUE(model.has_value());
    EXPECT_EQ(model->subdivided, c.subdivided);
    EXPECT_FALSE(model->IsTunnel());
  }
}

}  // namespace
}  // namespace tarnwick
