// The calculation windows as data: caption, input boxes in reading
// order, and the calculator one press of "确 定" runs. The windows of the desktop
// program and the command-line companion are both built from this one table, so
// they print the same lines for the same box texts.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/ReadNumber.h"
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
  ParabolicChannel,
  BoxCulvert,
};

// What a box holds, for the capabilities that treat boxes by kind: the design
// solvers pick their unknowns among dimensions, roughness and slope, scaling a
// section touches only the lengths (unit "m").
enum class BoxRole { Dimension, ShapeChoice, Roughness, Slope, Discharge, Depth };

struct BoxSpec {
  std::string_view name;       // control name, e.g. "Text2"
  std::string_view label;      // label beside the box
  std::string_view toolTip;    // empty when the box has none
  std::string_view hint = {};  // second label under the first, if any
  // Read only when the calculator asks for it (the arc-bottom width): a number
  // out of range is then handed over as an infinity for the calculator to judge.
  bool readOnDemand = false;
  std::string_view symbol = {};  // the quantity's symbol, e.g. "B", "n", "Q"
  std::string_view unit = {};    // "m", "°", "m³/s"; empty for pure numbers
  BoxRole role = BoxRole::Dimension;
  // Row of the input grid the box stands in, for windows that group their boxes
  // by part of the section; -1 lets the boxes flow in reading order.
  int row = -1;
};

// A radio button that prepares the boxes for one shape of a family: it fixes one
// box at a text and locks it (tinted), and opens another for typing.
struct ShapeOption {
  std::string_view name;        // control name, e.g. "Option1"
  std::string_view caption;     // "矩形渠"
  std::string_view lockedBox;   // the box fixed by this shape
  std::string_view lockedText;  // its fixed text ("0"), empty to clear it
  std::string_view openBox;     // the box this shape asks for
  bool clearOpenBox = false;    // whether choosing the shape empties that box
  bool initial = false;         // the shape chosen when the window opens
};

// A symbol of a family's formulas that is not a box of its windows.
struct FormulaSymbol {
  std::string_view symbol;   // "θ"
  std::string_view meaning;  // "弓形所对圆心角"
  std::string_view unit;     // "rad"; empty for pure numbers
};

// A section family as the selection window offers it.
struct FamilySpec {
  Family family;
  int position;                 // place among the selection window's buttons, from 0
  std::string_view id;          // command-line name, e.g. "flat-bottom"
  std::string_view option;      // control name of its selection button, "Option4"
  std::string_view optionText;  // "平底矩形、梯形渠"
  std::string_view title;  // "平底矩形渠、平底梯形渠", the drawing's default title stem
  // Box texts of a typical section (of the discharge window), from which the
  // selection picture draws the family's outline.
  std::vector<std::string_view> sample;
  // The section's area and wetted perimeter in symbols, for the calculation book.
  std::vector<std::string_view> formulas = {};
  // The symbols of `formulas` beyond the boxes and the common ones (W, X, R…).
  std::vector<FormulaSymbol> symbols = {};
};

const std::vector<FamilySpec>& Families();
const FamilySpec& FamilyOf(Family family);

// A quantity of a computed case under the symbol its report prints it with.
struct NamedValue {
  std::string_view symbol;
  double value;
};
using NamedValues = std::vector<NamedValue>;

// A case as one press computes it: the section, the state at the depth of the
// case (the typed depth, or the normal depth found by the window's own search)
// and the discharge (the design discharge, or the one computed at the depth).
struct SectionCase {
  SectionModel model;
  SectionState state;
  double discharge = 0.0;
};

// A dimension a family derives from the typed ones that must meet another typed
// one for the section to be built as drawn: a city-gate roof arch stands on its
// own chord 2·R1·sin(A1/2), which has to span the width B between the walls. The
// window still computes and reports what was typed; the checks compare the two.
struct ShapeFit {
  std::string_view name;            // machine name of the check, e.g. "roof_chord"
  std::string_view label;           // the derived dimension, "顶拱弦长2·R1·sin(A1/2)"
  std::string_view referenceLabel;  // the dimension it must meet, "隧洞宽B"
  double derived = 0.0;             // m
  double reference = 0.0;           // m
};

// What kind of section a window computes, for the rules that differ by kind (the
// clearance above the water): set where the family registers.
enum class ClosedKind {
  Open,             // an open channel: no clearance
  Tunnel,           // a free-surface tunnel
  CircularConduit,  // a circular tunnel or pipe
  BoxCulvert,       // a rectangular box culvert
};

// How much a press hands back beside what it prints: the outcome alone (the
// window's button, the command's text), or also the named values and the case.
// Silent gives the outcome and named values of the press but prints nothing
// into the pane, for the solvers that try many sections; the report is still
// formatted aside, so that it refuses exactly what the press refuses.
enum class PressDetail { Outcome, Case, Silent };

// The figures of a closed section (a tunnel, pipe or culvert) beside its state:
// its height and full area, the full-section discharge and, for a report, what
// is left clear above the water. Given with PressDetail::Case or Silent.
struct ClosedFigures {
  double crown = 0.0;                 // m, height of the crown above the invert
  double fullArea = 0.0;              // m²
  double qmax = 0.0;                  // m³/s, Manning discharge of the full section
  double clearanceHeight = 0.0;       // m, crown − h (reports only)
  double clearanceAreaPercent = 0.0;  // %, 100·(W0 − W)/W0 (reports only)
};

struct PressResult {
  PressOutcome outcome = PressOutcome::InputError;
  // With PressDetail::Case or Silent, for a report: the state reported (h, W, X,
  // RS, V, Q1, B1, E unrounded) and the family's own quantities under their
  // report symbols (for JSON, which writes them by those names).
  std::optional<SectionState> state;
  NamedValues familyValues;
  // Closed sections, with PressDetail::Case or Silent: on a report, and on a
  // capacity block (which has no clearances).
  std::optional<ClosedFigures> closed;
  int passes = 0;          // depth windows: the search pass that stopped
  bool converged = false;  // the search met the discharge (always, for a depth typed)
  std::optional<SectionCase> sectionCase;  // with PressDetail::Case, exactly for a report
  // With PressDetail::Case or Silent, for a report: the family's dimensions that
  // must fit each other (see ShapeFit); empty for families without any.
  std::vector<ShapeFit> fits;
};

// The boxes of a channel whose width-to-depth ratio a designer may choose: the
// bottom width, which scales with the depth, and the side slope the hydraulically
// best trapezoid follows from.
struct ProportionBoxes {
  std::string_view width;      // e.g. "Text2"
  std::string_view sideSlope;  // e.g. "Text3"
};

// One press on the numbers read from the boxes, in box order.
using RunFunction = PressResult (*)(std::span<const double> boxes, ResultPane& pane,
                                    PressDetail detail);

struct WindowSpec {
  std::string_view name;           // "Form21"
  std::string_view caption;        // window title
  std::string_view resultCaption;  // heading over the output pane
  CalculationKind kind;
  Family family;
  std::vector<BoxSpec> boxes;   // in reading order
  std::string_view projectBox;  // the box for the project and channel name
  RunFunction run;
  std::vector<ShapeOption> shapes = {};  // shape buttons over the boxes, if any
  uint32_t shapeTint = 0;                // 0xRRGGBB of the shape buttons and locked boxes
  std::optional<ProportionBoxes> proportions = {};  // families of a chosen width-to-depth ratio
  // A closed section (tunnel, pipe, culvert): set where the family registers,
  // from whether it keeps the closed-section part of the contract.
  bool closed = false;
  ClosedKind closedKind = ClosedKind::Open;
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
std::optional<SectionModel> ModelOf(const WindowSpec& window,
                                    std::span<const std::string> boxTexts);

// Empty when the press would refuse the box texts or the window offers no model.
std::optional<SectionCase> CaseOf(const WindowSpec& window, std::span<const std::string> boxTexts);

// The depth range of the stage–discharge curve: up to the crown for a tunnel,
// twice the depth of the case for an open channel.
double RatingTop(const SectionCase& c);

// One press of the compute button: reads each box text as a number and runs the
// calculator. Missing texts read as empty boxes.
PressOutcome Press(const WindowSpec& window, std::span<const std::string> boxTexts,
                   ResultPane& pane);
// The same press with its named values and case.
PressResult PressWithCase(const WindowSpec& window, std::span<const std::string> boxTexts,
                          ResultPane& pane);
// The same press on box texts read already (BoxReadings), so that a record reads
// each text once for the press, the checks and the JSON.
PressResult PressWithCase(const WindowSpec& window, std::span<const NumberReading> readings,
                          ResultPane& pane);
// How each box text reads, one a box of the window (a missing text as an empty box).
std::vector<NumberReading> BoxReadings(const WindowSpec& window,
                                       std::span<const std::string> boxTexts);

}  // namespace tarnwick
