#include "CalcCommand.h"

#include <cerrno>
#include <cstring>
#include <istream>
#include <ostream>

#include "CalcBook.h"
#include "CalcOptions.h"
#include "CanalCommand.h"
#include "JsonOutput.h"
#include "ProfileCommand.h"
#include "core/RatingTable.h"
#include "sections/Checks.h"
#include "sections/Design.h"

namespace tarnwick {

namespace {

constexpr int kExitReport = 0;
constexpr int kExitBlock = 1;
constexpr int kExitUsage = 2;
constexpr int kExitOutput = 3;
// A book that was not written: status 3 like lost output, its message given already.
constexpr int kExitBookLost = -3;

void PrintUsage(std::ostream& out) {
  out << "usage: tarnwick-calc [OPTION ...] WINDOW [OPTION ...] [BOX_TEXT ...]\n"
         "                                   one press of the window's compute button\n"
         "       tarnwick-calc [OPTION ...] WINDOW [OPTION ...] -\n"
         "                                   one case per line from standard input,\n"
         "                                   box texts separated by tabs or commas\n"
         "WINDOW is a Form name (Form21) or a descriptive name (flat-bottom-depth);\n"
         "--list shows both. Each BOX_TEXT is the raw text of one input box, in the\n"
         "window's reading order; missing boxes are empty. Options stand before the\n"
         "first box text; a box text may start with '-' (-3).\n"
         "Options:\n";
  PrintOptionHelp(out);
  out << "Exit status: 0 report, 1 input-error or capacity block, 2 usage error or a\n"
         "batch line with too many box texts (the other lines are still computed),\n"
         "3 the output or the calculation book could not be written (disk full,\n"
         "standard output closed, an unwritable book).\n";
}

void PrintList(std::ostream& out) {
  for (const WindowSpec& w : Windows()) {
    out << w.name << "  " << CommandName(w) << "  " << w.caption << "\n";
    for (const BoxSpec& box : w.boxes) {
      out << "    " << box.name << "  " << box.label;
      if (!box.hint.empty()) out << box.hint;
      out << "\n";
    }
  }
}

// Standard output as the command writes it. Every write is checked, so a full
// disk or a closed descriptor ends the run with its own status instead of passing
// for output a reader received.
class CheckedOutput {
 public:
  explicit CheckedOutput(std::ostream& out) : out_(out) {}
  std::ostream& Stream() { return out_; }
  // The lines of a pane, each ended, in one write.
  bool Write(const ResultPane& pane) {
    text_.clear();
    for (const std::string& line : pane.Lines()) text_.append(line).push_back('\n');
    errno = 0;
    out_.write(text_.data(), static_cast<std::streamsize>(text_.size()));
    return Check();
  }
  bool Flush() {
    errno = 0;
    out_.flush();
    return Check();
  }
  // The one line on standard error for output that was lost.
  void ReportFailure(std::ostream& err) const {
    err << "tarnwick-calc: cannot write standard output";
    if (error_ != 0) err << " (" << std::strerror(error_) << ")";
    err << "; the output is incomplete\n";
  }

 private:
  bool Check() {
    if (!out_ && !failed_) {
      failed_ = true;
      error_ = errno;
    }
    return !failed_;
  }
  std::ostream& out_;
  std::string text_;
  bool failed_ = false;
  int error_ = 0;
};

// The checks of a press as a JSON array.
std::string ChecksJson(const std::vector<Check>& checks) {
  std::string json = "[";
  for (const Check& c : checks) {
    if (json.size() > 1) json += ", ";
    JsonObject o;
    o.String("name", c.name).String("status", StatusName(c.status));
    o.Raw("value", c.value ? JsonNumber(*c.value) : "null");
    o.Raw("limit", c.limit ? JsonNumber(*c.limit) : "null");
    if (!c.box.empty()) o.String("box", c.box);
    o.String("text", c.text);
    json += o.Text();
  }
  return json + "]";
}

// One press as the options ask for it, into `pane`: the window's lines (and the
// checks after a report), or one JSON line.
PressOutcome PressAs(const CalcOptions& options, const WindowSpec& window,
                     std::span<const std::string> boxes, ResultPane& pane) {
  if (!options.json && !options.checks) return Press(window, boxes, pane);
  ResultPane printed;
  const PressResult result = PressWithCase(window, boxes, printed);
  const std::vector<Check> checks = EngineeringChecks(window, boxes, result, options.limits);
  if (options.json) {
    JsonObject press = PressJson(window, boxes, result);
    press.Raw("checks", ChecksJson(checks));
    pane.Text(press.Text()).EndLine();
    return result.outcome;
  }
  pane.Append(printed);
  if (!checks.empty()) {
    pane.Text("工程校核:").EndLine();
    for (const Check& c : checks) pane.Text("  ").Text(c.text).EndLine();
  }
  return result.outcome;
}

void SplitCase(std::string_view line, std::vector<std::string>& fields) {
  fields.clear();
  fields.emplace_back();
  for (const char c : line) {
    if (c == '\t' || c == ',') {
      fields.emplace_back();
    } else {
      fields.back().push_back(c);
    }
  }
}

// Each case is written as soon as it is computed and then dropped, so memory does
// not grow with the input. A line with more box texts than the window has boxes
// is named and skipped; the others still run, and the status is then a usage error.
int RunBatch(const CalcOptions& options, const WindowSpec& window, std::istream& in,
             CheckedOutput& out, std::ostream& err, std::vector<std::vector<std::string>>* kept) {
  ResultPane pane;
  std::vector<std::string> boxes;
  std::string line;
  int status = kExitReport;
  for (long lineNumber = 1; std::getline(in, line); ++lineNumber) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    SplitCase(line, boxes);
    if (boxes.size() > window.boxes.size()) {
      err << "tarnwick-calc: line " << lineNumber << ": " << boxes.size() << " box texts, but "
          << window.name << " has " << window.boxes.size() << " boxes; line skipped\n";
      status = kExitUsage;
      continue;
    }
    if (kept != nullptr) kept->push_back(boxes);
    if (PressAs(options, window, boxes, pane) != PressOutcome::Report && status == kExitReport) {
      status = kExitBlock;
    }
    if (!out.Write(pane)) return kExitOutput;
    pane.Clear();
    // Before waiting for more input, hand the reports made so far to the reader.
    if (in.rdbuf()->in_avail() <= 0 && !out.Flush()) return kExitOutput;
  }
  return status;
}

int RunRating(const WindowSpec& window, const CalcOptions& options, CheckedOutput& out,
              std::ostream&) {
  // A case the window would refuse has no rating: print what the press prints.
  ResultPane pane;
  const PressResult pressed = PressWithCase(window, options.boxes, pane);
  if (!pressed.sectionCase) {
    out.Write(pane);
    return kExitBlock;
  }
  const SectionCase* c = &*pressed.sectionCase;
  out.Stream() << RatingCsv(RatingDepths(RatingTop(*c), *options.rating), c->model.evaluate);
  return kExitReport;
}

bool DesignAsked(const CalcOptions& o) {
  return !o.solveBox.empty() || o.ratio || o.best || o.size;
}

// Why the design options do not fit the window, or empty when they do.
std::string DesignMisfit(const CalcOptions& o, const WindowSpec& w) {
  const int modes = int(!o.solveBox.empty()) + int(o.ratio.has_value()) + int(o.best) + int(o.size);
  if (modes > 1) return "choose one of --solve, --ratio, --best and --size";
  if (o.discharge && o.solveBox.empty()) return "--discharge goes with --solve BOX";
  if (o.batch || o.rating || !o.book.empty())
    return "a design takes one case, without -, --rating or --book";
  if (!o.solveBox.empty()) {
    if (w.kind != CalculationKind::Discharge) return "--solve needs a discharge window";
    if (!o.discharge) return "--solve BOX needs --discharge Q";
    for (const std::string_view box : design::SolvableBoxes(w)) {
      if (box == o.solveBox) return {};
    }
    return "box '" + o.solveBox + "' of " + std::string(w.name) +
           " cannot be solved for (a dimension, roughness or slope box)";
  }
  if ((o.ratio || o.best) && !design::OffersProportions(w)) {
    return std::string(w.name) +
           " offers no channel proportions (the flat-bottom depth window does)";
  }
  if (o.size && (w.kind != CalculationKind::Depth || !design::HasClearance(w))) {
    return "--size needs the depth window of a closed section";
  }
  return {};
}

// A design press: the solved line and report of each answer, or the refusal
// block; with --json one object an answer, carrying what was solved.
int RunDesign(const CalcOptions& options, const WindowSpec& window, CheckedOutput& out) {
  design::DesignResult r;
  if (!options.solveBox.empty()) {
    r = design::SolveForBox(window, options.boxes, options.solveBox, *options.discharge);
  } else if (options.ratio) {
    r = design::SolveProportions(window, options.boxes, *options.ratio);
  } else if (options.best) {
    r = design::SolveBestProportions(window, options.boxes);
  } else {
    r = design::SizeSmallestTunnel(
        window, options.boxes,
        {options.limits.clearanceAreaPercent, options.limits.clearanceHeight});
  }
  const PressOutcome outcome = design::PressOutcomeOf(r.outcome);
  const int status = outcome == PressOutcome::Report ? kExitReport : kExitBlock;
  ResultPane pane;
  if (!options.json) {
    pane.Append(r.pane);
    return out.Write(pane) ? status : kExitOutput;
  }
  const WindowSpec& reporting = r.window != nullptr ? *r.window : window;
  if (r.solutions.empty()) {
    PressResult refused;
    refused.outcome = outcome;
    JsonObject o = PressJson(reporting, options.boxes, refused);
    o.Raw("checks", "[]");
    pane.Text(o.Text()).EndLine();
  }
  for (const design::Solution& s : r.solutions) {
    JsonObject o = PressJson(reporting, s.texts, s.press);
    o.Raw("checks", ChecksJson(EngineeringChecks(reporting, s.texts, s.press, options.limits)));
    if (options.size) {
      o.Number("scale", s.value);
    } else {
      JsonObject solved;
      solved.String("box", r.box).Number("value", s.value);
      if (options.ratio || options.best) solved.Number("depth", s.depth);
      o.Raw("solved", solved.Text());
    }
    pane.Text(o.Text()).EndLine();
  }
  return out.Write(pane) ? status : kExitOutput;
}

int RunWindow(const CalcOptions& options, std::istream& in, CheckedOutput& out, std::ostream& err) {
  const WindowSpec* window = FindWindowNamed(options.window);
  if (window == nullptr) {
    err << "tarnwick-calc: unknown window '" << options.window << "' (see --list)\n";
    return kExitUsage;
  }
  if (options.boxes.size() > window->boxes.size()) {
    err << "tarnwick-calc: " << options.boxes.size() << " box texts, but " << window->name
        << " has " << window->boxes.size() << " boxes\n";
    return kExitUsage;
  }
  if (ProfileAsked(options)) {
    const ProfileRun run = RunProfile(options, *window, err);
    return out.Write(run.pane) ? run.status : kExitOutput;
  }
  if (options.batch && options.rating) {
    err << "tarnwick-calc: --rating takes one case, not batch input\n";
    return kExitUsage;
  }
  if (options.rating && (options.json || options.checks || !options.book.empty())) {
    err << "tarnwick-calc: --rating prints the table alone, without --json, --checks or --book\n";
    return kExitUsage;
  }
  if (DesignAsked(options) || options.discharge) {
    if (const std::string misfit = DesignMisfit(options, *window); !misfit.empty()) {
      err << "tarnwick-calc: " << misfit << "\n";
      return kExitUsage;
    }
    return RunDesign(options, *window, out);
  }
  if (options.rating) return RunRating(*window, options, out, err);
  // The book needs the cases as typed; they are kept only when it is asked for.
  std::vector<std::vector<std::string>> cases;
  std::vector<std::vector<std::string>>* kept = options.book.empty() ? nullptr : &cases;
  int status = kExitReport;
  if (options.batch) {
    status = RunBatch(options, *window, in, out, err, kept);
  } else {
    ResultPane pane;
    if (kept != nullptr) kept->push_back(options.boxes);
    status = PressAs(options, *window, options.boxes, pane) == PressOutcome::Report ? kExitReport
                                                                                    : kExitBlock;
    if (!out.Write(pane)) return kExitOutput;
  }
  if (kept == nullptr || status == kExitOutput) return status;
  const std::string project = options.name.value_or(std::string(window->caption));
  if (!WriteBook(options.book, project, *window, cases, options.limits, err)) return kExitBookLost;
  return status;
}

int Run(const CalcOptions& options, std::istream& in, CheckedOutput& out, std::ostream& err) {
  if (options.help) {
    PrintUsage(out.Stream());
    return kExitReport;
  }
  if (options.list) {
    PrintList(out.Stream());
    return kExitReport;
  }
  if (!options.canal.empty()) {
    const CanalRun run = RunCanal(options, err);
    return out.Write(run.pane) ? run.status : kExitOutput;
  }
  if (options.window.empty()) {
    PrintUsage(err);
    return kExitUsage;
  }
  return RunWindow(options, in, out, err);
}

}  // namespace

std::string CommandName(const WindowSpec& window) {
  const std::string_view kind = window.kind == CalculationKind::Depth ? "-depth" : "-discharge";
  return std::string(FamilyOf(window.family).id) + std::string(kind);
}

const WindowSpec* FindWindowNamed(std::string_view name) {
  if (const WindowSpec* w = FindWindow(name)) return w;
  for (const WindowSpec& w : Windows()) {
    if (CommandName(w) == name) return &w;
  }
  return nullptr;
}

int RunCalcCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
  const ParsedCommandLine parsed = ParseCommandLine(args);
  if (!parsed.error.empty()) {
    err << "tarnwick-calc: " << parsed.error << "\n";
    return kExitUsage;
  }
  CheckedOutput checked(out);
  const int status = Run(parsed.options, in, checked, err);
  if (status == kExitBookLost) {
    if (!checked.Flush()) checked.ReportFailure(err);
    return kExitOutput;
  }
  // The stream keeps a failure of any earlier write; the flush adds its own.
  if (status == kExitOutput || !checked.Flush()) {
    checked.ReportFailure(err);
    return kExitOutput;
  }
  return status;
}

}  // namespace tarnwick
