// One worked case per calculation window: the box texts, in the window's reading
// order, of a section whose results are known from hand calculation.
#pragma once

#include <string_view>
#include <vector>

#include "sections/Canal.h"

struct WorkedCase {
  std::string_view window;
  std::vector<std::string_view> boxes;
};

const std::vector<WorkedCase>& WorkedCases();

// A canal of three trapezoidal reaches (B, m, n, 1/i of Form21) down to a level
// of 103.2 m: the bed drops 3.36 m below the first (100.4 + 600/2500 = 100.64 m
// under a bed at 104.0 m), the third is a smooth rectangular flume.
tarnwick::CanalInput ThreeReachCanal();
