// One worked case per calculation window: the box texts, in the window's reading
// order, of a section whose results are known from hand calculation.
#pragma once

#include <string_view>
#include <vector>

struct WorkedCase {
  std::string_view window;
  std::vector<std::string_view> boxes;
};

const std::vector<WorkedCase>& WorkedCases();
