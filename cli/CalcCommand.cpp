#include "CalcCommand.h"

#include <cstdlib>
#include <istream>
#include <ostream>

#include "core/RatingTable.h"
#include "sections/WindowCatalog.h"

namespace tarnwick {

namespace {

constexpr int kExitReport = 0;
constexpr int kExitBlock = 1;
constexpr int kExitUsage = 2;

void PrintUsage(std::ostream& out) {
  out << "usage: tarnwick-calc WINDOW [BOX_TEXT ...]   one press of the window's compute button\n"
         "       tarnwick-calc WINDOW -                one case per line from standard input,\n"
         "                                             box texts separated by tabs or commas\n"
         "       tarnwick-calc WINDOW --rating N [BOX_TEXT ...]\n"
         "                                             the stage-discharge table as CSV, N depths\n"
         "       tarnwick-calc --list                  the windows and their boxes\n"
         "       tarnwick-calc --help\n"
         "Each BOX_TEXT is the raw text of one input box, in the window's reading order;\n"
         "missing boxes are empty. Exit status: 0 report, 1 input-error or capacity block,\n"
         "2 usage error.\n";
}

void PrintList(std::ostream& out) {
  for (const WindowSpec& w : Windows()) {
    out << w.name << "  " << w.caption << "\n";
    for (const BoxSpec& box : w.boxes) {
      out << "    " << box.name << "  " << box.label;
      if (!box.hint.empty()) out << box.hint;
      out << "\n";
    }
  }
}

std::vector<std::string> SplitCase(const std::string& line) {
  std::vector<std::string> fields(1);
  for (const char c : line) {
    if (c == '\t' || c == ',') {
      fields.emplace_back();
    } else {
      fields.back().push_back(c);
    }
  }
  return fields;
}

int RunBatch(const WindowSpec& window, std::istream& in, std::ostream& out, std::ostream& err) {
  ResultPane pane;
  bool anyBlock = false;
  std::string line;
  int lineNumber = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    const std::vector<std::string> boxes = SplitCase(line);
    if (boxes.size() > window.boxes.size()) {
      err << "tarnwick-calc: line " << lineNumber << ": " << boxes.size() << " box texts, but "
          << window.name << " has " << window.boxes.size() << " boxes\n";
      return kExitUsage;
    }
    if (Press(window, boxes, pane) != PressOutcome::Report) anyBlock = true;
  }
  out << pane.Joined();
  return anyBlock ? kExitBlock : kExitReport;
}

int RunRating(const WindowSpec& window, const std::vector<std::string>& args, std::ostream& out,
              std::ostream& err) {
  int count = 0;
  if (args.size() < 3 || (count = std::atoi(args[2].c_str())) < 1 || count > 100000) {
    err << "tarnwick-calc: --rating needs a number of depths from 1 to 100000\n";
    return kExitUsage;
  }
  const std::vector<std::string> boxes(args.begin() + 3, args.end());
  if (boxes.size() > window.boxes.size()) {
    err << "tarnwick-calc: " << boxes.size() << " box texts, but " << window.name << " has "
        << window.boxes.size() << " boxes\n";
    return kExitUsage;
  }
  // A case the window would refuse has no rating: print what the press prints.
  ResultPane pane;
  if (Press(window, boxes, pane) != PressOutcome::Report) {
    out << pane.Joined();
    return kExitBlock;
  }
  const std::optional<SectionCase> c = CaseOf(window, boxes);
  if (!c) {
    out << pane.Joined();
    return kExitBlock;
  }
  out << RatingCsv(RatingDepths(RatingTop(*c), count), c->model.evaluate);
  return kExitReport;
}

}  // namespace

int RunCalcCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
  if (args.empty()) {
    PrintUsage(err);
    return kExitUsage;
  }
  if (args[0] == "--help" || args[0] == "-h") {
    PrintUsage(out);
    return kExitReport;
  }
  if (args[0] == "--list") {
    PrintList(out);
    return kExitReport;
  }
  const WindowSpec* window = FindWindow(args[0]);
  if (window == nullptr) {
    err << "tarnwick-calc: unknown window '" << args[0] << "' (see --list)\n";
    return kExitUsage;
  }
  if (args.size() == 2 && args[1] == "-") return RunBatch(*window, in, out, err);
  if (args.size() >= 2 && args[1] == "--rating") return RunRating(*window, args, out, err);

  const std::vector<std::string> boxes(args.begin() + 1, args.end());
  if (boxes.size() > window->boxes.size()) {
    err << "tarnwick-calc: " << boxes.size() << " box texts, but " << window->name << " has "
        << window->boxes.size() << " boxes\n";
    return kExitUsage;
  }
  ResultPane pane;
  const PressOutcome outcome = Press(*window, boxes, pane);
  out << pane.Joined();
  return outcome == PressOutcome::Report ? kExitReport : kExitBlock;
}

}  // namespace tarnwick
