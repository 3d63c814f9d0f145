// The calculation book (计算书) handed to a reviewer: a title page with the project
// name and date, then for each case its section family and drawing, the inputs
// with their units, the formulas used, the report exactly as the pane prints it,
// the engineering checks and the stage–discharge curve. Written as PDF (fonts
// embedded) or as ODT, which opens for editing in LibreOffice and Word.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "sections/CaseRecord.h"
#include "sections/WindowCatalog.h"

class QTextDocument;

namespace tarnwick::ui {

// The book as a document, laid out for an A4 page.
// Each case is booked as its record holds it: the lines printed, the checks as
// judged against the record's own limits.
std::unique_ptr<QTextDocument> BookDocument(const QString& project,
                                            std::span<const CaseRecord> cases);

// Writes the book to `path`, PDF or ODT by its suffix. Empty on success,
// otherwise why it could not be written.
QString WriteCalculationBook(const QString& path, const QString& project,
                             std::span<const CaseRecord> cases);

}  // namespace tarnwick::ui
