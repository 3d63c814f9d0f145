#include "Canal.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "FlowCombination.h"
#include "Profile.h"
#include "core/BracketRoot.h"
#include "core/Hydraulics.h"

namespace tarnwick {

namespace {

// A reach's section and flow, pressed from its box texts with the discharge.
struct Pressed {
  SectionCase section;
  double slope = 0.0;
  double hn = 0.0;
};

double VelocityHead(const SectionModel& m, double q, double h) {
  const double v = q / m.evaluate(h).w;
  return v * v / 2.0 / kGravity;
}

// The depth at the downstream end of the upstream reach `u` that meets the level
// `zd` and velocity head `kd` below the junction: Zu + ku = zd + kd + ζ·|ku − kd|
// (local loss, e.g. Chow §17). Empty when even critical depth there carries more
// energy than the water below asks for: the water falls over the junction.
std::optional<double> JunctionDepth(const Pressed& u, double bedU, double q, double hc, double zd,
                                    double kd, double zeta) {
  const auto f = [&](double h) {
    const double ku = VelocityHead(u.section.model, q, h);
    return bedU + h + ku - zeta * std::fabs(ku - kd) - zd - kd;
  };
  const RootSample lo{hc, f(hc)};
  if (lo.f >= 0.0) return std::nullopt;
  double top = std::max(hc, zd - bedU) + kd + 1.0;
  RootSample hi{top, f(top)};
  for (int k = 0; k < 60 && hi.f < 0.0; ++k) {
    top *= 2.0;
    hi = {top, f(top)};
  }
  return BracketRoot(f, lo, hi, {0.0, 1e-10, 200}).best.x;
}

bool SameSection(const CanalReach& a, const CanalReach& b) {
  return a.window == b.window && a.boxes == b.boxes;
}

// What the water below leaves at the downstream end of reach j.
struct Below {
  double level = 0.0;         // m
  double velocityHead = 0.0;  // m
  double carried = 0.0;       // the depth carried over unchanged, when `carries`
  bool carries = false;
};

ProfileControl ControlOf(const CanalInput& canal, size_t j, const Pressed& p,
                         const ProfileReach& reach, const Below& below) {
  const CanalReach& r = canal.reaches[j];
  if (below.carries) return {ControlKind::Depth, below.carried};
  if (j + 1 == canal.reaches.size()) {
    switch (canal.control) {
      case CanalControl::Depth: return {ControlKind::Depth, canal.controlValue};
      case CanalControl::Level: return {ControlKind::Depth, canal.controlValue - r.bedDownstream};
      case CanalControl::Critical: return {ControlKind::Critical, 0.0};
    }
  }
  const std::vector<double> hcs = CriticalDepths(reach.evaluate, reach.alpha, canal.discharge,
                                                 reach.crown > 0.0 ? reach.crown : 10.0 * p.hn);
  const double hc = hcs.empty() ? 0.0 : hcs.back();
  const std::optional<double> h =
      JunctionDepth(p, r.bedDownstream, canal.discharge, hc, below.level, below.velocityHead,
                    canal.reaches[j + 1].loss);
  if (h) return {ControlKind::Depth, *h};
  return {ControlKind::Critical, 0.0};
}

std::optional<Pressed> PressReach(const CanalReach& r, double q) {
  const std::vector<std::string> texts = ReachTexts(r, q);
  const std::optional<SectionCase> c = CaseOf(*r.window, texts);
  const std::optional<double> slope = WindowSlope(*r.window, texts);
  if (!c || !slope) return std::nullopt;
  return Pressed{*c, *slope, RefinedNormalDepth(c->model, q, c->state.h)};
}

}  // namespace

std::vector<std::string> ReachTexts(const CanalReach& r, double q) {
  std::vector<std::string> texts;
  size_t next = 0;
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", q);
  for (const BoxSpec& box : r.window->boxes) {
    if (box.role == BoxRole::Discharge) {
      texts.emplace_back(text);
    } else {
      texts.push_back(next < r.boxes.size() ? r.boxes[next] : std::string());
      ++next;
    }
  }
  return texts;
}

CanalResult ComputeCanal(const CanalInput& canal) {
  CanalResult out;
  const size_t count = canal.reaches.size();
  std::vector<CanalReachProfile> results(count);
  double offset = 0.0;
  Below below;
  for (size_t j = count; j-- > 0;) {
    const CanalReach& r = canal.reaches[j];
    const std::optional<Pressed> p = PressReach(r, canal.discharge);
    if (!p) {
      out.refusal = "渠段“" + r.name + "”的断面数据不能计算(输入错误、纵坡非正或超过过流能力)。";
      return out;
    }
    const ProfileReach reach{p->section.model.evaluate,
                             EnergyCoefficient(p->section.model),
                             canal.discharge,
                             p->slope,
                             p->hn,
                             r.window->closed ? p->section.model.crown : 0.0,
                             r.length,
                             canal.step,
                             r.bedDownstream};
    ProfileControl control = ControlOf(canal, j, *p, reach, below);
    ProfileOutcome computed = ComputeProfile(reach, control);
    // A depth below critical at the end of a reach cannot be held by the water
    // below: the reach falls freely to it, critical depth at its end.
    if (computed.profile && computed.profile->direction == ProfileDirection::Downstream &&
        control.kind == ControlKind::Depth) {
      control = {ControlKind::Critical, 0.0};
      computed = ComputeProfile(reach, control);
    }
    if (!computed.profile) {
      out.refusal = "渠段“" + r.name + "”: " + computed.refusal;
      return out;
    }
    if (computed.profile->direction == ProfileDirection::Downstream ||
        computed.profile->end == ProfileEnd::Critical) {
      out.refusal =
          "渠段“" + r.name + "”为陡坡或急流段：急流由上游控制，渠道水面线只自下游向上游推算缓流。";
      return out;
    }
    results[j] = {r.name, *computed.profile, offset, control.kind == ControlKind::Critical,
                  reach.crown};
    const ProfileStation& top = computed.profile->stations.back();
    below = {top.z, VelocityHead(p->section.model, canal.discharge, top.h), top.h, false};
    offset += r.length;
    // Where neither the section nor the bed changes, the depth carries over
    // (the velocity does too, so the junction loses nothing whatever its ζ).
    below.carries = j > 0 && SameSection(canal.reaches[j - 1], r) &&
                    std::fabs(canal.reaches[j - 1].bedDownstream -
                              (r.bedDownstream + p->slope * r.length)) <= 1e-9;
  }
  out.reaches = std::move(results);
  return out;
}

CanalBanks BankLevels(const CanalInput& canal) {
  CanalBanks out;
  out.coefficientFromTable = !canal.increased;
  out.coefficient =
      canal.increased ? *canal.increased / canal.discharge : IncreaseCoefficient(canal.discharge);
  out.increased = canal.increased.value_or(canal.discharge * out.coefficient);
  out.freeboardByRule = !canal.freeboard;
  CanalInput raised = canal;
  raised.discharge = out.increased;
  const CanalResult r = ComputeCanal(raised);
  if (r.reaches.empty()) {
    out.refusal = r.refusal;
    return out;
  }
  for (const CanalReachProfile& reach : r.reaches) {
    const std::vector<ProfileStation>& s = reach.profile.stations;
    const auto top = std::max_element(s.begin(), s.end(),
                                      [](const auto& a, const auto& b) { return a.z < b.z; });
    ReachBank bank;
    bank.closed = reach.crown > 0.0;
    bank.highest = top->z;
    bank.x = reach.offset + top->x;
    bank.depth = top->h;
    if (bank.closed) {
      bank.level = top->z - top->h + reach.crown;
    } else {
      bank.freeboard = canal.freeboard.value_or(FreeboardRule(top->h));
      bank.level = top->z + bank.freeboard;
    }
    out.reaches.push_back(bank);
  }
  return out;
}

}  // namespace tarnwick
