#include "RatingTable.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tarnwick {

namespace {

// A quantity the section does not form (the whole-section hydraulic radius of a
// compound channel over its banks) is left blank.
void AppendNumber(std::string& out, double value) {
  if (!std::isfinite(value)) return;
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 12);
  out.append(buffer, result.ptr);
}

}  // namespace

std::vector<double> RatingDepths(double top, int count) {
  std::vector<double> depths;
  for (int k = 1; k <= count; ++k) depths.push_back(top * k / count);
  return depths;
}

std::string RatingCsv(const std::vector<double>& depths,
                      const std::function<SectionState(double)>& evaluate) {
  std::string out =
      "depth,area,perimeter,hydraulic_radius,velocity,discharge,surface_width,specific_energy\n";
  for (const double h : depths) {
    const SectionState s = evaluate(h);
    const double row[] = {h, s.w, s.x, s.rs, s.v, s.q1, s.surfaceWidth, s.e};
    for (size_t k = 0; k < std::size(row); ++k) {
      if (k > 0) out.push_back(',');
      AppendNumber(out, row[k]);
    }
    out.push_back('\n');
  }
  return out;
}

std::vector<RatingPoint> RatingCurve(const std::vector<double>& depths,
                                     const std::function<SectionState(double)>& evaluate) {
  std::vector<RatingPoint> curve{{0.0, 0.0}};
  for (const double h : depths) {
    if (!(h > 0.0)) continue;
    const double q = evaluate(h).q1;
    if (std::isfinite(q)) curve.push_back({h, q});
  }
  return curve;
}

std::optional<double> DischargeAtDepth(const std::vector<RatingPoint>& curve, double depth) {
  if (curve.empty() || !(depth >= curve.front().depth) || !(depth <= curve.back().depth)) {
    return std::nullopt;
  }
  // First point at or above the depth.
  const auto above = std::lower_bound(curve.begin(), curve.end(), depth,
                                      [](const RatingPoint& p, double d) { return p.depth < d; });
  if (above->depth == depth || above == curve.begin()) return above->discharge;
  const RatingPoint& lo = *(above - 1);
  const RatingPoint& hi = *above;
  const double t = (depth - lo.depth) / (hi.depth - lo.depth);
  return lo.discharge + t * (hi.discharge - lo.discharge);
}

}  // namespace tarnwick
