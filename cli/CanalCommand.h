// tarnwick-calc --canal FILE: the water-surface profile of a canal of reaches
// read from a JSON file, as a table per reach or one JSON object, and with
// --book its calculation book.
#pragma once

#include <iosfwd>
#include <string>

#include "CalcOptions.h"
#include "core/ResultPane.h"
#include "sections/Canal.h"
#include "sections/CanalFile.h"

namespace tarnwick {

struct CanalRun {
  // 0 profile, 1 refusal block, 2 unreadable file or usage (named on err),
  // 3 the book not written
  int status = 0;
  ResultPane pane;
};

CanalRun RunCanal(const CalcOptions& options, std::ostream& err);

}  // namespace tarnwick
