// The case table of a calculation window (成果汇总表): every report of its pane
// as one row of sections/CaseTable.h, sorted by a click on a column header,
// copied to the clipboard as tab-separated text for a spreadsheet, or saved as
// CSV that Excel opens with its Chinese headers. The window only lays the table
// out: rows, order and both texts come from CaseTable.
#pragma once

#include <QWidget>
#include <optional>

#include "sections/CaseTable.h"

class QTableWidget;

namespace tarnwick::ui {

class CaseTableWindow : public QWidget {
  Q_OBJECT
 public:
  // A window of its own, owned by `parent` and closed (hidden) with it.
  CaseTableWindow(const QString& title, QWidget* parent);

  void Add(CaseRow row);
  // The rows of a window's cases, in the order chosen by a header click, if any.
  void SetRows(std::vector<CaseRow> rows);
  void Clear();
  const CaseTable& Table() const { return table_; }
  QTableWidget* View() const { return view_; }

  // Writes CaseTable::Csv() to `path`; empty on success, otherwise why not.
  QString SaveCsv(const QString& path) const;

 signals:
  // A row double-clicked (or Enter): its case back into the window's boxes.
  void caseChosen(std::size_t order);
  // A row's case to delete (context menu, Delete key).
  void deleteRequested(std::size_t order);

 public slots:
  void CopyToClipboard() const;
  // Asks for a file and saves the CSV there; a message box says why it failed.
  void SaveCsvAs();

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void SortBy(int column);
  // The case of the current row, if a row is current.
  std::optional<std::size_t> CurrentOrder() const;
  void Refill();

  CaseTable table_;
  QTableWidget* view_ = nullptr;
  int sortColumn_ = -1;  // none: the order of the presses
  bool ascending_ = true;
};

}  // namespace tarnwick::ui
