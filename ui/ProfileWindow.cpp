#include "ProfileWindow.h"

#include <QAbstractTableModel>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QSvgGenerator>
#include <QTableView>
#include <QToolBar>

#include "WindowDecor.h"
#include "sections/ProfileTable.h"

namespace tarnwick::ui {

namespace {

constexpr double kSheetWidth = 860.0;
constexpr double kSheetHeight = 520.0;

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The stations, one a row, the cells as the text report prints them.
class StationModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;
  void Set(std::vector<ProfileStation> stations) {
    beginResetModel();
    stations_ = std::move(stations);
    endResetModel();
  }
  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(stations_.size());
  }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(ProfileColumns().size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    const auto row = static_cast<std::size_t>(index.row());
    return QString::fromStdString(
        ProfileCell(stations_[row], static_cast<std::size_t>(index.column()), 0.0));
  }
  QVariant headerData(int section, Qt::Orientation o, int role) const override {
    if (o != Qt::Horizontal || role != Qt::DisplayRole) {
      return QAbstractTableModel::headerData(section, o, role);
    }
    const ProfileColumn& c = ProfileColumns()[static_cast<std::size_t>(section)];
    return Q(c.name) + QLatin1Char('\n') + Q(c.symbol);
  }

 private:
  std::vector<ProfileStation> stations_;
};

// Paints the sheet and reads the profile out under the mouse.
class ProfileCanvas : public QWidget {
 public:
  explicit ProfileCanvas(ProfileWindow* owner) : QWidget(owner), owner_(owner) {
    setMinimumSize(static_cast<int>(kSheetWidth * 0.7), static_cast<int>(kSheetHeight * 0.7));
    setMouseTracking(true);
  }
  QSize sizeHint() const override {
    return {static_cast<int>(kSheetWidth), static_cast<int>(kSheetHeight)};
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (owner_->Sheet()) PaintProfile(painter, QRectF(rect()), *owner_->Sheet());
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (!owner_->Sheet()) return;
    const std::optional<double> x =
        ScaleOf(QRectF(rect()), *owner_->Sheet()).DistanceAt(event->position().x());
    owner_->ShowReadout(x ? owner_->ReadoutAt(*x) : QString());
  }

 private:
  ProfileWindow* owner_;
};

}  // namespace

ProfileWindow::ProfileWindow(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("ProfileWindow"));
  setWindowFlag(Qt::Window);
  setWindowTitle(QStringLiteral("水面线"));
  setAttribute(Qt::WA_DeleteOnClose);

  auto* pages = new QStackedWidget(this);
  auto* split = new QSplitter(Qt::Horizontal, pages);
  canvas_ = new ProfileCanvas(this);
  canvas_->setObjectName(QStringLiteral("ProfileCanvas"));
  canvas_->setParent(split);
  auto* model = new StationModel(this);
  model_ = model;
  table_ = new QTableView(split);
  table_->setObjectName(QStringLiteral("ProfileTable"));
  table_->setModel(model_);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  split->addWidget(canvas_);
  split->addWidget(table_);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);
  message_ = new QLabel(pages);
  message_->setObjectName(QStringLiteral("ProfileMessage"));
  message_->setAlignment(Qt::AlignCenter);
  message_->setWordWrap(true);
  message_->setMargin(24);
  pages->addWidget(split);
  pages->addWidget(message_);
  pages_ = pages;
  setCentralWidget(pages);
  readout_ = new QLabel(this);
  readout_->setObjectName(QStringLiteral("ProfileReadout"));
  statusBar()->addWidget(readout_, 1);

  BuildExports();
  resize(static_cast<int>(kSheetWidth) + 620, static_cast<int>(kSheetHeight) + 90);
  UseCjkFaceWhereNeeded(this);
}

void ProfileWindow::BuildExports() {
  const struct {
    const char* name;
    QString caption, filter, suffix;
    bool (ProfileWindow::*write)(const QString&) const;
  } kinds[] = {
      {"ExportPng", QStringLiteral("导出PNG图片"), QStringLiteral("PNG 图片 (*.png)"),
       QStringLiteral("png"), &ProfileWindow::ExportPng},
      {"ExportSvg", QStringLiteral("导出SVG图形"), QStringLiteral("SVG 图形 (*.svg)"),
       QStringLiteral("svg"), &ProfileWindow::ExportSvg},
      {"ExportCsv", QStringLiteral("导出CSV成果表"), QStringLiteral("CSV 表格 (*.csv)"),
       QStringLiteral("csv"), &ProfileWindow::ExportCsv},
  };
  QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
  QToolBar* bar = addToolBar(QStringLiteral("导出"));
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (const auto& kind : kinds) {
    auto* action = new QAction(kind.caption + QStringLiteral("…"), this);
    action->setObjectName(QString::fromLatin1(kind.name));
    connect(
        action, &QAction::triggered, this,
        [this, f = kind.filter, s = kind.suffix, w = kind.write] { ExportWithDialog(f, s, w); });
    file->addAction(action);
    bar->addAction(action);
    exports_ << action;
  }
  file->addSeparator();
  connect(file->addAction(QStringLiteral("关闭(&C)")), &QAction::triggered, this, &QWidget::close);
}

void ProfileWindow::ShowProfile(const ProfileSheet& sheet) {
  sheet_ = sheet;
  static_cast<StationModel*>(model_)->Set(sheet.profile.stations);
  // The whole table in view beside the drawing, every column at its width.
  table_->resizeColumnsToContents();
  table_->setMinimumWidth(table_->horizontalHeader()->length() + 24);
  const QString type = sheet.profile.type == "uniform" ? QStringLiteral("均匀流")
                                                       : QString::fromStdString(sheet.profile.type);
  setWindowTitle(QStringLiteral("水面线 %1 — %2").arg(type, sheet.title));
  for (QAction* action : exports_) action->setEnabled(true);
  static_cast<QStackedWidget*>(pages_)->setCurrentIndex(0);
  readout_->clear();
  canvas_->update();
}

void ProfileWindow::ShowRefusal(const QString& why) {
  sheet_.reset();
  static_cast<StationModel*>(model_)->Set({});
  setWindowTitle(QStringLiteral("水面线"));
  message_->setText(QStringLiteral("未能计算水面线。\n\n") + why);
  UseCjkFaceWhereNeeded(message_);
  for (QAction* action : exports_) action->setEnabled(false);
  static_cast<QStackedWidget*>(pages_)->setCurrentIndex(1);
}

QString ProfileWindow::Message() const { return sheet_ ? QString() : message_->text(); }

QString ProfileWindow::ReadoutAt(double x) const {
  if (!sheet_) return {};
  const std::optional<ProfilePoint> at = PointAt(sheet_->profile, x);
  if (!at) return {};
  return QStringLiteral("x=%1 m　水深h=%2 m　水位z=%3 m　渠底高程=%4 m")
      .arg(at->x, 0, 'f', 2)
      .arg(at->h, 0, 'f', 4)
      .arg(at->z, 0, 'f', 4)
      .arg(at->bed, 0, 'f', 4);
}

void ProfileWindow::ShowReadout(const QString& text) { readout_->setText(text); }

bool ProfileWindow::ExportPng(const QString& file) const {
  if (!sheet_) return false;
  QImage image(static_cast<int>(2 * kSheetWidth), static_cast<int>(2 * kSheetHeight),
               QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    painter.scale(2.0, 2.0);
    PaintProfile(painter, QRectF(0, 0, kSheetWidth, kSheetHeight), *sheet_);
  }
  return image.save(file, "PNG");
}

bool ProfileWindow::ExportSvg(const QString& file) const {
  if (!sheet_) return false;
  QSvgGenerator svg;
  svg.setFileName(file);
  svg.setSize(QSize(static_cast<int>(kSheetWidth), static_cast<int>(kSheetHeight)));
  svg.setViewBox(QRectF(0, 0, kSheetWidth, kSheetHeight));
  svg.setTitle(sheet_->title);
  QPainter painter;
  if (!painter.begin(&svg)) return false;
  PaintProfile(painter, QRectF(0, 0, kSheetWidth, kSheetHeight), *sheet_);
  return painter.end();
}

// UTF-8 with a byte-order mark, so that Excel reads the Chinese headings.
bool ProfileWindow::ExportCsv(const QString& file) const {
  if (!sheet_) return false;
  QFile out(file);
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  const std::string csv = "\xEF\xBB\xBF" + ProfileCsv(sheet_->profile.stations, 0.0);
  return out.write(csv.data(), static_cast<qint64>(csv.size())) ==
             static_cast<qint64>(csv.size()) &&
         out.flush();
}

void ProfileWindow::ExportWithDialog(const QString& filter, const QString& suffix,
                                     bool (ProfileWindow::*write)(const QString&) const) {
  const QString base = sheet_ ? sheet_->title : QStringLiteral("水面线");
  QString file = QFileDialog::getSaveFileName(this, QStringLiteral("导出水面线"),
                                              base + QLatin1Char('.') + suffix, filter);
  if (file.isEmpty()) return;
  if (!file.endsWith(QLatin1Char('.') + suffix, Qt::CaseInsensitive)) {
    file += QLatin1Char('.') + suffix;
  }
  if (!(this->*write)(file)) {
    QMessageBox::warning(this, QStringLiteral("导出水面线"),
                         QStringLiteral("无法写入文件：%1").arg(file));
  }
}

}  // namespace tarnwick::ui
