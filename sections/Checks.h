// The engineering checks of one computed case, beside its report: the critical
// depth and the regime of the flow, the critical slope, the velocity against what
// the lining and the silt allow, a tunnel's clearance, a depth search that did not
// reach the design discharge, dimensions that do not fit each other, and boxes
// whose text was read only in part. Written once against the window table: every
// family, present and future, gets them from its WindowSpec and PressResult alone.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "WindowCatalog.h"

namespace tarnwick {

// pass: the case meets the rule; fail: it does not; note: a figure or a state the
// engineer should look at, with no rule to meet.
enum class CheckStatus { Pass, Fail, Note };

// The machine word ("pass", "fail", "note") and the word of the panel and the
// book ("满足", "不满足", "提示").
std::string_view StatusName(CheckStatus status);
std::string_view StatusText(CheckStatus status);

// The rules the user sets. Velocities in m/s; an empty one is not checked.
struct CheckLimits {
  std::optional<double> velocityMin;   // non-silting velocity
  std::optional<double> velocityMax;   // non-scouring velocity (see UsualMaximumVelocities)
  double clearanceAreaPercent = 15.0;  // dry share of a closed section's area, %
  double clearanceHeight = 0.4;        // m from the water surface up to the crown
  double shapeFitPercent = 1.0;        // how far a derived dimension may miss a typed one
};

// One line of the check panel. `value` and `limit` are empty where a check has no
// such figure (JSON null).
struct Check {
  std::string_view name;  // "critical_depth", "froude", "regime", "critical_slope",
                          // "velocity", "clearance_area", "clearance_height",
                          // "search_limit", the name of a ShapeFit ("roof_chord"),
                          // "partial_read"
  CheckStatus status = CheckStatus::Note;
  std::optional<double> value;
  std::optional<double> limit;
  std::string text;           // Chinese: the check, its figures, then 满足/不满足/提示
  std::string_view box = {};  // partial_read: the box's symbol, or its name without one
};

// The checks of a press in the order listed in Check::name; those that do not
// apply are left out. `result` must come from PressWithCase (or a run with
// PressDetail::Case): the flow checks need its case and are given only for a
// report. The partial-read checks come from `boxTexts` alone and are given for
// any press, a refused one included, since a box read in part may be the reason.
//
//  critical_depth  hc with Q²·B1/(g·W³) = 1 by bisection on the section's own
//                  geometry, up to the crown of a closed section and 1000 m for an
//                  open one (a compound channel: of the whole section); note.
//  froude          Fr = V/√(g·W/B1) at the depth of the case; note.
//  regime          缓流 Fr < 1, 急流 Fr > 1: pass; 临界流 within 0.01 of 1: note.
//                  value Fr, limit 1.
//  critical_slope  the slope ic at which Q flows uniformly at hc (Manning at hc),
//                  shown as 1/D; limit is the channel's slope i; note.
//  velocity        V against the limits set; limit is the bound that fails, or
//                  the one with the least margin when V passes both.
//  clearance_area, clearance_height
//                  closed sections (those whose press gives the clearance values):
//                  pass at or above the limit.
//  search_limit    depth windows: fails when the search ran out of passes with
//                  |Q1 − Q| ≥ 0.0001; value |Q1 − Q|, limit 0.0001.
//  roof_chord etc. each ShapeFit of the press: value is the miss in % of the
//                  reference, pass up to shapeFitPercent, fail beyond. A fail, not
//                  a note: the section reported is not one that can be built.
//  partial_read    one per box whose text holds more than the number read, value
//                  the number read; a note, since "2m" is meant as 2 and "1OOO"
//                  is not meant as 1, and only the engineer can tell.
std::vector<Check> EngineeringChecks(const WindowSpec& window,
                                     std::span<const std::string> boxTexts,
                                     const PressResult& result, const CheckLimits& limits = {});

// Usual non-scouring maximum mean velocities by lining, to pick velocityMax from.
struct LiningVelocity {
  std::string_view id;    // "concrete"
  std::string_view name;  // "混凝土衬砌"
  double maxVelocity;     // m/s
};
std::span<const LiningVelocity> UsualMaximumVelocities();

}  // namespace tarnwick
