// The record of one case: what was typed, what was read, what the press found
// and printed, and how the checks judged it against which limits. A press makes
// its record once; the pane, the check panel, the case table, the drawing, the
// curve, the book, JSON and the project file all read the record, so none of
// them works the case out again from the box texts on a road of its own.
//
// A plain press makes one record. A design press makes one record per answer
// (every root of the unknown is an answer, each with its line and report), or a
// single record of its refusal; each carries the design request it came from.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "Checks.h"
#include "Design.h"
#include "FlowCombination.h"
#include "Profile.h"
#include "WindowCatalog.h"
#include "core/ReadNumber.h"

namespace tarnwick {

// What a design press asks for. The command line (--solve, --ratio, --best,
// --size) and the design window build this one request; RunDesign answers it.
enum class DesignMode { SolveBox, Ratio, Best, Size };

struct DesignRequest {
  DesignMode mode = DesignMode::SolveBox;
  std::string box;         // SolveBox: the name of the unknown box
  double discharge = 0.0;  // SolveBox: the design discharge, m³/s
  double ratio = 0.0;      // Ratio: the bottom width over the depth, B/h
  // Size sizes to the clearance limits of the case's CheckLimits.
  // A canal designed at three discharges (the open channels' SolveBox, Ratio and
  // Best): each answer's report is followed by the block of the design,
  // increased and least discharges; with sizeForIncreased the section is sized
  // to carry the increased discharge rather than the design one.
  std::optional<FlowRequest> flows;
  bool sizeForIncreased = false;
  friend bool operator==(const DesignRequest&, const DesignRequest&) = default;
};

// Whether a request fits a window (empty) or why not, in words for the user.
std::string DesignMisfit(const WindowSpec& window, const DesignRequest& request);

// Runs a design request on the window whose boxes were typed.
design::DesignResult RunDesign(const WindowSpec& window, std::span<const std::string> boxTexts,
                               const DesignRequest& request, const CheckLimits& limits);

// The answer of a design case: the solved value and the line that names it.
struct DesignAnswer {
  double value = 0.0;    // the solved box's value, B of proportions, or the scale s
  double depth = 0.0;    // proportions: the depth solved for
  std::string line;      // "求解 渠 底 宽 B= 2.35 m"
  std::string_view box;  // the box solved (the width box of proportions); empty for sizing
  size_t index = 0;      // which of the press's answers, from 0
  size_t count = 1;      // how many answers the press found
};

struct CaseRecord {
  const WindowSpec* window = nullptr;   // the window whose boxes were typed
  std::vector<std::string> texts;       // the box texts exactly as typed, one a box
  std::vector<NumberReading> readings;  // how each text read (value, range, in part)
  std::optional<DesignRequest> design;  // a design case: what was asked
  std::optional<DesignAnswer> answer;   // a design that found a value
  // The press that is reported: the typed window's own for a plain case; for a
  // design answer the window and texts of the section solved (the depth window
  // for proportions and sizing), the answer typed in place.
  const WindowSpec* reporting = nullptr;
  std::vector<std::string> reportingTexts;
  PressOutcome outcome = PressOutcome::InputError;
  // The typed result of the reported press, with PressDetail::Case: the state,
  // the search, the closed section's figures, the family's own values, the fits
  // and the section case to draw and rate; empty (outcome only) for a refused design.
  PressResult press;
  // A canal checked at three discharges: what was asked, and, when every press
  // gave a report, the combination (its block is among the printed lines).
  std::optional<FlowRequest> flowRequest;
  std::optional<FlowCombination> flows;
  std::vector<std::string> printed;  // the lines the press printed for this case
  CheckLimits limits;                // what the checks were judged against
  std::vector<Check> checks;
  // The water-surface profile asked of this case (reach, control, step, bed), kept
  // with it; the profile itself is computed from the reported texts (RecordProfile).
  std::optional<ProfileRequest> profile;

  bool IsReport() const { return outcome == PressOutcome::Report; }
  bool IsClosed() const { return reporting != nullptr && reporting->closed; }
  // The height drawn over the case's water-surface profile: a closed section's
  // crown, or the channel depth H = h加大 + Fb of an open channel designed with
  // its flows; 0 when none is known (the section drawing's frame is no bank).
  double ProfileTop() const {
    if (press.closed) return press.closed->crown;
    return flows ? flows->channelDepth : 0.0;
  }
};

// What a record is to hold besides the typed result. Output that reads only the
// typed result (JSON Lines with nothing saved or booked) goes without the printed
// lines: the report is then judged as printed (a figure that is not finite
// refuses it) but not formatted; and without the checks when it leaves them out.
struct RecordWants {
  bool lines = true;
  bool checks = true;
};

// One press of a window's compute button, recorded with its checks.
CaseRecord RecordPress(const WindowSpec& window, std::span<const std::string> boxTexts,
                       const CheckLimits& limits, RecordWants wants = {});
// The same press with the flow combination of a canal (FlowMisfit must be empty):
// the seed report for the design discharge, then the block of the three.
CaseRecord RecordFlows(const WindowSpec& window, std::span<const std::string> boxTexts,
                       const FlowRequest& request, const CheckLimits& limits);

// One design press, recorded: one record an answer, or one of the refusal.
std::vector<CaseRecord> RecordDesign(const WindowSpec& window,
                                     std::span<const std::string> boxTexts,
                                     const DesignRequest& request, const CheckLimits& limits);

// The record's checks judged again against other limits, which it then keeps.
void Rejudge(CaseRecord& record, const CheckLimits& limits);

// Whether a profile can be asked of the record: a reported case of a depth window.
bool ProfileFits(const CaseRecord& record);
// The profile of the record's request, computed from its reported texts.
WindowProfile RecordProfile(const CaseRecord& record, const ProfileRequest& request);

// The pane's lines of records, in order, as the window shows them.
ResultPane PrintedPane(std::span<const CaseRecord> records);

}  // namespace tarnwick
