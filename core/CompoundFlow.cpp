#include "CompoundFlow.h"

#include "BracketRoot.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>

#include "Hydraulics.h"

namespace tarnwick {

namespace {

constexpr int kScanSteps = 4000;  // depths of the scan, geometric from upper·1e-9
// One section: Fr² = Q²B/(gA³) falls as the depth rises wherever A³/B grows, as it
// does in every family's single section (the water surface never widens faster
// than 3B²/A), so E has one minimum and a coarse scan brackets it.
constexpr int kSingleScanSteps = 12;
constexpr double kScanLowest = 1e-9;      // share of `upper` where the scan starts
constexpr double kDerivativeStep = 1e-6;  // relative step of the numerical dE/dh

struct Totals {
  double area = 0.0;
  double conveyance = 0.0;
  double weighted = 0.0;  // Σ Kᵢ³/Aᵢ²
  int wetted = 0;
};

Totals Sum(std::span<const Subsection> parts) {
  Totals t;
  for (const Subsection& p : parts) {
    if (!(p.area > 0.0)) continue;
    t.area += p.area;
    t.conveyance += p.conveyance;
    t.weighted += p.conveyance * p.conveyance * p.conveyance / (p.area * p.area);
    ++t.wetted;
  }
  return t;
}

// α/A² = Σ(Kᵢ³/Aᵢ²)/K³: the specific energy is h + Q²/(2g)·this.
double KineticFactor(const EnergySection& s, double h) {
  if (s.subsections) {
    const Subsections parts = s.subsections(h);
    const Totals t = Sum(parts);
    if (t.wetted >= 2) return t.weighted / (t.conveyance * t.conveyance * t.conveyance);
  }
  const double a = s.evaluate(h).w;
  return 1.0 / (a * a);
}

bool Subdivided(const EnergySection& s, double h) {
  return s.subsections && Sum(s.subsections(h)).wetted >= 2;
}

// 1 − Fc² at h: the sign tells a depth below a minimum of E from one above it.
double Slope(const EnergySection& s, double h) {
  const double fc = s.Froude(h);
  return 1.0 - fc * fc;
}

}  // namespace

double CoriolisCoefficient(std::span<const Subsection> parts) {
  const Totals t = Sum(parts);
  if (t.wetted < 2) return 1.0;
  return t.weighted * t.area * t.area / (t.conveyance * t.conveyance * t.conveyance);
}

double EnergySection::Alpha(double h) const {
  return subsections ? CoriolisCoefficient(subsections(h)) : 1.0;
}

double EnergySection::Energy(double h) const {
  return h + q * q / (2.0 * kGravity) * KineticFactor(*this, h);
}

double EnergySection::Froude(double h) const {
  if (!Subdivided(*this, h)) {
    const SectionState st = evaluate(h);
    if (!(st.surfaceWidth > 0.0) || !(st.w > 0.0)) return 0.0;
    return q / st.w / std::sqrt(kGravity * st.w / st.surfaceWidth);
  }
  // −dE/dh + 1 = −Q²/(2g)·d(α/A²)/dh, by central differences; within one
  // subdivision the relations are smooth in h.
  const double dh = kDerivativeStep * h;
  const double slope = (KineticFactor(*this, h + dh) - KineticFactor(*this, h - dh)) / (2.0 * dh);
  const double fc2 = -q * q / (2.0 * kGravity) * slope;
  return fc2 > 0.0 ? std::sqrt(fc2) : 0.0;
}

namespace {

// To the last bit: the bracket closes on the same two neighbouring doubles
// whatever the scan's grid, so the depth does not depend on it.
double Bisected(const EnergySection& section, double lo, double hi) {
  for (int pass = 0; pass < 1100; ++pass) {
    const double mid = lo + (hi - lo) / 2.0;
    if (mid <= lo || mid >= hi) break;
    (Slope(section, mid) < 0.0 ? lo : hi) = mid;
  }
  return (lo + hi) / 2.0;
}

// One section's single minimum, by Brent's method to the precision of a double
// (a dozen evaluations where bisection takes fifty).
double Brent(const EnergySection& section, RootSample lo, RootSample hi) {
  const RootResult r =
      BracketRoot([&](double h) { return Slope(section, h); }, lo, hi, {0.0, 0.0, 200});
  return r.best.x;
}

// One section's scan, searched rather than walked: 1 − Fr² changes sign once over
// the grid (see kSingleScanSteps), so halving the grid finds the cell the walk
// would stop at in four or five evaluations instead of thirteen, and Brent then
// starts from the same cell with the same values. Empty when a value is not a
// number, which the walk itself must then meet.
std::optional<CriticalDepths> SearchedScan(const EnergySection& section, double lowest, double top,
                                           double ratio) {
  std::array<double, kSingleScanSteps + 1> grid{};
  grid[0] = lowest;
  for (int k = 1; k <= kSingleScanSteps; ++k) {
    grid[k] = k == kSingleScanSteps ? top : std::min(top, grid[k - 1] * ratio);
  }
  std::array<double, kSingleScanSteps + 1> slope{};
  slope.fill(std::numeric_limits<double>::quiet_NaN());
  const auto at = [&](int k) {
    if (std::isnan(slope[k])) slope[k] = Slope(section, grid[k]);
    return slope[k];
  };
  if (std::isnan(at(0)) || std::isnan(at(kSingleScanSteps))) return std::nullopt;
  // Both ends on one side: no minimum below the top, or E rising from the start.
  CriticalDepths out;
  const bool low = at(0) < 0.0;
  const bool high = at(kSingleScanSteps) < 0.0;
  if (low == high) {
    out.aboveRange = high;
    return out;
  }
  if (!low) return std::nullopt;  // falling at the top: not one minimum, walk it
  int lo = 0;                     // 1 − Fr² < 0 here
  int hi = kSingleScanSteps;      // ≥ 0 here
  while (hi - lo > 1) {
    const int mid = (lo + hi) / 2;
    const double f = at(mid);
    if (std::isnan(f)) return std::nullopt;
    (f < 0.0 ? lo : hi) = mid;
  }
  out.depths.push_back(Brent(section, {grid[lo], slope[lo]}, {grid[hi], slope[hi]}));
  return out;
}

}  // namespace

CriticalDepths FindCriticalDepths(const EnergySection& section, double upper) {
  CriticalDepths out;
  if (!(section.q > 0.0) || !(upper > 0.0) || !std::isfinite(upper)) return out;
  // Short of `upper` itself: at a crown the surface closes and Fc drops to 0,
  // which is no minimum of E.
  const double top = upper * (1.0 - kScanLowest);
  const double lowest = upper * kScanLowest;
  const int steps = section.subsections ? kScanSteps : kSingleScanSteps;
  const double ratio = std::pow(top / lowest, 1.0 / steps);
  if (!section.subsections) {
    if (auto searched = SearchedScan(section, lowest, top, ratio)) return *searched;
  }
  double hPrev = lowest;
  double fPrev = Slope(section, hPrev);
  for (int k = 1; k <= steps; ++k) {
    const double h = k == steps ? top : std::min(top, hPrev * ratio);
    const double f = Slope(section, h);
    if (fPrev < 0.0 && f >= 0.0) {
      // E falls then rises: a minimum between, found to the bisection's limit.
      double lo = hPrev;
      double hi = h;
      out.depths.push_back(section.subsections ? Bisected(section, lo, hi)
                                               : Brent(section, {lo, fPrev}, {hi, f}));
    }
    hPrev = h;
    fPrev = f;
  }
  out.aboveRange = out.depths.empty() && fPrev < 0.0;
  return out;
}

}  // namespace tarnwick
