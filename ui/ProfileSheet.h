// The drawing of a water-surface profile in elevation: the bed, the water
// surface, the normal-depth (N–N) and critical-depth (K–K) lines and the bank or
// crown, along the reach with the flow from left to right, on axes of distance
// from the control and level. Painted alike on the screen, PNG and SVG.
#pragma once

#include <QPainter>
#include <QRectF>
#include <QString>
#include <optional>

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
void PaintProfile(QPainter& painter, const QRectF& sheet, const ProfileSheet& s);

// The depth and level at `x` between the stations (linear), and the bed there.
struct ProfilePoint {
  double x = 0.0, h = 0.0, z = 0.0, bed = 0.0;
};
std::optional<ProfilePoint> PointAt(const Profile& p, double x);

}  // namespace tarnwick::ui
