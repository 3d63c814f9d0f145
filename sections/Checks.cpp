#include "Checks.h"

#include <cmath>

#include "core/CriticalFlow.h"
#include "core/Hydraulics.h"
#include "core/ReadNumber.h"
#include "core/ReportRow.h"

#include "FigureText.h"

namespace tarnwick {

namespace {

std::string Fixed(double x, int decimals) { return FixedText(x, decimals); }
std::string Shortest(double x) { return ShortestText(x); }

// A slope i as the reports show it, 1/D.
std::string SlopeText(double i) { return "1/" + Shortest(RoundDisplay(1.0 / i, 1)); }

// A box's label without its padding and "=", "糙    率 n=" as "糙率n".
std::string BoxLabel(const BoxSpec& box) {
  std::string label;
  for (const char c : box.label) {
    if (c != ' ' && c != '=') label.push_back(c);
  }
  return label;
}

void Add(std::vector<Check>& out, std::string_view name, CheckStatus status,
         std::optional<double> value, std::optional<double> limit, std::string text) {
  Check c;
  c.name = name;
  c.status = status;
  c.value = value;
  c.limit = limit;
  c.text = std::move(text) + " " + std::string(StatusText(status));
  out.push_back(std::move(c));
}

// Q flows uniformly at hc on the slope ic: the discharge of a Manning section of
// fixed geometry grows with √i, so ic = i·(Q/Q1(hc))² with Q1(hc) at the typed i.
void CriticalSlope(const WindowSpec& window, std::span<const std::string> texts,
                   const SectionCase& c, double hc, std::vector<Check>& out) {
  for (size_t k = 0; k < window.boxes.size() && k < texts.size(); ++k) {
    if (window.boxes[k].role != BoxRole::Slope) continue;
    const double d = ReadNumber(texts[k]).value;
    const double q1 = c.model.evaluate(hc).q1;
    if (!(d > 0.0) || !(q1 > 0.0)) return;
    const double i = 1.0 / d;
    const double ic = i * (c.discharge / q1) * (c.discharge / q1);
    Add(out, "critical_slope", CheckStatus::Note, ic, i,
        "临界坡度ic=" + SlopeText(ic) + "，渠道纵坡I=" + SlopeText(i) +
            (i < ic   ? "（缓坡）"
             : i > ic ? "（陡坡）"
                      : "（临界坡）"));
    return;
  }
}

void FlowRegimeChecks(const WindowSpec& window, std::span<const std::string> texts,
                      const SectionCase& c, std::vector<Check>& out) {
  const bool closed = window.closed;
  const double top = closed ? c.model.crown : kOpenChannelDepthLimit;
  const std::string whole = c.model.subdivided ? "（全断面）" : "";
  const std::optional<double> hc = CriticalDepth(c.discharge, top, c.model.evaluate);
  if (hc) {
    Add(out, "critical_depth", CheckStatus::Note, *hc, std::nullopt,
        "临界水深hc=" + Fixed(*hc, 3) + " m" + whole);
  } else {
    Add(out, "critical_depth", CheckStatus::Note, std::nullopt, top,
        closed ? "隧洞顶以下无临界水深" : "水深" + Fixed(top, 0) + " m以下无临界水深");
  }
  const SectionState& s = c.state;
  if (s.surfaceWidth > 0.0 && s.w > 0.0) {
    const double fr = FroudeNumber(s);
    Add(out, "froude", CheckStatus::Note, fr, std::nullopt,
        "弗劳德数Fr=V/√(gW/B1)=" + Fixed(fr, 3) + whole);
    const std::string_view regime = FlowRegime(fr);
    const bool critical = regime == "临界流";
    Add(out, "regime", critical ? CheckStatus::Note : CheckStatus::Pass, fr, 1.0,
        "流态：" + std::string(regime) +
            (critical   ? "（|Fr−1|≤0.01），水面不稳定"
             : fr < 1.0 ? "（Fr<1）"
                        : "（Fr>1）"));
  } else {
    Add(out, "froude", CheckStatus::Note, std::nullopt, std::nullopt, "满流，无自由水面");
  }
  if (hc) CriticalSlope(window, texts, c, *hc, out);
}

void VelocityCheck(double v, const CheckLimits& limits, std::vector<Check>& out) {
  const auto& lo = limits.velocityMin;
  const auto& hi = limits.velocityMax;
  if (!lo && !hi) return;
  std::string text = "流速V=" + Fixed(v, 3) + " m/s";
  if (lo) text += "，不淤流速" + Fixed(*lo, 3) + " m/s";
  if (hi) text += "，不冲流速" + Fixed(*hi, 3) + " m/s";
  const bool slow = lo && v < *lo;
  const bool fast = hi && v > *hi;
  double limit = lo ? *lo : *hi;
  if (fast || (!slow && lo && hi && *hi / v < v / *lo)) limit = *hi;
  Add(out, "velocity", slow || fast ? CheckStatus::Fail : CheckStatus::Pass, v, limit,
      std::move(text));
}

void AtLeast(std::vector<Check>& out, std::string_view name, const std::string& label, double value,
             double limit, int decimals, std::string_view unit) {
  Add(out, name, value >= limit ? CheckStatus::Pass : CheckStatus::Fail, value, limit,
      label + "=" + Fixed(value, decimals) + std::string(unit) + "（要求≥" +
          Fixed(limit, decimals) + std::string(unit) + "）");
}

void ClearanceChecks(const ClosedFigures& closed, const CheckLimits& limits,
                     std::vector<Check>& out) {
  AtLeast(out, "clearance_area", "净空面积比", closed.clearanceAreaPercent,
          limits.clearanceAreaPercent, 3, "%");
  AtLeast(out, "clearance_height", "净空高度", closed.clearanceHeight, limits.clearanceHeight, 3,
          " m");
}

void SearchCheck(const PressResult& r, std::vector<Check>& out) {
  const SectionCase& c = *r.sectionCase;
  const double miss = std::fabs(c.state.q1 - c.discharge);
  std::string text = r.converged ? "水深搜索" + std::to_string(r.passes) + "次达到设计流量"
                                 : "水深搜索" + std::to_string(r.passes) + "次未达到设计流量";
  text += "：Q1=" + Fixed(c.state.q1, 5) + "，Q=" + Fixed(c.discharge, 5) +
          "，|Q1−Q|=" + Fixed(miss, 5) + " m³/s（要求<" + Fixed(kDischargeTolerance, 4) + "）";
  Add(out, "search_limit", r.converged ? CheckStatus::Pass : CheckStatus::Fail, miss,
      kDischargeTolerance, std::move(text));
}

void FitChecks(const std::vector<ShapeFit>& fits, const CheckLimits& limits,
               std::vector<Check>& out) {
  for (const ShapeFit& f : fits) {
    if (!(f.reference > 0.0)) continue;
    const double miss = 100.0 * std::fabs(f.derived - f.reference) / f.reference;
    Add(out, f.name, miss <= limits.shapeFitPercent ? CheckStatus::Pass : CheckStatus::Fail, miss,
        limits.shapeFitPercent,
        std::string(f.label) + "=" + Fixed(f.derived, 3) + " m，" + std::string(f.referenceLabel) +
            "=" + Fixed(f.reference, 3) + " m，相差" + Fixed(miss, 2) + "%（允许≤" +
            Fixed(limits.shapeFitPercent, 2) + "%）");
  }
}

void PartialReadChecks(const WindowSpec& window, std::span<const std::string> texts,
                       std::vector<Check>& out) {
  for (size_t k = 0; k < window.boxes.size() && k < texts.size(); ++k) {
    const NumberReading reading = ReadNumber(texts[k]);
    if (!reading.partial) continue;
    const BoxSpec& box = window.boxes[k];
    Add(out, "partial_read", CheckStatus::Note, reading.value, std::nullopt,
        BoxLabel(box) + "的文本“" + texts[k] + "”只读取了" + Shortest(reading.value));
    out.back().box = box.symbol.empty() ? box.name : box.symbol;
  }
}

}  // namespace

std::string_view StatusName(CheckStatus status) {
  switch (status) {
    case CheckStatus::Pass: return "pass";
    case CheckStatus::Fail: return "fail";
    case CheckStatus::Note: break;
  }
  return "note";
}

std::string_view StatusText(CheckStatus status) {
  switch (status) {
    case CheckStatus::Pass: return "满足";
    case CheckStatus::Fail: return "不满足";
    case CheckStatus::Note: break;
  }
  return "提示";
}

std::vector<Check> EngineeringChecks(const WindowSpec& window,
                                     std::span<const std::string> boxTexts,
                                     const PressResult& result, const CheckLimits& limits) {
  std::vector<Check> out;
  if (result.outcome == PressOutcome::Report && result.sectionCase) {
    const SectionCase& c = *result.sectionCase;
    FlowRegimeChecks(window, boxTexts, c, out);
    VelocityCheck(c.state.v, limits, out);
    if (result.closed) ClearanceChecks(*result.closed, limits, out);
    if (window.kind == CalculationKind::Depth) SearchCheck(result, out);
    FitChecks(result.fits, limits, out);
  }
  PartialReadChecks(window, boxTexts, out);
  return out;
}

// Usual maxima of the mean velocity that does not scour the bed and banks, as the
// permissible-velocity tables of irrigation and drainage canal design codes and of
// open-channel hydraulics textbooks give them for canals in service. Each is the
// lower end of its tabulated range: a design limit above these wants the lining's
// and the site's own figures (depth, sediment, concrete grade).
std::span<const LiningVelocity> UsualMaximumVelocities() {
  static constexpr LiningVelocity kTable[] = {
      {"fine-sand", "粉砂、细砂土", 0.45}, {"sandy-loam", "砂壤土、轻壤土", 0.6},
      {"loam", "中壤土、重壤土", 0.7},     {"clay", "黏土", 0.9},
      {"gravel", "砾石、卵石", 1.2},       {"dry-masonry", "干砌块石", 2.0},
      {"masonry", "浆砌块石", 2.5},        {"soft-rock", "软质岩石", 2.5},
      {"concrete", "混凝土衬砌", 3.0},     {"hard-rock", "坚硬岩石", 5.0},
  };
  return kTable;
}

}  // namespace tarnwick
