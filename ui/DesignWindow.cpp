#include "DesignWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <limits>

#include "Artwork.h"
#include "InputGrid.h"
#include "ReportPrinting.h"
#include "ResultView.h"
#include "SectionDrawingWindow.h"
#include "StageDischargeWindow.h"
#include "WindowDecor.h"
#include "core/ReadNumber.h"

namespace tarnwick::ui {

namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QAction* NamedAction(QWidget* owner, const char* name, const QString& caption) {
  auto* action = new QAction(caption, owner);
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

// The box that stands locked while it is the unknown (or is not read).
const QColor kLockedTint = QColor::fromRgb(0xFFFFC0);

// A number typed into one of the design boxes; NaN when it does not read as one,
// which the solvers refuse as an input error.
double Typed(const QLineEdit* box) {
  const std::string text = box->text().trimmed().toStdString();
  if (text.empty()) return std::numeric_limits<double>::quiet_NaN();
  const NumberReading r = ReadNumber(text);
  return r.valid && !r.partial ? r.value : std::numeric_limits<double>::quiet_NaN();
}

QString WithoutEquals(std::string_view label) {
  QString text = Q(label).trimmed();
  if (text.endsWith(QLatin1Char('='))) text.chop(1);
  return text;
}

void SetLocked(QLineEdit* box, bool locked) {
  box->setReadOnly(locked);
  QPalette pal = box->palette();
  pal.setColor(QPalette::Base, locked ? kLockedTint : QColor(Qt::white));
  box->setPalette(pal);
  box->setFocusPolicy(locked ? Qt::ClickFocus : Qt::StrongFocus);
}

// A labelled design box with its unit, in row `row` of `grid`; its widgets are
// added to `widgets` so that a mode can show or hide them together.
QLineEdit* AddDesignBox(QGridLayout* grid, int row, const char* name, const QString& label,
                        const QString& unit, const QString& text,
                        std::vector<QWidget*>* widgets = nullptr) {
  QWidget* parent = grid->parentWidget();
  auto* caption = new QLabel(label, parent);
  auto* box = new QLineEdit(text, parent);
  box->setObjectName(QString::fromLatin1(name));
  caption->setBuddy(box);
  auto* units = new QLabel(unit, parent);
  grid->addWidget(caption, row, 0);
  grid->addWidget(box, row, 1);
  grid->addWidget(units, row, 2);
  if (widgets != nullptr) *widgets = {caption, box, units};
  return box;
}

}  // namespace

DesignWindow::DesignWindow(const FamilySpec& family, QWidget* parent)
    : QMainWindow(parent),
      family_(family),
      discharge_(*FindWindow(CalculationKind::Discharge, family.family)),
      depth_(*FindWindow(CalculationKind::Depth, family.family)) {
  setObjectName(QStringLiteral("Design") + Q(discharge_.name));
  setWindowTitle(Q(family.title) + QStringLiteral("断面设计"));
  setAttribute(Qt::WA_DeleteOnClose);

  for (std::string_view box : design::SolvableBoxes(discharge_))
    modes_.push_back({ModeKind::Box, box});
  if (design::OffersProportions(depth_)) {
    modes_.push_back({ModeKind::Ratio, {}});
    modes_.push_back({ModeKind::Best, {}});
  }
  if (design::HasClearance(depth_)) modes_.push_back({ModeKind::Size, {}});

  BuildMenus();
  BuildToolbar();
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  auto* top = new QHBoxLayout;
  top->addWidget(BuildInputFrame(), 3);
  top->addWidget(BuildDesignFrame(), 2);
  layout->addLayout(top);

  auto* caption = new QLabel(QStringLiteral("断面设计计算结果"), central);
  caption->setObjectName(QStringLiteral("Label1"));
  caption->setAlignment(Qt::AlignCenter);
  QFont captionFont = caption->font();
  captionFont.setBold(true);
  captionFont.setPointSizeF(captionFont.pointSizeF() * 1.2);
  caption->setFont(captionFont);
  layout->addWidget(caption);

  pane_ = new ResultView(central);
  pane_->setObjectName(QStringLiteral("Picture1"));
  pane_->setMinimumSize(320, pane_->HeightFor(12));
  layout->addWidget(pane_, 1);
  setCentralWidget(central);

  ChooseMode(0);
  if (!boxes_.empty()) boxes_.front()->setFocus();
  UseCjkFaceWhereNeeded(this);
  resize(sizeHint().width(), sizeHint().height() + pane_->HeightFor(12));
}

void DesignWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
  file->setObjectName(QStringLiteral("FILE"));
  QAction* clean = NamedAction(this, "CLEAN", QStringLiteral("清除结果(&C)"));
  QAction* print = NamedAction(this, "PRINT", QStringLiteral("打印(&P)"));
  QAction* left = NamedAction(this, "LEFT", QStringLiteral("返回主选单(&L)"));
  QAction* exit = NamedAction(this, "EXIT", QStringLiteral("退出(&E)"));
  file->addActions({clean, print, left, exit});
  connect(clean, &QAction::triggered, this, &DesignWindow::ClearResults);
  connect(print, &QAction::triggered, this, &DesignWindow::PrintResults);
  connect(left, &QAction::triggered, this, &DesignWindow::returnRequested);
  connect(exit, &QAction::triggered, this, &DesignWindow::exitRequested);

  QMenu* draw = menuBar()->addMenu(QStringLiteral("图形(&D)"));
  draw->setObjectName(QStringLiteral("DRAW"));
  QAction* draw1 = NamedAction(this, "DRAW1", QStringLiteral("水位-流量关系曲线"));
  QAction* draw2 = NamedAction(this, "DRAW2", QStringLiteral("渠道断面"));
  draw->addActions({draw1, draw2});
  connect(draw1, &QAction::triggered, this, &DesignWindow::ShowStageDischargeCurve);
  connect(draw2, &QAction::triggered, this, &DesignWindow::ShowSectionDrawing);

  QAction* about = NamedAction(this, "ABOUT", QStringLiteral("关于(&A)"));
  QAction* help = NamedAction(this, "HELP", QStringLiteral("帮助(&H)"));
  menuBar()->addAction(about);
  menuBar()->addAction(help);
  connect(about, &QAction::triggered, this, &DesignWindow::aboutRequested);
  connect(help, &QAction::triggered, this, &DesignWindow::helpRequested);
}

void DesignWindow::BuildToolbar() {
  QToolBar* bar = addToolBar(kToolbarTitle);
  bar->setObjectName(QStringLiteral("Toolbar1"));
  bar->setMovable(false);
  for (const ToolButtonSpec& button : CalculationToolbar()) {
    QAction* action = button.icon == ToolIcon::None
                          ? bar->addSeparator()
                          : bar->addAction(ToolbarIcon(button.icon), button.toolTip);
    action->setObjectName(QStringLiteral("Toolbar1Button%1").arg(button.index));
    const int index = button.index;
    connect(action, &QAction::triggered, this, [this, index] { ToolbarClicked(index); });
  }
}

void DesignWindow::ToolbarClicked(int index) {
  switch (index) {
    case 1: ClearResults(); break;
    case 2: PrintResults(); break;
    case 3: emit returnRequested(); break;
    case 4: emit exitRequested(); break;
    case 6: ShowSectionDrawing(); break;
    case 7: ShowStageDischargeCurve(); break;
    case 9: emit helpRequested(); break;
    default: break;
  }
}

QWidget* DesignWindow::BuildInputFrame() {
  auto* frame = new QGroupBox(QStringLiteral("断面参数输入"));
  frame->setObjectName(QStringLiteral("Frame1"));
  auto* layout = new QVBoxLayout(frame);
  InputGrid grid = BuildInputGrid(discharge_.boxes, frame);
  boxes_ = std::move(grid.boxes);
  layout->addLayout(grid.layout);
  layout->addStretch(1);
  return frame;
}

QWidget* DesignWindow::BuildDesignFrame() {
  auto* frame = new QGroupBox(QStringLiteral("设计条件"));
  frame->setObjectName(QStringLiteral("Frame2"));
  auto* layout = new QVBoxLayout(frame);
  auto* grid = new QGridLayout;
  layout->addLayout(grid);  // the grid's widgets are the frame's

  auto* modeLabel = new QLabel(QStringLiteral("求解内容"), frame);
  mode_ = new QComboBox(frame);
  mode_->setObjectName(QStringLiteral("Combo1"));
  for (const Mode& m : modes_) {
    switch (m.kind) {
      case ModeKind::Box: {
        const auto k = std::find_if(discharge_.boxes.begin(), discharge_.boxes.end(),
                                    [&](const BoxSpec& b) { return b.name == m.box; });
        mode_->addItem(QStringLiteral("求解 ") + WithoutEquals(k->label));
        break;
      }
      case ModeKind::Ratio: mode_->addItem(QStringLiteral("给定宽深比求断面")); break;
      case ModeKind::Best: mode_->addItem(QStringLiteral("水力最佳断面")); break;
      case ModeKind::Size: mode_->addItem(QStringLiteral("最小断面（净空）")); break;
    }
  }
  modeLabel->setBuddy(mode_);
  grid->addWidget(modeLabel, 0, 0);
  grid->addWidget(mode_, 0, 1, 1, 2);
  designQ_ = AddDesignBox(grid, 1, "Text101", QStringLiteral("设计流量 Q="), QStringLiteral("m³/s"),
                          QString());
  ratio_ = AddDesignBox(grid, 2, "Text102", QStringLiteral("宽深比 β="), QString(),
                        QStringLiteral("2"), &ratioRow_);
  clearArea_ = AddDesignBox(grid, 3, "Text103", QStringLiteral("净空面积 ≥"), QStringLiteral("%"),
                            QStringLiteral("15"), &clearanceRow_);
  std::vector<QWidget*> heightRow;
  clearHeight_ = AddDesignBox(grid, 4, "Text104", QStringLiteral("净空高度 ≥"), QStringLiteral("m"),
                              QStringLiteral("0.4"), &heightRow);
  clearanceRow_.insert(clearanceRow_.end(), heightRow.begin(), heightRow.end());
  connect(mode_, &QComboBox::currentIndexChanged, this, &DesignWindow::ChooseMode);

  command1_ = new QPushButton(QStringLiteral("确 定"), frame);
  command1_->setObjectName(QStringLiteral("Command1"));
  command1_->setDefault(true);
  connect(command1_, &QPushButton::clicked, this, &DesignWindow::Compute);
  auto* buttonRow = new QHBoxLayout;
  buttonRow->addStretch(1);
  buttonRow->addWidget(command1_);
  layout->addStretch(1);
  layout->addLayout(buttonRow);
  return frame;
}

int DesignWindow::ChosenMode() const { return mode_->currentIndex(); }

// The chosen unknown is locked and its text ignored; so are the boxes a
// proportioned or sized section does not read (the depth, which the design
// finds, and the width the ratio fixes).
void DesignWindow::ChooseMode(int index) {
  if (index < 0 || index >= static_cast<int>(modes_.size())) return;
  if (mode_->currentIndex() != index) mode_->setCurrentIndex(index);
  const Mode& m = modes_[static_cast<std::size_t>(index)];
  for (std::size_t k = 0; k < boxes_.size(); ++k) {
    const BoxSpec& box = discharge_.boxes[k];
    bool locked = false;
    switch (m.kind) {
      case ModeKind::Box: locked = box.name == m.box; break;
      case ModeKind::Ratio:
      case ModeKind::Best:
        locked = box.role == BoxRole::Depth || box.name == depth_.proportions->width;
        break;
      case ModeKind::Size: locked = box.role == BoxRole::Depth; break;
    }
    SetLocked(boxes_[k], locked);
  }
  for (QWidget* w : ratioRow_) w->setVisible(m.kind == ModeKind::Ratio);
  for (QWidget* w : clearanceRow_) w->setVisible(m.kind == ModeKind::Size);
}

std::vector<std::string> DesignWindow::DischargeTexts() const {
  std::vector<std::string> texts;
  for (const QLineEdit* box : boxes_) texts.push_back(box->text().toStdString());
  return texts;
}

// The depth window's boxes from the shown ones: the two windows share their box
// names; the depth window's discharge box takes the design discharge.
std::vector<std::string> DesignWindow::DepthTexts() const {
  std::vector<std::string> texts;
  for (const BoxSpec& box : depth_.boxes) {
    std::string text;
    if (box.role == BoxRole::Discharge) {
      text = designQ_->text().toStdString();
    } else {
      for (std::size_t k = 0; k < boxes_.size(); ++k) {
        const BoxSpec& shown = discharge_.boxes[k];
        if (shown.name == box.name && shown.role != BoxRole::Depth) {
          text = boxes_[k]->text().toStdString();
        }
      }
    }
    texts.push_back(std::move(text));
  }
  return texts;
}

design::DesignResult DesignWindow::Design() const {
  const Mode& m = modes_[static_cast<std::size_t>(ChosenMode())];
  switch (m.kind) {
    case ModeKind::Box:
      return design::SolveForBox(discharge_, DischargeTexts(), m.box, Typed(designQ_));
    case ModeKind::Ratio: return design::SolveProportions(depth_, DepthTexts(), Typed(ratio_));
    case ModeKind::Best: return design::SolveBestProportions(depth_, DepthTexts());
    case ModeKind::Size:
      return design::SizeSmallestTunnel(depth_, DepthTexts(),
                                        design::Clearance{Typed(clearArea_), Typed(clearHeight_)});
  }
  return {};
}

void DesignWindow::Compute() { Answered(Design()); }

void DesignWindow::Answered(design::DesignResult result) {
  const std::size_t before = results_.Lines().size();
  results_.Append(result.pane);
  pane_->AppendLines(results_.Lines(), before);
  if (result.solutions.empty()) return;
  last_ = std::move(result);
  if (SectionDrawing() != nullptr) ShowSectionDrawing();
  if (CurveWindow() != nullptr) ShowStageDischargeCurve();
}

void DesignWindow::ClearResults() {
  results_.Clear();
  pane_->ClearLines();
}

QString DesignWindow::Heading() const { return windowTitle(); }

// The dimensions of the first answer, as the window that reports it reads them,
// to the six figures a designer reads off (the pane holds the report's own).
QStringList DesignWindow::Dimensions(const design::Solution& s) const {
  QStringList lines;
  const WindowSpec& w = *last_->window;
  for (std::size_t k = 0; k < w.boxes.size() && k < s.texts.size(); ++k) {
    const BoxSpec& box = w.boxes[k];
    if (box.role != BoxRole::Dimension && box.role != BoxRole::ShapeChoice) continue;
    if (s.texts[k].empty()) continue;
    QString label = Q(box.label);
    if (!label.endsWith(QLatin1Char('='))) label += QLatin1Char('=');
    lines << label + QLatin1Char(' ') + QString::number(s.boxes[k], 'g', 6);
  }
  return lines;
}

SectionDrawingWindow* DesignWindow::SectionDrawing() const {
  return drawing_ && drawing_->isVisible() ? drawing_.data() : nullptr;
}

StageDischargeWindow* DesignWindow::CurveWindow() const {
  return curve_ && curve_->isVisible() ? curve_.data() : nullptr;
}

void DesignWindow::ShowSectionDrawing() {
  if (!drawing_) drawing_ = new SectionDrawingWindow(this);
  const design::Solution* s = last_ ? &last_->solutions.front() : nullptr;
  if (s != nullptr && s->press.sectionCase) {
    drawing_->ShowDrawing(DrawingOf(*s->press.sectionCase),
                          Q(family_.title) + QStringLiteral("断面图"), Dimensions(*s));
  } else {
    drawing_->ShowMessage(QStringLiteral("尚无设计结果，未绘制断面图。\n请输入数据后按“确 定”。"));
  }
  drawing_->show();
  drawing_->raise();
}

void DesignWindow::ShowStageDischargeCurve() {
  if (!curve_) {
    curve_ = new StageDischargeWindow(this);
    connect(this, &DesignWindow::closing, curve_, &QWidget::close);
  }
  const design::Solution* s = last_ ? &last_->solutions.front() : nullptr;
  if (s != nullptr && s->press.sectionCase) {
    curve_->ShowCase(*s->press.sectionCase, Heading());
  } else {
    curve_->ShowRefused();
  }
  curve_->show();
  curve_->raise();
}

void DesignWindow::PrintResults() {
  if (results_.Lines().empty()) {
    QMessageBox::information(this, QStringLiteral("打印计算结果"),
                             QStringLiteral("没有可打印的计算结果。"));
    return;
  }
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(Heading());
  QPrintDialog dialog(&printer, this);
  dialog.setWindowTitle(QStringLiteral("打印计算结果"));
  if (dialog.exec() != QDialog::Accepted) return;
  PrintReports(printer, Heading(), QStringLiteral("断面设计计算结果"), results_.Lines());
}

void DesignWindow::keyPressEvent(QKeyEvent* event) {
  // Enter anywhere in the window designs, as "确 定" does.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    command1_->click();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void DesignWindow::closeEvent(QCloseEvent* event) {
  if (drawing_) drawing_->close();
  emit closing();
  QMainWindow::closeEvent(event);
}

}  // namespace tarnwick::ui
