#include "CaseRecord.h"

#include <algorithm>

#include <cstdio>

namespace tarnwick {

namespace {

// The typed part of a record, common to every kind of press.
CaseRecord Typed(const WindowSpec& window, std::span<const std::string> texts,
                 const CheckLimits& limits) {
  CaseRecord r;
  r.window = &window;
  r.texts.assign(texts.begin(), texts.end());
  r.texts.resize(window.boxes.size());
  r.readings = BoxReadings(window, r.texts);
  r.reporting = &window;
  r.reportingTexts = r.texts;
  r.limits = limits;
  return r;
}

}  // namespace

namespace {

std::string ModeMisfit(const WindowSpec& window, const DesignRequest& request) {
  switch (request.mode) {
    case DesignMode::SolveBox:
      if (window.kind != CalculationKind::Discharge) return "--solve needs a discharge window";
      {
        std::string solvable;
        for (const std::string_view box : design::SolvableBoxes(window)) {
          if (box == request.box) return {};
          for (const BoxSpec& candidate : window.boxes) {
            if (candidate.name != box) continue;
            solvable.append(solvable.empty() ? "" : ", ").append(box);
            if (!candidate.symbol.empty())
              solvable.append(" (").append(candidate.symbol).append(")");
          }
        }
        const bool named = std::any_of(window.boxes.begin(), window.boxes.end(),
                                       [&](const BoxSpec& b) { return b.name == request.box; });
        return (named ? "box '" + request.box + "' of " + std::string(window.name) +
                            " cannot be solved for"
                      : std::string(window.name) + " has no box '" + request.box + "'") +
               "; the boxes it solves for: " + solvable;
      }
    case DesignMode::Ratio:
    case DesignMode::Best:
      if (design::OffersProportions(window)) return {};
      return std::string(window.name) +
             " offers no channel proportions (the flat-bottom depth window does)";
    case DesignMode::Size:
      if (window.kind == CalculationKind::Depth && window.closed) return {};
      return "--size needs the depth window of a closed section";
  }
  return {};
}

// The depth window of the family a design window belongs to.
const WindowSpec* DepthWindowOf(const WindowSpec& window) {
  return window.kind == CalculationKind::Depth ? &window
                                               : FindWindow(CalculationKind::Depth, window.family);
}

}  // namespace

std::string DesignMisfit(const WindowSpec& window, const DesignRequest& request) {
  if (std::string misfit = ModeMisfit(window, request); !misfit.empty()) return misfit;
  if (request.sizeForIncreased && !request.flows) {
    return "sizing for the increased discharge needs the canal's flows (--increased, --least)";
  }
  if (!request.flows) return {};
  const WindowSpec* depth = DepthWindowOf(window);
  if (request.mode == DesignMode::Size || depth == nullptr || !TakesFlows(*depth)) {
    return "the canal's flows go with the design of an open channel, not " +
           std::string(window.name);
  }
  return FlowMisfit(*depth, *request.flows);
}

design::DesignResult RunDesign(const WindowSpec& window, std::span<const std::string> boxTexts,
                               const DesignRequest& request, const CheckLimits& limits) {
  switch (request.mode) {
    case DesignMode::SolveBox:
      return design::SolveForBox(window, boxTexts, request.box, request.discharge);
    case DesignMode::Ratio: return design::SolveProportions(window, boxTexts, request.ratio);
    case DesignMode::Best: return design::SolveBestProportions(window, boxTexts);
    case DesignMode::Size: break;
  }
  // Sized to the rule its kind of section is judged by (or the one chosen).
  return design::SizeSmallestTunnel(window, boxTexts,
                                    {limits.clearanceAreaPercent, limits.clearanceHeight,
                                     RuleFor(window, limits) == ClearanceRule::FillRatio});
}

CaseRecord RecordPress(const WindowSpec& window, std::span<const std::string> boxTexts,
                       const CheckLimits& limits, RecordWants wants) {
  CaseRecord r = Typed(window, boxTexts, limits);
  ResultPane pane = wants.lines ? ResultPane() : ResultPane::Tally();
  r.press = PressWithCase(window, r.readings, pane);
  r.outcome = r.press.outcome;
  r.printed = pane.TakeLines();
  if (wants.checks) r.checks = EngineeringChecks(window, r.texts, r.readings, r.press, limits);
  return r;
}

CaseRecord RecordFlows(const WindowSpec& window, std::span<const std::string> boxTexts,
                       const FlowRequest& request, const CheckLimits& limits) {
  CaseRecord r = RecordPress(window, boxTexts, limits);
  r.flowRequest = request;
  // A refused press prints its block alone, as without the combination.
  if (!r.IsReport()) return r;
  std::string why;
  r.flows = CombineFlows(window, r.texts, r.press, request, limits, why);
  ResultPane pane;
  if (r.flows) {
    PrintFlows(pane, *r.flows);
  } else {
    PrintFlowsRefused(pane, why);
  }
  for (std::string& line : pane.TakeLines()) r.printed.push_back(std::move(line));
  return r;
}

namespace {

std::vector<CaseRecord> RecordAnswers(const WindowSpec& window,
                                      std::span<const std::string> boxTexts,
                                      const DesignRequest& request, const CheckLimits& limits) {
  design::DesignResult result = RunDesign(window, boxTexts, request, limits);
  const WindowSpec& reporting = result.window != nullptr ? *result.window : window;
  std::vector<CaseRecord> records;
  if (result.solutions.empty()) {
    CaseRecord r = Typed(window, boxTexts, limits);
    r.design = request;
    r.reporting = &reporting;
    r.outcome = design::PressOutcomeOf(result.outcome);
    r.press.outcome = r.outcome;
    r.printed = result.pane.Lines();
    r.checks = EngineeringChecks(window, r.texts, r.press, limits);
    records.push_back(std::move(r));
    return records;
  }
  const size_t count = result.solutions.size();
  for (size_t k = 0; k < count; ++k) {
    design::Solution& s = result.solutions[k];
    CaseRecord r = Typed(window, boxTexts, limits);
    r.design = request;
    r.answer = DesignAnswer{s.value, s.depth, s.line, result.box, k, count};
    r.reporting = &reporting;
    r.reportingTexts = std::move(s.texts);
    r.press = std::move(s.press);
    r.outcome = r.press.outcome;
    r.printed.push_back(s.line);
    r.printed.insert(r.printed.end(), s.report.Lines().begin(), s.report.Lines().end());
    r.checks = EngineeringChecks(reporting, r.reportingTexts, r.press, limits);
    records.push_back(std::move(r));
  }
  return records;
}

}  // namespace

void Rejudge(CaseRecord& r, const CheckLimits& limits) {
  // The block of a flow combination judges the velocity by the limits too.
  if (r.flowRequest && !r.design) {
    r = RecordFlows(*r.window, r.texts, *r.flowRequest, limits);
    return;
  }
  r.limits = limits;
  r.checks = EngineeringChecks(*r.reporting, r.reportingTexts, r.press, limits);
}

ResultPane PrintedPane(std::span<const CaseRecord> records) {
  ResultPane pane;
  for (const CaseRecord& r : records) {
    for (const std::string& line : r.printed) pane.Text(line).EndLine();
  }
  return pane;
}

bool ProfileFits(const CaseRecord& record) {
  return record.IsReport() && record.reporting != nullptr &&
         record.reporting->kind == CalculationKind::Depth;
}

WindowProfile RecordProfile(const CaseRecord& record, const ProfileRequest& request) {
  return ProfileOfWindow(*record.reporting, record.reportingTexts, request);
}

namespace {

std::string DischargeText(double q) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", q);
  return text;
}

// The depth window's texts of an answer's section, its discharge box `q`: the
// boxes of the family's windows share their names.
std::vector<std::string> DepthTextsOf(const CaseRecord& r, const WindowSpec& depth,
                                      const std::string& q) {
  std::vector<std::string> texts;
  for (const BoxSpec& box : depth.boxes) {
    std::string text = box.role == BoxRole::Discharge ? q : std::string();
    for (size_t k = 0; k < r.reporting->boxes.size() && box.role != BoxRole::Discharge; ++k) {
      if (r.reporting->boxes[k].name == box.name && k < r.reportingTexts.size())
        text = r.reportingTexts[k];
    }
    texts.push_back(std::move(text));
  }
  return texts;
}

// The block of the three discharges after an answer's report.
void AddFlows(CaseRecord& r, const WindowSpec& depth, const std::string& q,
              const FlowRequest& request, const CheckLimits& limits) {
  const std::vector<std::string> texts = DepthTextsOf(r, depth, q);
  ResultPane scratch, pane;
  const PressResult press = PressWithCase(depth, texts, scratch);
  std::string why = "设计流量下的断面未给出计算成果";
  if (press.outcome == PressOutcome::Report) {
    r.flows = CombineFlows(depth, texts, press, request, limits, why);
  }
  if (r.flows) {
    PrintFlows(pane, *r.flows);
  } else {
    PrintFlowsRefused(pane, why);
  }
  for (std::string& line : pane.TakeLines()) r.printed.push_back(std::move(line));
}

}  // namespace

std::vector<CaseRecord> RecordDesign(const WindowSpec& window,
                                     std::span<const std::string> boxTexts,
                                     const DesignRequest& request, const CheckLimits& limits) {
  const WindowSpec* depth = DepthWindowOf(window);
  if (!request.flows || depth == nullptr || !DesignMisfit(window, request).empty()) {
    return RecordAnswers(window, boxTexts, request, limits);
  }
  // The design discharge: the one asked for, or the discharge box of the
  // proportioned channel's depth window.
  std::vector<std::string> texts(boxTexts.begin(), boxTexts.end());
  texts.resize(window.boxes.size());
  std::string* qBox = nullptr;
  for (size_t k = 0; k < window.boxes.size(); ++k) {
    if (window.boxes[k].role == BoxRole::Discharge) qBox = &texts[k];
  }
  const bool solve = request.mode == DesignMode::SolveBox;
  const std::string q = solve ? DischargeText(request.discharge) : qBox ? *qBox : std::string();
  const NumberReading read = ReadNumber(q);
  DesignRequest sized = request;
  if (request.sizeForIncreased && read.valid && !read.partial && read.value > 0.0) {
    const FlowRequest& f = *request.flows;
    const double increased =
        f.increased ? *f.increased
                    : read.value * f.coefficient.value_or(IncreaseCoefficient(read.value));
    if (solve) {
      sized.discharge = increased;
    } else if (qBox != nullptr) {
      *qBox = DischargeText(increased);
    }
  }
  std::vector<CaseRecord> records = RecordAnswers(window, texts, sized, limits);
  for (CaseRecord& r : records) {
    r.texts.assign(boxTexts.begin(), boxTexts.end());
    r.texts.resize(window.boxes.size());
    r.readings = BoxReadings(window, r.texts);
    r.design = request;
    if (r.answer && r.IsReport()) AddFlows(r, *depth, q, *request.flows, limits);
  }
  return records;
}

}  // namespace tarnwick
