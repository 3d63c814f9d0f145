// Texts and styles that belong to the windows only: menu and toolbar captions,
// the pane font. The data of each window (captions, boxes, units, shape buttons,
// calculator) lives in the window table of sections/.
#pragma once

#include <QFont>
#include <QString>
#include <array>

class QWidget;

namespace tarnwick::ui {

inline const QString kProductTitle = QStringLiteral("Tarnwick");
// The toolbars' title, which the main window's context menu lists to show or
// hide them.
inline const QString kToolbarTitle = QStringLiteral("工具栏");

// Toolbar of the calculation window: index 1..9 as the user counts the buttons.
enum class ToolIcon { None, Clean, Print, Return, Exit, Section, Curve, Help };
struct ToolButtonSpec {
  int index;
  QString toolTip;  // empty for a separator
  ToolIcon icon;
};
const std::array<ToolButtonSpec, 9>& CalculationToolbar();

// The CJK sans face of the Chinese texts.
QString CjkFace();

// A Chinese text whose punctuation or full-width letters would otherwise come
// from a Latin face: full-width forms and CJK punctuation, or quotation marks,
// dashes and ellipses among Chinese characters. A Latin face draws “ ” — …
// narrow and off-centre beside the full-width signs of the CJK face.
bool NeedsCjkFace(const QString& text);

// Gives every label, button and group box title under `root` (and `root`
// itself) whose text needs it the CJK face, keeping its size and weight.
void UseCjkFaceWhereNeeded(QWidget* root);

// The output pane font: a CJK monospace face in which a Latin letter is exactly
// half as wide as a Chinese character, at a pixel size where both advances are
// whole pixels, so that the report columns line up.
QFont PaneFont();

}  // namespace tarnwick::ui
