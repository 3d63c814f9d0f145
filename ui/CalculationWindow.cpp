#include "CalculationWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "Artwork.h"
#include "CanalWindow.h"
#include "CaseTableWindow.h"
#include "CheckPanel.h"
#include "FlowGroup.h"
#include "InputGrid.h"
#include "ProfileWindow.h"
#include "ProjectMenu.h"
#include "ResultView.h"
#include "SectionDrawingWindow.h"
#include "StageDischargeWindow.h"

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

// The boxes a design request finds, or does not read, stand locked in this tint.
const QColor kDesignLockTint = QColor::fromRgb(0xFFFFC0);

}  // namespace

CalculationWindow::CalculationWindow(const WindowSpec& entry, QWidget* parent, Session* session)
    : QMainWindow(parent),
      entry_(entry),
      caption_(Q(entry.caption)),
      shapeTint_(QColor::fromRgb(entry.shapeTint)) {
  setObjectName(Q(entry.name));
  Build(session);
}

CalculationWindow::CalculationWindow(const FamilySpec& family, QWidget* parent, Session* session)
    : QMainWindow(parent),
      entry_(*FindWindow(CalculationKind::Discharge, family.family)),
      family_(&family),
      depth_(FindWindow(CalculationKind::Depth, family.family)),
      caption_(Q(family.title) + QStringLiteral("断面设计")),
      shapeTint_(kDesignLockTint) {
  setObjectName(QStringLiteral("Design") + Q(entry_.name));
  // The requests the family's windows answer, in the order of the choice.
  for (std::string_view box : design::SolvableBoxes(entry_)) {
    DesignRequest solve;
    solve.box = std::string(box);
    modes_.push_back(solve);
  }
  if (design::OffersProportions(*depth_)) {
    for (const DesignMode mode : {DesignMode::Ratio, DesignMode::Best}) {
      DesignRequest proportions;
      proportions.mode = mode;
      modes_.push_back(proportions);
    }
  }
  if (design::HasClearance(*depth_)) {
    DesignRequest size;
    size.mode = DesignMode::Size;
    modes_.push_back(size);
  }
  Build(session);
}

void CalculationWindow::Build(Session* session) {
  setAttribute(Qt::WA_DeleteOnClose);
  // A window opened on its own keeps its cases in a session of its own.
  session_ = session != nullptr ? session : new Session(this);
  BuildMenus();
  BuildToolbar();

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  auto* top = new QHBoxLayout;
  top->addWidget(BuildInputFrame(), 3);
  top->addWidget(family_ != nullptr ? BuildDesignFrame() : BuildExtensionFrame(),
                 family_ != nullptr ? 2 : 1);
  // The canal's three discharges beside the boxes, where the window table says
  // the window takes them.
  if (family_ == nullptr ? TakesFlows(entry_) : TakesFlows(*depth_)) {
    flows_ = new FlowGroup(central);
    top->addWidget(flows_, 0, Qt::AlignTop);
  }
  layout->addLayout(top);

  BuildResults(central, layout);
  cases_ = new CaseTableWindow(caption_ + QStringLiteral(" — 成果汇总表"), this);
  setCentralWidget(central);

  // Tab walks the boxes in reading order, then reaches the compute button.
  QWidget* previous = nullptr;
  for (QLineEdit* box : boxes_) {
    if (previous != nullptr) setTabOrder(previous, box);
    previous = box;
  }
  if (previous != nullptr && family_ == nullptr) setTabOrder(previous, command1_);

  for (const ShapeOption& shape : entry_.shapes) {
    if (shape.initial && family_ == nullptr) ChooseShape(shape);
  }
  if (family_ != nullptr) ChooseMode(0);
  if (!boxes_.empty()) boxes_.front()->setFocus();
  connect(this, &CalculationWindow::stageDischargeCurveRequested, this,
          &CalculationWindow::ShowStageDischargeCurve);
  connect(this, &CalculationWindow::sectionDrawingRequested, this,
          &CalculationWindow::ShowSectionDrawing);
  connect(this, &CalculationWindow::printRequested, this, &CalculationWindow::PrintResults);
  ConnectRecords();
  UseCjkFaceWhereNeeded(this);
  const QScreen* where = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
  if (where != nullptr) FitToScreen(where->availableGeometry());
}

// The caption over the pane, the pane and the check panel beside it.
void CalculationWindow::BuildResults(QWidget* central, QVBoxLayout* layout) {
  auto* caption = new QLabel(
      family_ != nullptr ? QStringLiteral("断面设计计算结果") : Q(entry_.resultCaption), central);
  caption->setObjectName(QStringLiteral("Label1"));
  caption->setAlignment(Qt::AlignCenter);
  QFont captionFont = caption->font();
  captionFont.setBold(true);
  captionFont.setPointSizeF(captionFont.pointSizeF() * 1.2);
  caption->setFont(captionFont);
  layout->addWidget(caption);

  pane_ = new ResultView(central);
  pane_->setObjectName(QStringLiteral("Picture1"));
  pane_->setMinimumSize(320, pane_->HeightFor(4));
  // The checks of the last report stand in a column right of the pane, as high
  // as the pane and of fixed width: the pane keeps all the height and every
  // pixel the window grows by.
  checkPanel_ = new CheckPanel(central);
  checkPanel_->ShowClearanceLimits(family_ != nullptr && depth_->closed);
  auto* results = new QHBoxLayout;
  results->addWidget(pane_, 1);
  results->addWidget(checkPanel_);
  layout->addLayout(results, 1);
}

namespace {

// Title bar and borders, drawn by the window manager outside the window.
constexpr int kFrameAllowance = 40;
// Six flat-bottom reports, as the help notes promise; on a low screen at least
// four.
constexpr int kWantedLines = 36;
constexpr int kFewestLines = 24;
// The pane faces tried, largest first; below 11 px the reports are hard to read.
constexpr int kLargestFace = 16;
constexpr int kSmallestFace = 11;

}  // namespace

// The largest pane face at which the window shows kWantedLines lines of reports
// and fits the screen, the window just tall enough for them. On a screen too low
// for that, the window as tall as the screen allows, with the largest face that
// still shows kFewestLines, or the smallest face.
void CalculationWindow::FitToScreen(const QRect& available) {
  const int room = available.height() - kFrameAllowance;
  // Everything but the pane: menus, toolbar, boxes, caption, margins.
  const auto chrome = [this] {
    // Before the window is shown its layouts keep the hints they first saw.
    centralWidget()->layout()->invalidate();
    centralWidget()->updateGeometry();
    layout()->invalidate();
    return sizeHint().height() - pane_->sizeHint().height();
  };
  int height = room;
  int face = kSmallestFace;
  for (int pixels = kLargestFace; pixels >= kSmallestFace; --pixels) {
    pane_->SetPixelSize(pixels);
    if (chrome() + pane_->HeightFor(kWantedLines) <= room) {
      face = pixels;
      height = chrome() + pane_->HeightFor(kWantedLines);
      break;
    }
    if (face == kSmallestFace && chrome() + pane_->HeightFor(kFewestLines) <= room) face = pixels;
  }
  pane_->SetPixelSize(face);
  resize(std::min(sizeHint().width(), available.width()),
         std::max(height, minimumSizeHint().height()));
}

void CalculationWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
  file->setObjectName(QStringLiteral("FILE"));
  QAction* clean = NamedAction(this, "CLEAN", QStringLiteral("清除结果(&C)"));
  QAction* print = NamedAction(this, "PRINT", QStringLiteral("打印(&P)"));
  QAction* book = NamedAction(this, "BOOK", QStringLiteral("计算书(&B)…"));
  QAction* cases = NamedAction(this, "CASES", QStringLiteral("成果汇总表(&T)…"));
  QAction* left = NamedAction(this, "LEFT", QStringLiteral("返回主选单(&L)"));
  QAction* exit = NamedAction(this, "EXIT", QStringLiteral("退出(&E)"));
  BuildProjectActions(file);
  file->addActions({clean, print, book, cases});
  file->addSeparator();
  file->addActions({left, exit});

  QMenu* edit = menuBar()->addMenu(QStringLiteral("编辑(&E)"));
  edit->setObjectName(QStringLiteral("EDIT"));
  undo_ = NamedAction(this, "UNDO", QStringLiteral("撤销(&U)"));
  undo_->setShortcut(QKeySequence::Undo);
  edit->addAction(undo_);
  connect(undo_, &QAction::triggered, this, &CalculationWindow::UndoRemoval);
  connect(clean, &QAction::triggered, this, &CalculationWindow::ClearResults);
  connect(book, &QAction::triggered, this, &CalculationWindow::WriteBook);
  connect(cases, &QAction::triggered, this, &CalculationWindow::ShowCaseTable);
  connect(print, &QAction::triggered, this, &CalculationWindow::printRequested);
  connect(left, &QAction::triggered, this, &CalculationWindow::returnRequested);
  connect(exit, &QAction::triggered, this, &CalculationWindow::exitRequested);

  QMenu* draw = menuBar()->addMenu(QStringLiteral("图形(&D)"));
  draw->setObjectName(QStringLiteral("DRAW"));
  QAction* draw1 = NamedAction(this, "DRAW1", QStringLiteral("水位-流量关系曲线"));
  QAction* draw2 = NamedAction(this, "DRAW2", QStringLiteral("渠道断面"));
  draw->addActions({draw1, draw2});
  if (family_ == nullptr && entry_.kind == CalculationKind::Depth) {
    QAction* draw3 = NamedAction(this, "DRAW3", QStringLiteral("水面线(&W)…"));
    draw->addAction(draw3);
    connect(draw3, &QAction::triggered, this, &CalculationWindow::AskProfile);
    QAction* draw4 = NamedAction(this, "DRAW4", QStringLiteral("渠道水面线(&C)…"));
    draw->addAction(draw4);
    connect(draw4, &QAction::triggered, this, &CalculationWindow::ShowCanal);
  }
  connect(draw1, &QAction::triggered, this, &CalculationWindow::stageDischargeCurveRequested);
  connect(draw2, &QAction::triggered, this, &CalculationWindow::sectionDrawingRequested);

  QAction* about = NamedAction(this, "ABOUT", QStringLiteral("关于(&A)"));
  QAction* help = NamedAction(this, "HELP", QStringLiteral("帮助(&H)"));
  menuBar()->addAction(about);
  menuBar()->addAction(help);
  connect(about, &QAction::triggered, this, &CalculationWindow::aboutRequested);
  connect(help, &QAction::triggered, this, &CalculationWindow::helpRequested);
}

void CalculationWindow::BuildProjectActions(QMenu* file) {
  AddProjectActions(file, this, *session_);
}

void CalculationWindow::BuildToolbar() {
  QToolBar* bar = addToolBar(kToolbarTitle);
  bar->setObjectName(QStringLiteral("Toolbar1"));
  bar->setMovable(false);
  for (const ToolButtonSpec& button : CalculationToolbar()) {
    QAction* action = nullptr;
    if (button.icon == ToolIcon::None) {
      action = bar->addSeparator();
    } else {
      action = bar->addAction(ToolbarIcon(button.icon), button.toolTip);
      action->setToolTip(button.toolTip);
    }
    action->setObjectName(QStringLiteral("Toolbar1Button%1").arg(button.index));
    const int index = button.index;
    connect(action, &QAction::triggered, this, [this, index] { ToolbarClicked(index); });
  }
}

void CalculationWindow::ToolbarClicked(int index) {
  switch (index) {
    case 1: ClearResults(); break;
    case 2: emit printRequested(); break;
    case 3: emit returnRequested(); break;
    case 4: emit exitRequested(); break;
    case 6: emit sectionDrawingRequested(); break;
    case 7: emit stageDischargeCurveRequested(); break;
    case 9: emit helpRequested(); break;
    default: break;
  }
}

QWidget* CalculationWindow::BuildInputFrame() {
  auto* frame = new QGroupBox(QStringLiteral("基本参数输入"));
  frame->setObjectName(QStringLiteral("Frame1"));
  auto* layout = new QVBoxLayout(frame);

  if (!entry_.shapes.empty() && family_ == nullptr) layout->addWidget(BuildShapeButtons(frame));

  InputGrid grid = BuildInputGrid(entry_.boxes, frame);
  boxes_ = std::move(grid.boxes);
  layout->addLayout(grid.layout);
  if (family_ != nullptr) {
    frame->setTitle(QStringLiteral("断面参数输入"));
    layout->addStretch(1);
    return frame;
  }

  command1_ = new QPushButton(QStringLiteral("确 定"), frame);
  command1_->setObjectName(QStringLiteral("Command1"));
  command1_->setDefault(true);
  connect(command1_, &QPushButton::clicked, this, &CalculationWindow::Compute);
  auto* buttonRow = new QHBoxLayout;
  buttonRow->addStretch(1);
  buttonRow->addWidget(command1_);
  layout->addLayout(buttonRow);
  return frame;
}

QWidget* CalculationWindow::BuildShapeButtons(QWidget* frame) {
  auto* strip = new QWidget(frame);
  auto* row = new QHBoxLayout(strip);
  row->setContentsMargins(0, 0, 0, 0);
  auto* group = new QButtonGroup(strip);
  for (const ShapeOption& shape : entry_.shapes) {
    auto* button = new QRadioButton(Q(shape.caption), strip);
    button->setObjectName(Q(shape.name));
    button->setAutoFillBackground(true);
    QPalette pal = button->palette();
    pal.setColor(button->backgroundRole(), shapeTint_);
    button->setPalette(pal);
    button->setChecked(shape.initial);
    group->addButton(button);
    row->addWidget(button);
    connect(button, &QRadioButton::clicked, this, [this, &shape] { ChooseShape(shape); });
  }
  row->addStretch(1);
  return strip;
}

QWidget* CalculationWindow::BuildExtensionFrame() {
  auto* frame = new QGroupBox(QStringLiteral("扩展功能选择"));
  frame->setObjectName(QStringLiteral("Frame2"));
  auto* layout = new QVBoxLayout(frame);
  check1_ = new QCheckBox(QStringLiteral("生成水位—流量关系曲线"), frame);
  check1_->setObjectName(QStringLiteral("Check1"));
  check2_ = new QCheckBox(QStringLiteral("生成渠道断面图形"), frame);
  check2_->setObjectName(QStringLiteral("Check2"));
  auto* nameLabel = new QLabel(QStringLiteral("输入工程及渠道名称"), frame);
  projectName_ = new QLineEdit(frame);
  projectName_->setObjectName(Q(entry_.projectBox));
  nameLabel->setBuddy(projectName_);
  layout->addWidget(check1_);
  layout->addWidget(check2_);
  layout->addWidget(nameLabel);
  layout->addWidget(projectName_);
  layout->addStretch(1);
  return frame;
}

std::vector<std::string> CalculationWindow::BoxTexts() const {
  std::vector<std::string> texts;
  texts.reserve(boxes_.size());
  for (const QLineEdit* box : boxes_) texts.push_back(box->text().toStdString());
  return texts;
}

QLineEdit* CalculationWindow::Box(std::string_view name) const {
  return findChild<QLineEdit*>(Q(name));
}

void CalculationWindow::SetLocked(QLineEdit* box, bool locked, const QColor& colour) {
  box->setReadOnly(locked);
  QPalette pal = box->palette();
  pal.setColor(QPalette::Base, colour);
  box->setPalette(pal);
  // A locked box is passed over by Tab; a click still reaches it.
  box->setFocusPolicy(locked ? Qt::ClickFocus : Qt::StrongFocus);
}

void CalculationWindow::ChooseShape(const ShapeOption& shape) {
  QLineEdit* locked = Box(shape.lockedBox);
  QLineEdit* open = Box(shape.openBox);
  if (locked == nullptr || open == nullptr) return;
  locked->setText(Q(shape.lockedText));
  SetLocked(locked, true, shapeTint_);
  if (shape.clearOpenBox) open->clear();
  SetLocked(open, false, Qt::white);
}

void CalculationWindow::keyPressEvent(QKeyEvent* event) {
  // Enter anywhere in the window (a box, an option, a check box) computes.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    command1_->click();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void CalculationWindow::closeEvent(QCloseEvent* event) {
  // Closed by the user, not handed over by the shell: the last chance to save.
  if (!property("quietClose").toBool() && !MayDiscard(this, *session_)) {
    event->ignore();
    return;
  }
  // The section drawing belongs to this window and goes with it.
  if (sectionDrawing_) sectionDrawing_->close();
  if (profile_) profile_->close();
  if (canal_) canal_->close();
  cases_->close();
  emit closing();
  QMainWindow::closeEvent(event);
}

}  // namespace tarnwick::ui
