// Pictures drawn by the program itself: the cross-sections it computes (the
// splash's hand-drawn ones and the selection window's drawn to scale), the toolbar icons and the
// program icon.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QRectF>

#include "WindowDecor.h"
#include "core/SectionModel.h"

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

// A section from its drawn boundary (x across, y up, in metres), kept to scale and
// fitted into `box`: water to the level `waterLevel`; an open channel stands in
// ground and its top is left open.
void DrawOutline(QPainter& painter, const QRectF& box, const Outline& outline, double waterLevel,
                 bool closed);

QIcon ToolbarIcon(ToolIcon icon);
QPixmap ProgramIcon(int size);

}  // namespace tarnwick::ui
