// What the calculation window shows of its cases: each press makes its records
// and hands them to the session; the pane, the check panel, the case table and
// the book read the session's records of this window. Clearing and deleting
// cases, undoing that, and bringing a case back into the boxes.
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>

#include "CalculationBook.h"
#include "CalculationWindow.h"
#include "CaseTableWindow.h"
#include "CheckPanel.h"
#include "FlowGroup.h"
#include "InputGrid.h"
#include "ProjectMenu.h"
#include "ResultView.h"

namespace tarnwick::ui {

FrameKey CalculationWindow::Key() const {
  return family_ != nullptr ? FrameKey{nullptr, family_} : FrameKey{&entry_, nullptr};
}

std::vector<const CaseRecord*> CalculationWindow::Records() const {
  return session_->RecordsOf(Key());
}

void CalculationWindow::ConnectRecords() {
  connect(session_, &Session::changed, this, &CalculationWindow::ShowRecords);
  connect(session_, &Session::titleChanged, this, &CalculationWindow::ShowTitle);
  connect(session_, &Session::replaced, this, &CalculationWindow::TakeProject);
  connect(session_, &Session::coverChanged, this, [this] {
    if (projectName_ != nullptr)
      projectName_->setText(QString::fromStdString(session_->Current().name));
  });
  // A limit changed on the panel: every case is judged again against it.
  connect(checkPanel_, &CheckPanel::limitsChanged, session_, &Session::SetLimits);
  connect(cases_, &CaseTableWindow::caseChosen, this, &CalculationWindow::BringBack);
  connect(cases_, &CaseTableWindow::deleteRequested, this, &CalculationWindow::RemoveCase);
  TakeProject();
}

void CalculationWindow::Compute() {
  std::vector<CaseRecord> records = Press();
  if (family_ == nullptr) {
    session_->KeepTexts(entry_, BoxTexts());
    if (projectName_ != nullptr && !projectName_->text().trimmed().isEmpty()) {
      session_->SetName(projectName_->text().trimmed().toStdString());
    }
  }
  const bool reported = !records.empty() && records.front().IsReport();
  if (reported) WriteSolved(records.front());
  session_->Add(std::move(records));
  if (!reported) return;
  RefreshDrawing();
  // An open curve always follows the last report; Check1 asks for one after each.
  if (CurveWindow() != nullptr || (check1_ != nullptr && check1_->isChecked())) RefreshCurve();
}

void CalculationWindow::ShowRecords() {
  std::vector<CaseRecord> records;
  for (const CaseRecord* r : Records()) records.push_back(*r);
  results_ = PrintedPane(records);
  pane_->ClearLines();
  pane_->AppendLines(results_.Lines(), 0);
  // The checks of the last press, of any outcome: a refused one still shows the
  // boxes it read only in part, the likely cause.
  if (records.empty()) {
    checkPanel_->Clear();
  } else {
    checkPanel_->ShowRecord(records.back());
  }
  // The box at fault is marked in the window, on a refusal too.
  MarkFaultyBoxes(entry_.boxes, boxes_, checkPanel_->Shown());
  std::vector<CaseRow> rows;
  for (std::size_t k = 0; k < records.size(); ++k) {
    if (std::optional<CaseRow> row = CaseRowOf(records[k])) {
      row->order = k;
      rows.push_back(std::move(*row));
    }
  }
  // The project's canals after the window's cases, as the book has them.
  for (const CanalInput& canal : session_->Current().canals) {
    if (std::optional<CaseRow> row = CaseRowOf(canal)) {
      row->order = rows.size();
      rows.push_back(std::move(*row));
    }
  }
  cases_->SetRows(std::move(rows));
  undo_->setEnabled(session_->CanUndo());
}

void CalculationWindow::TakeProject() {
  checkPanel_->SetLimits(session_->Current().limits);
  if (projectName_ != nullptr)
    projectName_->setText(QString::fromStdString(session_->Current().name));
  if (family_ == nullptr) {
    if (const auto texts = session_->TakeTexts(entry_)) {
      for (std::size_t k = 0; k < boxes_.size() && k < texts->size(); ++k) {
        boxes_[k]->setText(QString::fromStdString((*texts)[k]));
      }
    }
  }
  if (family_ != nullptr && !Records().empty()) BringBackDesign(*Records().back());
  ShowRecords();
  ShowTitle();
}

// The project file and its mark of unsaved cases, once there is either.
void CalculationWindow::ShowTitle() {
  const bool named = !session_->Path().isEmpty() || session_->Dirty();
  setWindowTitle(session_->IsProgramSession() && named
                     ? caption_ + QStringLiteral(" — ") + session_->TitleMark()
                     : caption_);
}

void CalculationWindow::ClearResults() {
  if (Records().empty()) return;
  if (!MayDiscard(this, *session_, QStringLiteral("清除结果"))) return;
  session_->Clear(Key());
}

void CalculationWindow::UndoRemoval() { session_->Undo(); }

void CalculationWindow::RemoveCase(std::size_t index) { session_->Remove(Key(), index); }

void CalculationWindow::BringBack(std::size_t index) {
  const std::vector<const CaseRecord*> records = Records();
  if (index >= records.size()) return;
  const CaseRecord& record = *records[index];
  if (record.design) {
    BringBackDesign(record);
  } else {
    for (std::size_t k = 0; k < boxes_.size() && k < record.texts.size(); ++k) {
      boxes_[k]->setText(QString::fromStdString(record.texts[k]));
    }
    if (flows_ != nullptr) flows_->Show(record.flowRequest);
  }
  raise();
  activateWindow();
  if (!boxes_.empty()) boxes_.front()->setFocus();
}

const CaseRecord* CalculationWindow::LastReport() const {
  const std::vector<const CaseRecord*> records = Records();
  for (auto r = records.rbegin(); r != records.rend(); ++r) {
    if ((*r)->IsReport() && (*r)->press.sectionCase) return *r;
  }
  return nullptr;
}

void CalculationWindow::ShowCaseTable() {
  cases_->show();
  cases_->raise();
  cases_->activateWindow();
}

QString CalculationWindow::WriteBookTo(const QString& path) const {
  // The book judges every case at the limits the panel shows now.
  std::vector<CaseRecord> cases;
  for (const CaseRecord* r : Records()) {
    if (!r->IsReport()) continue;
    cases.push_back(*r);
    Rejudge(cases.back(), checkPanel_->Limits());
  }
  // The project's canals follow the window's cases, as the command line books them.
  return WriteCalculationBook(path, PrintHeading(), cases, session_->Current().cover,
                              session_->Current().canals);
}

void CalculationWindow::WriteBook() {
  const QString title = QStringLiteral("计算书");
  if (LastReport() == nullptr && session_->Current().canals.empty()) {
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
