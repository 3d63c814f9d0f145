// The sixteen calculation windows as data: caption, input boxes in reading
// order, and the calculator one press of "确 定" runs. The windows of the desktop
// program and the command-line companion are both built from this one table, so
// they print the same lines for the same box texts.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/ReportRow.h"
#include "core/ResultPane.h"
#include "core/SectionModel.h"

namespace tarnwick {

enum class CalculationKind { Depth, Discharge };

enum class Family {
  ArcBottomChannel,
  FlatBottomChannel,
  UChannel,
  CityGateTunnel,
  CircularTunnel,
  HorseshoeTunnel,
  ThreeCentredArchTunnel,
  CompoundChannel,
};

struct BoxSpec {
  std::string_view name;     // control name, e.g. "Text2"
  std::string_view label;    // label beside the box
  std::string_view toolTip;  // empty when the box has none
  std::string_view hint = {};  // second label under the first, if any
  // Read only when the calculator asks for it (the arc-bottom width): a number
  // out of range is then handed over as an infinity for the calculator to judge.
  bool readOnDemand = false;
};

using ComputeFunction = PressOutcome (*)(std::span<const double> boxes, ResultPane& pane);
// The section of the box values, for drawing and rating; empty when the press
// would refuse them.
using ModelFunction = std::optional<SectionModel> (*)(std::span<const double> boxes);

struct WindowSpec {
  std::string_view name;           // "Form21"
  std::string_view caption;        // window title
  std::string_view resultCaption;  // heading over the output pane
  CalculationKind kind;
  Family family;
  std::vector<BoxSpec> boxes;      // in reading order
  std::string_view projectBox;     // the box for the project and channel name
  ComputeFunction compute;         // null while the family's calculator is missing
  ModelFunction model = nullptr;
};

const std::vector<WindowSpec>& Windows();
const WindowSpec* FindWindow(std::string_view name);
const WindowSpec* FindWindow(CalculationKind kind, Family family);

// The box texts read as numbers; empty when a box the window always reads holds
// a number out of range.
std::optional<std::vector<double>> ReadBoxes(const WindowSpec& window,
                                             std::span<const std::string> boxTexts);

// The section of a window's box texts; empty when the press would refuse them
// or the window offers no model.
std::optional<SectionModel> ModelOf(const WindowSpec& window, std::span<const std::string> boxTexts);

// A case as one press computes it: the section, the state at the depth of the
// case (the typed depth, or the normal depth found by the window's own search)
// and the discharge (the design discharge, or the one computed at the depth).
struct SectionCase {
  SectionModel model;
  SectionState state;
  double discharge = 0.0;
};

// Empty when the press would refuse the box texts or the window offers no model.
std::optional<SectionCase> CaseOf(const WindowSpec& window, std::span<const std::string> boxTexts);

// The depth range of the stage–discharge curve: up to the crown for a tunnel,
// twice the depth of the case for an open channel.
double RatingTop(const SectionCase& c);

// One press of the compute button: reads each box text as a number and runs the
// calculator. Missing texts read as empty boxes.
PressOutcome Press(const WindowSpec& window, std::span<const std::string> boxTexts,
                   ResultPane& pane);

}  // namespace tarnwick
