#include "OutlineGeometry.h"

#include <algorithm>
#include <cmath>

#include "Hydraulics.h"

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

Outline WetChain(const Outline& outline, double level) {
  Outline wet;
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
  }
  if (wet.size() < 2) wet.clear();
  return wet;
}

OutlineWetting WettingBelow(const Outline& outline, double level) {
  OutlineWetting result;
  const Outline wet = WetChain(outline, level);
  if (wet.empty()) return result;
  // Shoelace over the wet chain, closed along the water line; the perimeter is
  // the chain without that closing line.
  double twiceArea = 0.0;
  for (size_t k = 0; k < wet.size(); ++k) {
    const OutlinePoint& p = wet[k];
    const OutlinePoint& q = wet[(k + 1) % wet.size()];
    twiceArea += p.x * q.y - q.x * p.y;
    if (k + 1 < wet.size()) result.perimeter += Distance(p, q);
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

void AppendArc(Outline& out, OutlinePoint centre, double radius, double a0, double a1,
               OutlinePoint start, OutlinePoint end) {
  const auto same = [](OutlinePoint p, OutlinePoint q) { return p.x == q.x && p.y == q.y; };
  if (out.empty() || !same(out.back(), start)) out.push_back(start);
  const double sweep = std::fabs(a1 - a0);
  if (sweep > 0.0) {
    constexpr double kChordAngle = kTwoPi / 8192.0;
    const int segments = std::max(16, static_cast<int>(std::ceil(sweep / kChordAngle)));
    const Outline arc = ArcPoints(centre.x, centre.y, radius, a0, a1, segments);
    out.insert(out.end(), arc.begin() + 1, arc.end() - 1);
  }
  if (!same(out.back(), end)) out.push_back(end);
}

void AppendCorner(Outline& out, OutlinePoint p) {
  if (out.empty() || out.back().x != p.x || out.back().y != p.y) out.push_back(p);
}

}  // namespace tarnwick
