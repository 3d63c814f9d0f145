// Water-surface profiles over every depth window of the table, checked against
// an integration written here: fourth-order Runge–Kutta on the gradually varied
// flow equation dh/dx = (S0 − Sf)/(dE/dh) (Chow, Open-Channel Hydraulics, eq.
// 9-13, where dE/dh = 1 − Fr² for one section) with Sf = S0·(Q/Q1)² from the
// section's own evaluation and E = h + αQ²/(2gA²), α the Coriolis coefficient
// Σ(Kᵢ³/Aᵢ²)/(K³/A²) of a compound section's subsections (1 for one section),
// dE/dh by a central difference, at a step a hundred and sixty times finer
// than the stations.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/CompoundFlow.h"
#include "core/Hydraulics.h"
#include "sections/Profile.h"

namespace tarnwick {
namespace {

std::string Text(double x) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", x);
  return text;
}

struct Flow {
  const SectionModel* model = nullptr;
  double q = 0.0;
  double s0 = 0.0;
  double Alpha(double h) const {
    if (!model->subsections) return 1.0;
    double k = 0.0, a = 0.0, sum = 0.0;
    for (const Subsection& p : model->subsections(h)) {
      if (!(p.area > 0.0)) continue;
      k += p.conveyance;
      a += p.area;
      sum += p.conveyance * p.conveyance * p.conveyance / (p.area * p.area);
    }
    return k > 0.0 ? sum * a * a / (k * k * k) : 1.0;
  }
  double Energy(double h) const {
    const double a = model->evaluate(h).w;
    return h + Alpha(h) * q * q / (2.0 * kGravity * a * a);
  }
  // 1 − dE/dh: Fr² for one section, the compound Froude number squared otherwise.
  double Fr2(double h) const {
    const double d = 1e-6 * std::max(h, 1e-3);
    return 1.0 - (Energy(h + d) - Energy(h - d)) / (2.0 * d);
  }
  double Slope(double h) const {  // dh/dx downstream
    const double r = q / model->evaluate(h).q1;
    return (s0 - s0 * r * r) / (1.0 - Fr2(h));
  }
};

// How often Fr passes 1 between the bed and the top, by a fine scan: a compound
// section whose flood plains make the flow supercritical again has several
// critical depths, and its zones are not the three of the M and S profiles.
int CriticalCount(const Flow& f, double top) {
  int count = 0;
  for (int k = 1; k < 20000; ++k) {
    count += (f.Fr2(top * k / 20000.0) >= 1.0) != (f.Fr2(top * (k + 1) / 20000.0) >= 1.0);
  }
  return count;
}

// The largest depth where Fr = 1, by a scan down from the top and bisection.
double CriticalByBisection(const Flow& f, double top) {
  double hi = top;
  double lo = top;
  for (int k = 19999; k >= 1 && f.Fr2(lo) < 1.0; --k) {
    hi = lo;
    lo = top * k / 20000.0;
  }
  for (int pass = 0; pass < 100; ++pass) {
    const double mid = (lo + hi) / 2.0;
    (f.Fr2(mid) >= 1.0 ? lo : hi) = mid;
  }
  return (lo + hi) / 2.0;
}

// One case of a depth window: texts with the discharge, its model and flow.
struct Case {
  const WindowSpec* window = nullptr;
  std::vector<std::string> texts;
  SectionCase section;
  double s0 = 0.0;
  double hn = 0.0;
  double hc = 0.0;
  double top = 0.0;  // crown, or a depth well above both for an open channel
};

// The discharge window's sample pressed for its Q1; the depth window typed with
// the same boxes, that discharge times `share` and the slope 1/D.
std::optional<Case> MakeCase(const WindowSpec& depth, double share, double d) {
  const WindowSpec& discharge = *FindWindow(CalculationKind::Discharge, depth.family);
  const auto& sample = FamilyOf(depth.family).sample;
  std::vector<std::string> dischargeTexts(sample.begin(), sample.end());
  dischargeTexts.resize(discharge.boxes.size());
  const std::optional<SectionCase> atSample = CaseOf(discharge, dischargeTexts);
  if (!atSample) return std::nullopt;
  Case c;
  c.window = &depth;
  for (const BoxSpec& box : depth.boxes) {
    std::string text;
    for (size_t k = 0; k < discharge.boxes.size(); ++k) {
      if (discharge.boxes[k].name == box.name) text = dischargeTexts[k];
    }
    if (box.role == BoxRole::Discharge) text = Text(atSample->discharge * share);
    if (box.role == BoxRole::Slope) text = Text(d);
    c.texts.push_back(text);
  }
  const std::optional<SectionCase> pressed = CaseOf(depth, c.texts);
  if (!pressed) return std::nullopt;
  c.section = *pressed;
  c.s0 = 1.0 / d;
  c.hn = RefinedNormalDepth(c.section.model, c.section.discharge, c.section.state.h);
  const Flow f{&c.section.model, c.section.discharge, c.s0};
  c.top = depth.closed ? c.section.model.crown * (1.0 - 1e-9) : 10.0 * c.hn;
  while (!depth.closed && f.Fr2(c.top) >= 1.0) c.top *= 2.0;
  if (CriticalCount(f, c.top) != 1) return std::nullopt;
  c.hc = CriticalByBisection(f, c.top);
  return c;
}

// Control depths in the three zones of the slope, with the type each gives.
struct Zone {
  std::string type;
  double h0;
};

std::vector<Zone> Zones(const Case& c) {
  const bool mild = c.hn > c.hc;
  const double roof = c.window->closed ? 0.95 * c.top : 2.0 * std::max(c.hn, c.hc);
  const double upper = std::max(c.hn, c.hc);
  const double lower = std::min(c.hn, c.hc);
  std::vector<Zone> zones;
  if (roof > upper * 1.02) zones.push_back({mild ? "M1" : "S1", (upper + roof) / 2.0});
  zones.push_back({mild ? "M2" : "S2", (c.hn + c.hc) / 2.0});
  zones.push_back({mild ? "M3" : "S3", lower / 2.0});
  return zones;
}

// Random cases of every depth window, mild and steep, away from the critical slope.
std::vector<Case> RandomCases(int perSlope) {
  std::mt19937 rng(1859);
  std::uniform_real_distribution<double> share(0.3, 1.0);
  std::uniform_real_distribution<double> logD(std::log(15.0), std::log(8000.0));
  std::vector<Case> cases;
  for (const WindowSpec& w : Windows()) {
    if (w.kind != CalculationKind::Depth) continue;
    int mild = 0;
    int steep = 0;
    for (int attempt = 0; attempt < 400 && (mild < perSlope || steep < perSlope); ++attempt) {
      std::optional<Case> c = MakeCase(w, share(rng), std::exp(logD(rng)));
      if (!c || std::fabs(c->hn / c->hc - 1.0) < 0.05) continue;
      int& count = c->hn > c->hc ? mild : steep;
      if (count >= perSlope) continue;
      ++count;
      cases.push_back(std::move(*c));
    }
    EXPECT_EQ(mild + steep, 2 * perSlope) << w.name << ": mild " << mild << ", steep " << steep;
  }
  return cases;
}

Profile ProfileOf(const Case& c, double h0, double length, double step) {
  const WindowProfile w =
      ProfileOfWindow(*c.window, c.texts, {length, step, {ControlKind::Depth, h0}, 0.0});
  EXPECT_TRUE(w.profile) << w.refusal.Joined();
  return w.profile.value_or(Profile{});
}

double Tolerance(double h) { return std::max(1e-3, 1e-3 * h); }

TEST(Profile, AgreesWithRungeKuttaInEveryFamilyAndType) {
  double worst = 0.0;  // largest deviation as a share of the tolerance
  int compared = 0;
  std::map<std::string, std::set<std::string>> typesOf;  // window name -> types run
  for (const Case& c : RandomCases(2)) {
    const Flow f{&c.section.model, c.section.discharge, c.s0};
    std::string typed;
    for (const std::string& t : c.texts) typed += " " + t;
    SCOPED_TRACE(typed);
    for (const Zone& z : Zones(c)) {
      SCOPED_TRACE(std::string(c.window->name) + " " + z.type + " h0=" + Text(z.h0));
      const double length = 2.0 * std::max(c.hn, c.hc) / c.s0;
      const Profile p = ProfileOf(c, z.h0, length, 0.0);
      EXPECT_EQ(p.type, z.type);
      typesOf[std::string(c.window->name)].insert(p.type);
      EXPECT_NEAR(p.criticalDepth, c.hc, 1e-6 * c.hc);
      const double sign = p.direction == ProfileDirection::Upstream ? -1.0 : 1.0;
      double h = z.h0;
      double x = 0.0;
      for (const ProfileStation& s : p.stations) {
        if (s.x == 0.0) continue;
        const int n = 160;
        const double dx = (s.x - x) / n;
        for (int k = 0; k < n && std::fabs(1.0 - f.Fr2(h)) > 0.05; ++k) {
          const double k1 = sign * f.Slope(h);
          const double k2 = sign * f.Slope(h + dx / 2.0 * k1);
          const double k3 = sign * f.Slope(h + dx / 2.0 * k2);
          const double k4 = sign * f.Slope(h + dx * k3);
          h += dx / 6.0 * (k1 + 2.0 * k2 + 2.0 * k3 + k4);
        }
        x = s.x;
        // Near critical depth the surface is steep and neither integration is
        // gradually varied flow any more: compared only away from it.
        if (std::fabs(1.0 - f.Fr2(h)) < 0.15 || std::fabs(1.0 - s.fr * s.fr) < 0.15) break;
        EXPECT_NEAR(s.h, h, Tolerance(h)) << "x=" << s.x;
        worst = std::max(worst, std::fabs(s.h - h) / Tolerance(h));
        ++compared;
      }
    }
  }
  for (const auto& [name, types] : typesOf) {
    EXPECT_EQ(types.size(), 6u) << name << " ran " << types.size() << " of the six types";
  }
  std::printf("largest deviation from Runge-Kutta: %.4f of the tolerance, %d stations\n", worst,
              compared);
}

TEST(Profile, StaysBetweenControlAndLimitAndDoesNotDependOnTheStep) {
  for (const Case& c : RandomCases(1)) {
    for (const Zone& z : Zones(c)) {
      SCOPED_TRACE(std::string(c.window->name) + " " + z.type + " h0=" + Text(z.h0));
      const double length = 20.0 * std::max(c.hn, c.hc) / c.s0;
      const Profile p = ProfileOf(c, z.h0, length, length / 40.0);
      const Profile fine = ProfileOf(c, z.h0, length, length / 80.0);
      const double side = z.h0 - p.normalDepth;
      const double critSide = z.h0 - p.criticalDepth;
      for (size_t k = 0; k < p.stations.size(); ++k) {
        const double h = p.stations[k].h;
        // Never crosses normal or critical depth; reaching either is allowed.
        EXPECT_GE((h - p.normalDepth) * side, 0.0) << "x=" << p.stations[k].x;
        EXPECT_GE((h - p.criticalDepth) * critSide, 0.0) << "x=" << p.stations[k].x;
        // Monotonic: every station nearer the depth it tends to than the one before.
        if (k > 0) {
          EXPECT_LE((h - p.stations[k - 1].h) * side, 0.0) << "x=" << p.stations[k].x;
        }
        if (2 * k < fine.stations.size() && p.end != ProfileEnd::Critical) {
          EXPECT_NEAR(fine.stations[2 * k].h, h, Tolerance(h)) << "x=" << p.stations[k].x;
        }
      }
      const bool toNormal = z.type != "M3" && z.type != "S1";
      EXPECT_EQ(p.end, toNormal ? ProfileEnd::Normal : ProfileEnd::Critical);
      EXPECT_EQ(p.nearNormalAt.has_value(), toNormal);
    }
  }
}

}  // namespace
}  // namespace tarnwick
