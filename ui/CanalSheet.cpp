#include "CanalSheet.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace tarnwick::ui {

namespace {

double Bed(const ProfileStation& s) { return s.z - s.h; }

double EndOf(const CanalSheetReach& r) {
  return r.offset + (r.profile.stations.empty() ? 0.0 : r.profile.stations.back().x);
}

// A line over one reach at a height above its bed.
template <typename Height>
QPainterPath ReachLine(const ProfileScale& k, const CanalSheetReach& r, Height height) {
  QPainterPath path;
  for (const ProfileStation& s : r.profile.stations) {
    const QPointF at(k.X(r.offset + s.x), k.Y(Bed(s) + height(s)));
    if (path.elementCount() == 0) {
      path.moveTo(at);
    } else {
      path.lineTo(at);
    }
  }
  return path;
}

// The bed of the whole canal from upstream down, a drop a vertical step.
QPainterPath BedLine(const ProfileScale& k, const CanalSheet& s) {
  QPainterPath path;
  for (const CanalSheetReach& r : s.reaches) {
    for (auto st = r.profile.stations.rbegin(); st != r.profile.stations.rend(); ++st) {
      const QPointF at(k.X(r.offset + st->x), k.Y(Bed(*st)));
      if (path.elementCount() == 0) {
        path.moveTo(at);
      } else {
        path.lineTo(at);
      }
    }
  }
  return path;
}

// Each reach's name centred over it, the junctions as thin dotted verticals.
void ReachNames(QPainter& painter, const ProfileScale& k, const CanalSheet& s) {
  const QFontMetricsF metrics(painter.font());
  painter.setPen(QPen(Qt::gray, 0.8, Qt::DotLine));
  for (std::size_t j = 1; j < s.reaches.size(); ++j) {
    const double px = k.X(EndOf(s.reaches[j]));
    painter.drawLine(QPointF(px, k.plot.top()), QPointF(px, k.plot.bottom()));
  }
  painter.setPen(Qt::black);
  for (const CanalSheetReach& r : s.reaches) {
    const double mid = (k.X(r.offset) + k.X(EndOf(r))) / 2.0;
    const QString label = r.name + QStringLiteral(" ") + QString::fromStdString(r.profile.type);
    painter.drawText(
        QPointF(mid - metrics.horizontalAdvance(label) / 2, k.plot.top() + 4 + metrics.ascent()),
        label);
  }
}

// "跌水" over the end of a reach that falls freely at critical depth, where the
// water below does not drown the drop.
void FreeFalls(QPainter& painter, const ProfileScale& k, const CanalSheet& s) {
  const QFontMetricsF metrics(painter.font());
  painter.setPen(Qt::black);
  for (const CanalSheetReach& r : s.reaches) {
    if (!r.freeFall || r.profile.stations.empty()) continue;
    const ProfileStation& end = r.profile.stations.front();
    const QString label = QStringLiteral("跌水 hc=%1 m").arg(end.h, 0, 'f', 3);
    // Beside the drop over the water below, which a free fall leaves lower.
    painter.drawText(QPointF(k.X(r.offset) + 4, k.Y(end.z) + metrics.ascent() / 2), label);
  }
}

// The bank level of each open reach where the design rule set one: a level line
// over the reach, its figure at the reach's upstream end; the rule over the plot.
void BankLines(QPainter& painter, const QRectF& sheet, const ProfileScale& k, const CanalSheet& s,
               const LegendEntry& bank) {
  const QFontMetricsF metrics(painter.font());
  if (!s.bankRule.isEmpty()) {
    // Under the title's figures: how the bank levels were set and by which rule.
    painter.setPen(Qt::black);
    painter.drawText(QRectF(sheet.left(), sheet.top() + 56, sheet.width(), metrics.height()),
                     Qt::AlignCenter, s.bankRule);
  }
  for (const CanalSheetReach& r : s.reaches) {
    if (!r.bank) continue;
    const double y = k.Y(*r.bank);
    const double left = k.X(EndOf(r));
    painter.setPen(bank.pen);
    painter.drawLine(QPointF(left, y), QPointF(k.X(r.offset), y));
    painter.setPen(Qt::black);
    painter.drawText(QPointF(left + 4, y - 3), QStringLiteral("渠顶 %1").arg(*r.bank, 0, 'f', 3));
  }
}

}  // namespace

ProfileScale CanalScaleOf(const QRectF& sheet, const CanalSheet& s) {
  ProfileScale k;
  k.plot = PlotArea(sheet);
  k.length = s.reaches.empty() ? 0.0 : EndOf(s.reaches.front());
  k.reversed = true;
  double low = HUGE_VAL;
  double high = -HUGE_VAL;
  for (const CanalSheetReach& r : s.reaches) {
    const double tallest = std::max({r.top, r.profile.normalDepth, r.profile.criticalDepth});
    for (const ProfileStation& st : r.profile.stations) {
      low = std::min(low, Bed(st));
      high = std::max({high, st.z, Bed(st) + tallest});
    }
    if (r.bank) high = std::max(high, *r.bank);
  }
  if (!(high > low)) high = low + 1.0;
  // Room above for the reaches' names.
  k.zLow = low - 0.08 * (high - low);
  k.zHigh = high + 0.16 * (high - low);
  return k;
}

std::optional<CanalPoint> CanalPointAt(const CanalSheet& s, double x) {
  for (const CanalSheetReach& r : s.reaches) {
    if (x < r.offset - 1e-9 || x > EndOf(r) + 1e-9) continue;
    std::optional<ProfilePoint> at = PointAt(r.profile, x - r.offset);
    if (!at) return std::nullopt;
    at->x = x;
    return CanalPoint{r.name, *at};
  }
  return std::nullopt;
}

void PaintCanal(QPainter& painter, const QRectF& sheet, const CanalSheet& s) {
  if (s.reaches.empty()) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(sheet, Qt::white);
  const ProfileScale k = CanalScaleOf(sheet, s);
  PaintTitle(painter, sheet, s.title + QStringLiteral("  渠道纵断面"),
             QStringLiteral("Q=%1 m³/s  渠段 %2 段  全长 %3 m")
                 .arg(s.discharge, 0, 'g', 6)
                 .arg(s.reaches.size())
                 .arg(k.length, 0, 'f', 2));

  const auto surface = [](const ProfileStation& st) { return st.h; };
  const auto floor = [](const ProfileStation&) { return 0.0; };
  bool closed = false;
  bool open = false;
  bool banks = false;
  for (const CanalSheetReach& r : s.reaches) {
    QPainterPath water = ReachLine(k, r, surface);
    water.connectPath(ReachLine(k, r, floor).toReversed());
    water.closeSubpath();
    painter.fillPath(water, WaterColour());
    (r.closed ? closed : open) |= r.top > 0.0 && !r.bank;
    banks |= r.bank.has_value();
  }
  painter.setBrush(Qt::NoBrush);
  const LegendEntry normal = NormalLegend();
  const LegendEntry critical = CriticalLegend();
  const LegendEntry top = TopLegend(true, false);
  const LegendEntry water = SurfaceLegend(QStringLiteral("水面线"));
  for (const CanalSheetReach& r : s.reaches) {
    if (r.top > 0.0 && !r.bank) {
      painter.setPen(top.pen);
      painter.drawPath(ReachLine(k, r, [&r](const ProfileStation&) { return r.top; }));
    }
    painter.setPen(normal.pen);
    painter.drawPath(
        ReachLine(k, r, [&r](const ProfileStation&) { return r.profile.normalDepth; }));
    painter.setPen(critical.pen);
    painter.drawPath(
        ReachLine(k, r, [&r](const ProfileStation&) { return r.profile.criticalDepth; }));
    painter.setPen(water.pen);
    painter.drawPath(ReachLine(k, r, surface));
  }
  const LegendEntry bed = BedLegend();
  painter.setPen(bed.pen);
  painter.drawPath(BedLine(k, s));
  PaintAxes(painter, k, QStringLiteral("渠道下游端"));
  const LegendEntry bank = {QPen(QColor(150, 60, 0), 1.8),
                            banks ? QStringLiteral("渠顶高程(设计规则)") : QString()};
  BankLines(painter, sheet, k, s, bank);
  FreeFalls(painter, k, s);
  ReachNames(painter, k, s);
  const LegendEntry legend[] = {
      bed, bank, TopLegend(open, false), TopLegend(closed, true), normal, critical, water};
  PaintLegend(painter, k, legend);

  painter.restore();
}

}  // namespace tarnwick::ui
