// The section drawing as one sheet: title, the section to scale with the water
// shaded and its main dimensions, and the hydraulic figures beside it. The same
// painting serves the screen and the PNG, SVG and PDF exports.
#pragma once

#include <QPainter>
#include <QRectF>
#include <QString>
#include <QStringList>

#include "sections/SectionDrawing.h"

namespace tarnwick::ui {

// Size of the sheet in its own units; painted scaled into any target rectangle.
inline constexpr double kSheetWidth = 960.0;
inline constexpr double kSheetHeight = 600.0;

// The figures shown beside the drawing, one line each.
QStringList FactLines(const SectionDrawing& d);

// `dimensions`: the section's dimensions as typed ("渠 底 宽 B= 2"), listed
// above the figures.
void PaintSheet(QPainter& painter, const QRectF& target, const SectionDrawing& d,
                const QString& title, const QStringList& dimensions = {});

}  // namespace tarnwick::ui
