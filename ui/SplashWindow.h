// From4, the splash window: title, version and welcome, framed by drawings of
// the sections the program computes. It stays until clicked.
#pragma once

#include <QLabel>
#include <QWidget>

#include "Artwork.h"

namespace tarnwick::ui {

// A label that reports a click.
class ClickLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;
 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// A small picture of one cross-section that reports a click.
class SectionPicture : public QWidget {
  Q_OBJECT
 public:
  SectionPicture(SectionShape shape, QWidget* parent = nullptr);
  QSize sizeHint() const override { return {96, 80}; }
 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  SectionShape shape_;
};

class SplashWindow : public QWidget {
  Q_OBJECT
 public:
  explicit SplashWindow(QWidget* parent = nullptr);
 signals:
  void entered();       // a click on the title, version, welcome or a picture
  void firstPainted();  // emitted once, after the first paint
 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool painted_ = false;
};

}  // namespace tarnwick::ui
