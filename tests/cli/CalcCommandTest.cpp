// The command line of tarnwick-calc: where options may stand, what is a box text,
// the descriptive window names, and what a design prints with its checks.
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

std::string Output(std::vector<std::string> args, int expectedStatus = 0) {
  std::istringstream in;
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunCalcCommand(args, in, out, err), expectedStatus) << err.str();
  return out.str();
}

// Each answer of a design's JSON: its window and its boxes, as texts.
std::vector<std::vector<std::string>> JsonAnswers(const std::string& json) {
  std::vector<std::vector<std::string>> answers;
  std::istringstream lines(json);
  for (std::string line; std::getline(lines, line);) {
    const size_t w = line.find("\"window\": \"") + 11;
    std::vector<std::string> args{line.substr(w, line.find('"', w) - w), "--checks"};
    const size_t b = line.find("\"boxes\": [") + 10;
    std::istringstream boxes(line.substr(b, line.find(']', b) - b));
    for (std::string box; std::getline(boxes, box, ',');) args.push_back(box.substr(box[0] == ' '));
    answers.push_back(args);
  }
  return answers;
}

// With --checks a design prints, after each answer's line, what a plain press of
// the answer's boxes prints with --checks: the report and its 工程校核 block.
TEST(CalcCommand, DesignChecksFollowEveryReport) {
  const std::vector<std::vector<std::string>> designs = {
      {"Form32", "--solve", "Text2", "--discharge", "5", "x", "1.5", "0.025", "1000", "1.2"},
      {"Form36", "--solve", "Text4", "--discharge", "2.6", "0", "1", "180", "2", "", "2", "0.014",
       "1000", "1"},
      {"Form21", "--best", "", "1.5", "0.025", "1000", "5"},
      {"Form24", "--size", "", "1", "0.014", "1000", "1.5"},
  };
  for (const std::vector<std::string>& design : designs) {
    SCOPED_TRACE(design[0] + " " + design[1]);
    std::vector<std::string> json = design;
    json.insert(json.begin() + 1, "--json");
    std::vector<std::string> checked = design;
    checked.insert(checked.begin() + 1, "--checks");
    const std::string plain = Output(design);
    std::string expected;
    size_t at = 0;
    const auto answers = JsonAnswers(Output(json));
    for (const std::vector<std::string>& answer : answers) {
      const size_t lineEnd = plain.find('\n', at) + 1;
      std::vector<std::string> bare = answer;
      bare.erase(bare.begin() + 1);
      const std::string report = Output(bare);
      ASSERT_EQ(plain.compare(lineEnd, report.size(), report), 0) << plain;
      const std::string withChecks = Output(answer);
      EXPECT_NE(withChecks.find("工程校核:"), std::string::npos);
      expected += plain.substr(at, lineEnd - at) + withChecks;
      at = lineEnd + report.size();
    }
    EXPECT_EQ(at, plain.size());
    EXPECT_EQ(Output(checked), expected);
    EXPECT_EQ(answers.size(), design[0] == "Form36" ? 2u : 1u);
  }
}

}  // namespace
}  // namespace tarnwick
