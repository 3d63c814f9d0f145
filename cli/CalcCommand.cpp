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
#include "sections/CanalFile.h"
#include "sections/Checks.h"
#include "sections/Design.h"
#include "sections/ProjectFile.h"

namespace tarnwick {

namespace {

constexpr int kExitReport = 0;
constexpr int kExitBlock = 1;
constexpr int kExitUsage = 2;
constexpr int kExitOutput = 3;
// A book or a project that was not written: status 3 like lost output, its
// message given already.
constexpr int kExitBookLost = -3;
// A run's status of 3 is its book not written; standard output is still flushed.
int BookStatus(int status) { return status == 3 ? kExitBookLost : status; }

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
// Reports are gathered and handed over 64 KiB at a time, which the stream
// writes straight through: one copy and one system call where a batch would
// otherwise make two copies and eight calls.
class CheckedOutput {
 public:
  explicit CheckedOutput(std::ostream& out) : out_(out) {}
  // The stream itself, for text written apart; what was gathered goes first.
  std::ostream& Stream() {
    Pass();
    return out_;
  }
  // The lines of a pane, each ended, then any text made apart.
  bool Write(const ResultPane& pane, std::string_view more = {}) {
    for (const std::string& line : pane.Lines()) text_.append(line).push_back('\n');
    text_.append(more);
    if (text_.size() >= kGathered) Pass();
    return Check();
  }
  bool Flush() {
    Pass();
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
  static constexpr size_t kGathered = 1 << 16;
  void Pass() {
    if (text_.empty()) return;
    errno = 0;
    out_.write(text_.data(), static_cast<std::streamsize>(text_.size()));
    text_.clear();
    Check();
  }
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

// The checks of a press as a JSON array, written straight into `json`.
void AppendChecksJson(std::string& json, const std::vector<Check>& checks) {
  json.push_back('[');
  for (size_t k = 0; k < checks.size(); ++k) {
    const Check& c = checks[k];
    if (k > 0) json += ", ";
    json += "{\"name\": ";
    AppendJsonString(json, c.name);
    json += ", \"status\": ";
    AppendJsonString(json, StatusName(c.status));
    json += ", \"value\": ";
    const auto number = [&](const std::optional<double>& x) {
      if (x) {
        AppendJsonNumber(json, *x);
      } else {
        json += "null";
      }
    };
    number(c.value);
    json += ", \"limit\": ";
    number(c.limit);
    if (!c.box.empty()) {
      json += ", \"box\": ";
      AppendJsonString(json, c.box);
    }
    json += ", \"text\": ";
    AppendJsonString(json, c.text);
    json.push_back('}');
  }
  json.push_back(']');
}

// Where the cases of a run go beside standard output: the project file of
// --save and the book of --book, each case handed on as soon as it is computed.
class CaseSinks {
 public:
  // Opens what the options ask for; a status when the run cannot go on.
  std::optional<int> Open(const CalcOptions& options, std::string_view defaultName,
                          std::ostream& err) {
    if (!options.save.empty()) {
      if (const std::string why = project_.Read(options.save); !why.empty()) {
        err << "tarnwick-calc: " << why << "; nothing was saved\n";
        return kExitUsage;
      }
      if (project_.Name().empty()) project_.Name() = options.name.value_or(std::string());
      if (const std::string why = project_.Open(); !why.empty()) {
        err << "tarnwick-calc: cannot save " << options.save << ": " << why << "\n";
        return kExitBookLost;
      }
      saving_ = true;
      savePath_ = options.save;
    }
    if (!options.book.empty()) {
      const std::string title = options.name.value_or(std::string(defaultName));
      if (!book_.Start(options.book, title, err, options.cover)) return kExitBookLost;
      booking_ = true;
    }
    return std::nullopt;
  }
  bool Wanted() const { return saving_ || booking_; }
  void Add(const CaseRecord& r) {
    if (saving_) project_.Add(r);
    if (booking_) book_.Add(r);
  }
  // A canal goes to the book alone: a project file keeps its canals apart from
  // its cases, and --save adds cases only.
  void AddCanal(const CanalInput& canal) {
    if (booking_) book_.AddLine("{\"canal\": " + CanalJson(canal) + "}");
  }
  // Finishes both; the status of the run, made worse when either was lost. A run
  // whose output was lost saves nothing and leaves no book.
  int Close(int status, std::ostream& err) {
    if (status == kExitOutput) {
      if (booking_) book_.Abandon();
      return status;
    }
    if (saving_) {
      if (const std::string why = project_.Commit(); !why.empty()) {
        err << "tarnwick-calc: cannot save " << savePath_ << ": " << why
            << "; the old file is unchanged\n";
        status = kExitBookLost;
      }
    }
    if (booking_ && !book_.Finish(err)) status = kExitBookLost;
    return status;
  }

 private:
  ProjectAppender project_;
  BookWriter book_;
  std::string savePath_;
  bool saving_ = false;
  bool booking_ = false;
};

// The lines of a record as the window shows them, and its checks after them, or
// its JSON line; each line ended.
void PrintRecord(const CalcOptions& options, const CaseRecord& r, std::string& out) {
  if (options.json) {
    // A design answer reports texts of its own (the value solved typed in).
    const bool plain = r.reporting == r.window && !r.design;
    const std::vector<NumberReading> reread =
        plain ? std::vector<NumberReading>() : BoxReadings(*r.reporting, r.reportingTexts);
    AppendPressJson(out, *r.reporting, plain ? r.readings : reread, r.press);
    if (!options.noChecks) {
      out += ", \"checks\": ";
      AppendChecksJson(out, r.checks);
    }
    if (r.answer && r.design) {
      if (r.design->mode == DesignMode::Size) {
        out += ", \"scale\": ";
        AppendJsonNumber(out, r.answer->value);
      } else {
        JsonObject solved;
        solved.String("box", r.answer->box).Number("value", r.answer->value);
        if (r.design->mode != DesignMode::SolveBox) solved.Number("depth", r.answer->depth);
        out.append(", \"solved\": ").append(solved.Text());
      }
    }
    if (r.flows) out.append(", \"flows\": ").append(FlowsJson(*r.flows));
    out += "}\n";
    return;
  }
  for (const std::string& line : r.printed) out.append(line).push_back('\n');
  if (options.checks && !r.checks.empty()) {
    out.append("工程校核:\n");
    for (const Check& c : r.checks) out.append("  ").append(c.text).push_back('\n');
  }
}

bool DesignAsked(const CalcOptions& o) {
  return !o.solveBox.empty() || o.ratio || o.best || o.size;
}

bool FlowsAsked(const CalcOptions& o) { return o.increased || o.least || o.flow != FlowRequest{}; }

// Why the flow options do not fit the window or the other options, or empty.
std::string FlowsMisfit(const CalcOptions& o, const WindowSpec& w) {
  if (!o.increased || !o.least) return "a canal's flows need both --increased and --least";
  if (o.flow.increased && o.flow.coefficient) {
    return "--increase-factor goes with --increased auto, not with a discharge";
  }
  if (o.rating || ProfileAsked(o)) {
    return "--increased and --least go without --rating and --profile";
  }
  // A design's flows fit its family's depth window (DesignMisfit).
  if (DesignAsked(o) || o.discharge) return {};
  return FlowMisfit(w, o.flow);
}

// One press as the options ask for it, into `pane`: the window's lines (and the
// checks after a report), or one JSON line; the record to the sinks.
PressOutcome PressAs(const CalcOptions& options, const WindowSpec& window,
                     std::span<const std::string> boxes, ResultPane& pane, std::string& text,
                     CaseSinks& sinks) {
  const bool flows = FlowsAsked(options);
  if (!options.json && !options.checks && !sinks.Wanted() && !flows) {
    return Press(window, boxes, pane);
  }
  // JSON with nothing saved or booked reads the typed result alone, and its
  // checks unless left out; a project or a book keeps the whole record.
  const bool typedOnly = options.json && !sinks.Wanted();
  const RecordWants wants{!typedOnly, !(typedOnly && options.noChecks)};
  const CaseRecord record = flows ? RecordFlows(window, boxes, options.flow, options.limits)
                                  : RecordPress(window, boxes, options.limits, wants);
  PrintRecord(options, record, text);
  sinks.Add(record);
  return record.outcome;
}

void SplitCase(std::string_view line, std::vector<std::string>& fields) {
  fields.clear();
  size_t start = 0;
  for (size_t k = 0; k <= line.size(); ++k) {
    if (k == line.size() || line[k] == '\t' || line[k] == ',') {
      fields.emplace_back(line.substr(start, k - start));
      start = k + 1;
    }
  }
}

// Each case is written as soon as it is computed and then dropped, so memory does
// not grow with the input. A line with more box texts than the window has boxes
// is named and skipped; the others still run, and the status is then a usage error.
int RunBatch(const CalcOptions& options, const WindowSpec& window, std::istream& in,
             CheckedOutput& out, std::ostream& err, CaseSinks& sinks) {
  ResultPane pane;
  std::string text;
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
    if (PressAs(options, window, boxes, pane, text, sinks) != PressOutcome::Report &&
        status == kExitReport) {
      status = kExitBlock;
    }
    if (!out.Write(pane, text)) return kExitOutput;
    pane.Clear();
    text.clear();
    // Before waiting for more input, hand the reports made so far to the reader.
    if (in.rdbuf()->in_avail() <= 0 && !out.Flush()) return kExitOutput;
  }
  if (in.bad()) {
    err << "tarnwick-calc: cannot read the cases from standard input\n";
    return kExitUsage;
  }
  return status;
}

int RunRating(const WindowSpec& window, const CalcOptions& options, CheckedOutput& out,
              std::ostream&) {
  // A case the window would refuse has no rating: print what the press prints.
  const CaseRecord record = RecordPress(window, options.boxes, options.limits);
  if (!record.press.sectionCase) {
    std::string text;
    PrintRecord(CalcOptions{}, record, text);
    out.Write(ResultPane{}, text);
    return kExitBlock;
  }
  const SectionCase& c = *record.press.sectionCase;
  out.Stream() << RatingCsv(RatingDepths(RatingTop(c), *options.rating), c.model.evaluate);
  return kExitReport;
}

std::optional<DesignRequest> ModeOf(const CalcOptions& o) {
  DesignRequest r;
  if (!o.solveBox.empty()) {
    r.box = o.solveBox;
    r.discharge = o.discharge.value_or(0.0);
  } else if (o.ratio) {
    r.mode = DesignMode::Ratio;
    r.ratio = *o.ratio;
  } else if (o.best) {
    r.mode = DesignMode::Best;
  } else if (o.size) {
    r.mode = DesignMode::Size;
  } else {
    return std::nullopt;
  }
  return r;
}

std::optional<DesignRequest> DesignOf(const CalcOptions& o) {
  std::optional<DesignRequest> request = ModeOf(o);
  if (request && FlowsAsked(o)) request->flows = o.flow;
  if (request) request->sizeForIncreased = o.sizeForIncreased;
  return request;
}

// Why the design options do not fit the window, or empty when they do.
std::string DesignMisfit(const CalcOptions& o, const WindowSpec& w) {
  const int modes = int(!o.solveBox.empty()) + int(o.ratio.has_value()) + int(o.best) + int(o.size);
  if (modes > 1) return "choose one of --solve, --ratio, --best and --size";
  if (o.discharge && o.solveBox.empty()) return "--discharge goes with --solve BOX";
  if (o.batch || o.rating) return "a design takes one case, without - or --rating";
  if (modes == 0 && o.sizeFor) return "--size-for goes with a design option";
  if (!o.solveBox.empty() && w.kind == CalculationKind::Discharge && !o.discharge) {
    return "--solve BOX needs --discharge Q";
  }
  if (o.size && w.closed && RuleFor(w, o.limits) == ClearanceRule::None) {
    return "--size: " + std::string(w.name) +
           " has no clearance rule of its own; choose one with --closed-rule tunnel or fill";
  }
  return DesignMisfit(w, *DesignOf(o));
}

// A design press: the solved line and report of each answer, or the refusal
// block; with --json one object an answer, carrying what was solved.
int RunDesign(const CalcOptions& options, const WindowSpec& window, CheckedOutput& out,
              CaseSinks& sinks) {
  const std::vector<CaseRecord> records =
      RecordDesign(window, options.boxes, *DesignOf(options), options.limits);
  std::string text;
  for (const CaseRecord& r : records) {
    PrintRecord(options, r, text);
    sinks.Add(r);
  }
  const int status = records.front().IsReport() ? kExitReport : kExitBlock;
  return out.Write(ResultPane{}, text) ? status : kExitOutput;
}

// Every case of a project file, as the windows showed them.
int RunProject(const CalcOptions& options, CheckedOutput& out, std::ostream& err) {
  ProjectRead read = ReadProjectFile(options.project);
  if (!read.project) {
    err << "tarnwick-calc: " << read.error << "\n";
    return kExitUsage;
  }
  for (const std::string& d : read.differences) err << "tarnwick-calc: " << d << "\n";
  CalcOptions named = options;
  if (!named.name && !read.project->name.empty()) named.name = read.project->name;
  CaseSinks sinks;
  if (const auto stop = sinks.Open(named, "Tarnwick", err)) return *stop;
  std::string text;
  int status = kExitReport;
  for (const CaseRecord& r : read.project->cases) {
    PrintRecord(options, r, text);
    sinks.Add(r);
    if (!r.IsReport()) status = kExitBlock;
    if (!out.Write(ResultPane{}, text)) return sinks.Close(kExitOutput, err);
    text.clear();
  }
  // The project's canals are booked after its cases, as the window's book has them.
  for (const CanalInput& canal : read.project->canals) sinks.AddCanal(canal);
  return sinks.Close(status, err);
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
  if (FlowsAsked(options)) {
    if (const std::string misfit = FlowsMisfit(options, *window); !misfit.empty()) {
      err << "tarnwick-calc: " << misfit << "\n";
      return kExitUsage;
    }
  }
  if (ProfileAsked(options)) {
    const ProfileRun run = RunProfile(options, *window, err);
    return out.Write(run.pane) ? BookStatus(run.status) : kExitOutput;
  }
  if (options.batch && options.rating) {
    err << "tarnwick-calc: --rating takes one case, not batch input\n";
    return kExitUsage;
  }
  if (options.rating &&
      (options.json || options.checks || !options.book.empty() || !options.save.empty())) {
    err << "tarnwick-calc: --rating prints the table alone, without --json, --checks, --book or "
           "--save\n";
    return kExitUsage;
  }
  const bool design = DesignAsked(options) || options.discharge || options.sizeFor;
  if (design) {
    if (const std::string misfit = DesignMisfit(options, *window); !misfit.empty()) {
      err << "tarnwick-calc: " << misfit << "\n";
      return kExitUsage;
    }
  }
  if (options.rating) return RunRating(*window, options, out, err);
  CaseSinks sinks;
  if (const auto stop = sinks.Open(options, window->caption, err)) return *stop;
  int status = kExitReport;
  if (design) {
    status = RunDesign(options, *window, out, sinks);
  } else if (options.batch) {
    status = RunBatch(options, *window, in, out, err, sinks);
  } else {
    ResultPane pane;
    std::string text;
    status = PressAs(options, *window, options.boxes, pane, text, sinks) == PressOutcome::Report
                 ? kExitReport
                 : kExitBlock;
    if (!out.Write(pane, text)) status = kExitOutput;
  }
  return sinks.Close(status, err);
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
  if (options.noChecks && (!options.json || options.checks)) {
    err << "tarnwick-calc: --no-checks goes with --json, without --checks\n";
    return kExitUsage;
  }
  if (!options.canal.empty()) {
    const CanalRun run = RunCanal(options, err);
    return out.Write(run.pane) ? BookStatus(run.status) : kExitOutput;
  }
  if (!options.project.empty()) {
    if (!options.window.empty()) {
      err << "tarnwick-calc: --project prints the project's own cases; give no window\n";
      return kExitUsage;
    }
    return RunProject(options, out, err);
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
