// tarnwick-calc WINDOW --profile: the water-surface profile of a depth window's
// case as a table (水面线计算成果表) or one JSON object.
#pragma once

#include <iosfwd>

#include "CalcOptions.h"
#include "core/ResultPane.h"
#include "sections/WindowCatalog.h"

namespace tarnwick {

// Whether the command line asks for a profile, or gives one of its options.
bool ProfileAsked(const CalcOptions& options);

struct ProfileRun {
  int status = 0;  // 0 profile, 1 refusal block, 2 usage error (named on err)
  ResultPane pane;
};

ProfileRun RunProfile(const CalcOptions& options, const WindowSpec& window, std::ostream& err);

}  // namespace tarnwick
