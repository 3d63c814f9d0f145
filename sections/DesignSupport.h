// What the design solvers share: trial presses, box lookups by name and role,
// the texts an answer is typed back with, and the lines and blocks they print.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Design.h"

namespace tarnwick::design::detail {

// The shortest text that reads back to exactly x, so a report pressed from the
// answer's texts is the report of the answer itself.
std::string BoxText(double x);
// A label's words without blanks and the equals sign: "渠 底 宽 B=" -> "渠底宽B".
std::string LabelWords(std::string_view label);

std::optional<size_t> BoxIndex(const WindowSpec& window, std::string_view name);
std::optional<size_t> RoleIndex(const WindowSpec& window, BoxRole role);

// One silent press of a window on box values.
PressResult Trial(const WindowSpec& window, std::span<const double> boxes);

// Values for window `to` from the same-named boxes of `from`; the box of `to` for
// the discharge or the depth takes `value`.
std::vector<double> CompanionValues(const WindowSpec& from, std::span<const double> fromBoxes,
                                    const WindowSpec& to, double value);

// The box texts padded or cut to the window's boxes.
std::vector<std::string> TextsOf(const WindowSpec& window, std::span<const std::string> boxTexts);

// "label value unit" of a box at a value, as the reports round it; a slope box
// shows its denominator as "1/ D".
void Figure(ResultPane& line, const BoxSpec& box, double value);
// The first line of a pane that holds one statement.
std::string LineOf(const ResultPane& line);

// The answer typed back as texts and pressed into its report.
Solution Answer(const WindowSpec& window, std::vector<std::string> texts, double value);
// The result of refusing, printing one block with the message.
DesignResult Refused(const WindowSpec* window, DesignOutcome outcome, std::string_view message);
// The result of answering: each solution's line and report printed into the pane.
DesignResult Answered(const WindowSpec* window, std::string_view box,
                      std::vector<Solution> solutions);

inline constexpr std::string_view kNotSolvable = "该数据不能求解,请重新选择！";
inline constexpr std::string_view kNoValueCarries = "取任何值均不能通过设计流量,请重新输入！";
inline constexpr std::string_view kDoesNotAct = "不影响此水深的流量,不能求解,请重新选择！";
inline constexpr std::string_view kNoEffect = "不影响此水深的流量,流量恒为Q1=";
inline constexpr std::string_view kNoEffectCarries = ",不能通过设计流量,请重新输入！";
inline constexpr std::string_view kTunnelTooLow = "能通过设计流量的隧洞高度不大于水深,请重新输入！";

}  // namespace tarnwick::design::detail
