// The JSON of a press against its text report: every figure the report prints
// and the JSON names must agree at the report's printed rounding, for every
// golden report case of every window.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "cli/JsonOutput.h"
#include "sections/WindowCatalog.h"

namespace tarnwick {
namespace {

// The words of a golden file's "args:" line, with bash's single and double quotes.
std::vector<std::string> ShellWords(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  char quote = 0;
  for (const char c : line) {
    if (quote != 0) {
      if (c == quote)
        quote = 0;
      else
        word.push_back(c);
    } else if (c == '\'' || c == '"') {
      quote = c;
      inWord = true;
    } else if (c == ' ') {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word.push_back(c);
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

// "key": number pairs of the JSON's "values" object.
std::map<std::string, double> JsonValues(const std::string& json) {
  std::map<std::string, double> values;
  size_t at = json.find("\"values\": {");
  if (at == std::string::npos) return values;
  at += 11;
  while (at < json.size() && json[at] == '"') {
    const size_t close = json.find('"', at + 1);
    const std::string key = json.substr(at + 1, close - at - 1);
    const char* start = json.c_str() + close + 3;
    char* end = nullptr;
    values[key] = std::strncmp(start, "null", 4) == 0 ? NAN : std::strtod(start, &end);
    at = json.find_first_of(",}", close + 3);
    if (json[at] == '}') break;
    at += 2;
  }
  return values;
}

// The JSON key of a report label: the common quantities by their labels, any
// other by the symbol its label ends with, unless that symbol names a common
// quantity (a compound channel's "深槽底宽B1=" is no water-surface width).
std::string KeyOf(const std::string& label) {
  static const std::map<std::string, std::string> named = {
      {"正常水深H=", "h"},
      {"计算流量Q1=", "Q1"},
      {"流速V=", "V"},
      {"水面宽B=", "B1"},
      {"水面宽B1=", "B1"},
      {"过水断面面积W=", "W"},
      {"湿周X=", "X"},
      {"水力半径RS=", "RS"},
      {"断面能量E=", "E"},
      {"净空高度H5=", "clearance_height"},
      {"净空高H1=", "clearance_height"},
      {"净空面积比(%)=", "clearance_area_percent"},
      {"净空面积比(%)W1=", "clearance_area_percent"},
      {"宽/深(B1/H)=", "B1/H"},
      {"宽/深(B/H)=", "B/H"},
      {"底拱宽B1=", "B1_floor"},
      {"底板宽B1=", "B1_floor"},
      {"顶拱宽B1=", "B1_roof"}};
  if (const auto it = named.find(label); it != named.end()) return it->second;
  size_t start = label.size() - 1;  // before the '='
  while (start > 0 && static_cast<unsigned char>(label[start - 1]) < 0x80) --start;
  const std::string symbol = label.substr(start, label.size() - 1 - start);
  for (const char* common : {"h", "W", "X", "RS", "V", "Q1", "B1", "E", "H", "Q", "I"}) {
    if (symbol == common) return {};
  }
  return symbol;
}

struct Printed {
  std::string key;
  double value;
  double tolerance;  // a unit of the last decimal printed, at least 0.01
};

std::vector<Printed> PrintedFields(const std::vector<std::string>& lines) {
  std::vector<Printed> fields;
  for (const std::string& line : lines) {
    size_t at = 0;
    while ((at = line.find('=', at)) != std::string::npos) {
      size_t start = line.rfind(' ', at);
      start = start == std::string::npos ? 0 : start + 1;
      const std::string label = line.substr(start, at - start + 1);
      const char* text = line.c_str() + at + 1;
      char* end = nullptr;
      const double value = std::strtod(text, &end);
      ++at;
      if (end == text || label.find("纵坡") != std::string::npos) continue;
      const std::string number(text, static_cast<const char*>(end));
      const size_t point = number.find('.');
      const int decimals = point == std::string::npos ? 0 : int(number.size() - point - 1);
      const std::string key = KeyOf(label);
      if (!key.empty()) fields.push_back({key, value, std::pow(10.0, -std::max(decimals, 2))});
    }
  }
  return fields;
}

TEST(JsonOutput, ValuesAgreeWithTheReportOfEveryGoldenCase) {
  int compared = 0;
  std::map<std::string, int> reportsOf;
  for (const auto& entry : std::filesystem::directory_iterator(TARNWICK_GOLDEN_DIR)) {
    std::ifstream in(entry.path());
    std::string line, args;
    bool batch = false;
    while (std::getline(in, line)) {
      if (line.rfind("args: ", 0) == 0) args = line.substr(6);
      if (line == "stdin:") batch = true;
    }
    const std::vector<std::string> words = ShellWords(args);
    if (batch || words.empty() || args.find("--") != std::string::npos) continue;
    const WindowSpec* window = FindWindow(words[0]);
    if (window == nullptr) continue;
    const std::vector<std::string> boxes(words.begin() + 1, words.end());
    ResultPane pane;
    const PressResult r = PressWithCase(*window, boxes, pane);
    std::string json;
    AppendPressJson(json, *window, BoxReadings(*window, boxes), r);
    json += "}";
    EXPECT_NE(json.find("\"outcome\": \"" + std::string(OutcomeName(r.outcome)) + "\""),
              std::string::npos)
        << json;
    if (r.outcome != PressOutcome::Report) continue;
    const auto values = JsonValues(json);
    for (const char* always : {"h", "W", "X", "RS", "V", "Q1", "B1", "E"}) {
      EXPECT_EQ(values.count(always), 1u) << entry.path().filename() << " " << always;
    }
    for (const Printed& p : PrintedFields(pane.Lines())) {
      const auto it = values.find(p.key);
      if (it == values.end()) continue;
      EXPECT_NEAR(it->second, p.value, p.tolerance + 1e-12 * std::abs(p.value))
          << entry.path().filename() << " " << p.key;
      ++compared;
    }
    ++reportsOf[std::string(window->name)];
  }
  // Every window has golden reports, and each report many figures.
  for (const WindowSpec& w : Windows()) EXPECT_GT(reportsOf[std::string(w.name)], 0) << w.name;
  EXPECT_GT(compared, 300);
}

TEST(JsonOutput, NumbersAndStrings) {
  const struct {
    double value;
    const char* json;
  } numbers[] = {{0.1, "0.1"},       {1.0 / 3.0, "0.3333333333333333"},
                 {1e300, "1e+300"},  {-2.5, "-2.5"},
                 {INFINITY, "null"}, {NAN, "null"},
                 {5.0, "5"}};
  for (const auto& n : numbers) EXPECT_EQ(JsonNumber(n.value), n.json);
  EXPECT_EQ(JsonString("a\"b\\c\n城"), "\"a\\\"b\\\\c\\u000a城\"");
}

// Bytes that begin no well-formed UTF-8 sequence become U+FFFD, one each; the
// well-formed ones pass, so every line a box's text goes into is valid JSON.
TEST(JsonOutput, InvalidUtf8BecomesReplacementCharacter) {
  const std::string fffd = "\xEF\xBF\xBD";
  const struct {
    std::string text;
    std::string json;  // between the quotes
  } cases[] = {
      {"5\xff", "5" + fffd},
      {"\xc0\xaf", fffd + fffd},                        // overlong "/"
      {"\xed\xa0\x80", fffd + fffd + fffd},             // a surrogate
      {"\xe5\x9f", fffd + fffd},                        // cut short
      {"\xf4\x90\x80\x80", fffd + fffd + fffd + fffd},  // above U+10FFFF
      {"城\xf0\x9f\x98\x80", "城\xf0\x9f\x98\x80"},     // U+1F600 passes
      {"\x7f", "\x7f"},
  };
  for (const auto& c : cases) EXPECT_EQ(JsonString(c.text), "\"" + c.json + "\"") << c.json;
}

}  // namespace
}  // namespace tarnwick
