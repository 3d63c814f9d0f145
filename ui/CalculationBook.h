// The calculation book (计算书) handed to a reviewer: a cover with the project's
// fields and the signature table, the contents, then numbered chapters: 1 计算目的,
// 2 设计依据 (the sources of the checks actually applied), 3 基本资料 (each case's
// inputs with units), 4 计算方法与公式 (per family, every symbol defined), 5 计算成果
// (the report exactly as the pane printed it, never cut by a page, the drawing,
// a results table with units and the curve), 6 校核 and 7 结论. Written as PDF
// (fonts embedded, "第 X 页 共 Y 页" in the foot of every page) or as ODT, which
// opens for editing in LibreOffice and Word.
//
// The chapters run across the cases and the sources are known only when every
// case is in, so the records are kept until Commit (a record is its texts,
// lines and checks: small); the pictures are drawn and let go chapter by
// chapter. The file is written beside the name asked for and takes the name
// only when complete.
#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <span>

#include <utility>
#include <vector>
#include "BookProfiles.h"
#include "sections/CaseRecord.h"
#include "sections/ProjectFile.h"

namespace tarnwick::ui {

namespace book {
class Writer;
}

class CalculationBook {
 public:
  // Opens the book `path`, PDF or ODT by its suffix; null, with `error` saying
  // why, when it cannot be written there. `cases`, when known in advance, was
  // shown on the title page; the cover now counts the cases booked with the fields of `cover`.
  static std::unique_ptr<CalculationBook> Open(const QString& path, const QString& project,
                                               std::optional<size_t> cases, QString& error,
                                               const BookCover& cover = {});
  ~CalculationBook();
  CalculationBook(const CalculationBook&) = delete;
  CalculationBook& operator=(const CalculationBook&) = delete;

  // Books one case as its record holds it: the lines printed, the checks judged
  // against the record's own limits. A case without a report is not booked.
  // The book is laid out at Commit.
  // `note`, when not empty, is shown in the case's section.
  void Add(const CaseRecord& record, const QString& note = {});
  // Books a canal: its inputs, its profile reach by reach with the bank levels
  // when asked for, after the cases.
  void AddCanal(const CanalInput& canal);
  // Ends the book and puts it under its name: empty, or why it could not be
  // written whole (then no file stands under the name, an old one untouched).
  QString Commit();
  // The cases booked so far.
  int Booked() const { return booked_; }

 private:
  CalculationBook() = default;
  void Lay(book::Writer& out, const std::vector<int>& pages) const;
  std::unique_ptr<book::Writer> writer_;
  bool paginated_ = false;
  QString project_;
  BookCover cover_;
  std::vector<std::pair<CaseRecord, QString>> cases_;
  std::vector<BookCanal> canals_;
  int booked_ = 0;
};

// The book of `cases`, then `canals`, written at once; empty on success,
// otherwise why not.
QString WriteCalculationBook(const QString& path, const QString& project,
                             std::span<const CaseRecord> cases, const BookCover& cover = {},
                             std::span<const CanalInput> canals = {});

}  // namespace tarnwick::ui
