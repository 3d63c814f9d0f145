#include "OutlineGeometry.h"

#include <cmath>

namespace tarnwick {

namespace {

OutlinePoint Crossing(const OutlinePoint& a, const OutlinePoint& b, double level) {
  const double t = (level - a.y) / (b.y - a.y);
  return {a.x + t * (b.x - a.x), level};
}

double Distance(const OutlinePoint& a, const OutlinePoint& b) {
  return std::hypot(b.x - a.x, b.y - a.y);
}

}  // namespace

OutlineWetting WettingBelow(const Outline& outline, double level) {
  std::vector<OutlinePoint> wet;
  OutlineWetting result;
  for (size_t k = 0; k + 1 < outline.size(); ++k) {
    const OutlinePoint& a = outline[k];
    const OutlinePoint& b = outline[k + 1];
    const bool aWet = a.y < level;
    const bool bWet = b.y < level;
    if (!aWet && !bWet) continue;
    const OutlinePoint from = aWet ? a : Crossing(a, b, level);
    const OutlinePoint to = bWet ? b : Crossing(a, b, level);
    if (wet.empty() || wet.back().x != from.x || wet.back().y != from.y) wet.push_back(from);
    wet.push_back(to);
    result.perimeter += Distance(from, to);
  }
  if (wet.size() < 2) return result;
  // Shoelace over the wet chain, closed along the water line.
  double twiceArea = 0.0;
  for (size_t k = 0; k < wet.size(); ++k) {
    const OutlinePoint& p = wet[k];
    const OutlinePoint& q = wet[(k + 1) % wet.size()];
    twiceArea += p.x * q.y - q.x * p.y;
  }
  result.area = std::fabs(twiceArea) / 2.0;
  result.surfaceWidth = std::fabs(wet.back().x - wet.front().x);
  return result;
}

std::vector<OutlinePoint> ArcPoints(double cx, double cy, double radius, double a0, double a1,
                                    int segments) {
  std::vector<OutlinePoint> points;
  points.reserve(static_cast<size_t>(segments) + 1);
  for (int k = 0; k <= segments; ++k) {
    const double a = a0 + (a1 - a0) * k / segments;
    points.push_back({cx + radius * std::cos(a), cy + radius * std::sin(a)});
  }
  return points;
}

}  // namespace tarnwick
