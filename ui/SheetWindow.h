// A window that shows one drawing to scale beside its station table: the
// drawing painted alike on the screen, PNG and SVG, the table as CSV, what lies
// under the mouse read out in the status bar, and a message page instead of the
// drawing when there is none. The water-surface profile of a case and the
// longitudinal profile of a canal are shown in one.
#pragma once

#include <QMainWindow>
#include <QPainter>
#include <optional>
#include <string>
#include <vector>

#include "core/GraduallyVariedFlow.h"

class QAction;
class QLabel;
class QMenu;
class QStackedWidget;
class QTableView;

namespace tarnwick::ui {

class StationModel;

// One row of the station table: the reach it belongs to (shown only where the
// table has a reach column) and x counted from `offset`.
struct StationRow {
  QString reach;
  ProfileStation station;
  double offset = 0.0;
};

class SheetWindow : public QMainWindow {
  Q_OBJECT
 public:
  // `prefix` names the children ("Profile": ProfileCanvas, ProfileTable,
  // ProfileMessage, ProfileReadout); `what` is the drawing's name in the dialogs.
  SheetWindow(QWidget* parent, const QString& prefix, const QString& what, bool reachColumn);

  QTableView* Table() const { return table_; }
  // The message shown instead of a drawing; empty while a drawing shows.
  QString Message() const;
  void ShowReadout(const QString& text);

  // Each false when there is no drawing or the file cannot be written.
  bool ExportPng(const QString& file) const;
  bool ExportSvg(const QString& file) const;
  bool ExportCsv(const QString& file) const;

  // The sheet the drawing is laid out on, in device-independent pixels.
  static constexpr double kSheetWidth = 860.0;
  static constexpr double kSheetHeight = 520.0;

  virtual bool HasSheet() const = 0;
  virtual void Paint(QPainter& painter, const QRectF& sheet) const = 0;
  // The read-out at device abscissa `px` of a sheet painted into `sheet`.
  QString ReadoutAtPixel(const QRectF& sheet, double px) const;
  // The read-out at distance `x` along the drawing.
  virtual QString ReadoutAt(double x) const = 0;

 protected:
  // The distance along the drawing under device abscissa `px`; empty outside the plot.
  virtual std::optional<double> DistanceAt(const QRectF& sheet, double px) const = 0;
  virtual std::string Csv() const = 0;
  virtual QString SheetTitle() const = 0;
  QMenu* FileMenu() const { return file_; }
  // The drawing and its rows (in view), or the message page.
  void ShowSheet(std::vector<StationRow> rows);
  void ShowMessage(const QString& text);

 private:
  void BuildExports(const QString& what);

  QWidget* canvas_ = nullptr;
  QTableView* table_ = nullptr;
  StationModel* model_ = nullptr;
  QLabel* message_ = nullptr;
  QLabel* readout_ = nullptr;
  QStackedWidget* pages_ = nullptr;
  QMenu* file_ = nullptr;
  QList<QAction*> exports_;
};

}  // namespace tarnwick::ui
