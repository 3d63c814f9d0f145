// The extended functions of the calculation window: the section drawing of the
// computed case and printing of the pane's reports.
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "CalculationWindow.h"
#include "ReportPrinting.h"
#include "SectionDrawingWindow.h"
#include "core/ReadNumber.h"

namespace tarnwick::ui {

namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

SectionDrawingWindow* CalculationWindow::SectionDrawing() const {
  return sectionDrawing_ && sectionDrawing_->isVisible() ? sectionDrawing_.data() : nullptr;
}

QString CalculationWindow::ProjectTitle() const {
  const QString typed = projectName_->text().trimmed();
  if (!typed.isEmpty()) return typed;
  return Q(FamilyOf(entry_.family).title) + QStringLiteral("断面图");
}

// The boxes that size the section, as read: every box but the roughness, the
// slope and the discharge or depth of the case; a box left empty (the width of
// a trapezoid, a circle without a flat floor) is not a dimension of the section.
QStringList CalculationWindow::TypedDimensions() const {
  QStringList lines;
  for (std::size_t k = 0; k < entry_.boxes.size() && k < boxes_.size(); ++k) {
    const BoxSpec& box = entry_.boxes[k];
    if (box.role == BoxRole::Roughness || box.role == BoxRole::Slope ||
        box.role == BoxRole::Discharge || box.role == BoxRole::Depth) {
      continue;
    }
    const QString text = boxes_[k]->text().trimmed();
    if (text.isEmpty()) continue;
    const double value = ReadNumber(text.toStdString()).value;
    QString label = Q(box.label);
    if (!label.endsWith(QLatin1Char('='))) label += QLatin1Char('=');
    lines << label + QLatin1Char(' ') + QString::number(value, 'g', 10);
  }
  return lines;
}

QString CalculationWindow::PrintHeading() const {
  const QString typed = projectName_->text().trimmed();
  return typed.isEmpty() ? Q(entry_.caption) : typed;
}

SectionDrawingWindow* CalculationWindow::OpenSectionDrawing() {
  if (!sectionDrawing_) sectionDrawing_ = new SectionDrawingWindow(this);
  sectionDrawing_->show();
  sectionDrawing_->raise();
  return sectionDrawing_;
}

void CalculationWindow::SectionComputed(std::optional<SectionCase> computed) {
  lastCase_ = std::move(computed);
  if (!lastCase_) return;
  lastDimensions_ = TypedDimensions();
  const bool open = sectionDrawing_ && sectionDrawing_->isVisible();
  if (!open && !check2_->isChecked()) return;
  OpenSectionDrawing()->ShowDrawing(DrawingOf(*lastCase_), ProjectTitle(), lastDimensions_);
}

void CalculationWindow::ShowSectionDrawing() {
  SectionDrawingWindow* window = OpenSectionDrawing();
  if (lastCase_) {
    window->ShowDrawing(DrawingOf(*lastCase_), ProjectTitle(), lastDimensions_);
    return;
  }
  // Nothing computed yet: draw the case of the boxes as they stand, if the
  // calculator accepts them; otherwise say why there is no drawing.
  std::vector<std::string> texts;
  for (const QLineEdit* box : boxes_) texts.push_back(box->text().toStdString());
  ResultPane scratch;
  const std::optional<SectionCase> current = PressWithCase(entry_, texts, scratch).sectionCase;
  if (current) {
    window->ShowDrawing(DrawingOf(*current), ProjectTitle(), TypedDimensions());
    return;
  }
  QString why;
  for (const std::string& line : scratch.Lines()) {
    const QString text = QString::fromStdString(line).trimmed();
    if (!text.isEmpty()) why += text + QLatin1Char('\n');
  }
  window->ShowMessage(
      QStringLiteral("当前输入数据无法计算，未绘制断面图。\n请检查输入数据后按“确 定”。\n\n") +
      why.trimmed());
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
  PrintReports(printer, PrintHeading(), Q(entry_.resultCaption), results_.Lines());
}

}  // namespace tarnwick::ui
