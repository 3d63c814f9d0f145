// Specific energy, Froude number and critical depths of a section divided into
// subsections that each carry their own Manning discharge (a main channel and its
// flood plains). The velocity is not uniform over such a section: the kinetic
// energy of the mean velocity is corrected by the Coriolis coefficient
//   α = Σ(Kᵢ³/Aᵢ²) / (K³/A²),  K = ΣKᵢ, A = ΣAᵢ, Kᵢ = Aᵢ·Rᵢ^(2/3)/nᵢ,
// the specific energy is E = h + α·Q²/(2g·A²), and the compound Froude number Fc
// follows from dE/dh = 1 − Fc² (Blalock and Sturm 1981, "Minimum specific energy
// in compound open channel", J. Hydraulics Div. ASCE 107(HY6), 699–717). Critical
// flow is a minimum of E; a compound section can have more than one. A section of
// one part has α = 1 and Fc = V/√(g·A/B), the plain Froude number.
#pragma once

#include <functional>
#include <span>
#include <vector>

#include "SectionState.h"

namespace tarnwick {

// One subsection at a depth: its own area, wetted perimeter (the dividing lines
// wet nothing), top width and Manning conveyance Kᵢ = Aᵢ·Rᵢ^(2/3)/nᵢ, so that it
// carries Kᵢ·√i on the slope i.
struct Subsection {
  double area = 0.0;        // m²
  double perimeter = 0.0;   // m
  double topWidth = 0.0;    // m
  double conveyance = 0.0;  // m³/s
};
using Subsections = std::vector<Subsection>;
using SubsectionsAt = std::function<Subsections(double h)>;

// α of the subsections; 1 for fewer than two wetted ones.
double CoriolisCoefficient(std::span<const Subsection> parts);

// A section at a fixed discharge, as the energy relations see it: its state at a
// depth and, for a subdivided section, its subsections (empty: one section, α = 1).
struct EnergySection {
  double q = 0.0;
  std::function<SectionState(double)> evaluate;
  SubsectionsAt subsections;

  double Alpha(double h) const;
  // E = h + α·Q²/(2g·A²).
  double Energy(double h) const;
  // Fc from dE/dh = 1 − Fc²; for one section exactly V/√(g·A/B) at Q.
  double Froude(double h) const;
};

// Every minimum of E(h) between 0 and `upper` (the crown of a closed section),
// found by a scan over a geometric grid of depths and refined by bisection on the
// sign of dE/dh, so that none depends on the path of a single bisection.
struct CriticalDepths {
  std::vector<double> depths;  // ascending
  bool aboveRange = false;     // none found and the flow is still supercritical at `upper`
};
CriticalDepths FindCriticalDepths(const EnergySection& section, double upper);

}  // namespace tarnwick
