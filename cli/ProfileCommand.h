// tarnwick-calc WINDOW --profile: the water-surface profile of a depth window's
// case as a table (水面线计算成果表) or one JSON object.
#pragma once

#include <iosfwd>
#include <nlohmann/json.hpp>
#include <string_view>
#include <vector>

#include "CalcOptions.h"
#include "core/GraduallyVariedFlow.h"
#include "core/ResultPane.h"
#include "sections/ProfileTable.h"
#include "sections/WindowCatalog.h"

namespace tarnwick {

// Whether the command line asks for a profile, or gives one of its options.
bool ProfileAsked(const CalcOptions& options);

struct ProfileRun {
  int status = 0;  // 0 profile, 1 refusal block, 2 usage error (named on err)
  ResultPane pane;
};

ProfileRun RunProfile(const CalcOptions& options, const WindowSpec& window, std::ostream& err);

// The stations as a JSON array, x counted from `offset`.
nlohmann::ordered_json StationsJson(const std::vector<ProfileStation>& stations, double offset);
// "mild", "steep" or "critical".
std::string_view SlopeKey(SlopeClass s);

}  // namespace tarnwick
