// tarnwick-calc: the command-line face of a calculation window. It prints
// exactly the lines one press of "确 定" appends to the window's pane.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "sections/WindowCatalog.h"

namespace tarnwick {

// Exit status: 0 a report, 1 a block (input error, capacity, depth too great),
// 2 a usage error or a malformed batch line, 3 output that could not be written.
int RunCalcCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err);

// The descriptive name of a window: its family's id and "-depth" or "-discharge".
std::string CommandName(const WindowSpec& window);
// A window by its Form name or its descriptive name; null when neither matches.
const WindowSpec* FindWindowNamed(std::string_view name);

}  // namespace tarnwick
