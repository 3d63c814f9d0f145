// A canal checked at the three discharges of its design: the design discharge,
// the increased discharge (加大流量), which sets the freeboard and the bank, and
// the least discharge (最小流量), which must not silt. Written once against the
// window table: it applies to the depth window of every open channel family and
// presses that window again with its discharge box replaced.
//
// Sources:
//  - The increased-discharge coefficient by design discharge (Q < 1 m³/s:
//    1.35–1.30; 1–5: 1.30–1.25; 5–20: 1.25–1.20; 20–50: 1.20–1.15; 50–100:
//    1.15–1.10; 100–300: 1.10–1.05; > 300: ≤ 1.05) and the freeboard of small
//    and medium canals Fb = h加大/4 + 0.2 m are the rules of GB 50288-2018
//    《灌溉与排水工程设计标准》 for canals; the clause and table numbers could not
//    be verified from a copy of the standard, so both figures are settable (an
//    increased discharge or coefficient typed, a freeboard typed).
//  - The non-silting velocity V不淤 = C·√R (吉尔什坎) with the coefficient C of
//    the sediment: 《水工设计手册》第8卷 灌区建筑物（华东水利学院）, 渠道不淤流速
//    系数表 (粗砂质粘土 0.65–0.77, 中砂质粘土 0.58–0.64, 细砂质粘土 0.41–0.54,
//    极细砂质粘土 0.37–0.41). C is settable; 0.64 is taken when none is given.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Checks.h"
#include "WindowCatalog.h"

namespace tarnwick {

// What the engineer asks for beside the design discharge typed in the window.
struct FlowRequest {
  std::optional<double> increased;    // m³/s; empty: the design discharge × coefficient
  std::optional<double> coefficient;  // chosen by the engineer; empty: IncreaseCoefficient(Q)
  double least = 0.0;                 // m³/s, the least discharge
  std::optional<double> freeboard;    // m; empty: FreeboardRule(h加大)
  double bedLevel = 0.0;              // m, the bed level the bank is measured from
  double siltCoefficient = 0.64;      // C of V不淤 = C·√R
  friend bool operator==(const FlowRequest&, const FlowRequest&) = default;
};

// The state of the channel at one discharge.
struct FlowAt {
  double q = 0.0;  // m³/s
  double h = 0.0;  // m, normal depth
  double v = 0.0;  // m/s
  double r = 0.0;  // m, hydraulic radius W/X
};

struct FlowCombination {
  FlowAt design;
  FlowAt increased;
  FlowAt least;
  double coefficient = 0.0;  // Q加大 / Q
  bool coefficientFromTable = false;
  double freeboard = 0.0;  // m
  bool freeboardByRule = false;
  double channelDepth = 0.0;         // m, H = h加大 + Fb
  double bankLevel = 0.0;            // m, bed level + H
  std::optional<double> scourLimit;  // m/s, non-scouring velocity, when one is set
  double siltCoefficient = 0.0;
  double siltLimit = 0.0;  // m/s, C·√R at the least discharge
};

// Whether a window takes a flow combination: the depth window of an open channel
// that has a discharge box.
bool TakesFlows(const WindowSpec& window);
// Why a request does not fit a window (empty when it does), in words for the user.
std::string FlowMisfit(const WindowSpec& window, const FlowRequest& request);

// The increased-discharge coefficient of the table, linear in Q across each
// range from its upper coefficient at the lower end to its lower one at the upper
// end (continuous at the range boundaries); 1.05 above 300 m³/s.
double IncreaseCoefficient(double designDischarge);
// Fb = h加大/4 + 0.2 m.
double FreeboardRule(double increasedDepth);
// Where the coefficient table and the freeboard rule come from, as cited.
std::string_view IncreaseSource();
std::string_view FreeboardSource();

// The combination of a depth window's case: the design state from `design` (the
// press of the typed texts), the others by pressing again with the discharge box
// replaced. Empty, with `why` set, when a press does not give a report.
std::optional<FlowCombination> CombineFlows(const WindowSpec& window,
                                            std::span<const std::string> boxTexts,
                                            const PressResult& design, const FlowRequest& request,
                                            const CheckLimits& limits, std::string& why);

// The block of the three discharges side by side, printed after the report.
void PrintFlows(ResultPane& pane, const FlowCombination& f);
// The line printed when the combination could not be computed.
void PrintFlowsRefused(ResultPane& pane, std::string_view why);

}  // namespace tarnwick
