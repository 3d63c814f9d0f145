#include "Checks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "core/CompoundFlow.h"
#include "core/CriticalFlow.h"
#include "core/Hydraulics.h"
#include "core/ReadNumber.h"
#include "core/ReportRow.h"

#include "FigureText.h"

namespace tarnwick {

namespace {

// A figure as the checks print it; a figure that cannot be formed is said so,
// never printed as "inf" or "nan".
std::string Fixed(double x, int decimals) {
  return std::isfinite(x) ? FixedText(x, decimals) : std::string("无法计算");
}
std::string Shortest(double x) {
  return std::isfinite(x) ? ShortestText(x) : std::string("无法计算");
}
// Six significant digits, for a figure of any size ("2000", "1.0101", "1e+300").
std::string Significant(double x) {
  if (!std::isfinite(x)) return "无法计算";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.6g", x);
  return buffer;
}

// A slope i as the reports show it, 1/D; a slope steeper than 1/1 (where 1/D
// would round towards "1/0") as the number i itself.
std::string SlopeText(double i) {
  const double d = 1.0 / i;
  if (!(d >= 1.0)) return Shortest(RoundDisplay(i, 4)) + "（大于1）";
  const double shown = RoundDisplay(d, 1);
  return "1/" + Shortest(std::isfinite(shown) ? shown : d);
}

// A box's label without its padding and "=", "糙    率 n=" as "糙率n".
std::string BoxLabel(const BoxSpec& box) {
  std::string label;
  for (const char c : box.label) {
    if (c != ' ' && c != '=') label.push_back(c);
  }
  return label;
}

std::string_view BoxId(const BoxSpec& box) { return box.symbol.empty() ? box.name : box.symbol; }

void Add(std::vector<Check>& out, std::string_view name, CheckStatus status,
         std::optional<double> value, std::optional<double> limit, std::string text) {
  Check c;
  c.name = name;
  c.status = status;
  c.value = value;
  c.limit = limit;
  c.text = std::move(text);
  c.text.append(" ").append(StatusText(status));
  out.push_back(std::move(c));
}

// The slope i of the slope box, if it reads as one.
std::optional<double> TypedSlope(const WindowSpec& window,
                                 std::span<const NumberReading> readings) {
  for (size_t k = 0; k < window.boxes.size() && k < readings.size(); ++k) {
    if (window.boxes[k].role != BoxRole::Slope) continue;
    const double d = readings[k].value;
    if (d > 0.0 && std::isfinite(d)) return 1.0 / d;
    return std::nullopt;
  }
  return std::nullopt;
}

// Q flows uniformly at hc on the slope ic: the discharge of a Manning section of
// fixed geometry grows with √i, so ic = i·(Q/Q1(hc))² with Q1(hc) at the typed i.
void CriticalSlope(std::optional<double> slope, const SectionCase& c, double hc, bool several,
                   std::vector<Check>& out) {
  if (!slope) return;
  const double i = *slope;
  const double q1 = c.model.evaluate(hc).q1;
  const double ic = i * (c.discharge / q1) * (c.discharge / q1);
  const double d = RoundDisplay(1.0 / ic, 1);
  if (!(q1 > 0.0) || !std::isfinite(ic) || !(ic > 0.0) || !std::isfinite(d) || !(d > 0.0)) {
    Add(out, "critical_slope", CheckStatus::Note, std::nullopt, i,
        "流量过小或纵坡超出可计算范围，临界坡度无意义");
    return;
  }
  const std::string at = several ? "（hc=" + Fixed(hc, 3) + " m）" : "";
  Add(out, "critical_slope", CheckStatus::Note, ic, i,
      "临界坡度ic=" + SlopeText(ic) + at + "，渠道纵坡I=" + SlopeText(i) +
          (i < ic   ? "（缓坡）"
           : i > ic ? "（陡坡）"
                    : "（临界坡）"));
}

void CriticalDepthChecks(const WindowSpec& window, const SectionCase& c,
                         const CriticalDepths& found, std::vector<Check>& out) {
  const double top = window.closed ? c.model.crown : kOpenChannelDepthLimit;
  const std::string whole = c.model.subdivided ? "（全断面）" : "";
  const size_t count = found.depths.size();
  for (size_t k = 0; k < count; ++k) {
    const std::string which =
        count > 1 ? "（比能E最小点" + std::to_string(k + 1) + "/" + std::to_string(count) + "）"
                  : "";
    std::string text = "临界水深hc=" + Fixed(found.depths[k], 3) + " m";
    text.append(whole).append(which);
    Add(out, "critical_depth", CheckStatus::Note, found.depths[k], std::nullopt, std::move(text));
  }
  if (count > 0) return;
  if (window.closed && found.aboveRange) {
    Add(out, "critical_depth", CheckStatus::Note, std::nullopt, top, "临界水深高于洞顶");
  } else if (found.aboveRange) {
    Add(out, "critical_depth", CheckStatus::Note, std::nullopt, top,
        "水深" + Fixed(top, 0) + " m以下无临界水深");
  } else {
    Add(out, "critical_depth", CheckStatus::Note, std::nullopt, std::nullopt,
        "流量过小，临界水深无意义");
  }
}

void RegimeCheck(double fr, std::string_view symbol, const CheckLimits& limits,
                 std::vector<Check>& out) {
  const std::string f(symbol);
  if (fr < limits.froudeLow) {
    Add(out, "regime", CheckStatus::Pass, fr, limits.froudeLow,
        "流态：缓流（" + f + "<" + Fixed(limits.froudeLow, 2) + "）");
  } else if (fr <= limits.froudeHigh) {
    const std::string band = "（近临界区" + Fixed(limits.froudeLow, 2) + "≤" + f + "≤" +
                             Fixed(limits.froudeHigh, 2) + "，设计惯用值，未查得规范出处，可设定）";
    Add(out, "regime", CheckStatus::Fail, fr, limits.froudeLow,
        "流态：" + std::string(FlowRegime(fr)) + "，接近临界流，水面不稳定" + band);
  } else {
    Add(out, "regime", CheckStatus::Note, fr, limits.froudeHigh,
        "急流：校核冲刷、掺气与下游衔接（" + f + ">" + Fixed(limits.froudeHigh, 2) + "）");
  }
}

void FlowRegimeChecks(const WindowSpec& window, std::span<const NumberReading> readings,
                      const SectionCase& c, const CheckLimits& limits, std::vector<Check>& out) {
  const double top = window.closed ? c.model.crown : kOpenChannelDepthLimit;
  const CriticalDepths found =
      FindCriticalDepths({c.discharge, c.model.evaluate, c.model.subsections}, top);
  CriticalDepthChecks(window, c, found, out);
  const SectionState& s = c.state;
  if (s.surfaceWidth > 0.0 && s.w > 0.0) {
    const EnergySection atCase{s.q1, c.model.evaluate, c.model.subsections};
    double fr = FroudeNumber(s);
    if (c.model.subsections) {
      const double alpha = atCase.Alpha(s.h);
      const double e = s.h + alpha * s.v * s.v / (2.0 * kGravity);
      Add(out, "coriolis", CheckStatus::Note, alpha, std::nullopt,
          "动能修正系数α=Σ(Ki³/Wi²)/(K³/W²)=" + Fixed(alpha, 3) +
              "，断面比能Eα=h+αV²/2g=" + Fixed(e, 3) + " m");
      fr = atCase.Froude(s.h);
      Add(out, "froude", CheckStatus::Note, fr, std::nullopt,
          "复式断面弗劳德数Fc=" + Fixed(fr, 3) + "（dE/dh=1−Fc²，Blalock–Sturm 1981）");
    } else {
      Add(out, "froude", CheckStatus::Note, fr, std::nullopt,
          "弗劳德数Fr=V/√(gW/B1)=" + Fixed(fr, 3));
    }
    RegimeCheck(fr, c.model.subsections ? "Fc" : "Fr", limits, out);
  } else {
    Add(out, "froude", CheckStatus::Note, std::nullopt, std::nullopt, "满流，无自由水面");
  }
  const std::optional<double> slope = TypedSlope(window, readings);
  for (const double hc : found.depths) {
    CriticalSlope(slope, c, hc, found.depths.size() > 1, out);
  }
}

const LiningVelocity* FindLining(std::string_view id) {
  for (const LiningVelocity& l : UsualMaximumVelocities()) {
    if (l.id == id) return &l;
  }
  return nullptr;
}

// The non-scouring velocity of the lining chosen, soils corrected to the case's
// hydraulic radius: V = V(R=1)·R^a.
std::optional<std::pair<double, std::string>> LiningLimit(const SectionCase& c,
                                                          const CheckLimits& limits) {
  const LiningVelocity* l = FindLining(limits.lining);
  if (l == nullptr) return std::nullopt;
  std::string what = std::string(l->name) + "不冲流速（" + Fixed(l->maxVelocity, 2) + "～" +
                     Fixed(l->upperEnd, 2) + " m/s取下限";
  double v = l->maxVelocity;
  const double r = c.state.w / c.state.x;
  if (l->soil && r > 0.0 && std::isfinite(r)) {
    v *= std::pow(r, limits.soilExponent);
    what += "，R=1 m时之值乘R^a，R=" + Fixed(r, 3) + " m，a=" + Fixed(limits.soilExponent, 3) +
            "（a未查得出处，可设定）";
  }
  return std::pair{v, what + "，" + std::string(kLiningVelocitySource) + "）"};
}

}  // namespace

std::optional<double> NonScouringVelocity(const SectionCase& c, const CheckLimits& limits) {
  if (limits.velocityMax) return limits.velocityMax;
  if (const auto lining = LiningLimit(c, limits)) return lining->first;
  return std::nullopt;
}

namespace {

void VelocityCheck(const SectionCase& c, const CheckLimits& limits, std::vector<Check>& out) {
  const double v = c.state.v;
  const auto& lo = limits.velocityMin;
  std::optional<double> hi = limits.velocityMax;
  std::string hiText = hi ? "不冲流速" + Fixed(*hi, 3) + " m/s" : "";
  if (!hi) {
    if (const auto lining = LiningLimit(c, limits)) {
      hi = lining->first;
      hiText = lining->second + "=" + Fixed(*hi, 3) + " m/s";
    }
  }
  if (!lo && !hi) {
    // No limit set: a velocity above what any lining of the table stands is still
    // a fault.
    double most = 0.0;
    for (const LiningVelocity& l : UsualMaximumVelocities()) most = std::max(most, l.maxVelocity);
    if (v > most) {
      Add(out, "velocity", CheckStatus::Fail, v, most,
          "流速V=" + Fixed(v, 3) + " m/s，超过各衬砌不冲流速的最大值" + Fixed(most, 2) + " m/s（" +
              std::string(kLiningVelocitySource) + "）");
    }
    return;
  }
  std::string text = "流速V=" + Fixed(v, 3) + " m/s";
  if (lo) text += "，不淤流速" + Fixed(*lo, 3) + " m/s";
  if (hi) text += "，" + hiText;
  const bool slow = lo && v < *lo;
  const bool fast = hi && v > *hi;
  double limit = lo ? *lo : *hi;
  if (fast || (!slow && lo && hi && *hi / v < v / *lo)) limit = *hi;
  Add(out, "velocity", slow || fast ? CheckStatus::Fail : CheckStatus::Pass, v, limit,
      std::move(text));
}

void AtLeast(std::vector<Check>& out, std::string_view name, const std::string& label, double value,
             double limit, int decimals, std::string_view unit, std::string_view source) {
  Add(out, name, value >= limit ? CheckStatus::Pass : CheckStatus::Fail, value, limit,
      label + "=" + Fixed(value, decimals) + std::string(unit) + "（要求≥" +
          Fixed(limit, decimals) + std::string(unit) + std::string(source) + "）");
}

void ClearanceChecks(const WindowSpec& window, const SectionCase& c, const ClosedFigures& closed,
                     const CheckLimits& limits, std::vector<Check>& out) {
  switch (RuleFor(window, limits)) {
    case ClearanceRule::Tunnel: {
      const CheckLimits defaults;
      const bool usual = limits.clearanceAreaPercent == defaults.clearanceAreaPercent &&
                         limits.clearanceHeight == defaults.clearanceHeight;
      const std::string_view source = usual ? "，SL 279 水工隧洞设计规范 无压隧洞" : "，用户设定";
      AtLeast(out, "clearance_area", "净空面积比", closed.clearanceAreaPercent,
              limits.clearanceAreaPercent, 3, "%", source);
      AtLeast(out, "clearance_height", "净空高度", closed.clearanceHeight, limits.clearanceHeight,
              3, " m", source);
      return;
    }
    case ClearanceRule::FillRatio: {
      const double d = closed.crown;
      const double fill = c.state.h / d;
      const double most = GreatestFillRatio(d);
      Add(out, "fill_ratio", fill <= most ? CheckStatus::Pass : CheckStatus::Fail, fill, most,
          "充满度h/D=" + Fixed(fill, 3) + "（要求≤" + Fixed(most, 2) +
              "，D=" + Fixed(d * 1000.0, 0) + " mm，GB 50014 污水管道最大设计充满度）");
      return;
    }
    case ClearanceRule::None: break;
  }
  Add(out, "clearance", CheckStatus::Note, closed.clearanceHeight, std::nullopt,
      "净空高度=" + Fixed(closed.clearanceHeight, 3) + " m，净空面积比=" +
          Fixed(closed.clearanceAreaPercent, 3) + "%（未选定净空规则，可选隧洞或充满度规则）");
}

// |Q1 − Q| as a share of Q; a share beyond any meaning (Q next to 0) is not printed
// as a figure.
std::string MissShare(double miss, double q) {
  const double percent = 100.0 * miss / q;
  if (std::isfinite(percent) && percent < 1000.0) return "为Q的" + Fixed(percent, 3) + "%";
  return "远大于Q";
}

void SearchCheck(const PressResult& r, const CheckLimits& limits, std::vector<Check>& out) {
  const SectionCase& c = *r.sectionCase;
  const double miss = std::fabs(c.state.q1 - c.discharge);
  const double allowed = limits.searchPercent / 100.0 * c.discharge;
  const bool met = miss <= allowed;
  std::string text =
      "水深搜索" + std::to_string(r.passes) + (met ? "次达到设计流量" : "次未达到设计流量");
  text += "：Q1=" + Fixed(c.state.q1, 5) + "，Q=" + Fixed(c.discharge, 5) +
          "，|Q1−Q|=" + Fixed(miss, 5) + " m³/s，" + MissShare(miss, c.discharge) + "（要求≤" +
          Fixed(limits.searchPercent, 1) + "%）";
  Add(out, "search_limit", met ? CheckStatus::Pass : CheckStatus::Fail, miss, allowed,
      std::move(text));
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

bool Blank(std::string_view text) {
  return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// A slope box holds the denominator D of i = 1/D: "1/1000" reads as 1 and
// "0.0005" as D = 0.0005, both far steeper than meant.
bool SlopeMistyped(std::string_view text, const NumberReading& reading) {
  if (Blank(text)) return false;
  return text.find('/') != std::string_view::npos || reading.partial || reading.value < 1.0;
}

void BoxTextChecks(const WindowSpec& window, std::span<const std::string> texts,
                   std::span<const NumberReading> readings, std::vector<Check>& out) {
  for (size_t k = 0; k < window.boxes.size() && k < texts.size() && k < readings.size(); ++k) {
    const NumberReading& reading = readings[k];
    const BoxSpec& box = window.boxes[k];
    const bool slope = box.role == BoxRole::Slope && SlopeMistyped(texts[k], reading);
    if (!slope && !reading.partial) continue;
    const std::string typed = BoxLabel(box) + "的文本“" + texts[k] + "”";
    if (slope) {
      const double d = reading.value;
      const std::string used =
          d > 0.0 && std::isfinite(d) ? "按I=1/D=" + Significant(1.0 / d) + "计算" : "不能作为纵坡";
      std::string text = typed + "读作分母D=" + Significant(d) + "，";
      text.append(used).append("；此框填纵坡的分母D≥1，如I=1/1000填1000");
      Add(out, "slope_text", CheckStatus::Fail, d, 1.0, std::move(text));
      out.back().box = BoxId(box);
    } else if (reading.partial) {
      Add(out, "partial_read", CheckStatus::Fail, reading.value, std::nullopt,
          typed + "只读取了" + Shortest(reading.value));
      out.back().box = BoxId(box);
    }
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
  return EngineeringChecks(window, boxTexts, BoxReadings(window, boxTexts), result, limits);
}

std::vector<Check> EngineeringChecks(const WindowSpec& window,
                                     std::span<const std::string> boxTexts,
                                     std::span<const NumberReading> readings,
                                     const PressResult& result, const CheckLimits& limits) {
  std::vector<Check> out;
  out.reserve(8);  // a report's usual checks, without growing
  if (result.outcome == PressOutcome::Report && result.sectionCase) {
    const SectionCase& c = *result.sectionCase;
    FlowRegimeChecks(window, readings, c, limits, out);
    VelocityCheck(c, limits, out);
    if (result.closed) ClearanceChecks(window, c, *result.closed, limits, out);
    if (window.kind == CalculationKind::Depth) SearchCheck(result, limits, out);
    FitChecks(result.fits, limits, out);
  }
  BoxTextChecks(window, boxTexts, readings, out);
  return out;
}

ClearanceRule RuleFor(const WindowSpec& window, const CheckLimits& limits) {
  if (limits.closedRule) return *limits.closedRule;
  switch (window.closedKind) {
    case ClosedKind::CircularConduit: return ClearanceRule::FillRatio;
    case ClosedKind::BoxCulvert: return ClearanceRule::None;
    case ClosedKind::Tunnel:
    case ClosedKind::Open: break;
  }
  return ClearanceRule::Tunnel;
}

double GreatestFillRatio(double diameter) {
  if (diameter < 0.35) return 0.55;  // 200–300 mm, and smaller pipes
  if (diameter < 0.5) return 0.65;   // 350–450 mm
  if (diameter < 1.0) return 0.70;   // 500–900 mm
  return 0.75;                       // 1000 mm and larger
}

// The non-scouring velocities of canals in service from the table of the
// hydraulic design handbook for irrigation works (水工设计手册 第8卷 灌区建筑物,
// 渠道不冲流速表): soils of dry density 1.3–1.7 t/m³ at a hydraulic radius of 1 m,
// and linings. Each entry keeps its tabulated range and uses the lower end as the
// limit; a design limit above it wants the lining's and the site's own figures.
std::span<const LiningVelocity> UsualMaximumVelocities() {
  static constexpr LiningVelocity kTable[] = {
      {"light-loam", "轻壤土", 0.60, 0.80, true},  {"medium-loam", "中壤土", 0.65, 0.85, true},
      {"heavy-loam", "重壤土", 0.70, 0.90, true},  {"clay-loam", "黏壤土", 0.75, 0.95, true},
      {"cobble", "卵石衬砌", 2.0, 4.5, false},     {"masonry", "块石衬砌", 2.5, 5.0, false},
      {"concrete", "混凝土衬砌", 5.0, 8.0, false},
  };
  return kTable;
}

}  // namespace tarnwick
