// The pictures of a case in the calculation book: its drawing and its
// stage–discharge curve.
#pragma once

#include <QImage>
#include <QString>

#include "sections/WindowCatalog.h"

namespace tarnwick::ui {

// The round step (1, 2 or 5 × 10^k) of about `count` ticks over `span` (> 0):
// the smallest such step not under span / count.
double RoundTickStep(double span, int count);

// The stage–discharge curve: discharge across, depth up, the case marked.
QImage CurveImage(const SectionCase& c);
// The section drawing under `title`.
QImage DrawingImage(const SectionCase& c, const QString& title);

}  // namespace tarnwick::ui
