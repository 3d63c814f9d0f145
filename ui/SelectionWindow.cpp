#include "SelectionWindow.h"

#include <functional>

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

// The selection picture: the open channels above, the tunnels below.
class FamiliesPicture : public QWidget {
 public:
  using QWidget::QWidget;
  QSize sizeHint() const override { return {300, 150}; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(245, 250, 255));
    const SectionShape shapes[] = {
        SectionShape::Trapezoid, SectionShape::ArcBottom, SectionShape::UChannel,
        SectionShape::Compound,  SectionShape::CityGate,  SectionShape::Circle,
        SectionShape::Horseshoe, SectionShape::ThreeCentredArch};
    const double w = width() / 4.0;
    const double h = height() / 2.0;
    for (int k = 0; k < 8; ++k) {
      DrawSection(painter, QRectF((k % 4) * w + 3, (k / 4) * h + 3, w - 6, h - 6), shapes[k]);
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
  kindLayout->addWidget(dischargeKind);
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
  const struct {
    const char* name;
    QString caption;
    Family family;
  } families[] = {
      {"Option3", QStringLiteral("弧底矩形、梯形渠"), Family::ArcBottomChannel},
      {"Option4", QStringLiteral("平底矩形、梯形渠"), Family::FlatBottomChannel},
      {"Option5", QStringLiteral("城门洞形隧洞"), Family::CityGateTunnel},
      {"Option6", QStringLiteral("“Ｕ”形渠"), Family::UChannel},
      {"Option7", QStringLiteral("马蹄形隧洞"), Family::HorseshoeTunnel},
      {"Option8", QStringLiteral("三心圆拱隧洞"), Family::ThreeCentredArchTunnel},
      {"Option9", QStringLiteral("圆形隧洞、管道"), Family::CircularTunnel},
      {"Option10", QStringLiteral("复式断面平底梯形渠"), Family::CompoundChannel},
  };
  int k = 0;
  for (const auto& f : families) {
    auto* button = new QRadioButton(f.caption, familyFrame);
    button->setObjectName(QString::fromLatin1(f.name));
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
  connect(command1_, &QPushButton::clicked, this,
          [this] { emit nextRequested(&ChosenWindow()); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(command1_);
  layout->addLayout(buttons);
  setCentralWidget(central);
  command1_->setFocus();
}

const WindowSpec& SelectionWindow::ChosenWindow() const {
  const CalculationKind kind =
      depthKind_->isChecked() ? CalculationKind::Depth : CalculationKind::Discharge;
  Family family = families_.front().second;
  for (const auto& [button, f] : families_) {
    if (button->isChecked()) family = f;
  }
  return *FindWindow(kind, family);
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
