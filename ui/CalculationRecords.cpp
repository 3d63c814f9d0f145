// What the calculation window keeps of its presses beside the pane: the checks
// of the last one, the case table of its reports and the calculation book of
// them. The pane's reports themselves are untouched by all three.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "CalculationBook.h"
#include "CalculationWindow.h"
#include "CaseTableWindow.h"
#include "CheckPanel.h"
#include "InputGrid.h"

namespace tarnwick::ui {

void CalculationWindow::RecordPress(const std::vector<std::string>& texts,
                                    const PressResult& pressed) {
  // A refused press still shows the boxes it read only in part, the likely cause.
  checkPanel_->ShowPress(entry_, texts, pressed);
  // The box at fault is marked in the window, on a refusal too.
  MarkFaultyBoxes(entry_.boxes, boxes_, checkPanel_->Shown());
  if (pressed.outcome != PressOutcome::Report) return;
  if (std::optional<CaseRow> row = CaseRowOf(entry_, texts, pressed)) cases_->Add(std::move(*row));
  records_.push_back(tarnwick::RecordPress(entry_, texts, checkPanel_->Limits()));
}

void CalculationWindow::ShowCaseTable() {
  cases_->show();
  cases_->raise();
  cases_->activateWindow();
}

QString CalculationWindow::WriteBookTo(const QString& path) const {
  // The book judges every case at the limits the panel shows now.
  std::vector<CaseRecord> cases = records_;
  for (CaseRecord& r : cases) Rejudge(r, checkPanel_->Limits());
  return WriteCalculationBook(path, PrintHeading(), cases);
}

void CalculationWindow::WriteBook() {
  const QString title = QStringLiteral("计算书");
  if (records_.empty()) {
    QMessageBox::information(this, title, QStringLiteral("没有可写入计算书的计算结果。"));
    return;
  }
  const QString pdf = QStringLiteral("PDF 文件 (*.pdf)");
  const QString odt = QStringLiteral("ODT 文档，可在 LibreOffice、Word 中编辑 (*.odt)");
  QString filter = pdf;
  QString path = QFileDialog::getSaveFileName(this, title, PrintHeading() + QStringLiteral(".pdf"),
                                              pdf + QStringLiteral(";;") + odt, &filter);
  if (path.isEmpty()) return;
  // A name without the suffix of a book gets the one of the filter chosen.
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix != QStringLiteral("pdf") && suffix != QStringLiteral("odt")) {
    path += filter == odt ? QStringLiteral(".odt") : QStringLiteral(".pdf");
  }
  if (!WriteBookTo(path).isEmpty()) {
    QMessageBox::warning(this, title,
                         QStringLiteral("计算书未能写入 %1。\n请检查文件夹是否存在、能否写入。")
                             .arg(QDir::toNativeSeparators(path)));
  }
}

}  // namespace tarnwick::ui
