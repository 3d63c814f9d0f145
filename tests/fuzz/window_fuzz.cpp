// libFuzzer target: one press of a calculation window with arbitrary box texts.
// TARNWICK_FUZZ_WINDOW names the window. The input is either tab-separated box
// texts (first byte even) or raw doubles (first byte odd) written out as box
// texts, so the search also wanders around the limits of each shape.
// Invariants: no crash or sanitizer report; a report never shows a figure that is
// not finite; every other press prints one of the blocks; each press is bounded.
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "sections/WindowCatalog.h"

namespace {

std::vector<std::string> BoxTexts(const uint8_t* data, size_t size) {
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

bool Contains(const std::string& line, const char* word) { return line.find(word) != std::string::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const tarnwick::WindowSpec* window = tarnwick::FindWindow(TARNWICK_FUZZ_WINDOW);
  if (window == nullptr || window->compute == nullptr) std::abort();
  std::vector<std::string> boxes = BoxTexts(data, size);
  if (boxes.size() > window->boxes.size()) boxes.resize(window->boxes.size());

  tarnwick::ResultPane pane;
  const tarnwick::PressOutcome outcome = tarnwick::Press(*window, boxes, pane);
  if (pane.Lines().empty()) std::abort();
  for (const std::string& line : pane.Lines()) {
    if (Contains(line, "Inf") || Contains(line, "NaN")) std::abort();
  }
  if (outcome == tarnwick::PressOutcome::Report) {
    if (!Contains(pane.Lines()[0], "计算成果表")) std::abort();
  } else if (outcome != tarnwick::PressOutcome::Capacity) {
    if (pane.Lines().size() != 3 || pane.Lines()[0] != tarnwick::kSeparatorLine) std::abort();
  }
  return 0;
}
