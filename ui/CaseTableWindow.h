// The case table of a calculation window (成果汇总表): every report of its pane
// as one row of sections/CaseTable.h, sorted by a click on a column header,
// copied to the clipboard as tab-separated text for a spreadsheet, or saved as
// CSV that Excel opens with its Chinese headers. The window only lays the table
// out: rows, order and both texts come from CaseTable.
#pragma once

#include <QWidget>

#include "sections/CaseTable.h"

class QTableWidget;

namespace tarnwick::ui {

class CaseTableWindow : public QWidget {
  Q_OBJECT
 public:
  // A window of its own, owned by `parent` and closed (hidden) with it.
  CaseTableWindow(const QString& title, QWidget* parent);

  void Add(CaseRow row);
  void Clear();
  const CaseTable& Table() const { return table_; }
  QTableWidget* View() const { return view_; }

  // Writes CaseTable::Csv() to `path`; empty on success, otherwise why not.
  QString SaveCsv(const QString& path) const;

 public slots:
  void CopyToClipboard() const;
  // Asks for a file and saves the CSV there; a message box says why it failed.
  void SaveCsvAs();

 private:
  void SortBy(int column);
  void Refill();

  CaseTable table_;
  QTableWidget* view_ = nullptr;
  int sortColumn_ = -1;  // none: the order of the presses
  bool ascending_ = true;
};

}  // namespace tarnwick::ui
