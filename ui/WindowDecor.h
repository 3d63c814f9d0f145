// Texts and styles that belong to the windows only: menu and toolbar captions,
// the arc-bottom shape buttons, the pane font. The hydraulic data of each window
// (captions, boxes, calculator) lives in the window table of sections/.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <array>
#include <optional>
#include <string_view>

namespace tarnwick::ui {

inline const QString kProductTitle = QStringLiteral("Tarnwick");
// The toolbars' title, which the main window's context menu lists to show or
// hide them.
inline const QString kToolbarTitle = QStringLiteral("工具栏");

// The two shape buttons of the arc-bottom windows. Option1 prepares the boxes for
// the rectangular channel (side slope fixed at 0, width typed), Option2 for the
// trapezoidal one (side slope typed, width derived from it).
struct ShapeButtons {
  QColor readOnlyColour;  // back colour of the buttons, also of a locked box
};

// Shape buttons of a window, if it has them (keyed by window name).
std::optional<ShapeButtons> ShapeButtonsOf(std::string_view windowName);

// Toolbar of the calculation window: index 1..9 as the user counts the buttons.
enum class ToolIcon { None, Clean, Print, Return, Exit, Section, Curve, Help };
struct ToolButtonSpec {
  int index;
  QString toolTip;  // empty for a separator
  ToolIcon icon;
};
const std::array<ToolButtonSpec, 9>& CalculationToolbar();

// The output pane font: a CJK monospace face in which a Latin letter is exactly
// half as wide as a Chinese character, at a pixel size where both advances are
// whole pixels, so that the report columns line up.
QFont PaneFont();

}  // namespace tarnwick::ui
