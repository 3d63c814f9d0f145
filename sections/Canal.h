// A canal of prismatic reaches (渠道水面线, 分段求和法 reach by reach): the
// profile is carried from the downstream control up through every reach, each
// reach computed by the gradually varied flow engine from the level its
// downstream junction leaves it, written once against the window table.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "WindowCatalog.h"
#include "core/GraduallyVariedFlow.h"

namespace tarnwick {

struct CanalReach {
  std::string name;
  const WindowSpec* window = nullptr;  // a depth window
  std::vector<std::string> boxes;      // its box texts without the discharge
  double length = 0.0;                 // m
  double bedDownstream = 0.0;          // bed level at the reach's downstream end, m
  double loss = 0.0;                   // ζ of the junction at its upstream end
};

enum class CanalControl { Depth, Level, Critical };

struct CanalInput {
  double discharge = 0.0;
  CanalControl control = CanalControl::Depth;
  double controlValue = 0.0;        // depth or level, m
  double step = 0.0;                // station spacing, m; 0: each reach in 50 steps
  std::vector<CanalReach> reaches;  // upstream to downstream
};

struct CanalReachProfile {
  std::string name;
  Profile profile;        // x from the reach's downstream end
  double offset = 0.0;    // m from the canal's downstream end to the reach's
  bool freeFall = false;  // critical depth at its downstream end: a drop not drowned
};

struct CanalResult {
  std::vector<CanalReachProfile> reaches;  // upstream to downstream, as given
  std::string refusal;                     // why not, when `reaches` is empty
};

CanalResult ComputeCanal(const CanalInput& canal);

// A reach's window texts with the canal's discharge in the window's discharge box.
std::vector<std::string> ReachTexts(const CanalReach& reach, double discharge);

}  // namespace tarnwick
