#include "StageDischargeWindow.h"

#include <QChart>
#include <QChartView>
#include <QFileDialog>
#include <QGraphicsSimpleTextItem>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QSaveFile>
#include <QScatterSeries>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "WindowDecor.h"

namespace tarnwick::ui {

namespace {

QString Figure(double value) { return QString::number(value, 'f', 3); }

const QString kReadoutHint = QStringLiteral("将鼠标移到曲线图上，读取该处的水深和流量");

}  // namespace

StageDischargeWindow::StageDischargeWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("StageDischargeWindow"));
  setWindowTitle(QStringLiteral("水位—流量关系曲线"));
  setAttribute(Qt::WA_DeleteOnClose);
  resize(780, 600);

  chart_ = new QChart;
  chart_->legend()->setAlignment(Qt::AlignBottom);
  QFont titleFont = chart_->titleFont();
  titleFont.setBold(true);
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
  chart_->setTitleFont(titleFont);
  view_ = new QChartView(chart_, this);
  view_->setObjectName(QStringLiteral("CurveView"));
  view_->setRenderHint(QPainter::Antialiasing);
  view_->setMinimumSize(560, 400);
  view_->viewport()->setMouseTracking(true);
  view_->viewport()->installEventFilter(this);
  qmaxLabel_ = new QGraphicsSimpleTextItem(chart_);
  qmaxLabel_->setVisible(false);
  connect(chart_, &QChart::plotAreaChanged, this, [this] { PlaceQmaxLabel(); });

  message_ = new QLabel(this);
  message_->setObjectName(QStringLiteral("CurveMessage"));
  message_->setAlignment(Qt::AlignCenter);
  message_->setWordWrap(true);
  message_->setText(
      QStringLiteral("输入数据不能计算，无法生成水位—流量关系曲线。\n请检查输入数据后按“确 定”。"));
  message_->setVisible(false);

  readout_ = new QLabel(kReadoutHint, this);
  readout_->setObjectName(QStringLiteral("CurveReadout"));

  auto* rowsLabel = new QLabel(QStringLiteral("数据表行数"), this);
  rows_ = new QSpinBox(this);
  rows_->setObjectName(QStringLiteral("CurveRows"));
  rows_->setRange(1, 100000);
  rows_->setValue(kCurvePoints);
  rowsLabel->setBuddy(rows_);
  savePicture_ = new QPushButton(QStringLiteral("保存图片(PNG)…"), this);
  savePicture_->setObjectName(QStringLiteral("SavePicture"));
  saveTable_ = new QPushButton(QStringLiteral("保存数据表(CSV)…"), this);
  saveTable_->setObjectName(QStringLiteral("SaveTable"));
  auto* close = new QPushButton(QStringLiteral("关闭"), this);
  connect(savePicture_, &QPushButton::clicked, this, &StageDischargeWindow::SavePicture);
  connect(saveTable_, &QPushButton::clicked, this, &StageDischargeWindow::SaveTable);
  connect(close, &QPushButton::clicked, this, &QWidget::close);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(readout_, 1);
  buttons->addWidget(rowsLabel);
  buttons->addWidget(rows_);
  buttons->addWidget(savePicture_);
  buttons->addWidget(saveTable_);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(view_, 1);
  layout->addWidget(message_, 1);
  layout->addLayout(buttons);
  ShowRefused();
  UseCjkFaceWhereNeeded(this);
}

void StageDischargeWindow::ClearChart() {
  chart_->removeAllSeries();
  for (QAbstractAxis* axis : chart_->axes()) {
    chart_->removeAxis(axis);
    delete axis;
  }
  qmaxLabel_->setVisible(false);
  curve_.clear();
}

void StageDischargeWindow::ShowRefused() {
  case_.reset();
  ClearChart();
  view_->setVisible(false);
  message_->setVisible(true);
  readout_->setText(QString());
  savePicture_->setEnabled(false);
  saveTable_->setEnabled(false);
}

void StageDischargeWindow::ShowCase(const SectionCase& c, const QString& title) {
  ClearChart();
  case_ = c;
  const double top = RatingTop(c);
  curve_ = RatingCurve(RatingDepths(top, kCurvePoints), c.model.evaluate);

  auto* line = new QLineSeries;
  line->setName(QStringLiteral("水位—流量关系曲线"));
  QPen linePen(QColor(0, 70, 160));
  linePen.setWidthF(2.0);
  line->setPen(linePen);
  double qTop = c.discharge;
  for (const RatingPoint& p : curve_) {
    line->append(p.discharge, p.depth);
    qTop = std::max(qTop, p.discharge);
  }

  auto* point = new QScatterSeries;
  point->setName(
      QStringLiteral("计算点：Q = %1 m³/s，h = %2 m").arg(Figure(c.discharge), Figure(c.state.h)));
  point->setMarkerShape(QScatterSeries::MarkerShapeCircle);
  point->setMarkerSize(11.0);
  point->setColor(QColor(200, 20, 20));
  point->setBorderColor(QColor(120, 0, 0));
  point->append(c.discharge, c.state.h);

  chart_->addSeries(line);
  QLineSeries* qmaxLine = nullptr;
  if (c.model.fullSectionDischarge && std::isfinite(*c.model.fullSectionDischarge)) {
    const double qmax = *c.model.fullSectionDischarge;
    qTop = std::max(qTop, qmax);
    qmaxLine = new QLineSeries;
    qmaxLine->setName(QStringLiteral("满洞流量 Qmax = %1 m³/s").arg(Figure(qmax)));
    QPen dashed(QColor(0, 130, 60));
    dashed.setWidthF(1.5);
    dashed.setStyle(Qt::DashLine);
    qmaxLine->setPen(dashed);
    qmaxLine->append(qmax, 0.0);
    qmaxLine->append(qmax, top);
    chart_->addSeries(qmaxLine);
    qmaxLabel_->setText(QStringLiteral("Qmax = %1").arg(Figure(qmax)));
    qmaxLabel_->setBrush(QColor(0, 130, 60));
  }
  chart_->addSeries(point);

  auto* xAxis = new QValueAxis;
  xAxis->setTitleText(QStringLiteral("流量 Q (m³/s)"));
  xAxis->setRange(0.0, qTop > 0.0 ? qTop * 1.05 : 1.0);
  // Nice numbers: ticks 1, 2 or 5 × 10^k apart from a round start.
  xAxis->applyNiceNumbers();
  xAxis->setLabelFormat(QStringLiteral("%g"));
  auto* yAxis = new QValueAxis;
  yAxis->setTitleText(QStringLiteral("水深 h (m)"));
  yAxis->setRange(0.0, top > 0.0 ? top : 1.0);
  yAxis->applyNiceNumbers();
  // Depths to the centimetre; labels as short as "1" also leave the rotated axis
  // title too little room, and the chart then elides it.
  yAxis->setLabelFormat(QStringLiteral("%.2f"));
  chart_->addAxis(xAxis, Qt::AlignBottom);
  chart_->addAxis(yAxis, Qt::AlignLeft);
  for (QAbstractSeries* series : chart_->series()) {
    series->attachAxis(xAxis);
    series->attachAxis(yAxis);
  }
  chart_->setTitle(title);

  message_->setVisible(false);
  view_->setVisible(true);
  readout_->setText(kReadoutHint);
  savePicture_->setEnabled(true);
  saveTable_->setEnabled(true);
  qmaxLabel_->setVisible(qmaxLine != nullptr);
  PlaceQmaxLabel();
}

// The label sits left of the top of the Qmax line, where the curve, which meets
// the line at the crown from the side of larger discharges, leaves room.
void StageDischargeWindow::PlaceQmaxLabel() {
  if (!case_ || !case_->model.fullSectionDischarge || chart_->series().isEmpty()) return;
  const QPointF topOfLine = chart_->mapToPosition(
      QPointF(*case_->model.fullSectionDischarge, RatingTop(*case_)), chart_->series().front());
  qmaxLabel_->setPos(topOfLine.x() - qmaxLabel_->boundingRect().width() - 4.0, topOfLine.y() + 2.0);
}

std::optional<QPointF> StageDischargeWindow::MarkedPoint() const {
  if (!case_) return std::nullopt;
  return QPointF(case_->discharge, case_->state.h);
}

QString StageDischargeWindow::ChartTitle() const { return chart_->title(); }

QString StageDischargeWindow::Readout() const { return readout_->text(); }

void StageDischargeWindow::ShowReadoutAtDepth(double depth) {
  const std::optional<double> q = DischargeAtDepth(curve_, depth);
  if (!case_ || !q) {
    readout_->setText(case_ ? kReadoutHint : QString());
    return;
  }
  readout_->setText(
      QStringLiteral("水深 h = %1 m    流量 Q = %2 m³/s").arg(Figure(depth), Figure(*q)));
}

bool StageDischargeWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_->viewport() && event->type() == QEvent::MouseMove && case_ &&
      !chart_->series().isEmpty()) {
    const auto* move = static_cast<QMouseEvent*>(event);
    const QPointF inChart = chart_->mapFromScene(view_->mapToScene(move->position().toPoint()));
    if (chart_->plotArea().contains(inChart)) {
      ShowReadoutAtDepth(chart_->mapToValue(inChart, chart_->series().front()).y());
    } else {
      readout_->setText(kReadoutHint);
    }
  }
  return QWidget::eventFilter(watched, event);
}

std::string StageDischargeWindow::Csv(int rows) const {
  if (!case_ || rows < 1) return {};
  return RatingCsv(RatingDepths(RatingTop(*case_), rows), case_->model.evaluate);
}

bool StageDischargeWindow::ExportPng(const QString& path) const {
  if (!case_) return false;
  return view_->grab().save(path, "PNG");
}

bool StageDischargeWindow::ExportCsv(const QString& path, int rows) const {
  const std::string csv = Csv(rows);
  if (csv.empty()) return false;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  const auto size = static_cast<qint64>(csv.size());
  if (file.write(csv.data(), size) != size) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

void StageDischargeWindow::SavePicture() {
  const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("保存曲线图片"),
                                                    QStringLiteral("水位流量关系曲线.png"),
                                                    QStringLiteral("PNG 图片 (*.png)"));
  if (path.isEmpty()) return;
  if (!ExportPng(path)) {
    QMessageBox::warning(this, windowTitle(), QStringLiteral("无法保存图片：%1").arg(path));
  }
}

void StageDischargeWindow::SaveTable() {
  const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("保存水位—流量数据表"),
                                                    QStringLiteral("水位流量关系.csv"),
                                                    QStringLiteral("CSV 表格 (*.csv)"));
  if (path.isEmpty()) return;
  if (!ExportCsv(path, rows_->value())) {
    QMessageBox::warning(this, windowTitle(), QStringLiteral("无法保存数据表：%1").arg(path));
  }
}

}  // namespace tarnwick::ui
