#include "BookPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "BookParts.h"
#include "SectionSheet.h"
#include "core/RatingTable.h"
#include "sections/SectionDrawing.h"

namespace tarnwick::ui {

double RoundTickStep(double span, int count) {
  const double raw = span / count;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double m : {1.0, 2.0, 5.0}) {
    if (m * power >= raw * (1.0 - 1e-12)) return m * power;
  }
  return 10.0 * power;
}

QImage CurveImage(const SectionCase& c) {
  const std::vector<RatingPoint> curve =
      RatingCurve(RatingDepths(RatingTop(c), 200), c.model.evaluate);
  QImage image(1200, 700, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF plot(140, 40, 1000, 560);
  double qMax = 0.0, hMax = 0.0;
  for (const RatingPoint& pt : curve) {
    qMax = std::max(qMax, pt.discharge);
    hMax = std::max(hMax, pt.depth);
  }
  if (qMax <= 0.0 || hMax <= 0.0) return image;
  // Both axes from 0 in round steps, to the first tick at or above the curve's top.
  const double dq = RoundTickStep(qMax, 8), dh = RoundTickStep(hMax, 8);
  const int nq = int(std::ceil(qMax / dq - 1e-9)), nh = int(std::ceil(hMax / dh - 1e-9));
  qMax = nq * dq;
  hMax = nh * dh;
  const auto at = [&](double q, double h) {
    return QPointF(plot.left() + plot.width() * q / qMax, plot.bottom() - plot.height() * h / hMax);
  };
  QFont font(book::kBookFace);
  font.setPixelSize(28);
  p.setFont(font);
  for (int k = 0; k <= nq; ++k) {
    p.setPen(QPen(QColor(200, 200, 200), 1));
    p.drawLine(at(k * dq, 0), at(k * dq, hMax));
    p.setPen(Qt::black);
    p.drawText(QRectF(at(k * dq, 0) + QPointF(-60, 6), QSizeF(120, 34)), Qt::AlignHCenter,
               QString::number(k * dq, 'g', 6));
  }
  for (int k = 0; k <= nh; ++k) {
    p.setPen(QPen(QColor(200, 200, 200), 1));
    p.drawLine(at(0, k * dh), at(qMax, k * dh));
    p.setPen(Qt::black);
    p.drawText(QRectF(at(0, k * dh) + QPointF(-130, -17), QSizeF(120, 34)), Qt::AlignRight,
               QString::number(k * dh, 'g', 6));
  }
  p.drawRect(plot);
  p.drawText(QRectF(plot.left(), plot.bottom() + 45, plot.width(), 40), Qt::AlignHCenter,
             QStringLiteral("流量 Q (m³/s)"));
  p.drawText(QRectF(0, 0, 300, 34), Qt::AlignLeft, QStringLiteral("水深 h (m)"));
  // The legend in the plot's lower right, where a rating curve leaves room.
  const QRectF legend(plot.right() - 615, plot.bottom() - 100, 600, 85);
  p.setBrush(Qt::white);
  p.drawRect(legend);
  p.setPen(QPen(QColor(0, 90, 200), 3));
  p.drawLine(legend.topLeft() + QPointF(15, 24), legend.topLeft() + QPointF(65, 24));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(220, 40, 40));
  p.drawEllipse(legend.topLeft() + QPointF(40, 62), 8, 8);
  p.setPen(Qt::black);
  p.drawText(legend.topLeft() + QPointF(80, 34), QStringLiteral("水位—流量关系曲线"));
  p.drawText(legend.topLeft() + QPointF(80, 72),
             QStringLiteral("计算点 Q = %1 m³/s，h = %2 m")
                 .arg(QString::number(c.discharge, 'g', 4), QString::number(c.state.h, 'f', 3)));
  p.setBrush(Qt::NoBrush);
  QPainterPath path;
  path.moveTo(at(curve.front().discharge, curve.front().depth));
  for (const RatingPoint& pt : curve) path.lineTo(at(pt.discharge, pt.depth));
  p.setPen(QPen(QColor(0, 90, 200), 3));
  p.drawPath(path);
  p.setBrush(QColor(220, 40, 40));
  p.setPen(Qt::NoPen);
  p.drawEllipse(at(c.discharge, c.state.h), 8, 8);
  return image;
}

QImage DrawingImage(const SectionCase& c, const QString& title) {
  QImage image(int(kSheetWidth * 1.5), int(kSheetHeight * 1.5), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  PaintSheet(p, QRectF(0, 0, image.width(), image.height()), DrawingOf(c), title, {});
  return image;
}

}  // namespace tarnwick::ui
