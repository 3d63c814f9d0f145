// Where each engineering check takes its rule from, for the 设计依据 of the
// calculation book: the standard or the textbook, its number, and the clause or
// table applied. Only the sources of the checks a case was actually judged by
// are listed, taken from the check's name and the limits it was judged against,
// never from the Chinese text of the check.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "Checks.h"
#include "FlowCombination.h"

namespace tarnwick {

struct CheckSource {
  std::string_view id;      // "sl279": one entry of the list however many checks cite it
  std::string_view number;  // "SL 279—2016", empty for a textbook or a paper
  std::string_view title;   // "水工隧洞设计规范"
  std::string_view clause;  // the clause or table applied, or why none is cited
};

// The sources of one check judged against `limits`: none for a check that is a
// figure of the case alone (a partial read) or whose limit the user typed.
std::vector<CheckSource> SourcesOf(const Check& check, const CheckLimits& limits);

// The word of the book for a check by its name ("velocity": "流速"); any other
// name is a shape fit (a derived dimension against a typed one).
std::string_view CheckLabel(std::string_view name);

// The unit of a check's value and limit ("m", "m/s", "%"), empty for a pure
// number (a Froude number, a slope, a fill ratio, a number read from a box).
std::string_view CheckUnit(std::string_view name);

// Manning's formula and the hydraulics every report rests on, always cited.
CheckSource ManningSource();

// The distinct sources of a set of checks, in order of first use.
void CollectSources(std::span<const Check> checks, const CheckLimits& limits,
                    std::vector<CheckSource>& into);

// The sources of a flow combination: the increased-discharge table when the
// coefficient came from it, the freeboard rule when it was applied, and the
// non-silting coefficient; in order, each once.
void CollectFlowSources(const FlowCombination& flows, std::vector<CheckSource>& into);
// The sources of a canal's bank levels (the table, the rule: when applied).
void CollectBankSources(bool coefficientFromTable, bool freeboardByRule,
                        std::vector<CheckSource>& into);
// The standard step method of the water-surface profiles.
CheckSource ProfileSource();

}  // namespace tarnwick
