// The pictures of a case in the calculation book: its drawing and its
// stage–discharge curve.
#pragma once

#include <QImage>
#include <QString>

#include "sections/WindowCatalog.h"

namespace tarnwick::ui {

// The stage–discharge curve: discharge across, depth up, the case marked.
QImage CurveImage(const SectionCase& c);
// The section drawing under `title`.
QImage DrawingImage(const SectionCase& c, const QString& title);

}  // namespace tarnwick::ui
