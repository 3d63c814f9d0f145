// The command line of tarnwick-calc: where options may stand, what is a box text,
// and the descriptive window names.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CalcCommand.h"
#include "cli/CalcOptions.h"

namespace tarnwick {
namespace {

TEST(CalcOptions, OptionsStandBeforeTheFirstBoxText) {
  struct Case {
    std::vector<std::string> args;
    std::string window;
    std::vector<std::string> boxes;
    int rating;  // 0 for none
    bool batch;
    bool error;
  };
  const Case cases[] = {
      {{"Form21", "2", "1.5"}, "Form21", {"2", "1.5"}, 0, false, false},
      {{"--rating", "7", "Form21", "2"}, "Form21", {"2"}, 7, false, false},
      {{"Form21", "--rating", "7", "2"}, "Form21", {"2"}, 7, false, false},
      // Negative numbers are box texts, the first one too; after a box text
      // everything is a box text.
      {{"Form21", "-3", "-1.5"}, "Form21", {"-3", "-1.5"}, 0, false, false},
      {{"Form21", "--rating", "2", "-.5"}, "Form21", {"-.5"}, 2, false, false},
      {{"Form21", "2", "--rating", "7"}, "Form21", {"2", "--rating", "7"}, 0, false, false},
      {{"Form21", "-"}, "Form21", {}, 0, true, false},
      {{"-", "Form21"}, "-", {"Form21"}, 0, false, false},  // a dash before any window names it
      {{"Form21", "-", "2"}, "", {}, 0, false, true},
      {{"Form21", "--rating"}, "", {}, 0, false, true},
      {{"Form21", "--rating", "5", "--rating", "5"}, "", {}, 0, false, true},
      {{"--jsonl", "Form21"}, "", {}, 0, false, true},
      {{"Form21", "--"}, "", {}, 0, false, true},
      {{"Form21", "--rating", "-5"}, "", {}, 0, false, true},
      {{"Form21", "--rating", "100000"}, "Form21", {}, 100000, false, false},
      {{"Form21", "--rating", "0100"}, "Form21", {}, 100, false, false},
  };
  for (const Case& c : cases) {
    std::string line;
    for (const std::string& a : c.args) line += "'" + a + "' ";
    SCOPED_TRACE(line);
    const ParsedCommandLine p = ParseCommandLine(c.args);
    EXPECT_EQ(!p.error.empty(), c.error) << p.error;
    if (c.error) continue;
    EXPECT_EQ(p.options.window, c.window);
    EXPECT_EQ(p.options.boxes, c.boxes);
    EXPECT_EQ(p.options.rating.value_or(0), c.rating);
    EXPECT_EQ(p.options.batch, c.batch);
  }
}

TEST(CalcCommand, DescriptiveNamesFindTheirWindows) {
  const std::pair<const char*, const char*> names[] = {
      {"arc-bottom-depth", "Form2"},          {"arc-bottom-discharge", "Form31"},
      {"flat-bottom-depth", "Form21"},        {"flat-bottom-discharge", "Form32"},
      {"u-channel-depth", "Form22"},          {"u-channel-discharge", "Form33"},
      {"compound-depth", "Form11"},           {"compound-discharge", "Form12"},
      {"city-gate-depth", "Form23"},          {"city-gate-discharge", "Form34"},
      {"circular-depth", "Form24"},           {"circular-discharge", "Form35"},
      {"horseshoe-depth", "Form25"},          {"horseshoe-discharge", "Form36"},
      {"three-centred-arch-depth", "Form26"}, {"three-centred-arch-discharge", "Form37"},
  };
  for (const auto& [alias, form] : names) {
    const WindowSpec* w = FindWindowNamed(alias);
    ASSERT_NE(w, nullptr) << alias;
    EXPECT_EQ(w->name, form) << alias;
    EXPECT_EQ(CommandName(*w), alias);
    EXPECT_EQ(FindWindowNamed(form), w);
  }
  EXPECT_EQ(FindWindowNamed("flat-bottom"), nullptr);
  EXPECT_EQ(FindWindowNamed("Flat-Bottom-Depth"), nullptr);
}

TEST(CalcCommand, RatingTakesUpToAHundredThousandDepths) {
  std::istringstream in;
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunCalcCommand(
      {"Form21", "--rating", "100000", "2", "1.5", "0.025", "1000", "5"}, in, out, err);
  EXPECT_EQ(status, 0) << err.str();
  const std::string text = out.str();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 100001);
}

}  // namespace
}  // namespace tarnwick
