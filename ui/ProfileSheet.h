// The drawing of a water-surface profile in elevation: the bed, the water
// surface, the normal-depth (N–N) and critical-depth (K–K) lines and the bank or
// crown, along the reach with the flow from left to right, on axes of distance
// from the control and level. Painted alike on the screen, PNG and SVG.
#pragma once

#include <QPainter>
#include <QRectF>
#include <QString>
#include <optional>
#include <span>

#include "core/GraduallyVariedFlow.h"

namespace tarnwick::ui {

struct ProfileSheet {
  Profile profile;
  double discharge = 0.0;  // m³/s
  double slope = 0.0;      // i
  double top = 0.0;        // height of the bank (open channel) or crown (closed), m
  bool closed = false;
  QString title;
};

// Where the plot lies in a sheet and how distance and level map onto it.
struct ProfileScale {
  QRectF plot;
  double length = 0.0;    // the last station's x
  bool reversed = false;  // the control downstream: x grows to the left
  double zLow = 0.0, zHigh = 0.0;

  double X(double x) const;  // x from the control -> device
  double Y(double z) const;
  // The x from the control under device abscissa `px`; empty outside the plot.
  std::optional<double> DistanceAt(double px) const;
};

ProfileScale ScaleOf(const QRectF& sheet, const ProfileSheet& s);
// The plot's place in a sheet, within the margins of the axes, title and legend.
QRectF PlotArea(const QRectF& sheet);
void PaintProfile(QPainter& painter, const QRectF& sheet, const ProfileSheet& s);

// The pieces of the drawing that the canal's longitudinal profile shares: the
// axes of a scale, the title over the sheet, and the legend of the lines in a
// row over the plot with each line's pen.
struct LegendEntry {
  QPen pen;
  QString name;  // empty: not drawn
};
// x counted from `origin`, by default the control section.
void PaintAxes(QPainter& painter, const ProfileScale& k, const QString& origin = {});
// The title in bold over the sheet, the key figures in a line under it.
void PaintTitle(QPainter& painter, const QRectF& sheet, const QString& text,
                const QString& figures);
void PaintLegend(QPainter& painter, const ProfileScale& k, std::span<const LegendEntry> lines);
LegendEntry BedLegend();
LegendEntry TopLegend(bool drawn, bool closed);  // 洞顶 or 渠顶 (h加大 + Fb)
LegendEntry NormalLegend();
LegendEntry CriticalLegend();
LegendEntry SurfaceLegend(const QString& name);
QColor WaterColour();

// The depth and level at `x` between the stations (linear), and the bed there.
struct ProfilePoint {
  double x = 0.0, h = 0.0, z = 0.0, bed = 0.0;
};
std::optional<ProfilePoint> PointAt(const Profile& p, double x);
// "x=… m　水深h=… m　水位z=… m　渠底高程=… m"
QString PointReadout(const ProfilePoint& at);

}  // namespace tarnwick::ui
