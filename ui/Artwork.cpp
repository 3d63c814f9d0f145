#include "Artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>
#include <algorithm>

namespace tarnwick::ui {

namespace {

const QColor kWater(120, 180, 235);
const QColor kConcrete(90, 90, 100);
const QColor kGround(200, 185, 150);

// Outline of a section in a unit square, y downwards. Open channels are closed
// along their top so the same path serves for the wetted area.
QPainterPath SectionPath(SectionShape shape) {
  QPainterPath p;
  switch (shape) {
    case SectionShape::Trapezoid:
      p.moveTo(0.0, 0.1);
      p.lineTo(0.3, 0.9);
      p.lineTo(0.7, 0.9);
      p.lineTo(1.0, 0.1);
      break;
    case SectionShape::ArcBottom:
      // Side walls standing on the ends of a shallow bottom arc.
      p.moveTo(0.0, 0.1);
      p.lineTo(0.2132, 0.7372);
      p.arcTo(QRectF(0.0, -0.9, 1.0, 1.8), 235.0, 70.0);
      p.lineTo(1.0, 0.1);
      break;
    case SectionShape::UChannel:
      p.moveTo(0.15, 0.05);
      p.lineTo(0.15, 0.5);
      p.arcTo(QRectF(0.15, 0.1, 0.7, 0.8), 180.0, 180.0);
      p.lineTo(0.85, 0.05);
      break;
    case SectionShape::Compound:
      p.moveTo(0.0, 0.1);
      p.lineTo(0.08, 0.45);
      p.lineTo(0.3, 0.45);
      p.lineTo(0.38, 0.9);
      p.lineTo(0.62, 0.9);
      p.lineTo(0.7, 0.45);
      p.lineTo(0.92, 0.45);
      p.lineTo(1.0, 0.1);
      break;
    case SectionShape::CityGate:
      p.moveTo(0.15, 0.35);
      p.lineTo(0.15, 0.95);
      p.lineTo(0.85, 0.95);
      p.lineTo(0.85, 0.35);
      p.arcTo(QRectF(0.15, 0.0, 0.7, 0.7), 0.0, 180.0);
      break;
    case SectionShape::Circle: p.addEllipse(QRectF(0.08, 0.04, 0.84, 0.92)); break;
    case SectionShape::Horseshoe:
      p.moveTo(0.2, 0.4);
      p.arcTo(QRectF(0.2, 0.05, 0.6, 0.7), 180.0, -180.0);
      p.quadTo(0.95, 0.75, 0.72, 0.95);
      p.quadTo(0.5, 0.88, 0.28, 0.95);
      p.quadTo(0.05, 0.75, 0.2, 0.4);
      break;
    case SectionShape::ThreeCentredArch:
      p.moveTo(0.1, 0.5);
      p.quadTo(0.1, 0.1, 0.5, 0.06);
      p.quadTo(0.9, 0.1, 0.9, 0.5);
      p.quadTo(0.93, 0.8, 0.75, 0.95);
      p.quadTo(0.5, 0.9, 0.25, 0.95);
      p.quadTo(0.07, 0.8, 0.1, 0.5);
      break;
  }
  p.closeSubpath();
  return p;
}

bool IsOpenChannel(SectionShape shape) {
  return shape == SectionShape::Trapezoid || shape == SectionShape::ArcBottom ||
         shape == SectionShape::UChannel || shape == SectionShape::Compound;
}

}  // namespace

void DrawSection(QPainter& painter, const QRectF& box, SectionShape shape) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  // Map the unit-square outline to device size before flattening its curves, so
  // the arcs stay smooth at every picture size.
  QTransform toBox;
  toBox.translate(box.left(), box.top());
  toBox.scale(box.width(), box.height());
  const QPainterPath outline = toBox.map(SectionPath(shape));
  // Water to 60 % of the section height: tunnels keep a clearance above it.
  QPainterPath below;
  below.addRect(toBox.mapRect(QRectF(-0.1, 0.55, 1.2, 0.6)));
  if (IsOpenChannel(shape)) {
    QPainterPath ground;
    ground.addRect(toBox.mapRect(QRectF(-0.05, 0.08, 1.1, 0.95)));
    painter.fillPath(ground.subtracted(outline), kGround);
  }
  painter.fillPath(outline.intersected(below), kWater);
  QPen pen(kConcrete, std::max(1.5, std::min(box.width(), box.height()) * 0.04));
  pen.setJoinStyle(Qt::RoundJoin);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  if (IsOpenChannel(shape)) {
    // The top edge is the water's free side, not a wall: leave it undrawn.
    const QPolygonF walls = outline.toFillPolygon();
    painter.drawPolyline(walls.data(), static_cast<int>(walls.size()) - 1);
  } else {
    painter.drawPath(outline);
  }
  painter.restore();
}

void DrawOutline(QPainter& painter, const QRectF& box, const Outline& outline, double waterLevel,
                 bool closed) {
  if (outline.size() < 2) return;
  double left = outline.front().x, right = left, bottom = outline.front().y, top = bottom;
  for (const OutlinePoint& q : outline) {
    left = std::min(left, q.x);
    right = std::max(right, q.x);
    bottom = std::min(bottom, q.y);
    top = std::max(top, q.y);
  }
  // Open channels get a margin of ground beside and under their walls.
  const double margin = closed ? 0.04 : 0.12;
  const double span = std::max({right - left, top - bottom, 1e-9});
  const double scale = std::min(box.width() / ((right - left) + 2 * margin * span),
                                box.height() / ((top - bottom) + 2 * margin * span));
  const QPointF centre = box.center();
  const auto at = [&](double x, double y) {
    return QPointF(centre.x() + (x - 0.5 * (left + right)) * scale,
                   centre.y() - (y - 0.5 * (bottom + top)) * scale);
  };
  // Arcs come as dense points; one per device pixel or so is enough to draw, and
  // keeps the area operations below quick.
  QPolygonF boundary;
  for (const OutlinePoint& q : outline) {
    const QPointF p = at(q.x, q.y);
    if (boundary.isEmpty() || QLineF(boundary.back(), p).length() >= 1.0) boundary << p;
  }
  boundary.back() = at(outline.back().x, outline.back().y);
  QPainterPath section;
  section.addPolygon(boundary);
  section.closeSubpath();

  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  if (!closed) {
    QPainterPath ground;
    ground.addRect(
        QRectF(at(left - margin * span, top), at(right + margin * span, bottom - margin * span)));
    painter.fillPath(ground.subtracted(section), kGround);
  }
  QPainterPath below;
  below.addRect(QRectF(at(left - span, waterLevel), at(right + span, bottom - span)));
  painter.fillPath(section.intersected(below), kWater);
  QPen pen(kConcrete, std::max(1.5, std::min(box.width(), box.height()) * 0.04));
  pen.setJoinStyle(Qt::RoundJoin);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  if (closed) {
    painter.drawPolygon(boundary);
  } else {
    painter.drawPolyline(boundary);
  }
  painter.restore();
}

namespace {

void DrawIcon(QPainter& p, ToolIcon icon) {
  p.setRenderHint(QPainter::Antialiasing);
  QPen pen(QColor(40, 60, 110), 2.0);
  pen.setCapStyle(Qt::RoundCap);
  p.setPen(pen);
  switch (icon) {
    case ToolIcon::Clean:
      // A sheet with a sweep across it.
      p.setBrush(Qt::white);
      p.drawRect(QRectF(5, 3, 14, 18));
      p.setPen(QPen(QColor(200, 40, 40), 2.5));
      p.drawLine(QPointF(7, 19), QPointF(17, 5));
      p.drawLine(QPointF(7, 5), QPointF(17, 19));
      break;
    case ToolIcon::Print:
      p.setBrush(QColor(230, 230, 230));
      p.drawRect(QRectF(3, 9, 18, 8));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(7, 3, 10, 6));
      p.drawRect(QRectF(7, 14, 10, 7));
      break;
    case ToolIcon::Return: {
      QPainterPath arrow;
      arrow.moveTo(20, 18);
      arrow.cubicTo(20, 8, 14, 8, 5, 8);
      p.drawPath(arrow);
      p.drawLine(QPointF(5, 8), QPointF(10, 3));
      p.drawLine(QPointF(5, 8), QPointF(10, 13));
      break;
    }
    case ToolIcon::Exit:
      p.setBrush(QColor(250, 235, 200));
      p.drawRect(QRectF(4, 3, 10, 18));
      p.drawLine(QPointF(11, 12), QPointF(21, 12));
      p.drawLine(QPointF(21, 12), QPointF(17, 8));
      p.drawLine(QPointF(21, 12), QPointF(17, 16));
      break;
    case ToolIcon::Section: DrawSection(p, QRectF(1, 3, 22, 18), SectionShape::Trapezoid); break;
    case ToolIcon::Curve: {
      p.drawLine(QPointF(4, 3), QPointF(4, 20));
      p.drawLine(QPointF(4, 20), QPointF(21, 20));
      QPainterPath curve;
      curve.moveTo(5, 19);
      curve.quadTo(9, 6, 20, 4);
      p.setPen(QPen(QColor(30, 120, 200), 2.0));
      p.drawPath(curve);
      break;
    }
    case ToolIcon::Help: {
      p.setBrush(QColor(60, 110, 200));
      p.setPen(Qt::NoPen);
      p.drawEllipse(QRectF(2, 2, 20, 20));
      QFont font = p.font();
      font.setPixelSize(15);
      font.setBold(true);
      p.setFont(font);
      p.setPen(Qt::white);
      p.drawText(QRectF(2, 2, 20, 20), Qt::AlignCenter, QStringLiteral("?"));
      break;
    }
    case ToolIcon::None: break;
  }
}

}  // namespace

QIcon ToolbarIcon(ToolIcon icon) {
  QPixmap pixmap(24, 24);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  DrawIcon(painter, icon);
  painter.end();
  return QIcon(pixmap);
}

QPixmap ProgramIcon(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor(235, 245, 255));
  painter.setPen(QPen(QColor(40, 60, 110), size / 24.0));
  painter.drawRoundedRect(QRectF(1, 1, size - 2, size - 2), size / 8.0, size / 8.0);
  DrawSection(painter, QRectF(size * 0.12, size * 0.15, size * 0.76, size * 0.7),
              SectionShape::ArcBottom);
  painter.end();
  return pixmap;
}

}  // namespace tarnwick::ui
