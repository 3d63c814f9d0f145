// tarnwick-calc: the command-line face of a calculation window. It prints
// exactly the lines one press of "确 定" appends to the window's pane.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tarnwick {

// Exit status: 0 a report, 1 a block (input error, capacity, depth too great),
// 2 a usage error.
int RunCalcCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err);

}  // namespace tarnwick
