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
  // The bank levels are asked for with the increased discharge: a discharge, or
  // `increasedAuto` for the design discharge times IncreaseCoefficient(Q).
  std::optional<double> increased = {};  // m³/s
  bool increasedAuto = false;
  std::optional<double> freeboard = {};  // m; empty: FreeboardRule(h加大) at each reach
  bool BanksAsked() const { return increased.has_value() || increasedAuto; }
};

struct CanalReachProfile {
  std::string name;
  Profile profile;        // x from the reach's downstream end
  double offset = 0.0;    // m from the canal's downstream end to the reach's
  bool freeFall = false;  // critical depth at its downstream end: a drop not drowned
  double crown = 0.0;     // height of a closed section, 0 for an open channel
};

struct CanalResult {
  std::vector<CanalReachProfile> reaches;  // upstream to downstream, as given
  std::string refusal;                     // why not, when `reaches` is empty
};

CanalResult ComputeCanal(const CanalInput& canal);

// The bank level of a reach (渠顶高程): the highest water level of the reach at
// the increased discharge plus the freeboard, which by the canal rule is
// Fb = h加大/4 + 0.2 m with h加大 the increased depth where that level stands
// (FlowCombination.h gives the source), unless one is typed. A closed reach
// (tunnel, culvert) has no bank: its crown level there is given instead.
struct ReachBank {
  bool closed = false;
  double highest = 0.0;    // highest water level at the increased discharge, m
  double x = 0.0;          // m from the canal's downstream end, where it stands
  double depth = 0.0;      // increased depth there, m
  double freeboard = 0.0;  // m (open reaches)
  double level = 0.0;      // bank level (open) or crown level there (closed), m
};

struct CanalBanks {
  double increased = 0.0;  // m³/s
  double coefficient = 0.0;
  bool coefficientFromTable = false;
  bool freeboardByRule = true;
  std::vector<ReachBank> reaches;  // as the reaches; empty with `refusal`
  std::string refusal;             // why the increased profile was not computed
};

// The canal's profile at the increased discharge, same control, and the bank
// level of every reach (canal.BanksAsked() must hold).
CanalBanks BankLevels(const CanalInput& canal);

// A reach's window texts with the canal's discharge in the window's discharge box.
std::vector<std::string> ReachTexts(const CanalReach& reach, double discharge);

}  // namespace tarnwick
