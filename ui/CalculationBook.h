// The calculation book (计算书) handed to a reviewer: a title page with the project
// name and date, then for each case its section family and drawing, the inputs
// with their units, the formulas used, the report exactly as the pane printed it,
// the engineering checks as judged against the case's own limits and the
// stage–discharge curve. Written as PDF (fonts embedded) or as ODT, which opens
// for editing in LibreOffice and Word.
//
// The book is written case by case as the cases come: each case is laid out,
// written to the file and let go before the next, so a book of any length is
// written in the memory of one case. The file is written beside the name asked
// for and takes the name only when complete.
#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <span>

#include "sections/CaseRecord.h"

namespace tarnwick::ui {

namespace book {
class Writer;
}

class CalculationBook {
 public:
  // Opens the book `path`, PDF or ODT by its suffix; null, with `error` saying
  // why, when it cannot be written there. `cases`, when known in advance, is
  // shown on the title page.
  static std::unique_ptr<CalculationBook> Open(const QString& path, const QString& project,
                                               std::optional<size_t> cases, QString& error);
  ~CalculationBook();
  CalculationBook(const CalculationBook&) = delete;
  CalculationBook& operator=(const CalculationBook&) = delete;

  // Books one case as its record holds it: the lines printed, the checks judged
  // against the record's own limits. A case without a report is not booked.
  // `note`, when not empty, is shown in the case's section.
  void Add(const CaseRecord& record, const QString& note = {});
  // Ends the book and puts it under its name: empty, or why it could not be
  // written whole (then no file stands under the name, an old one untouched).
  QString Commit();
  // The cases booked so far.
  int Booked() const { return booked_; }

 private:
  CalculationBook() = default;
  std::unique_ptr<book::Writer> writer_;
  QString project_;
  int booked_ = 0;
};

// The book of `cases` written at once; empty on success, otherwise why not.
QString WriteCalculationBook(const QString& path, const QString& project,
                             std::span<const CaseRecord> cases);

}  // namespace tarnwick::ui
