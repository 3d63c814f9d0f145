// The command line of tarnwick-calc read into options, a window name and box
// texts. Options may stand before or after the window name, always before the
// first box text; there a word that starts with "--" (or "-h") is an option, "-"
// alone asks for batch input, and anything else is the window name or a box
// text, so a negative number such as "-3" is a box text. Each option is one row
// of the table in CalcOptions.cpp and one field here.
#pragma once

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sections/Checks.h"
#include "sections/FlowCombination.h"

namespace tarnwick {

struct CalcOptions {
  bool help = false;
  bool list = false;
  bool batch = false;               // "-": one case per line of standard input
  std::optional<int> rating;        // --rating N: depths of the stage–discharge table
  bool json = false;                // --json: one JSON object per press
  bool checks = false;              // --checks: the engineering checks after each report
  bool noChecks = false;            // --no-checks: --json without its "checks"
  CheckLimits limits;               // --velocity-min/-max, --clearance-area/-height
  std::string book;                 // --book FILE: the calculation book, PDF or ODT
  std::optional<std::string> name;  // --name PROJECT: the book's project name
  std::vector<std::string> cover;   // --cover KEY=VALUE: the book's cover fields
  std::string project;              // --project FILE: print every case of a project
  std::string save;                 // --save FILE: add the cases to a project file
  // Design: --solve BOX with --discharge Q; --ratio BETA or --best; --size.
  std::string solveBox;
  std::optional<double> discharge;
  std::optional<double> ratio;
  bool best = false;
  bool size = false;
  // Water-surface profile: --profile with --length L, --control H|critical|normal,
  // --step DX and --bed Z0; a canal of reaches from --canal FILE.
  bool profile = false;
  std::optional<double> length;
  std::string control;
  std::optional<double> step;
  std::optional<double> bed;
  std::string canal;
  // A canal at three discharges: --increased Q|auto, --least Q, --freeboard F,
  // --increase-factor K, --silt-c C and --bed-level Z fill `flow`.
  bool increased = false;
  bool least = false;
  FlowRequest flow;
  // --size-for increased: a design with flows sizes for the increased discharge.
  bool sizeForIncreased = false;
  bool sizeFor = false;  // --size-for given
  std::string window;    // empty when the command line names none
  std::vector<std::string> boxes;
};

struct ParsedCommandLine {
  CalcOptions options;
  std::string error;  // why the command line is unusable; empty when it is usable
};

ParsedCommandLine ParseCommandLine(std::span<const std::string> args);

// One line per option of the table: its name, its value and what it does.
void PrintOptionHelp(std::ostream& out);

}  // namespace tarnwick
