#include "SectionSheet.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace tarnwick::ui {

namespace {

QString Fixed(double x, int decimals = 3) { return QString::number(x, 'f', decimals); }

QFont SheetFont(double pixels, bool bold = false) {
  QFont font(QStringLiteral("Noto Sans CJK SC"));
  font.setPixelSize(static_cast<int>(pixels));
  font.setBold(bold);
  return font;
}

const QColor kWaterFill(150, 200, 255);
const QColor kWaterLine(0, 80, 200);
const QColor kDimension(170, 0, 0);

// Places section coordinates (m) on the sheet at one scale for both axes.
struct Placement {
  double k = 1.0;             // sheet units per metre
  double x0 = 0.0, y0 = 0.0;  // sheet point of (left, 0)
  double left = 0.0;
  QPointF operator()(double x, double y) const { return {x0 + (x - left) * k, y0 - y * k}; }
};

void Arrowhead(QPainter& p, QPointF tip, QPointF from) {
  const QPointF d = tip - from;
  const double len = std::hypot(d.x(), d.y());
  if (len <= 0.0) return;
  const QPointF u = d / len;
  const QPointF n(-u.y(), u.x());
  const double a = 7.0;
  p.drawPolygon(QPolygonF{tip, tip - u * a + n * a * 0.35, tip - u * a - n * a * 0.35});
}

// A dimension line between two sheet points with arrows at both ends.
void DimensionLine(QPainter& p, QPointF a, QPointF b) {
  p.drawLine(a, b);
  Arrowhead(p, a, b);
  Arrowhead(p, b, a);
}

void HorizontalDimension(QPainter& p, double xa, double xb, double y, const QString& text,
                         bool textAbove = true) {
  DimensionLine(p, {xa, y}, {xb, y});
  const QFontMetricsF fm(p.font());
  const double w = fm.horizontalAdvance(text);
  const double ty = textAbove ? y - 4.0 : y + fm.ascent() + 3.0;
  p.drawText(QPointF((xa + xb) / 2.0 - w / 2.0, ty), text);
}

// Text to the left (or right) of a vertical dimension line.
void VerticalDimension(QPainter& p, double x, double ya, double yb, const QString& text,
                       bool textLeft) {
  DimensionLine(p, {x, ya}, {x, yb});
  const QFontMetricsF fm(p.font());
  const double w = fm.horizontalAdvance(text);
  const double ty = (ya + yb) / 2.0 + fm.ascent() / 2.0 - 2.0;
  p.drawText(QPointF(textLeft ? x - w - 6.0 : x + 6.0, ty), text);
}

void PaintSection(QPainter& p, const QRectF& area, const SectionDrawing& d) {
  if (d.outline.size() < 2) return;
  const double width = std::max(d.right - d.left, 1e-9);
  const double height = std::max(d.top, 1e-9);
  // Room around the section for the dimension lines and their texts.
  const double marginLeft = 110.0, marginRight = 110.0, marginTop = 40.0, marginBottom = 50.0;
  Placement at;
  at.left = d.left;
  at.k = std::min((area.width() - marginLeft - marginRight) / width,
                  (area.height() - marginTop - marginBottom) / height);
  const double drawnW = width * at.k;
  const double drawnH = height * at.k;
  at.x0 = area.left() + marginLeft + (area.width() - marginLeft - marginRight - drawnW) / 2.0;
  at.y0 =
      area.top() + marginTop + (area.height() - marginTop - marginBottom - drawnH) / 2.0 + drawnH;

  // Water: the wetted boundary closed along the water line.
  if (d.water.size() >= 2) {
    QPolygonF water;
    for (const OutlinePoint& q : d.water) water << at(q.x, q.y);
    p.setPen(Qt::NoPen);
    p.setBrush(kWaterFill);
    p.drawPolygon(water);
    p.setPen(QPen(kWaterLine, 1.5));
    p.drawLine(water.front(), water.back());
    // The water-level mark: a small inverted triangle above the surface.
    const QPointF mark((water.front().x() * 0.3 + water.back().x() * 0.7), water.front().y());
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygonF{mark, mark + QPointF(-6, -9), mark + QPointF(6, -9)});
  }

  QPolygonF boundary;
  for (const OutlinePoint& q : d.outline) boundary << at(q.x, q.y);
  p.setPen(QPen(Qt::black, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  if (d.tunnel) {
    p.drawPolygon(boundary);
  } else {
    p.drawPolyline(boundary);
  }

  p.setFont(SheetFont(14));
  p.setPen(QPen(kDimension, 1.0));
  p.setBrush(kDimension);
  const double leftX = at(d.left, 0).x();
  const double rightX = at(d.right, 0).x();
  const double baseY = at.y0;
  // Thin dashed extension lines carry the section's levels out to the dimensions.
  const QPen dimensionPen(kDimension, 1.0);
  QPen extensionPen(kDimension, 0.8, Qt::DashLine);
  const auto extend = [&](QPointF from, QPointF to) {
    p.setPen(extensionPen);
    p.drawLine(from, to);
    p.setPen(dimensionPen);
  };
  // The lowest point of the boundary (leftmost end of a flat floor).
  OutlinePoint lowest = d.outline.front();
  for (const OutlinePoint& q : d.outline) {
    if (q.y < lowest.y || (q.y == lowest.y && q.x < lowest.x)) lowest = q;
  }
  const QPointF base = at(lowest.x, lowest.y);
  const bool wet = d.water.size() >= 2;

  // Depth on the left, from the lowest point to the water line.
  if (d.level > 0.0 && wet) {
    const double x = leftX - 24.0;
    const QPointF waterLeft = at(std::min(d.water.front().x, d.water.back().x), d.level);
    extend({x - 6.0, baseY}, base);
    extend({x - 6.0, waterLeft.y()}, waterLeft);
    VerticalDimension(p, x, baseY, waterLeft.y(), QStringLiteral("h=%1").arg(Fixed(d.level)), true);
  }
  // Tunnel height on the right, overall width above.
  if (d.tunnel) {
    const double x = rightX + 24.0;
    const QPointF crown = at(0.0, d.top);
    extend(base, {x + 6.0, baseY});
    extend(crown, {x + 6.0, crown.y()});
    VerticalDimension(p, x, baseY, crown.y(), QStringLiteral("H=%1").arg(Fixed(d.top)), false);
    HorizontalDimension(p, leftX, rightX, crown.y() - 16.0,
                        QStringLiteral("B=%1").arg(Fixed(d.right - d.left)));
  }
  // A flat bed or floor below the section.
  if (d.floorWidth > 1e-6 * width) {
    HorizontalDimension(p, at(-d.floorWidth / 2.0, 0).x(), at(d.floorWidth / 2.0, 0).x(),
                        baseY + 18.0, QStringLiteral("b=%1").arg(Fixed(d.floorWidth)), false);
  }
  // Surface width: over an open channel above the banks, carried up from the
  // water's edges; in a tunnel along the water line, above it when there is room.
  if (wet && d.surfaceWidth > 0.0) {
    const QPointF a = at(std::min(d.water.front().x, d.water.back().x), d.level);
    const QPointF b = at(std::max(d.water.front().x, d.water.back().x), d.level);
    const QString text = QStringLiteral("B1=%1").arg(Fixed(d.surfaceWidth));
    if (!d.tunnel) {
      const double y = at(0.0, d.top).y() - 16.0;
      extend(a, {a.x(), y - 6.0});
      extend(b, {b.x(), y - 6.0});
      HorizontalDimension(p, a.x(), b.x(), y, text, true);
    } else {
      const bool above = (d.top - d.level) * at.k > 34.0;
      HorizontalDimension(p, a.x(), b.x(), above ? a.y() - 14.0 : a.y() + 16.0, text, above);
    }
  }
}

}  // namespace

QStringList FactLines(const SectionDrawing& d) {
  QStringList lines;
  lines << QStringLiteral("流量 Q = %1 m³/s").arg(Fixed(d.discharge));
  lines << QStringLiteral("正常水深 h = %1 m").arg(Fixed(d.level));
  if (d.criticalDepth) {
    lines << QStringLiteral("临界水深 hc = %1 m").arg(Fixed(*d.criticalDepth));
  } else {
    lines << QStringLiteral("临界水深 hc：断面内无临界水深");
  }
  lines << QStringLiteral("过水断面面积 W = %1 m²").arg(Fixed(d.area));
  lines << QStringLiteral("水面宽度 B1 = %1 m").arg(Fixed(d.surfaceWidth));
  lines << QStringLiteral("断面平均流速 V = %1 m/s").arg(Fixed(d.velocity));
  if (d.regime.empty()) {
    lines << QStringLiteral("弗劳德数 Fr：无自由水面");
    lines << QStringLiteral("流态：满流");
  } else {
    lines << QStringLiteral("弗劳德数 Fr = %1").arg(Fixed(d.froude));
    lines << QStringLiteral("流态：%1")
                 .arg(QString::fromUtf8(d.regime.data(), qsizetype(d.regime.size())));
  }
  if (d.wholeSection) lines << QStringLiteral("（以上各值均按全断面计算）");
  return lines;
}

void PaintSheet(QPainter& painter, const QRectF& target, const SectionDrawing& d,
                const QString& title, const QStringList& dimensions) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const double s = std::min(target.width() / kSheetWidth, target.height() / kSheetHeight);
  painter.translate(target.left() + (target.width() - kSheetWidth * s) / 2.0,
                    target.top() + (target.height() - kSheetHeight * s) / 2.0);
  painter.scale(s, s);
  painter.fillRect(QRectF(0, 0, kSheetWidth, kSheetHeight), Qt::white);

  painter.setPen(Qt::black);
  painter.setFont(SheetFont(22, true));
  painter.drawText(QRectF(10, 8, kSheetWidth - 20, 36), Qt::AlignCenter, title);

  const double factsWidth = 290.0;
  PaintSection(painter, QRectF(10, 50, kSheetWidth - factsWidth - 20, kSheetHeight - 60), d);

  painter.setPen(Qt::black);
  painter.setBrush(Qt::NoBrush);
  const double x = kSheetWidth - factsWidth;
  painter.setPen(QColor(160, 160, 160));
  painter.drawLine(QPointF(x - 14, 60), QPointF(x - 14, kSheetHeight - 20));
  painter.setPen(Qt::black);
  double y = 80.0;
  const auto list = [&](const QString& heading, const QStringList& lines) {
    painter.setFont(SheetFont(15, true));
    painter.drawText(QPointF(x, y), heading);
    painter.setFont(SheetFont(14));
    const double step = QFontMetricsF(painter.font()).height() * 1.25;
    y += step * 1.2;
    for (const QString& line : lines) {
      painter.drawText(QPointF(x + 8, y), line);
      y += step;
    }
    y += step * 0.6;
  };
  if (!dimensions.isEmpty()) list(QStringLiteral("断面尺寸"), dimensions);
  list(QStringLiteral("水力要素"), FactLines(d));
  painter.restore();
}

}  // namespace tarnwick::ui
