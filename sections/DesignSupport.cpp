#include "DesignSupport.h"

#include <charconv>

#include "core/ReportRow.h"

namespace tarnwick::design {

PressOutcome PressOutcomeOf(DesignOutcome outcome) {
  switch (outcome) {
    case DesignOutcome::Solved: return PressOutcome::Report;
    case DesignOutcome::Capacity: return PressOutcome::Capacity;
    case DesignOutcome::DepthTooGreat: return PressOutcome::DepthTooGreat;
    default: return PressOutcome::InputError;
  }
}

}  // namespace tarnwick::design

namespace tarnwick::design::detail {

std::string BoxText(double x) {
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, x).ptr;
  return {buffer, end};
}

std::string LabelWords(std::string_view label) {
  std::string words;
  for (const char c : label) {
    if (c != ' ' && c != '=') words.push_back(c);
  }
  return words;
}

std::optional<size_t> BoxIndex(const WindowSpec& window, std::string_view name) {
  for (size_t k = 0; k < window.boxes.size(); ++k) {
    if (window.boxes[k].name == name) return k;
  }
  return std::nullopt;
}

std::optional<size_t> RoleIndex(const WindowSpec& window, BoxRole role) {
  for (size_t k = 0; k < window.boxes.size(); ++k) {
    if (window.boxes[k].role == role) return k;
  }
  return std::nullopt;
}

PressResult Trial(const WindowSpec& window, std::span<const double> boxes) {
  ResultPane unused;
  return window.run(boxes, unused, PressDetail::Silent);
}

std::vector<double> CompanionValues(const WindowSpec& from, std::span<const double> fromBoxes,
                                    const WindowSpec& to, double value) {
  std::vector<double> values(to.boxes.size(), 0.0);
  for (size_t k = 0; k < to.boxes.size(); ++k) {
    const BoxSpec& box = to.boxes[k];
    if (box.role == BoxRole::Discharge || box.role == BoxRole::Depth) {
      values[k] = value;
    } else if (const auto j = BoxIndex(from, box.name); j && *j < fromBoxes.size()) {
      values[k] = fromBoxes[*j];
    }
  }
  return values;
}

std::vector<std::string> TextsOf(const WindowSpec& window, std::span<const std::string> boxTexts) {
  std::vector<std::string> texts(boxTexts.begin(), boxTexts.end());
  texts.resize(window.boxes.size());
  return texts;
}

void Figure(ResultPane& line, const BoxSpec& box, double value) {
  line.Text(box.label);
  if (box.role == BoxRole::Slope) line.Text(" 1/");
  line.Number(RoundDisplay(value)).Text(box.unit);
}

std::string LineOf(const ResultPane& line) { return line.Lines().empty() ? "" : line.Lines()[0]; }

Solution Answer(const WindowSpec& window, std::vector<std::string> texts, double value) {
  Solution s;
  s.value = value;
  s.texts = std::move(texts);
  s.boxes = ReadBoxes(window, s.texts).value_or(std::vector<double>{});
  s.press = PressWithCase(window, s.texts, s.report);
  return s;
}

DesignResult Refused(const WindowSpec* window, DesignOutcome outcome, std::string_view message) {
  DesignResult r;
  r.outcome = outcome;
  r.window = window;
  InputErrorBlock(r.pane, message);
  return r;
}

DesignResult Answered(const WindowSpec* window, std::string_view box,
                      std::vector<Solution> solutions) {
  DesignResult r;
  r.outcome = DesignOutcome::Solved;
  r.window = window;
  r.box = box;
  r.solutions = std::move(solutions);
  for (const Solution& s : r.solutions) {
    r.pane.Text(s.line).EndLine();
    r.pane.Append(s.report);
  }
  return r;
}

}  // namespace tarnwick::design::detail
