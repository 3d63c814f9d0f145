#include "WindowCatalog.h"

#include <algorithm>

#include "ArcBottomChannel.h"
#include "BoxCulvert.h"
#include "CircularTunnel.h"
#include "CityGateTunnel.h"
#include "CompoundChannel.h"
#include "FlatBottomChannel.h"
#include "HorseshoeTunnel.h"
#include "ParabolicChannel.h"
#include "ThreeCentredArchTunnel.h"
#include "UChannel.h"
#include "core/ReadNumber.h"

namespace tarnwick {

namespace {

struct Table {
  std::vector<WindowSpec> windows;
  std::vector<FamilySpec> families;
};

// Every family of the program, each adding its depth and discharge window.
Table BuildTable() {
  Table t;
  ArcBottomChannel::AddWindows(t.windows, t.families);
  FlatBottomChannel::AddWindows(t.windows, t.families);
  UChannel::AddWindows(t.windows, t.families);
  CompoundChannel::AddWindows(t.windows, t.families);
  CityGateTunnel::AddWindows(t.windows, t.families);
  CircularTunnel::AddWindows(t.windows, t.families);
  HorseshoeTunnel::AddWindows(t.windows, t.families);
  ThreeCentredArchTunnel::AddWindows(t.windows, t.families);
  ParabolicChannel::AddWindows(t.windows, t.families);
  BoxCulvert::AddWindows(t.windows, t.families);
  std::stable_sort(
      t.families.begin(), t.families.end(),
      [](const FamilySpec& a, const FamilySpec& b) { return a.position < b.position; });
  return t;
}

const Table& TheTable() {
  static const Table table = BuildTable();
  return table;
}

}  // namespace

const std::vector<WindowSpec>& Windows() { return TheTable().windows; }

const std::vector<FamilySpec>& Families() { return TheTable().families; }

const FamilySpec& FamilyOf(Family family) {
  for (const FamilySpec& f : Families()) {
    if (f.family == family) return f;
  }
  return Families().front();
}

const WindowSpec* FindWindow(std::string_view name) {
  for (const WindowSpec& w : Windows()) {
    if (w.name == name) return &w;
  }
  return nullptr;
}

const WindowSpec* FindWindow(CalculationKind kind, Family family) {
  for (const WindowSpec& w : Windows()) {
    if (w.kind == kind && w.family == family) return &w;
  }
  return nullptr;
}

std::vector<NumberReading> BoxReadings(const WindowSpec& window,
                                       std::span<const std::string> boxTexts) {
  std::vector<NumberReading> readings(window.boxes.size());
  for (size_t k = 0; k < readings.size() && k < boxTexts.size(); ++k) {
    readings[k] = ReadNumber(boxTexts[k]);
  }
  return readings;
}

namespace {

// The values of the boxes, `reading(k)` giving how box k reads; empty when a box
// the window always reads holds a number out of range.
template <class Reading>
std::optional<std::vector<double>> ValuesRead(const WindowSpec& window, Reading reading) {
  std::vector<double> values(window.boxes.size(), 0.0);
  for (size_t k = 0; k < window.boxes.size(); ++k) {
    const NumberReading r = reading(k);
    values[k] = r.value;
    if (!r.valid && !window.boxes[k].readOnDemand) return std::nullopt;
  }
  return values;
}

}  // namespace

std::optional<std::vector<double>> ReadBoxes(const WindowSpec& window,
                                             std::span<const std::string> boxTexts) {
  // Read in place, without a vector of readings: the plain batch's every press.
  return ValuesRead(window, [&](size_t k) {
    return k < boxTexts.size() ? ReadNumber(boxTexts[k]) : NumberReading{};
  });
}

PressResult PressWithCase(const WindowSpec& window, std::span<const std::string> boxTexts,
                          ResultPane& pane) {
  return PressWithCase(window, BoxReadings(window, boxTexts), pane);
}

PressResult PressWithCase(const WindowSpec& window, std::span<const NumberReading> readings,
                          ResultPane& pane) {
  const auto values = ValuesRead(
      window, [&](size_t k) { return k < readings.size() ? readings[k] : NumberReading{}; });
  if (!values) {
    PressResult refused;
    refused.outcome = Refuse(pane, PressOutcome::InputError);
    return refused;
  }
  return window.run(*values, pane, PressDetail::Case);
}

PressOutcome Press(const WindowSpec& window, std::span<const std::string> boxTexts,
                   ResultPane& pane) {
  const auto values = ReadBoxes(window, boxTexts);
  if (!values) return Refuse(pane, PressOutcome::InputError);
  return window.run(*values, pane, PressDetail::Outcome).outcome;
}

// The case exists exactly when the press prints a report: both come from the
// same run of the window's calculator.
std::optional<SectionCase> CaseOf(const WindowSpec& window, std::span<const std::string> boxTexts) {
  ResultPane scratch;
  return PressWithCase(window, boxTexts, scratch).sectionCase;
}

std::optional<SectionModel> ModelOf(const WindowSpec& window,
                                    std::span<const std::string> boxTexts) {
  std::optional<SectionCase> c = CaseOf(window, boxTexts);
  if (!c) return std::nullopt;
  return std::move(c->model);
}

double RatingTop(const SectionCase& c) {
  return c.model.IsTunnel() ? c.model.crown : 2.0 * c.state.h;
}

}  // namespace tarnwick
