// Machine-readable presses: one JSON object on one line per press (JSON Lines
// for a batch), built from the named values of the case rather than from the
// printed text, so that scripts get every figure unrounded.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "sections/ProjectFile.h"
#include "sections/WindowCatalog.h"

namespace tarnwick {

// A JSON object written member by member on one line.
class JsonObject {
 public:
  JsonObject& String(std::string_view key, std::string_view value);
  // Shortest text that reads back to the same double; null when not finite.
  JsonObject& Number(std::string_view key, double value);
  // A member whose value is JSON text already (an array, a nested object).
  JsonObject& Raw(std::string_view key, std::string_view json);
  // The object's text, closed.
  std::string Text() const { return text_ + "}"; }

 private:
  void Key(std::string_view key);
  std::string text_ = "{";
};

// The shortest round-trip form of a number, or null when it is not finite.
std::string JsonNumber(double value);
void AppendJsonNumber(std::string& out, double value);
// A string literal with quotes, backslashes and control characters escaped, and
// each byte that is not part of well-formed UTF-8 written as U+FFFD, so that
// every line a reader gets parses.
std::string JsonString(std::string_view text);
void AppendJsonString(std::string& out, std::string_view text);

// {"window", "outcome", "boxes", "values", "passes"} of one press appended to
// `out`, the object left open for further members (the checks, a design's
// answer) and closed by the caller. `readings` are the window's box texts as
// read (BoxReadings). Written straight into the output: a batch makes no string
// of its own per case.
void AppendPressJson(std::string& out, const WindowSpec& window,
                     std::span<const NumberReading> readings, const PressResult& result);

// {"design": {"Q", "h", "V"}, "increased": {...}, "least": {...}, "coefficient",
// "freeboard", "channel_depth", "bank_level", "scour_limit", "silt_limit"} of a
// canal's flow combination.
std::string FlowsJson(const FlowCombination& flows);

}  // namespace tarnwick
