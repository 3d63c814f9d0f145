// A canal of reaches as JSON text, read and written alike by `tarnwick-calc
// --canal FILE` and the project file (its "canals"):
//
//   {"discharge": 12, "downstream": {"depth": 3.2} | {"level": 103.2} | {"critical": true},
//    "step": 20,
//    "reaches": [{"name": "上段", "window": "Form21", "boxes": ["3", "1.5", "0.02", "2000"],
//                 "length": 400, "bed_level_downstream": 100.2, "loss": 0.1}, ...]}
//
// Reaches from upstream to downstream; "boxes" the depth window's box texts
// without the discharge; "step" and "loss" optional (0).
#pragma once

#include <string>
#include <string_view>

#include "Canal.h"

namespace tarnwick {

// The canal of a JSON text; an empty error when it reads.
struct CanalReading {
  CanalInput canal;
  std::string error;
};

// Finds a window by the name a file gives it.
using WindowFinder = const WindowSpec* (*)(std::string_view);

CanalReading ReadCanal(std::string_view json, WindowFinder find);

// The JSON text of a canal (one line), which ReadCanal reads back to the same canal.
std::string CanalText(const CanalInput& canal);

}  // namespace tarnwick
