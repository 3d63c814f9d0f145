// The water-surface profile of a depth window's case: the press gives the
// section, the discharge and the normal depth, the slope box the bed slope, and
// the gradually varied flow engine the profile. Written once for every family
// against the window table.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "WindowCatalog.h"
#include "core/GraduallyVariedFlow.h"

namespace tarnwick {

// The energy coefficient α(h) of a section: the Coriolis coefficient over its
// subsections for a subdivided (compound) section, none (α = 1) for one section.
std::function<double(double)> EnergyCoefficient(const SectionModel& model);

struct ProfileRequest {
  double length = 0.0;  // m
  double step = 0.0;    // m; 0: the reach in 50 steps
  ProfileControl control;
  double bedAtControl = 0.0;  // m
};

struct WindowProfile {
  // The press's own block when it does not report, or the profile's refusal
  // block; empty with a profile.
  ResultPane refusal;
  std::optional<Profile> profile;
  double discharge = 0.0;  // m³/s
  double slope = 0.0;      // i
};

// The profile of a depth window's box texts (the discharge included).
WindowProfile ProfileOfWindow(const WindowSpec& window, std::span<const std::string> boxTexts,
                              const ProfileRequest& request);

// The bed slope i = 1/D of the window's slope box; empty when it has none or
// the text is no number.
std::optional<double> WindowSlope(const WindowSpec& window, std::span<const std::string> boxTexts);

// Normal depth refined from the press's depth (whose search stops on the
// discharge to 1e-4 m³/s) to the last digits, so that "within 1 mm of normal
// depth" and "never crosses it" are judged against the true asymptote.
double RefinedNormalDepth(const SectionModel& model, double q, double h);

}  // namespace tarnwick
