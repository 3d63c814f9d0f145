// Gradually varied flow in a prismatic reach: the water-surface profile (水面线)
// from a control section, over any section given by its evaluation at a depth.
//
// Method: the standard step method (Chow, Open-Channel Hydraulics, 1959, §10-4;
// 分段求和法 of the Chinese texts). Between two stations Δx apart the energy
// equation z₁ + h₁ + α₁V₁²/2g = z₂ + h₂ + α₂V₂²/2g + S̄f·Δx holds with the mean
// friction slope S̄f = (Sf₁ + Sf₂)/2, Sf = (Q/K)², K(h) = Q1(h)/√i the conveyance
// of the section's own Manning evaluation at the window's slope i. The unknown
// depth is solved for on its own branch of the specific-energy curve, where the
// balance is monotonic in the depth, by Brent's method to 1e-9 m (well inside the
// 1e-6 m the trial-depth iteration of the textbooks stops at). The trapezoidal mean
// makes a step second-order accurate; to keep that accuracy where the surface
// curves sharply (near a critical control, at the start of an S2 or an M2) every
// interval between printed stations is also stepped in two halves and halved
// further until the two answers agree to 3e-6 m, the printed result being the
// finer one (step doubling). Stations are therefore printed where the engineer
// asks for them, at an accuracy that does not depend on the spacing asked.
//
// The profile stays between the depth it starts at and the depth it tends to: it
// never crosses normal depth (a step that would is taken as having reached it) and
// stops where it meets critical depth, located by the step that ends there.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "SectionState.h"

namespace tarnwick {

enum class ControlKind { Depth, Critical, Normal };

struct ProfileControl {
  ControlKind kind = ControlKind::Depth;
  double depth = 0.0;  // m, with ControlKind::Depth
};

// One prismatic reach and its flow.
struct ProfileReach {
  std::function<SectionState(double)> evaluate;  // the family's evaluation
  // Energy (Coriolis) coefficient α(h); 1 unless the section supplies one.
  std::function<double(double)> alpha = {};
  double discharge = 0.0;     // Q, m³/s
  double slope = 0.0;         // bed slope i = S0, > 0
  double normalDepth = 0.0;   // hn at Q, m (as the window's search found it)
  double crown = 0.0;         // height of a closed section, 0 for an open channel
  double length = 0.0;        // m
  double step = 0.0;          // station spacing, m; 0: the reach in 50 steps
  double bedAtControl = 0.0;  // bed level at the control section, m
};

enum class SlopeClass { Mild, Steep, Critical };
enum class ProfileDirection { Upstream, Downstream };
enum class ProfileEnd { Length, Critical, Normal };

struct ProfileStation {
  double x = 0.0;   // m from the control, ≥ 0
  double h = 0.0;   // depth, m
  double z = 0.0;   // water level, m
  double v = 0.0;   // mean velocity, m/s
  double fr = 0.0;  // Froude number √α·V/√(gA/B)
  double e = 0.0;   // specific energy h + αV²/2g, m
  double sf = 0.0;  // friction slope (Q/K)²
};

struct Profile {
  double normalDepth = 0.0;
  double criticalDepth = 0.0;          // the largest critical depth below the crown
  std::vector<double> criticalDepths;  // every one (a compound section may have more)
  SlopeClass slope = SlopeClass::Mild;
  std::string type;  // "M1" … "C3", or "uniform"
  ProfileDirection direction = ProfileDirection::Upstream;
  ProfileEnd end = ProfileEnd::Length;
  double controlDepth = 0.0;
  std::optional<double> nearNormalAt;  // first x within 1 mm of normal depth
  // Where the profile ends at critical depth, or is of a type that does (M3, S1,
  // C1, C3): the depth conjugate to normal depth by the momentum function, and
  // the x at which the profile passes it (where a jump to or from uniform flow
  // forms); empty x when it does not within the reach.
  std::optional<double> sequentDepth;
  std::optional<double> jumpAt;
  std::vector<ProfileStation> stations;
};

struct ProfileOutcome {
  std::optional<Profile> profile;
  std::string refusal;  // why there is no profile, in Chinese, when there is none
};

ProfileOutcome ComputeProfile(const ProfileReach& reach, const ProfileControl& control);

// Depths at which Fr = 1 between 0 and `top` (every sign change of αQ²B/(gA³) − 1),
// ascending.
std::vector<double> CriticalDepths(const std::function<SectionState(double)>& evaluate,
                                   const std::function<double(double)>& alpha, double q,
                                   double top);

// The momentum function M(h) = Q²/(gA) + A·ȳ, A·ȳ = ∫₀ʰ A(η) dη the first moment
// of the wetted area about the surface (Chow §3-4).
double MomentumFunction(const std::function<SectionState(double)>& evaluate, double q, double h);

// The depth with the same momentum on the other side of critical depth hc, below
// `top`; empty when the section holds none (a closed section too small for it).
std::optional<double> SequentDepth(const std::function<SectionState(double)>& evaluate, double q,
                                   double h, double hc, double top);

std::string_view SlopeName(SlopeClass s);            // 缓坡 / 陡坡 / 临界坡
std::string_view DirectionName(ProfileDirection d);  // "upstream" / "downstream"
std::string_view EndName(ProfileEnd e);              // "length" / "critical" / "normal"

}  // namespace tarnwick
