#include "SplashWindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

#include "WindowDecor.h"
#include "core/Version.h"

namespace tarnwick::ui {

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
  QLabel::mouseReleaseEvent(event);
}

SectionPicture::SectionPicture(SectionShape shape, QWidget* parent)
    : QWidget(parent), shape_(shape) {
  setMinimumSize(72, 60);
}

void SectionPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawSection(painter, QRectF(rect()).adjusted(4, 4, -4, -4), shape_);
}

void SectionPicture::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
  QWidget::mouseReleaseEvent(event);
}

namespace {

ClickLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int pixelSize,
                      bool bold) {
  auto* label = new ClickLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  QFont font = label->font();
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  label->setFont(font);
  return label;
}

}  // namespace

SplashWindow::SplashWindow(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("From4"));
  setWindowTitle(kProductTitle);
  setAttribute(Qt::WA_DeleteOnClose);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(245, 250, 255));
  setPalette(pal);
  setAutoFillBackground(true);

  // Seven section pictures around the texts; Picture4 is the decoration in the
  // corner of the maker line and does not react.
  const struct {
    const char* name;
    SectionShape shape;
  } pictures[] = {
      {"Picture1", SectionShape::Trapezoid}, {"Picture2", SectionShape::ArcBottom},
      {"Picture3", SectionShape::UChannel},  {"Picture4", SectionShape::Compound},
      {"Picture6", SectionShape::CityGate},  {"Picture7", SectionShape::Circle},
      {"Picture8", SectionShape::Horseshoe},
  };
  std::vector<SectionPicture*> made;
  for (const auto& p : pictures) {
    auto* picture = new SectionPicture(p.shape, this);
    picture->setObjectName(QString::fromLatin1(p.name));
    made.push_back(picture);
    if (p.name != std::string_view("Picture4")) {
      connect(picture, &SectionPicture::clicked, this, &SplashWindow::entered);
    }
  }

  auto* title = MakeLabel(this, "Label2", kProductTitle, 40, true);
  auto* version =
      MakeLabel(this, "Label3", QStringLiteral("版本:V") + QLatin1String(kVersion), 18, false);
  auto* welcome = MakeLabel(this, "Label4", QStringLiteral("        欢迎使用"), 22, false);
  auto* maker = MakeLabel(this, "Label1", QStringLiteral("Tarnwick 水力计算开发组"), 14, false);
  auto* date = MakeLabel(this, "Label5", QStringLiteral("2026年12月"), 14, false);
  for (ClickLabel* label : {title, version, welcome}) {
    connect(label, &ClickLabel::clicked, this, &SplashWindow::entered);
  }
  title->setAlignment(Qt::AlignCenter);
  version->setAlignment(Qt::AlignCenter);
  welcome->setAlignment(Qt::AlignCenter);

  auto* layout = new QVBoxLayout(this);
  auto* topRow = new QHBoxLayout;
  for (int k : {0, 1, 2}) topRow->addWidget(made[k]);
  layout->addLayout(topRow);
  layout->addWidget(title);
  layout->addWidget(version);
  layout->addWidget(welcome);
  auto* bottomRow = new QHBoxLayout;
  for (int k : {4, 5, 6}) bottomRow->addWidget(made[k]);
  layout->addLayout(bottomRow);
  auto* makerRow = new QHBoxLayout;
  makerRow->addWidget(made[3]);
  auto* makerLines = new QVBoxLayout;
  makerLines->addWidget(maker);
  makerLines->addWidget(date);
  makerRow->addLayout(makerLines, 1);
  layout->addLayout(makerRow);
  resize(460, 440);
  UseCjkFaceWhereNeeded(this);
}

void SplashWindow::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  if (!painted_) {
    painted_ = true;
    // Reported after this paint has returned, so the measure covers it.
    QTimer::singleShot(0, this, &SplashWindow::firstPainted);
  }
}

}  // namespace tarnwick::ui
