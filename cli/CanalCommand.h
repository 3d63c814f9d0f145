// tarnwick-calc --canal FILE: the water-surface profile of a canal of reaches
// read from a JSON file, as a table per reach or one JSON object.
#pragma once

#include <iosfwd>
#include <string>

#include "CalcOptions.h"
#include "core/ResultPane.h"
#include "sections/Canal.h"
#include "sections/CanalFile.h"

namespace tarnwick {

struct CanalRun {
  int status = 0;  // 0 profile, 1 refusal block, 2 unreadable file or usage (named on err)
  ResultPane pane;
};

CanalRun RunCanal(const CalcOptions& options, std::ostream& err);

}  // namespace tarnwick
