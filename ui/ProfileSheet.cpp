#include "ProfileSheet.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

namespace tarnwick::ui {

namespace {

constexpr double kMarginLeft = 80.0;
constexpr double kMarginRight = 24.0;
constexpr double kMarginTop = 96.0;
constexpr double kMarginBottom = 56.0;

double Bed(const ProfileStation& s) { return s.z - s.h; }

// A round tick spacing giving about `count` ticks over `span`.
double TickStep(double span, int count) {
  const double raw = span / count;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double m : {1.0, 2.0, 5.0, 10.0}) {
    if (m * power >= raw) return m * power;
  }
  return 10.0 * power;
}

QPainterPath Line(const ProfileScale& k, const Profile& p,
                  double (*height)(const ProfileStation&, const Profile&, double), double top) {
  QPainterPath path;
  for (std::size_t i = 0; i < p.stations.size(); ++i) {
    const ProfileStation& s = p.stations[i];
    const QPointF at(k.X(s.x), k.Y(Bed(s) + height(s, p, top)));
    if (i == 0) {
      path.moveTo(at);
    } else {
      path.lineTo(at);
    }
  }
  return path;
}

double Surface(const ProfileStation& s, const Profile&, double) { return s.h; }
double Normal(const ProfileStation&, const Profile& p, double) { return p.normalDepth; }
double Critical(const ProfileStation&, const Profile& p, double) { return p.criticalDepth; }
double Bank(const ProfileStation&, const Profile&, double top) { return top; }
double Floor(const ProfileStation&, const Profile&, double) { return 0.0; }

}  // namespace

void PaintAxes(QPainter& painter, const ProfileScale& k, const QString& origin) {
  painter.setPen(QPen(Qt::black, 1.0));
  painter.drawRect(k.plot);
  const QFontMetricsF metrics(painter.font());
  const double dx = TickStep(k.length, 8);
  for (double x = 0.0; x <= k.length + 1e-9; x += dx) {
    const double px = k.X(x);
    painter.drawLine(QPointF(px, k.plot.bottom()), QPointF(px, k.plot.bottom() + 4));
    const QString label = QString::number(x, 'f', dx < 1.0 ? 1 : 0);
    painter.drawText(
        QPointF(px - metrics.horizontalAdvance(label) / 2, k.plot.bottom() + 6 + metrics.ascent()),
        label);
  }
  const double dz = TickStep(k.zHigh - k.zLow, 6);
  const int decimals = dz < 0.1 ? 2 : (dz < 1.0 ? 1 : 0);
  for (double z = std::ceil(k.zLow / dz) * dz; z <= k.zHigh + 1e-9; z += dz) {
    const double py = k.Y(z);
    painter.drawLine(QPointF(k.plot.left() - 4, py), QPointF(k.plot.left(), py));
    const QString label = QString::number(z, 'f', decimals);
    painter.drawText(QPointF(k.plot.left() - 8 - metrics.horizontalAdvance(label),
                             py + metrics.ascent() / 2 - 1),
                     label);
  }
  const QString from = !origin.isEmpty() ? origin
                       : k.reversed      ? QStringLiteral("下游控制断面")
                                         : QStringLiteral("上游控制断面");
  const QString across = QStringLiteral("距%1距离 x(m)　水流方向 →").arg(from);
  painter.drawText(QPointF(k.plot.center().x() - metrics.horizontalAdvance(across) / 2,
                           k.plot.bottom() + 10 + 2 * metrics.height()),
                   across);
  painter.save();
  painter.translate(k.plot.left() - 62, k.plot.center().y());
  painter.rotate(-90);
  const QString up = QStringLiteral("高程 z(m)");
  painter.drawText(QPointF(-metrics.horizontalAdvance(up) / 2, 0), up);
  painter.restore();
}

void PaintLegend(QPainter& painter, const ProfileScale& k, std::span<const LegendEntry> lines) {
  // In a row between the title and the plot, clear of every line.
  const QFontMetricsF metrics(painter.font());
  double x = k.plot.left();
  const double y = k.plot.top() - 14;
  for (const LegendEntry& d : lines) {
    if (d.name.isEmpty()) continue;
    painter.setPen(d.pen);
    painter.drawLine(QPointF(x, y - metrics.ascent() / 3),
                     QPointF(x + 30, y - metrics.ascent() / 3));
    painter.setPen(Qt::black);
    painter.drawText(QPointF(x + 36, y), d.name);
    x += 36 + metrics.horizontalAdvance(d.name) + 18;
  }
}

void PaintTitle(QPainter& painter, const QRectF& sheet, const QString& text,
                const QString& figures) {
  const QFont plain = painter.font();
  QFont title = plain;
  title.setPointSizeF(title.pointSizeF() * 1.3);
  title.setBold(true);
  painter.setFont(title);
  painter.drawText(QRectF(sheet.left(), sheet.top() + 8, sheet.width(), 28), Qt::AlignCenter, text);
  painter.setFont(plain);
  painter.drawText(
      QRectF(sheet.left(), sheet.top() + 38, sheet.width(), QFontMetricsF(painter.font()).height()),
      Qt::AlignCenter, figures);
}

namespace {

struct Drawn {
  double (*height)(const ProfileStation&, const Profile&, double);
  LegendEntry legend;  // no name: not drawn
};

}  // namespace

LegendEntry BedLegend() { return {QPen(QColor(120, 80, 40), 2.5), QStringLiteral("渠底")}; }
LegendEntry TopLegend(bool drawn, bool closed) {
  return {QPen(Qt::darkGray, 1.5), !drawn   ? QString()
                                   : closed ? QStringLiteral("洞顶")
                                            : QStringLiteral("渠顶（h加大+Fb）")};
}
LegendEntry NormalLegend() {
  return {QPen(QColor(0, 130, 0), 1.2, Qt::DashLine), QStringLiteral("正常水深线 N—N")};
}
LegendEntry CriticalLegend() {
  return {QPen(QColor(200, 0, 0), 1.2, Qt::DashDotLine), QStringLiteral("临界水深线 K—K")};
}
LegendEntry SurfaceLegend(const QString& name) { return {QPen(QColor(0, 60, 200), 2.2), name}; }
QColor WaterColour() { return QColor(170, 205, 240); }

double ProfileScale::X(double x) const {
  const double f = length > 0.0 ? x / length : 0.0;
  return reversed ? plot.right() - f * plot.width() : plot.left() + f * plot.width();
}

double ProfileScale::Y(double z) const {
  return plot.bottom() - (z - zLow) / (zHigh - zLow) * plot.height();
}

std::optional<double> ProfileScale::DistanceAt(double px) const {
  if (px < plot.left() || px > plot.right() || plot.width() <= 0.0) return std::nullopt;
  const double f = (px - plot.left()) / plot.width();
  return (reversed ? 1.0 - f : f) * length;
}

QRectF PlotArea(const QRectF& sheet) {
  return sheet.adjusted(kMarginLeft, kMarginTop, -kMarginRight, -kMarginBottom);
}

ProfileScale ScaleOf(const QRectF& sheet, const ProfileSheet& s) {
  ProfileScale k;
  k.plot = PlotArea(sheet);
  const Profile& p = s.profile;
  k.length = p.stations.empty() ? 0.0 : p.stations.back().x;
  k.reversed = p.direction == ProfileDirection::Upstream;
  double low = HUGE_VAL;
  double high = -HUGE_VAL;
  const double tallest = std::max({s.top, p.normalDepth, p.criticalDepth});
  for (const ProfileStation& st : p.stations) {
    low = std::min(low, Bed(st));
    high = std::max({high, st.z, Bed(st) + tallest});
  }
  if (!(high > low)) high = low + 1.0;
  const double pad = 0.08 * (high - low);
  k.zLow = low - pad;
  k.zHigh = high + pad;
  return k;
}

std::optional<ProfilePoint> PointAt(const Profile& p, double x) {
  const auto& st = p.stations;
  for (std::size_t i = 1; i < st.size(); ++i) {
    if (x > st[i].x && i + 1 < st.size()) continue;
    const double span = st[i].x - st[i - 1].x;
    const double f = span > 0.0 ? std::clamp((x - st[i - 1].x) / span, 0.0, 1.0) : 0.0;
    ProfilePoint out;
    out.x = x;
    out.h = st[i - 1].h + f * (st[i].h - st[i - 1].h);
    out.z = st[i - 1].z + f * (st[i].z - st[i - 1].z);
    out.bed = out.z - out.h;
    return out;
  }
  return std::nullopt;
}

QString PointReadout(const ProfilePoint& at) {
  return QStringLiteral("x=%1 m　水深h=%2 m　水位z=%3 m　渠底高程=%4 m")
      .arg(at.x, 0, 'f', 2)
      .arg(at.h, 0, 'f', 4)
      .arg(at.z, 0, 'f', 4)
      .arg(at.bed, 0, 'f', 4);
}

void PaintProfile(QPainter& painter, const QRectF& sheet, const ProfileSheet& s) {
  if (s.profile.stations.size() < 2) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(sheet, Qt::white);
  const ProfileScale k = ScaleOf(sheet, s);
  const Profile& p = s.profile;
  const QString type =
      p.type == "uniform" ? QStringLiteral("均匀流") : QString::fromStdString(p.type);
  PaintTitle(painter, sheet, s.title + QStringLiteral("  水面线 ") + type,
             QStringLiteral("Q=%1 m³/s  hn=%2 m  hc=%3 m")
                 .arg(s.discharge, 0, 'g', 6)
                 .arg(p.normalDepth, 0, 'f', 3)
                 .arg(p.criticalDepth, 0, 'f', 3));

  // Water between the bed and the surface.
  QPainterPath water = Line(k, p, Surface, s.top);
  const QPainterPath bed = Line(k, p, Floor, s.top);
  water.connectPath(bed.toReversed());
  water.closeSubpath();
  painter.fillPath(water, WaterColour());

  const Drawn lines[] = {
      {Floor, BedLegend()},
      // No bank or crown line without its height.
      {Bank, TopLegend(s.top > 0.0, s.closed)},
      {Normal, NormalLegend()},
      {Critical, CriticalLegend()},
      {Surface, SurfaceLegend(QStringLiteral("水面线 ") + type)},
  };
  painter.setBrush(Qt::NoBrush);
  std::vector<LegendEntry> legend;
  for (const Drawn& d : lines) {
    legend.push_back(d.legend);
    if (d.legend.name.isEmpty()) continue;
    painter.setPen(d.legend.pen);
    painter.drawPath(Line(k, p, d.height, s.top));
  }
  PaintAxes(painter, k);

  PaintLegend(painter, k, legend);
  painter.restore();
}

}  // namespace tarnwick::ui
