// The canal file (JSON): read for the command line and handed, in the same form,
// to the calculation book as one line of its record stream; and the heading of a
// reach as the canal's report and its book print it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "Canal.h"
#include "core/ResultPane.h"

namespace tarnwick {

// The canal of a JSON text; an empty error when it reads. `find` names the
// depth windows (by window name or command name).
struct CanalReading {
  CanalInput canal;
  std::string error;
};
CanalReading ReadCanal(const std::string& json,
                       const std::function<const WindowSpec*(std::string_view)>& find);

// A line of the book's record stream that holds a canal, {"canal": {…}}: empty
// when the line is of another kind; otherwise the canal read, windows by name.
std::optional<CanalReading> ReadCanalRecord(const std::string& line);

// The canal as a JSON object that ReadCanal reads back to the same input, the
// windows by their names (one line, no line break).
std::string CanalJson(const CanalInput& canal);

// A reach's heading: its name, slope class and type, the depths, and, when the
// banks were asked for, its bank (or crown) level at the increased discharge.
void CanalReachHeading(ResultPane& pane, const CanalReachProfile& reach, const CanalBanks* banks,
                       size_t index);
// The line of the increased discharge over the reaches, when banks were asked for.
void CanalBanksLine(ResultPane& pane, const CanalBanks& banks);

}  // namespace tarnwick
