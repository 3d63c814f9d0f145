// "水面线": the water-surface profile of a case drawn to scale in elevation, the
// station table beside it, the depth and level under the mouse read out, and the
// drawing exported as PNG or SVG and the stations as CSV. One per calculation
// window, closed with it.
#pragma once

#include <QMainWindow>
#include <optional>

#include "ProfileSheet.h"

class QAbstractTableModel;
class QAction;
class QLabel;
class QTableView;

namespace tarnwick::ui {

class ProfileWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit ProfileWindow(QWidget* parent = nullptr);

  void ShowProfile(const ProfileSheet& sheet);
  // The profile was refused: why, instead of a drawing.
  void ShowRefusal(const QString& why);

  const std::optional<ProfileSheet>& Sheet() const { return sheet_; }
  QTableView* Table() const { return table_; }
  QString Message() const;
  // The read-out of the depth and level at `x` from the control.
  QString ReadoutAt(double x) const;
  void ShowReadout(const QString& text);

  // Each false when there is no profile or the file cannot be written.
  bool ExportPng(const QString& file) const;
  bool ExportSvg(const QString& file) const;
  bool ExportCsv(const QString& file) const;

 private:
  void BuildExports();
  void ExportWithDialog(const QString& filter, const QString& suffix,
                        bool (ProfileWindow::*write)(const QString&) const);

  std::optional<ProfileSheet> sheet_;
  QWidget* canvas_ = nullptr;
  QTableView* table_ = nullptr;
  QAbstractTableModel* model_ = nullptr;
  QLabel* message_ = nullptr;
  QLabel* readout_ = nullptr;
  QWidget* pages_ = nullptr;
  QList<QAction*> exports_;
};

}  // namespace tarnwick::ui
