#include "FlowCombination.h"

#include <charconv>
#include <cmath>
#include <iterator>

#include "core/ReadNumber.h"
#include "core/ReportRow.h"

namespace tarnwick {

namespace {

// The increased-discharge table by design discharge: from Q (m³/s), the
// coefficient at that end of the range.
struct IncreaseRow {
  double q;
  double coefficient;
};
constexpr IncreaseRow kIncrease[] = {{0.0, 1.35},  {1.0, 1.30},   {5.0, 1.25},  {20.0, 1.20},
                                     {50.0, 1.15}, {100.0, 1.10}, {300.0, 1.05}};

constexpr std::string_view kIncreaseSource = "GB 50288-2018 渠道加大流量表，条文号未查证";
constexpr std::string_view kFreeboardSource = "GB 50288-2018 中小型渠道，条文号未查证";
constexpr std::string_view kSiltSource = "《水工设计手册》第8卷 灌区建筑物 不淤流速系数表";

std::optional<size_t> DischargeBox(const WindowSpec& window) {
  for (size_t k = 0; k < window.boxes.size(); ++k) {
    if (window.boxes[k].role == BoxRole::Discharge) return k;
  }
  return std::nullopt;
}

// The shortest fixed-point text that reads back to the same number.
std::string DischargeText(double q) {
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, q, std::chars_format::fixed).ptr;
  return {buffer, end};
}

std::optional<FlowAt> StateOf(const PressResult& press, double q) {
  if (press.outcome != PressOutcome::Report || !press.state) return std::nullopt;
  const SectionState& s = *press.state;
  return FlowAt{q, s.h, s.v, s.w / s.x};
}

std::optional<FlowAt> PressAt(const WindowSpec& window, std::span<const std::string> texts,
                              size_t box, double q) {
  std::vector<std::string> replaced(texts.begin(), texts.end());
  replaced.resize(window.boxes.size());
  replaced[box] = DischargeText(q);
  ResultPane pane;
  return StateOf(PressWithCase(window, replaced, pane), q);
}

std::string Figure(double x, std::string_view unit) {
  std::string text = NumberText(RoundDisplay(x));
  return text.append(unit);
}

void Row(ResultPane& pane, std::string_view label, double a, double b, double c,
         std::string_view unit) {
  pane.Text(label).Tab(15).Text(Figure(a, unit)).Tab(33).Text(Figure(b, unit));
  pane.Tab(51).Text(Figure(c, unit)).EndLine();
}

}  // namespace

bool TakesFlows(const WindowSpec& window) {
  return window.kind == CalculationKind::Depth && !window.closed &&
         window.closedKind == ClosedKind::Open && DischargeBox(window).has_value();
}

std::string FlowMisfit(const WindowSpec& window, const FlowRequest& request) {
  if (!TakesFlows(window)) {
    return "--increased and --least need the depth window of an open channel, not " +
           std::string(window.name);
  }
  if (!(request.least > 0.0)) return "--least takes a least discharge above 0 in m³/s";
  if (request.increased && !(*request.increased > 0.0)) {
    return "--increased takes a discharge above 0 in m³/s or 'auto'";
  }
  if (request.coefficient && !(*request.coefficient >= 1.0)) {
    return "the increase coefficient is at least 1";
  }
  if (request.freeboard && !(*request.freeboard >= 0.0)) return "--freeboard takes a height in m";
  if (!(request.siltCoefficient > 0.0)) return "the non-silting coefficient C is above 0";
  return {};
}

double IncreaseCoefficient(double q) {
  constexpr size_t n = std::size(kIncrease);
  if (!(q < kIncrease[n - 1].q)) return kIncrease[n - 1].coefficient;
  if (q <= 0.0) return kIncrease[0].coefficient;
  for (size_t k = 1; k < n; ++k) {
    if (q <= kIncrease[k].q) {
      const IncreaseRow& a = kIncrease[k - 1];
      const IncreaseRow& b = kIncrease[k];
      return a.coefficient + (b.coefficient - a.coefficient) * (q - a.q) / (b.q - a.q);
    }
  }
  return kIncrease[n - 1].coefficient;
}

double FreeboardRule(double increasedDepth) { return increasedDepth / 4.0 + 0.2; }

std::string_view IncreaseSource() { return kIncreaseSource; }
std::string_view FreeboardSource() { return kFreeboardSource; }

std::optional<FlowCombination> CombineFlows(const WindowSpec& window,
                                            std::span<const std::string> boxTexts,
                                            const PressResult& design, const FlowRequest& request,
                                            const CheckLimits& limits, std::string& why) {
  const std::optional<size_t> box = DischargeBox(window);
  if (!box || *box >= boxTexts.size()) {
    why = "设计流量未输入";
    return std::nullopt;
  }
  const double q = ReadNumber(boxTexts[*box]).value;
  const std::optional<FlowAt> atDesign = StateOf(design, q);
  if (!atDesign) {
    why = "设计流量下无计算成果";
    return std::nullopt;
  }
  FlowCombination f;
  f.design = *atDesign;
  f.coefficientFromTable = !request.increased && !request.coefficient;
  f.coefficient = request.increased ? *request.increased / q
                                    : request.coefficient.value_or(IncreaseCoefficient(q));
  const double increased = request.increased.value_or(q * f.coefficient);
  const std::optional<FlowAt> atIncreased = PressAt(window, boxTexts, *box, increased);
  if (!atIncreased) {
    why = "加大流量Q=" + DischargeText(increased) + " m³/s时计算未成功";
    return std::nullopt;
  }
  const std::optional<FlowAt> atLeast = PressAt(window, boxTexts, *box, request.least);
  if (!atLeast) {
    why = "最小流量Q=" + DischargeText(request.least) + " m³/s时计算未成功";
    return std::nullopt;
  }
  f.increased = *atIncreased;
  f.least = *atLeast;
  f.freeboardByRule = !request.freeboard;
  f.freeboard = request.freeboard.value_or(FreeboardRule(f.increased.h));
  f.channelDepth = f.increased.h + f.freeboard;
  f.bankLevel = request.bedLevel + f.channelDepth;
  if (design.sectionCase) f.scourLimit = NonScouringVelocity(*design.sectionCase, limits);
  f.siltCoefficient = request.siltCoefficient;
  f.siltLimit = request.siltCoefficient * std::sqrt(f.least.r);
  return f;
}

void PrintFlows(ResultPane& pane, const FlowCombination& f) {
  Banner(pane, "  ****************流量组合计算成果表************");
  pane.Tab(15).Text("设计流量").Tab(33).Text("加大流量").Tab(51).Text("最小流量").EndLine();
  Row(pane, "流量Q=", f.design.q, f.increased.q, f.least.q, "m³/s");
  Row(pane, "正常水深h=", f.design.h, f.increased.h, f.least.h, "m");
  Row(pane, "流速V=", f.design.v, f.increased.v, f.least.v, "m/s");
  Row(pane, "水力半径R=", f.design.r, f.increased.r, f.least.r, "m");
  pane.Text("加大系数K=").Number(RoundDisplay(f.coefficient));
  if (f.coefficientFromTable) {
    pane.Text("（按设计流量查表内插，").Text(kIncreaseSource).Text("）");
  } else {
    pane.Text("（设计者选定）");
  }
  pane.EndLine();
  pane.Text("安全超高Fb=").Text(Figure(f.freeboard, "m"));
  if (f.freeboardByRule) {
    pane.Text("（Fb=h加大/4+0.2 m，").Text(kFreeboardSource).Text("）");
  } else {
    pane.Text("（设计者选定）");
  }
  pane.EndLine();
  pane.Text("渠深H=h加大+Fb=").Text(Figure(f.channelDepth, "m"));
  pane.Tab(33).Text("渠顶高程=").Text(Figure(f.bankLevel, "m")).EndLine();
  pane.Text("不冲流速校核：V设计=").Text(Figure(f.design.v, "m/s"));
  if (f.scourLimit) {
    const bool ok = f.design.v <= *f.scourLimit;
    pane.Text(ok ? " ≤ " : " ＞ ").Text("V不冲=").Text(Figure(*f.scourLimit, "m/s"));
    pane.Text(ok ? " 满足" : " 不满足");
  } else {
    pane.Text("（不冲流速未设定）");
  }
  pane.EndLine();
  const bool ok = f.least.v >= f.siltLimit;
  pane.Text("不淤流速校核：V最小=").Text(Figure(f.least.v, "m/s")).Text(ok ? " ≥ " : " ＜ ");
  pane.Text("V不淤=C·√R=").Text(Figure(f.siltLimit, "m/s")).Text(ok ? " 满足" : " 不满足");
  pane.EndLine();
  pane.Text("  （C=")
      .Number(f.siltCoefficient)
      .Text("√m/s，")
      .Text(kSiltSource)
      .Text("）")
      .EndLine();
}

void PrintFlowsRefused(ResultPane& pane, std::string_view why) {
  Banner(pane, "  ****************流量组合计算成果表************");
  pane.Text("流量组合未能计算：").Text(why).EndLine();
}

}  // namespace tarnwick
