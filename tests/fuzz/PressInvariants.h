// What must hold for any press of any window, whatever the box texts: shared by
// the libFuzzer targets and by the replay of their corpus in the unit tests.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "core/ReadNumber.h"
#include "sections/WindowCatalog.h"

namespace tarnwick::fuzz {

// Tab-separated box texts when the first byte is even; raw doubles written out
// as box texts when it is odd, so the search also wanders around shape limits.
inline std::vector<std::string> BoxTexts(const uint8_t* data, size_t size) {
  std::vector<std::string> boxes;
  if (size == 0) return boxes;
  if ((data[0] & 1u) == 0) {
    boxes.emplace_back();
    for (size_t k = 1; k < size; ++k) {
      if (data[k] == '\t') {
        boxes.emplace_back();
      } else {
        boxes.back().push_back(static_cast<char>(data[k]));
      }
    }
  } else {
    for (size_t k = 1; k + sizeof(double) <= size; k += sizeof(double)) {
      double value;
      std::memcpy(&value, data + k, sizeof value);
      char text[64];
      std::snprintf(text, sizeof text, "%.17g", value);
      boxes.emplace_back(text);
    }
  }
  return boxes;
}

inline bool Contains(const std::string& line, const char* word) {
  return line.find(word) != std::string::npos;
}

// Empty when the press behaved; otherwise what went wrong. A report never shows
// a figure that is not finite and starts with its banner; a refusal is one
// three-line block; a capacity block shows a number.
inline std::string CheckPress(const WindowSpec& window, const uint8_t* data, size_t size) {
  std::vector<std::string> boxes = BoxTexts(data, size);
  if (boxes.size() > window.boxes.size()) boxes.resize(window.boxes.size());
  ResultPane pane;
  const PressOutcome outcome = Press(window, boxes, pane);
  if (pane.Lines().empty()) return "the press printed nothing";
  for (const std::string& line : pane.Lines()) {
    if (Contains(line, "Inf") || Contains(line, "NaN")) return "undefined figure: " + line;
  }
  // One rule for every window: a case to draw and rate exists exactly when the
  // press prints a report.
  if (CaseOf(window, boxes).has_value() != (outcome == PressOutcome::Report)) {
    return "a case exists without a report, or a report without its case";
  }
  // The solvers' silent press decides as the printed one does.
  if (const auto values = ReadBoxes(window, boxes)) {
    ResultPane unused;
    if (window.run(*values, unused, PressDetail::Silent).outcome != outcome) {
      return "the silent press decides otherwise";
    }
    if (!unused.Empty()) return "the silent press printed";
  }
  switch (outcome) {
    case PressOutcome::Report:
      if (!Contains(pane.Lines()[0], "计算成果表")) return "report without its banner";
      break;
    case PressOutcome::Capacity:
      if (pane.Lines().size() != 4) return "capacity block of other than four lines";
      break;
    default:
      if (pane.Lines().size() != 3 || pane.Lines()[0] != kSeparatorLine) {
        return "refusal that is not one block";
      }
  }
  return {};
}

// A valid reading is finite, an invalid one an infinity, and blanks added
// between the characters change nothing.
inline std::string CheckReading(std::string_view text) {
  const NumberReading r = ReadNumber(text);
  if (r.valid != std::isfinite(r.value)) return "validity and finiteness disagree";
  if (!r.valid && !std::isinf(r.value)) return "invalid reading that is not an infinity";
  std::string spaced;
  for (const char c : text) {
    spaced.push_back(c);
    spaced.push_back(' ');
  }
  const NumberReading s = ReadNumber(spaced);
  if (s.valid != r.valid || (r.valid && s.value != r.value) || s.partial != r.partial) {
    return "blanks changed the reading";
  }
  return {};
}

}  // namespace tarnwick::fuzz
