#include "CaseRecord.h"

namespace tarnwick {

namespace {

std::vector<NumberReading> Readings(const WindowSpec& window, std::span<const std::string> texts) {
  std::vector<NumberReading> readings(window.boxes.size());
  for (size_t k = 0; k < readings.size() && k < texts.size(); ++k) {
    readings[k] = ReadNumber(texts[k]);
  }
  return readings;
}

// The typed part of a record, common to every kind of press.
CaseRecord Typed(const WindowSpec& window, std::span<const std::string> texts,
                 const CheckLimits& limits) {
  CaseRecord r;
  r.window = &window;
  r.texts.assign(texts.begin(), texts.end());
  r.texts.resize(window.boxes.size());
  r.readings = Readings(window, r.texts);
  r.reporting = &window;
  r.reportingTexts = r.texts;
  r.limits = limits;
  return r;
}

}  // namespace

std::string DesignMisfit(const WindowSpec& window, const DesignRequest& request) {
  switch (request.mode) {
    case DesignMode::SolveBox:
      if (window.kind != CalculationKind::Discharge) return "--solve needs a discharge window";
      for (const std::string_view box : design::SolvableBoxes(window)) {
        if (box == request.box) return {};
      }
      return "box '" + request.box + "' of " + std::string(window.name) +
             " cannot be solved for (a dimension, roughness or slope box)";
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
                       const CheckLimits& limits) {
  CaseRecord r = Typed(window, boxTexts, limits);
  ResultPane pane;
  r.press = PressWithCase(window, r.texts, pane);
  r.outcome = r.press.outcome;
  r.printed = pane.TakeLines();
  r.checks = EngineeringChecks(window, r.texts, r.press, limits);
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

std::vector<CaseRecord> RecordDesign(const WindowSpec& window,
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

}  // namespace tarnwick
