#include "Profile.h"

#include <cmath>

#include "core/BracketRoot.h"
#include "core/CompoundFlow.h"

namespace tarnwick {

std::optional<double> WindowSlope(const WindowSpec& window, std::span<const std::string> boxTexts) {
  const std::optional<std::vector<double>> numbers = ReadBoxes(window, boxTexts);
  if (!numbers) return std::nullopt;
  for (size_t k = 0; k < window.boxes.size() && k < numbers->size(); ++k) {
    if (window.boxes[k].role != BoxRole::Slope) continue;
    const double d = (*numbers)[k];  // the slope is typed as D of 1/D
    if (!(d > 0.0) || !std::isfinite(d)) return std::nullopt;
    return 1.0 / d;
  }
  return std::nullopt;
}

double RefinedNormalDepth(const SectionModel& model, double q, double h) {
  const auto f = [&](double y) { return model.evaluate(y).q1 - q; };
  for (double spread = 1e-4; spread <= 0.1; spread *= 10.0) {
    const RootSample lo{h * (1.0 - spread), f(h * (1.0 - spread))};
    const double upper =
        model.crown > 0.0 ? std::min(h * (1.0 + spread), model.crown) : h * (1.0 + spread);
    const RootSample hi{upper, f(upper)};
    if (!(lo.f * hi.f <= 0.0)) continue;
    return BracketRoot(f, lo, hi, {0.0, 1e-12 * h, 200}).best.x;
  }
  return h;
}

WindowProfile ProfileOfWindow(const WindowSpec& window, std::span<const std::string> boxTexts,
                              const ProfileRequest& request) {
  WindowProfile out;
  const PressResult press = PressWithCase(window, boxTexts, out.refusal);
  if (!press.sectionCase) return out;
  out.refusal.Clear();
  const SectionCase& c = *press.sectionCase;
  const std::optional<double> slope = WindowSlope(window, boxTexts);
  std::string refusal;
  if (!slope) {
    refusal = "纵坡须为正数：水面线只对顺坡渠段计算。";
  } else if (!press.converged) {
    refusal = "正常水深未求得(搜索未达到设计流量)，不计算水面线。";
  }
  if (!refusal.empty()) {
    InputErrorBlock(out.refusal, refusal);
    return out;
  }
  out.discharge = c.discharge;
  out.slope = *slope;
  ProfileReach reach;
  reach.evaluate = c.model.evaluate;
  reach.alpha = EnergyCoefficient(c.model);
  reach.discharge = c.discharge;
  reach.slope = *slope;
  reach.normalDepth = RefinedNormalDepth(c.model, c.discharge, c.state.h);
  reach.crown = window.closed ? c.model.crown : 0.0;
  reach.length = request.length;
  reach.step = request.step;
  reach.bedAtControl = request.bedAtControl;
  ProfileOutcome computed = ComputeProfile(reach, request.control);
  if (!computed.profile) {
    InputErrorBlock(out.refusal, computed.refusal);
    return out;
  }
  out.profile = std::move(computed.profile);
  return out;
}

std::function<double(double)> EnergyCoefficient(const SectionModel& model) {
  if (!model.subsections) return {};
  return [parts = model.subsections](double h) { return CoriolisCoefficient(parts(h)); };
}

}  // namespace tarnwick
