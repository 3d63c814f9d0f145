#include "SelectionWindow.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string>

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "Artwork.h"

namespace tarnwick::ui {

namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// One family in the selection picture: the outline of its sample section, the
// water at the sample's depth.
struct FamilySketch {
  Outline outline;
  double waterLevel = 0.0;
  bool closed = false;
};

std::vector<FamilySketch> BuildSketches() {
  std::vector<FamilySketch> sketches;
  for (const FamilySpec& family : Families()) {
    const WindowSpec* window = FindWindow(CalculationKind::Discharge, family.family);
    if (window == nullptr) continue;
    const std::vector<std::string> texts(family.sample.begin(), family.sample.end());
    const std::optional<SectionCase> c = CaseOf(*window, texts);
    if (!c) continue;
    // Open channels show their banks a little above the water.
    const double top = c->model.IsTunnel() ? c->model.crown : 1.3 * c->state.h;
    sketches.push_back({c->model.outline(top), c->state.h, c->model.IsTunnel()});
  }
  return sketches;
}

// The selection picture: every family drawn to scale from its sample section,
// the open channels above, the tunnels below.
class FamiliesPicture : public QWidget {
 public:
  explicit FamiliesPicture(QWidget* parent) : QWidget(parent) {}
  QSize sizeHint() const override { return {300, 150}; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(245, 250, 255));
    std::vector<const FamilySketch*> rows[2];
    static const std::vector<FamilySketch> sketches = BuildSketches();
    for (const FamilySketch& sketch : sketches) rows[sketch.closed ? 1 : 0].push_back(&sketch);
    const int rowCount = (rows[0].empty() ? 0 : 1) + (rows[1].empty() ? 0 : 1);
    const std::size_t columns = std::max<std::size_t>({1, rows[0].size(), rows[1].size()});
    const double w = width() / static_cast<double>(columns);
    const double h = height() / static_cast<double>(std::max(rowCount, 1));
    int row = 0;
    for (const auto& sketches : rows) {
      if (sketches.empty()) continue;
      for (std::size_t k = 0; k < sketches.size(); ++k) {
        const QRectF cell(static_cast<double>(k) * w + 3, row * h + 3, w - 6, h - 6);
        DrawOutline(painter, cell, sketches[k]->outline, sketches[k]->waterLevel,
                    sketches[k]->closed);
      }
      ++row;
    }
  }
  void mouseReleaseEvent(QMouseEvent*) override {
    if (onClick) onClick();
  }

 public:
  std::function<void()> onClick;
};

}  // namespace

SelectionWindow::SelectionWindow(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("选择计算及渠道类型"));
  setAttribute(Qt::WA_DeleteOnClose);

  QAction* exit = menuBar()->addAction(QStringLiteral("退出(&E)"));
  exit->setObjectName(QStringLiteral("EXIT"));
  QAction* about = menuBar()->addAction(QStringLiteral("关于(&A)"));
  about->setObjectName(QStringLiteral("ABOUT"));
  connect(exit, &QAction::triggered, this, &SelectionWindow::exitRequested);
  connect(about, &QAction::triggered, this, &SelectionWindow::aboutRequested);

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  auto* instruction = new QLabel(QStringLiteral("请选择计算类型及渠道类型"), central);
  instruction->setObjectName(QStringLiteral("Label1"));
  layout->addWidget(instruction);

  auto* row = new QHBoxLayout;
  auto* kindFrame = new QGroupBox(QStringLiteral("计算类型"), central);
  kindFrame->setObjectName(QStringLiteral("Frame1"));
  auto* kindLayout = new QVBoxLayout(kindFrame);
  depthKind_ = new QRadioButton(QStringLiteral("已知流量求水深"), kindFrame);
  depthKind_->setObjectName(QStringLiteral("Option1"));
  auto* dischargeKind = new QRadioButton(QStringLiteral("已知水深求流量"), kindFrame);
  dischargeKind->setObjectName(QStringLiteral("Option2"));
  kindLayout->addWidget(depthKind_);
  designKind_ = new QRadioButton(QStringLiteral("已知流量设计断面"), kindFrame);
  designKind_->setObjectName(QStringLiteral("Option13"));
  kindLayout->addWidget(dischargeKind);
  kindLayout->addWidget(designKind_);
  kindLayout->addStretch(1);
  depthKind_->setChecked(true);

  auto* picture = new FamiliesPicture(kindFrame);
  picture->setObjectName(QStringLiteral("Picture1"));
  picture->setToolTip(QStringLiteral("关于本软件"));
  picture->setCursor(Qt::PointingHandCursor);
  picture->setFixedSize(picture->sizeHint());
  picture->onClick = [this] { emit aboutRequested(); };
  kindLayout->addWidget(picture);

  auto* familyFrame = new QGroupBox(QStringLiteral("选择渠道类型"), central);
  familyFrame->setObjectName(QStringLiteral("Frame2"));
  auto* familyLayout = new QGridLayout(familyFrame);
  // The families' buttons, two to a row.
  int k = 0;
  for (const FamilySpec& f : Families()) {
    auto* button = new QRadioButton(Q(f.optionText), familyFrame);
    button->setObjectName(Q(f.option));
    familyLayout->addWidget(button, k / 2, k % 2);
    families_.emplace_back(button, f.family);
    ++k;
  }
  families_.front().first->setChecked(true);

  row->addWidget(kindFrame);
  row->addWidget(familyFrame, 1);
  layout->addLayout(row);

  command1_ = new QPushButton(QStringLiteral("下一步"), central);
  command1_->setObjectName(QStringLiteral("Command1"));
  command1_->setDefault(true);
  connect(command1_, &QPushButton::clicked, this, [this] {
    if (DesignChosen()) {
      emit designRequested(&ChosenFamily());
    } else {
      emit nextRequested(&ChosenWindow());
    }
  });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(command1_);
  layout->addLayout(buttons);
  setCentralWidget(central);
  command1_->setFocus();
  UseCjkFaceWhereNeeded(this);
  installEventFilter(this);
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

bool SelectionWindow::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress: seenPress_ = true; break;
    case QEvent::MouseButtonDblClick:
      if (!seenPress_) {
        swallowRelease_ = true;
        return true;
      }
      break;
    case QEvent::MouseButtonRelease:
      if (swallowRelease_) {
        swallowRelease_ = false;
        return true;
      }
      break;
    default: break;
  }
  return QMainWindow::eventFilter(watched, event);
}

bool SelectionWindow::DesignChosen() const { return designKind_->isChecked(); }

const FamilySpec& SelectionWindow::ChosenFamily() const {
  Family family = families_.front().second;
  for (const auto& [button, f] : families_) {
    if (button->isChecked()) family = f;
  }
  return FamilyOf(family);
}

const WindowSpec& SelectionWindow::ChosenWindow() const {
  const CalculationKind kind =
      depthKind_->isChecked() ? CalculationKind::Depth : CalculationKind::Discharge;
  return *FindWindow(kind, ChosenFamily().family);
}

void SelectionWindow::keyPressEvent(QKeyEvent* event) {
  // "下一步" is the default: Enter presses it wherever the focus is.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    command1_->click();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void SelectionWindow::closeEvent(QCloseEvent* event) {
  // Closed by the user from the title bar: the same as EXIT.
  if (event->spontaneous()) emit exitRequested();
  QMainWindow::closeEvent(event);
}

}  // namespace tarnwick::ui
