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

// Which rule a closed section's clearance is judged by.
enum class ClearanceRule {
  Tunnel,     // free-surface tunnel: clear area and height (SL 279), the limits below
  FillRatio,  // pipe: the greatest fill ratio h/D by diameter (GB 50014), GreatestFillRatio
  None,       // none chosen: the clearance is shown, not judged
};

// The rules the user sets. Velocities in m/s; an empty one is not checked.
struct CheckLimits {
  std::optional<double> velocityMin;  // non-silting velocity
  std::optional<double> velocityMax;  // non-scouring velocity (see UsualMaximumVelocities)
  // A lining of UsualMaximumVelocities by id, its non-scouring velocity corrected
  // for the hydraulic radius, used when velocityMax is not set.
  std::string lining;
  // Exponent a of the soil linings' correction V·R^a. No source giving it was
  // found to cite: 1/4 is taken, said so in the check's text, and settable.
  double soilExponent = 0.25;
  double clearanceAreaPercent = 15.0;  // tunnel rule: dry share of the area, % (SL 279)
  double clearanceHeight = 0.4;        // tunnel rule: m from the water surface to the crown
  // Unset: by kind of section (tunnels the tunnel rule, circular conduits the fill
  // ratio, box culverts none); set: this rule for every closed section.
  std::optional<ClearanceRule> closedRule;
  double shapeFitPercent = 1.0;  // how far a derived dimension may miss a typed one
  // Near-critical band of the Froude number, where the surface is unstable. The
  // defaults are customary design practice; no standard clause giving them was
  // found, so they are settable.
  double froudeLow = 0.8;
  double froudeHigh = 1.2;
  double searchPercent = 0.5;  // greatest |Q1 − Q| of a depth search, % of Q
};

// The clearance rule a window's sections are judged by at these limits.
ClearanceRule RuleFor(const WindowSpec& window, const CheckLimits& limits);

// The greatest design fill ratio h/D of a sewer pipe of diameter D (m), by the
// table of GB 50014 (室外排水设计标准, 污水管道最大设计充满度): 200–300 mm 0.55,
// 350–450 mm 0.65, 500–900 mm 0.70, ≥ 1000 mm 0.75. A diameter between two rows
// takes the row below it (the smaller ratio, on the safe side); one under 200 mm
// takes the first row.
double GreatestFillRatio(double diameter);

// One line of the check panel. `value` and `limit` are empty where a check has no
// such figure (JSON null).
struct Check {
  std::string_view name;  // "critical_depth", "coriolis", "froude", "regime",
                          // "critical_slope", "velocity", "clearance_area",
                          // "clearance_height", "fill_ratio", "clearance",
                          // "search_limit", the name of a ShapeFit ("roof_chord"),
                          // "slope_text", "partial_read"
  CheckStatus status = CheckStatus::Note;
  std::optional<double> value;
  std::optional<double> limit;
  std::string text;  // Chinese: the check, its figures, then 满足/不满足/提示
  // partial_read, slope_text: the box at fault, its symbol or its name without
  // one, for the window to mark.
  std::string_view box = {};
};

// The checks of a press in the order listed in Check::name; those that do not
// apply are left out. `result` must come from PressWithCase (or a run with
// PressDetail::Case): the flow checks need its case and are given only for a
// report. The box-text checks come from `boxTexts` alone and are given for any
// press, a refused one included, since a box misread may be the reason.
//
//  critical_depth  every minimum of the specific energy E(h) at Q (core/
//                  CompoundFlow.h), up to the crown of a closed section and 1000 m
//                  for an open one, each a note; one note when there is none (a
//                  closed section: "临界水深高于洞顶").
//  coriolis        subdivided sections: α and Eα = h + αV²/2g at the case; note.
//  froude          Fr = V/√(g·W/B1), or Fc of a subdivided section; note.
//  regime          缓流 below froudeLow: pass; froudeLow ≤ Fr ≤ froudeHigh: fail
//                  (near-critical, unstable surface); above: note (supercritical:
//                  scour, air entrainment, the junction downstream to be checked).
//  critical_slope  one per critical depth: the slope ic at which Q flows
//                  uniformly at hc, shown as 1/D; limit the channel's slope i; note.
//  velocity        V against the limits set or the lining chosen; with neither,
//                  a fail above the greatest velocity of UsualMaximumVelocities.
//  clearance_area, clearance_height   the tunnel rule: pass at or above the limit.
//  fill_ratio      the pipe rule: h/D, pass up to GreatestFillRatio(D).
//  clearance       no rule chosen: the clear height and area, a note.
//  search_limit    depth windows: fails when |Q1 − Q| > searchPercent % of Q.
//  roof_chord etc. each ShapeFit of the press: value is the miss in % of the
//                  reference, pass up to shapeFitPercent, fail beyond.
//  slope_text      a slope box whose text holds "/", reads D < 1 or is read in
//                  part: fail, with what was typed, what was used, how to type it.
//  partial_read    one per other box whose text holds more than the number read,
//                  value the number read; a fail: "1OOO" is read as 1.
std::vector<Check> EngineeringChecks(const WindowSpec& window,
                                     std::span<const std::string> boxTexts,
                                     const PressResult& result, const CheckLimits& limits = {});
// The same, with the texts read already (BoxReadings of boxTexts).
std::vector<Check> EngineeringChecks(const WindowSpec& window,
                                     std::span<const std::string> boxTexts,
                                     std::span<const NumberReading> readings,
                                     const PressResult& result, const CheckLimits& limits);

// The non-scouring velocity a case is judged by: the limit set, else the lining
// chosen (soils corrected to the case's hydraulic radius); empty with neither.
std::optional<double> NonScouringVelocity(const SectionCase& c, const CheckLimits& limits);

// Usual non-scouring maximum mean velocities by lining, to pick velocityMax from.
struct LiningVelocity {
  std::string_view id;    // "concrete"
  std::string_view name;  // "混凝土衬砌"
  double maxVelocity;     // m/s, the lower end of the range, used as the limit
  double upperEnd;        // m/s, the upper end of the tabulated range
  bool soil;              // tabulated at R = 1 m, to be corrected by R^a
};
// Where the table is from, for the panel and the book.
inline constexpr std::string_view kLiningVelocitySource =
    "《水工设计手册》第8卷 灌区建筑物（华东水利学院）渠道不冲流速表";
std::span<const LiningVelocity> UsualMaximumVelocities();

}  // namespace tarnwick
