// The extended functions of the calculation window: the section drawing and the
// stage–discharge curve of the last reported case, read from its record, and
// printing of the pane's reports.
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "CalculationWindow.h"
#include "CheckPanel.h"
#include "ReportPrinting.h"
#include "SectionDrawingWindow.h"
#include "StageDischargeWindow.h"
#include "core/ReadNumber.h"

namespace tarnwick::ui {

namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The boxes that size the section of a case, as read: every box but the
// roughness, the slope and the discharge or depth of the case; a box left empty
// (the width of a trapezoid, a circle without a flat floor) is not a dimension of
// the section. A design answer shows the section solved.
QStringList DimensionsOf(const CaseRecord& record) {
  QStringList lines;
  const WindowSpec& window = *record.reporting;
  for (std::size_t k = 0; k < window.boxes.size() && k < record.reportingTexts.size(); ++k) {
    const BoxSpec& box = window.boxes[k];
    if (box.role == BoxRole::Roughness || box.role == BoxRole::Slope ||
        box.role == BoxRole::Discharge || box.role == BoxRole::Depth) {
      continue;
    }
    if (QString::fromStdString(record.reportingTexts[k]).trimmed().isEmpty()) continue;
    const double value = record.answer || k >= record.readings.size()
                             ? ReadNumber(record.reportingTexts[k]).value
                             : record.readings[k].value;
    QString label = Q(box.label);
    if (!label.endsWith(QLatin1Char('='))) label += QLatin1Char('=');
    lines << label + QLatin1Char(' ') + QString::number(value, 'g', record.answer ? 6 : 10);
  }
  return lines;
}

}  // namespace

SectionDrawingWindow* CalculationWindow::SectionDrawing() const {
  return sectionDrawing_ && sectionDrawing_->isVisible() ? sectionDrawing_.data() : nullptr;
}

QString CalculationWindow::ProjectTitle() const {
  const QString typed = projectName_ != nullptr ? projectName_->text().trimmed() : QString();
  if (!typed.isEmpty()) return typed;
  return Q(FamilyOf(entry_.family).title) + QStringLiteral("断面图");
}

QString CalculationWindow::PrintHeading() const {
  const QString typed = projectName_ != nullptr ? projectName_->text().trimmed() : QString();
  if (!typed.isEmpty()) return typed;
  // A design frame has no name box: the project's name of 工程信息.
  const QString project = QString::fromStdString(session_->Current().name).trimmed();
  return project.isEmpty() ? caption_ : project;
}

SectionDrawingWindow* CalculationWindow::OpenSectionDrawing() {
  if (!sectionDrawing_) sectionDrawing_ = new SectionDrawingWindow(this);
  sectionDrawing_->show();
  sectionDrawing_->raise();
  return sectionDrawing_;
}

void CalculationWindow::RefreshDrawing() {
  const CaseRecord* last = LastReport();
  if (last == nullptr) return;
  const bool open = sectionDrawing_ && sectionDrawing_->isVisible();
  if (!open && (check2_ == nullptr || !check2_->isChecked())) return;
  OpenSectionDrawing()->ShowDrawing(DrawingOf(*last->press.sectionCase), ProjectTitle(),
                                    DimensionsOf(*last));
}

void CalculationWindow::ShowSectionDrawing() {
  SectionDrawingWindow* window = OpenSectionDrawing();
  if (const CaseRecord* last = LastReport()) {
    window->ShowDrawing(DrawingOf(*last->press.sectionCase), ProjectTitle(), DimensionsOf(*last));
    return;
  }
  if (family_ != nullptr) {
    window->ShowMessage(QStringLiteral("尚无设计结果，未绘制断面图。\n请输入数据后按“确 定”。"));
    return;
  }
  // Nothing computed yet: draw the case of the boxes as they stand, if the
  // calculator accepts them; otherwise say why there is no drawing.
  const CaseRecord current = RecordPress(entry_, BoxTexts(), checkPanel_->Limits());
  if (current.press.sectionCase) {
    window->ShowDrawing(DrawingOf(*current.press.sectionCase), ProjectTitle(),
                        DimensionsOf(current));
    return;
  }
  QString why;
  for (const std::string& line : current.printed) {
    const QString text = QString::fromStdString(line).trimmed();
    if (!text.isEmpty()) why += text + QLatin1Char('\n');
  }
  window->ShowMessage(
      QStringLiteral("当前输入数据无法计算，未绘制断面图。\n请检查输入数据后按“确 定”。\n\n") +
      why.trimmed());
}

// A closed curve window is hidden at once and deleted a moment later.
StageDischargeWindow* CalculationWindow::CurveWindow() const {
  return curve_ != nullptr && curve_->isVisible() ? curve_.data() : nullptr;
}

void CalculationWindow::ShowStageDischargeCurve() { RefreshCurve(); }

// The curve of the last reported case; before any report, of the boxes as they
// stand, which the window may refuse.
void CalculationWindow::RefreshCurve() {
  if (CurveWindow() == nullptr) {
    curve_ = new StageDischargeWindow(this);
    connect(this, &CalculationWindow::closing, curve_, &QWidget::close);
  }
  std::optional<CaseRecord> current;
  const CaseRecord* shown = LastReport();
  if (shown == nullptr && family_ == nullptr) {
    current = RecordPress(entry_, BoxTexts(), checkPanel_->Limits());
    shown = &*current;
  }
  if (shown != nullptr && shown->press.sectionCase) {
    curve_->ShowCase(*shown->press.sectionCase, PrintHeading());
  } else {
    curve_->ShowRefused();
  }
  curve_->show();
  curve_->raise();
}

void CalculationWindow::PrintResults() {
  if (results_.Lines().empty()) {
    QMessageBox::information(this, QStringLiteral("打印计算结果"),
                             QStringLiteral("没有可打印的计算结果。"));
    return;
  }
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(PrintHeading());
  QPrintDialog dialog(&printer, this);
  dialog.setWindowTitle(QStringLiteral("打印计算结果"));
  if (dialog.exec() != QDialog::Accepted) return;
  PrintTo(printer);
}

void CalculationWindow::PrintTo(QPrinter& printer) const {
  std::vector<CaseRecord> records;
  for (const CaseRecord* r : Records()) records.push_back(*r);
  PrintReports(printer, PrintHeading(),
               family_ != nullptr ? QStringLiteral("断面设计计算结果") : Q(entry_.resultCaption),
               PrintBlocks(records));
}

}  // namespace tarnwick::ui
