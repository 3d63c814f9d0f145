// Pictures drawn by the program itself: the cross-sections it computes (for the
// splash and selection windows), the toolbar icons and the program icon.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QRectF>

#include "WindowDecor.h"

class QPainter;

namespace tarnwick::ui {

enum class SectionShape {
  Trapezoid,
  ArcBottom,
  UChannel,
  Compound,
  CityGate,
  Circle,
  Horseshoe,
  ThreeCentredArch,
};

// One cross-section, its wetted part shaded, fitted into `box`.
void DrawSection(QPainter& painter, const QRectF& box, SectionShape shape);

QIcon ToolbarIcon(ToolIcon icon);
QPixmap ProgramIcon(int size);

}  // namespace tarnwick::ui
