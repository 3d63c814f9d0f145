#include "SheetWindow.h"

#include <QAbstractTableModel>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QSvgGenerator>
#include <QTableView>

#include "ExportActions.h"
#include "WindowDecor.h"
#include "sections/ProfileTable.h"

namespace tarnwick::ui {

namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Paints the sheet and reads it out under the mouse.
class SheetCanvas : public QWidget {
 public:
  explicit SheetCanvas(SheetWindow* owner) : QWidget(owner), owner_(owner) {
    setMinimumSize(static_cast<int>(SheetWindow::kSheetWidth * 0.7),
                   static_cast<int>(SheetWindow::kSheetHeight * 0.7));
    setMouseTracking(true);
  }
  QSize sizeHint() const override {
    return {static_cast<int>(SheetWindow::kSheetWidth),
            static_cast<int>(SheetWindow::kSheetHeight)};
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (owner_->HasSheet()) owner_->Paint(painter, QRectF(rect()));
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (!owner_->HasSheet()) return;
    owner_->ShowReadout(owner_->ReadoutAtPixel(QRectF(rect()), event->position().x()));
  }

 private:
  SheetWindow* owner_;
};

}  // namespace

// The stations, one a row, the cells as the text report prints them; a first
// column names the reach where the table has one.
class StationModel : public QAbstractTableModel {
 public:
  StationModel(QObject* parent, bool reachColumn)
      : QAbstractTableModel(parent), first_(reachColumn ? 1 : 0) {}
  void Set(std::vector<StationRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
  }
  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
  }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : first_ + static_cast<int>(ProfileColumns().size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    const StationRow& row = rows_[static_cast<std::size_t>(index.row())];
    if (index.column() < first_) return role == Qt::DisplayRole ? QVariant(row.reach) : QVariant();
    if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    return QString::fromStdString(
        ProfileCell(row.station, static_cast<std::size_t>(index.column() - first_), row.offset));
  }
  QVariant headerData(int section, Qt::Orientation o, int role) const override {
    if (o != Qt::Horizontal || role != Qt::DisplayRole) {
      return QAbstractTableModel::headerData(section, o, role);
    }
    if (section < first_) return QStringLiteral("渠段");
    const ProfileColumn& c = ProfileColumns()[static_cast<std::size_t>(section - first_)];
    return Q(c.name) + QLatin1Char('\n') + Q(c.symbol);
  }

 private:
  int first_;
  std::vector<StationRow> rows_;
};

SheetWindow::SheetWindow(QWidget* parent, const QString& prefix, const QString& what,
                         bool reachColumn)
    : QMainWindow(parent) {
  setWindowFlag(Qt::Window);
  setAttribute(Qt::WA_DeleteOnClose);
  pages_ = new QStackedWidget(this);
  auto* split = new QSplitter(Qt::Horizontal, pages_);
  canvas_ = new SheetCanvas(this);
  canvas_->setObjectName(prefix + QStringLiteral("Canvas"));
  canvas_->setParent(split);
  model_ = new StationModel(this, reachColumn);
  table_ = new QTableView(split);
  table_->setObjectName(prefix + QStringLiteral("Table"));
  table_->setModel(model_);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  split->addWidget(canvas_);
  split->addWidget(table_);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);
  message_ = new QLabel(pages_);
  message_->setObjectName(prefix + QStringLiteral("Message"));
  message_->setAlignment(Qt::AlignCenter);
  message_->setWordWrap(true);
  message_->setMargin(24);
  pages_->addWidget(split);
  pages_->addWidget(message_);
  setCentralWidget(pages_);
  readout_ = new QLabel(this);
  readout_->setObjectName(prefix + QStringLiteral("Readout"));
  statusBar()->addWidget(readout_, 1);
  BuildExports(what);
}

void SheetWindow::BuildExports(const QString& what) {
  file_ = menuBar()->addMenu(QStringLiteral("文件(&F)"));
  const auto write = [this](bool (SheetWindow::*w)(const QString&) const) {
    return [this, w](const QString& file) { return (this->*w)(file); };
  };
  exports_ = AddExportActions(
      this, file_, QStringLiteral("导出") + what,
      [this, what] { return HasSheet() ? SheetTitle() : what; },
      {PngExport(write(&SheetWindow::ExportPng)),
       SvgExport(write(&SheetWindow::ExportSvg)),
       {"ExportCsv", QStringLiteral("导出CSV成果表"), QStringLiteral("CSV 表格 (*.csv)"),
        QStringLiteral("csv"), write(&SheetWindow::ExportCsv)}});
  for (QAction* action : exports_) action->setEnabled(false);
}

void SheetWindow::ShowSheet(std::vector<StationRow> rows) {
  model_->Set(std::move(rows));
  // The whole table in view beside the drawing, every column at its width.
  table_->resizeColumnsToContents();
  table_->setMinimumWidth(table_->horizontalHeader()->length() + 24);
  for (QAction* action : exports_) action->setEnabled(true);
  pages_->setCurrentIndex(0);
  readout_->clear();
  canvas_->update();
}

void SheetWindow::ShowMessage(const QString& text) {
  model_->Set({});
  message_->setText(text);
  UseCjkFaceWhereNeeded(message_);
  for (QAction* action : exports_) action->setEnabled(false);
  pages_->setCurrentIndex(1);
}

QString SheetWindow::Message() const { return HasSheet() ? QString() : message_->text(); }

void SheetWindow::ShowReadout(const QString& text) { readout_->setText(text); }

QString SheetWindow::ReadoutAtPixel(const QRectF& sheet, double px) const {
  if (!HasSheet()) return {};
  const std::optional<double> x = DistanceAt(sheet, px);
  return x ? ReadoutAt(*x) : QString();
}

bool SheetWindow::ExportPng(const QString& file) const {
  if (!HasSheet()) return false;
  QImage image(static_cast<int>(2 * kSheetWidth), static_cast<int>(2 * kSheetHeight),
               QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    painter.scale(2.0, 2.0);
    Paint(painter, QRectF(0, 0, kSheetWidth, kSheetHeight));
  }
  return image.save(file, "PNG");
}

bool SheetWindow::ExportSvg(const QString& file) const {
  if (!HasSheet()) return false;
  QSvgGenerator svg;
  svg.setFileName(file);
  svg.setSize(QSize(static_cast<int>(kSheetWidth), static_cast<int>(kSheetHeight)));
  svg.setViewBox(QRectF(0, 0, kSheetWidth, kSheetHeight));
  svg.setTitle(SheetTitle());
  QPainter painter;
  if (!painter.begin(&svg)) return false;
  Paint(painter, QRectF(0, 0, kSheetWidth, kSheetHeight));
  return painter.end();
}

// UTF-8 with a byte-order mark, so that Excel reads the Chinese headings.
bool SheetWindow::ExportCsv(const QString& file) const {
  if (!HasSheet()) return false;
  QFile out(file);
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  const std::string csv = "\xEF\xBB\xBF" + Csv();
  return out.write(csv.data(), static_cast<qint64>(csv.size())) ==
             static_cast<qint64>(csv.size()) &&
         out.flush();
}

}  // namespace tarnwick::ui
