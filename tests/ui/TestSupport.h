// Small helpers shared by the window tests.
#pragma once

#include <QObject>
#include <QString>

// The child of `parent` named `name`; the test stops when there is none, since
// every later check would only repeat the failure.
template <typename T>
T* Child(QObject* parent, const char* name) {
  T* child = parent->findChild<T*>(QString::fromLatin1(name));
  if (child == nullptr) qFatal("no child %s", name);
  return child;
}

#include <QPaintDevice>
#include <QPaintEngine>
#include <QTransform>
#include <vector>

// A paint device that records where text is drawn: each piece of text with the
// device position of its baseline start and its advance. Pictures are dropped.
// Its resolution is chosen, so a printer's layout can be checked without one.
class TextRecorder : public QPaintDevice {
 public:
  struct Piece {
    QString text;
    QPointF at;      // device coordinates of the baseline's start
    double advance;  // device pixels
  };

  TextRecorder(QSize size, int dpi) : engine_(this), size_(size), dpi_(dpi) {}
  QPaintEngine* paintEngine() const override { return &engine_; }
  const std::vector<Piece>& Pieces() const { return engine_.pieces; }

 protected:
  int metric(PaintDeviceMetric m) const override {
    switch (m) {
      case PdmWidth: return size_.width();
      case PdmHeight: return size_.height();
      case PdmWidthMM: return size_.width() * 254 / (10 * dpi_);
      case PdmHeightMM: return size_.height() * 254 / (10 * dpi_);
      case PdmNumColors: return 1 << 24;
      case PdmDepth: return 32;
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY: return dpi_;
      case PdmDevicePixelRatio: return 1;
      case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
    }
    return 0;
  }

 private:
  struct Engine : QPaintEngine {
    explicit Engine(TextRecorder*) : QPaintEngine(AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& state) override {
      if (state.state() & DirtyTransform) transform = state.transform();
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override {}
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
      pieces.push_back({item.text(), transform.map(p), item.width()});
    }
    Type type() const override { return User; }
    QTransform transform;
    std::vector<Piece> pieces;
  };
  mutable Engine engine_;
  QSize size_;
  int dpi_;
};

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

// Answers the next message box, once it is up, with the button captioned
// `answer`; `seen` then holds its title and text. Gives up after `tries` turns
// of the event loop without a box.
inline void AnswerNextBox(const QString& answer, QString* seen = nullptr, int tries = 200) {
  QTimer::singleShot(5, [answer, seen, tries] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      if (tries > 0) AnswerNextBox(answer, seen, tries - 1);
      return;
    }
    if (seen != nullptr) *seen = box->windowTitle() + QLatin1Char('\n') + box->text();
    for (QAbstractButton* b : box->buttons()) {
      if (b->text() == answer) b->click();
    }
  });
}
