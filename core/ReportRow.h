// Line shapes shared by every report, and the display roundings of reported values.
#pragma once

#include <string_view>

#include "ResultPane.h"

namespace tarnwick {

// Reported values are cut to d decimals as Int(x × 10^d + 0.5) / 10^d, Int being
// the floor; the product is formed first and the division last.
double RoundDisplay(double x, int decimals = 5);
// Floor(scaled + add) / divisor, for the rows that round in their own way
// (three decimals with 0.3 added, percentages, ratios formed inside the rounding).
double RoundScaled(double scaled, double add, double divisor);
// The slope denominator shown back from i: Int(100000 / i + 0.5) / 100000.
double RoundSlope(double i);
// Width-to-depth ratio: Int(B1 × 100000 / h + 0.5) / 100000.
double RoundRatio(double width, double depth);
// Areas and perimeters of the tunnel reports: three decimals with 0.3 added
// before the integer part, Int(x × 1000 + 0.3) / 1000.
double ThreeDecimals(double x);
// An angle in radians shown in degrees: Int(a × 100000 × 180 / 3.1415926 + 0.5) / 100000.
double RoundDegrees(double radians);

struct Field {
  Label label;  // ends in "="
  double value;
};

void Banner(ResultPane& pane, std::string_view banner);
// label 1, value 1, Tab(c1), label 2, value 2, Tab(c2), label 3, value 3.
void ReportRow(ResultPane& pane, int c1, int c2, Field f1, Field f2, Field f3);
// label 1, value 1, Tab(c1), label 2, value 2.
void ShortRow(ResultPane& pane, int c1, Field f1, Field f2);
// label, value.
void SingleRow(ResultPane& pane, Field f);
void Separator(ResultPane& pane);

// The two rows that open the flow part of the city-gate, horseshoe and
// three-centred-arch reports: "设计流量Q=" (depth window only), "糙率N=", "纵坡I= 1/",
// then "计算流量Q1=", "正常水深H=", "流速V=" of the reported state.
void TunnelFlowRows(ResultPane& pane, int c1, int c2, bool depthKind, double q, double n, double i,
                    double q1, double h, double v);
void InputErrorBlock(ResultPane& pane, std::string_view message);

inline constexpr std::string_view kSeparatorLine = "===========================";
inline constexpr std::string_view kDataInputError = "数据输入错误,请重新输入！";
inline constexpr std::string_view kWidthInputError = "渠宽数据输入错误,请重新输入！";
inline constexpr std::string_view kDepthTooGreat = "水深大于隧洞高度,请重新输入！";

// What one press of the compute button printed.
enum class PressOutcome { Report, InputError, WidthError, Capacity, DepthTooGreat };

// Prints the block of a refused press (input error, channel width, depth above
// the crown) and gives the outcome back.
PressOutcome Refuse(ResultPane& pane, PressOutcome outcome);

// Prints a report, unless one of its numbers is not finite: a figure that is
// infinite or undefined is never shown to a designer; the report is then taken
// back and the press prints the data input error instead. The report is printed
// straight into the pane, so a press costs no copy of its lines.
template <typename Print>
PressOutcome PrintGuarded(ResultPane& pane, PressOutcome outcome, Print&& print) {
  const ResultPane::Mark mark = pane.Here();
  print(pane);
  if (!pane.PrintedNonFiniteSince(mark)) return outcome;
  pane.Rewind(mark);
  InputErrorBlock(pane, kDataInputError);
  return PressOutcome::InputError;
}

}  // namespace tarnwick
