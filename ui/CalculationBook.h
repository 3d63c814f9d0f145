// The calculation book (计算书) handed to a reviewer: a title page with the project
// name and date, then for each case its section family and drawing, the inputs
// with their units, the formulas used, the report exactly as the pane prints it,
// the engineering checks and the stage–discharge curve. Written as PDF (fonts
// embedded) or as ODT, which opens for editing in LibreOffice and Word.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sections/Checks.h"
#include "sections/WindowCatalog.h"

class QTextDocument;

namespace tarnwick::ui {

struct BookCase {
  const WindowSpec* window = nullptr;
  std::vector<std::string> boxTexts;
};

// The check lines of a case for the book, one per check; the checks are made
// where they are defined and handed in, so the book only lays them out.
using BookChecks = std::function<QStringList(const WindowSpec&, const std::vector<std::string>&,
                                             const PressResult&)>;

// The engineering checks of a case against `limits`, one text line each.
BookChecks CheckLines(const CheckLimits& limits);

// The book as a document, laid out for an A4 page.
std::unique_ptr<QTextDocument> BookDocument(const QString& project,
                                            const std::vector<BookCase>& cases,
                                            const BookChecks& checks);

// Writes the book to `path`, PDF or ODT by its suffix. Empty on success,
// otherwise why it could not be written.
QString WriteCalculationBook(const QString& path, const QString& project,
                             const std::vector<BookCase>& cases, const BookChecks& checks);

}  // namespace tarnwick::ui
