#include "CaseTableWindow.h"

#include <QAction>
#include <QKeyEvent>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "WindowDecor.h"

namespace tarnwick::ui {

namespace {

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

bool IsFigure(int column) {
  const auto c = static_cast<CaseColumn>(column);
  return c != CaseColumn::Window && c != CaseColumn::Inputs && c != CaseColumn::Regime;
}

}  // namespace

CaseTableWindow::CaseTableWindow(const QString& title, QWidget* parent)
    : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("CaseTable"));
  setWindowTitle(title);
  auto* layout = new QVBoxLayout(this);
  view_ = new QTableWidget(0, int(kCaseColumns), this);
  view_->setObjectName(QStringLiteral("CaseView"));
  QStringList headers;
  for (std::string_view h : CaseHeaders()) headers << Q(h);
  view_->setHorizontalHeaderLabels(headers);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setAlternatingRowColors(true);
  view_->verticalHeader()->setVisible(false);
  QHeaderView* header = view_->horizontalHeader();
  header->setSectionsClickable(true);
  header->setSortIndicatorShown(false);
  header->setSectionResizeMode(QHeaderView::ResizeToContents);
  header->setStretchLastSection(true);
  connect(header, &QHeaderView::sectionClicked, this, &CaseTableWindow::SortBy);
  connect(view_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    if (row >= 0 && row < int(table_.Rows().size()) && !table_.Rows()[size_t(row)].canal)
      emit caseChosen(table_.Rows()[size_t(row)].order);
  });
  view_->installEventFilter(this);
  view_->setContextMenuPolicy(Qt::ActionsContextMenu);
  auto* bring = new QAction(QStringLiteral("调回输入框(&R)"), view_);
  bring->setObjectName(QStringLiteral("BringBackCase"));
  auto* remove = new QAction(QStringLiteral("删除此算例(&D)"), view_);
  remove->setObjectName(QStringLiteral("DeleteCase"));
  view_->addActions({bring, remove});
  connect(bring, &QAction::triggered, this, [this] {
    if (const auto order = CurrentOrder()) emit caseChosen(*order);
  });
  connect(remove, &QAction::triggered, this, [this] {
    if (const auto order = CurrentOrder()) emit deleteRequested(*order);
  });
  layout->addWidget(view_, 1);

  auto* buttons = new QHBoxLayout;
  auto* copy = new QPushButton(QStringLiteral("复制"), this);
  copy->setObjectName(QStringLiteral("CopyCases"));
  copy->setToolTip(QStringLiteral("把整张表以制表符分隔的文本复制到剪贴板，可直接粘贴到电子表格"));
  auto* save = new QPushButton(QStringLiteral("保存为CSV…"), this);
  save->setObjectName(QStringLiteral("SaveCases"));
  connect(copy, &QPushButton::clicked, this, &CaseTableWindow::CopyToClipboard);
  connect(save, &QPushButton::clicked, this, &CaseTableWindow::SaveCsvAs);
  buttons->addStretch(1);
  buttons->addWidget(copy);
  buttons->addWidget(save);
  layout->addLayout(buttons);
  UseCjkFaceWhereNeeded(this);
  resize(1000, 360);
}

void CaseTableWindow::Add(CaseRow row) {
  table_.Add(std::move(row));
  // A new case joins the order chosen, or comes last in the order of the presses.
  if (sortColumn_ >= 0) table_.SortBy(static_cast<CaseColumn>(sortColumn_), ascending_);
  Refill();
}

void CaseTableWindow::SetRows(std::vector<CaseRow> rows) {
  table_.Clear();
  for (CaseRow& row : rows) table_.Add(std::move(row));
  if (sortColumn_ >= 0) table_.SortBy(static_cast<CaseColumn>(sortColumn_), ascending_);
  Refill();
}

std::optional<std::size_t> CaseTableWindow::CurrentOrder() const {
  const int row = view_->currentRow();
  if (row < 0 || row >= int(table_.Rows().size())) return std::nullopt;
  // A canal's row stands for no case of the window.
  if (table_.Rows()[size_t(row)].canal) return std::nullopt;
  return table_.Rows()[size_t(row)].order;
}

bool CaseTableWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    const auto order = CurrentOrder();
    if (order && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
      emit caseChosen(*order);
      return true;
    }
    if (order && key == Qt::Key_Delete) {
      emit deleteRequested(*order);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void CaseTableWindow::Clear() {
  table_.Clear();
  sortColumn_ = -1;
  view_->horizontalHeader()->setSortIndicatorShown(false);
  Refill();
}

// A second click on the same header turns the order round.
void CaseTableWindow::SortBy(int column) {
  ascending_ = column == sortColumn_ ? !ascending_ : true;
  sortColumn_ = column;
  table_.SortBy(static_cast<CaseColumn>(column), ascending_);
  QHeaderView* header = view_->horizontalHeader();
  header->setSortIndicatorShown(true);
  header->setSortIndicator(column, ascending_ ? Qt::AscendingOrder : Qt::DescendingOrder);
  Refill();
}

void CaseTableWindow::Refill() {
  const std::vector<CaseRow>& rows = table_.Rows();
  view_->setRowCount(int(rows.size()));
  for (int r = 0; r < int(rows.size()); ++r) {
    const std::vector<std::string> cells = CaseCells(rows[size_t(r)]);
    for (int c = 0; c < int(cells.size()); ++c) {
      auto* item = new QTableWidgetItem(QString::fromStdString(cells[size_t(c)]));
      if (IsFigure(c)) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      view_->setItem(r, c, item);
    }
  }
}

void CaseTableWindow::CopyToClipboard() const {
  QApplication::clipboard()->setText(QString::fromStdString(table_.TabSeparated()));
}

QString CaseTableWindow::SaveCsv(const QString& path) const {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    return QStringLiteral("无法写入文件 %1：%2").arg(path, file.errorString());
  }
  const std::string csv = table_.Csv();
  if (file.write(csv.data(), qint64(csv.size())) != qint64(csv.size()) || !file.flush()) {
    return QStringLiteral("写入文件 %1 失败：%2").arg(path, file.errorString());
  }
  return QString();
}

void CaseTableWindow::SaveCsvAs() {
  QString path = QFileDialog::getSaveFileName(this, QStringLiteral("保存成果汇总表"),
                                              QStringLiteral("成果汇总表.csv"),
                                              QStringLiteral("CSV 文件 (*.csv)"));
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");
  const QString why = SaveCsv(path);
  if (!why.isEmpty()) QMessageBox::warning(this, QStringLiteral("保存成果汇总表"), why);
}

}  // namespace tarnwick::ui
