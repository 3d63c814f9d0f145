// "水位—流量关系曲线": the stage–discharge curve of the case a calculation window
// computed, discharge across and depth up (stage is read on the vertical axis),
// from the dry bed to the crown of a tunnel or twice the depth of an open
// channel, with the computed point marked and, for a tunnel, the full-section
// discharge Qmax. A readout follows the mouse; the picture and the rating table
// can be saved. Every figure comes from the section model of the case.
#pragma once

#include <QPointF>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "core/RatingTable.h"
#include "sections/WindowCatalog.h"

class QChart;
class QChartView;
class QGraphicsSimpleTextItem;
class QLabel;
class QPushButton;
class QSpinBox;

namespace tarnwick::ui {

class StageDischargeWindow : public QWidget {
  Q_OBJECT
 public:
  // Points of the drawn curve; the saved table has as many rows unless changed.
  static constexpr int kCurvePoints = 200;

  explicit StageDischargeWindow(QWidget* parent = nullptr);

  // Draws the curve of `c` under the chart title `title`.
  void ShowCase(const SectionCase& c, const QString& title);
  // The calculation window would refuse its inputs: a message instead of a curve.
  void ShowRefused();

  bool HasCurve() const { return case_.has_value(); }
  // The computed point as drawn: (discharge, depth).
  std::optional<QPointF> MarkedPoint() const;
  QString ChartTitle() const;
  QString Readout() const;
  QChartView* View() const { return view_; }

  // The rating table of the case with `rows` depths, exactly as tarnwick-calc
  // --rating prints it; empty without a curve.
  std::string Csv(int rows) const;
  bool ExportPng(const QString& path) const;
  bool ExportCsv(const QString& path, int rows) const;

  // The readout for a depth, as the mouse shows it at that height.
  void ShowReadoutAtDepth(double depth);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SavePicture();
  void SaveTable();
  void ClearChart();
  void PlaceQmaxLabel();

  std::optional<SectionCase> case_;
  std::vector<RatingPoint> curve_;
  QChart* chart_ = nullptr;
  QChartView* view_ = nullptr;
  QGraphicsSimpleTextItem* qmaxLabel_ = nullptr;
  QLabel* message_ = nullptr;
  QLabel* readout_ = nullptr;
  QSpinBox* rows_ = nullptr;
  QPushButton* savePicture_ = nullptr;
  QPushButton* saveTable_ = nullptr;
};

}  // namespace tarnwick::ui
