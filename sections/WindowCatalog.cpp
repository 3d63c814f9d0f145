#include "WindowCatalog.h"

#include "ArcBottomChannel.h"
#include "CircularTunnel.h"
#include "CityGateTunnel.h"
#include "CompoundChannel.h"
#include "FlatBottomChannel.h"
#include "HorseshoeTunnel.h"
#include "ThreeCentredArchTunnel.h"
#include "UChannel.h"
#include "core/NormalDepthSearch.h"
#include "core/ReadNumber.h"

namespace tarnwick {

namespace {

constexpr std::string_view kRoughnessTip = "输入渠道糙率";
constexpr std::string_view kSlopeTip = "输入渠道纵坡（1/ ？）";
constexpr std::string_view kDischargeTip = "输入渠道流量";
constexpr std::string_view kDepthTip = "输入渠道水深（m）";
constexpr std::string_view kRoughnessLabel = "糙    率 n=";
constexpr std::string_view kSlopeLabel = "纵    坡 I=";
constexpr std::string_view kDischargeLabel = "流    量 Q=";
constexpr std::string_view kDepthLabel = "水    深 H=";
constexpr std::string_view kDegreesTip = "输入十进制度";

// The box that takes the discharge (depth windows) or the depth (discharge windows).
BoxSpec ValueBox(std::string_view name, CalculationKind kind) {
  return kind == CalculationKind::Depth ? BoxSpec{name, kDischargeLabel, kDischargeTip}
                                        : BoxSpec{name, kDepthLabel, kDepthTip};
}

std::vector<BoxSpec> FlatBottomBoxes(CalculationKind kind) {
  return {{"Text2", "渠 底 宽 B=", "输入渠底宽度（m）"},
          {"Text3", "边    坡 M=", "输入渠道边坡值"},
          {"Text4", kRoughnessLabel, kRoughnessTip},
          {"Text5", kSlopeLabel, kSlopeTip},
          ValueBox("Text6", kind)};
}

std::vector<BoxSpec> ArcBottomBoxes(CalculationKind kind) {
  return {{"Text2", "底弧半径 R=", "输入底弧半径（m）"},
          {"Text3", "边    坡 M=", "输入渠道边坡值"},
          {"Text4", kRoughnessLabel, kRoughnessTip},
          {"Text5", kSlopeLabel, kSlopeTip},
          ValueBox("Text6", kind),
          {"Text9", "渠    宽 B=", "输入矩形渠渠宽（m）", {}, true}};
}

std::vector<BoxSpec> UChannelBoxes(CalculationKind kind) {
  return {{"Text2", "底弧半径 R=", "输入底弧半径（m）"},
          {"Text4", kRoughnessLabel, kRoughnessTip},
          {"Text5", kSlopeLabel, kSlopeTip},
          ValueBox("Text6", kind)};
}

std::vector<BoxSpec> CompoundBoxes(CalculationKind kind) {
  return {{"Text1", "深槽底宽B1=", {}},
          {"Text2", "深槽边坡M1=", {}},
          {"Text3", "深槽高度H1=", {}},
          {"Text4", "深槽糙率n1=", {}},
          {"Text5", "左滩地底宽B2=", {}},
          {"Text6", "左滩地边坡M2=", {}},
          {"Text7", "左滩地糙率n2=", {}},
          {"Text8", "右滩地底宽B3=", {}},
          {"Text9", "右滩地边坡M3=", {}},
          {"Text10", "右滩地糙率n3=", {}},
          {"Text11", kSlopeLabel, "输入纵坡分母值（1/ ？）"},
          ValueBox("Text12", kind)};
}

std::vector<BoxSpec> CityGateBoxes(CalculationKind kind) {
  return {{"Text1", "隧洞宽度 B=", "输入隧洞宽度（m）"},
          {"Text2", "侧墙高度H2=", "输入侧墙高度（m）"},
          {"Text3", "顶拱半径R1=", "输入顶拱半径（m）"},
          {"Text4", "顶拱圆心角A1=", kDegreesTip},
          {"Text5", "底拱半径R2=", "无底拱则输入零"},
          {"Text6", kRoughnessLabel, kRoughnessTip},
          {"Text7", kSlopeLabel, kSlopeTip},
          ValueBox("Text8", kind)};
}

std::vector<BoxSpec> CircularBoxes(CalculationKind kind) {
  return {{"Text1", "平底板宽度B=", {}, "（无平底板则B无须输入）"},
          {"Text2", "半    径 R=", "输入半径（m）"},
          {"Text4", kRoughnessLabel, kRoughnessTip},
          {"Text5", kSlopeLabel, kSlopeTip},
          ValueBox("Text6", kind)};
}

// Horseshoe and three-centred-arch tunnels share their boxes.
std::vector<BoxSpec> ArchTunnelBoxes(CalculationKind kind) {
  return {{"Text10", "平底1/反拱底0", {}},
          {"Text1", "顶拱半径R1=", "输入顶拱半径（m）"},
          {"Text2", "顶拱圆心角A1=", kDegreesTip},
          {"Text3", "侧拱半径R2=", "输入侧拱半径（m）"},
          {"Text4", "侧拱圆心角A2=", kDegreesTip},
          {"Text5", "底拱半径R3=", "输入底拱半径（m）"},
          {"Text6", kRoughnessLabel, kRoughnessTip},
          {"Text7", kSlopeLabel, kSlopeTip},
          ValueBox("Text8", kind)};
}

FlatBottomChannel::Inputs FlatBottomInputs(std::span<const double> v) {
  return {v[0], v[1], v[2], v[3], v[4]};
}

PressOutcome FlatBottomDepth(std::span<const double> v, ResultPane& pane) {
  return FlatBottomChannel::ComputeDepth(FlatBottomInputs(v), pane);
}
PressOutcome FlatBottomDischarge(std::span<const double> v, ResultPane& pane) {
  return FlatBottomChannel::ComputeDischarge(FlatBottomInputs(v), pane);
}

std::optional<SectionModel> FlatBottomModel(std::span<const double> v) {
  return FlatBottomChannel::Model(FlatBottomInputs(v));
}

// Text2 R, Text3 M, Text4 n, Text5 D, Text6 Q or h, Text9 B (looked at only when M = 0).
ArcBottomChannel::Inputs ArcBottomInputs(std::span<const double> v) {
  return {v[0], v[1], v[2], v[3], v[4], v[5]};
}

PressOutcome ArcBottomDepth(std::span<const double> v, ResultPane& pane) {
  return ArcBottomChannel::ComputeDepth(ArcBottomInputs(v), pane);
}
PressOutcome ArcBottomDischarge(std::span<const double> v, ResultPane& pane) {
  return ArcBottomChannel::ComputeDischarge(ArcBottomInputs(v), pane);
}

std::optional<SectionModel> ArcBottomModel(std::span<const double> v) {
  return ArcBottomChannel::Model(ArcBottomInputs(v));
}

// Text2 R, Text4 n, Text5 D, Text6 Q or h.
UChannel::Inputs UChannelInputs(std::span<const double> v) { return {v[0], v[1], v[2], v[3]}; }

PressOutcome UChannelDepth(std::span<const double> v, ResultPane& pane) {
  return UChannel::ComputeDepth(UChannelInputs(v), pane);
}
PressOutcome UChannelDischarge(std::span<const double> v, ResultPane& pane) {
  return UChannel::ComputeDischarge(UChannelInputs(v), pane);
}

std::optional<SectionModel> UChannelModel(std::span<const double> v) {
  return UChannel::Model(UChannelInputs(v));
}

// Text1 to Text10 the section (B1 M1 H1 n1, B2 M2 n2, B3 M3 n3), Text11 D, Text12 Q or h.
CompoundChannel::Inputs CompoundInputs(std::span<const double> v) {
  return {{v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9]}, v[10], v[11]};
}

PressOutcome CompoundDepth(std::span<const double> v, ResultPane& pane) {
  return CompoundChannel::ComputeDepth(CompoundInputs(v), pane);
}
PressOutcome CompoundDischarge(std::span<const double> v, ResultPane& pane) {
  return CompoundChannel::ComputeDischarge(CompoundInputs(v), pane);
}

// A tunnel window refuses more than its input check: the depth window a discharge
// above the full section's (the capacity block), the discharge window a depth at
// or above the crown. There is no case to draw or rate then.
std::optional<SectionModel> TunnelModelAsPressed(std::optional<SectionModel> model,
                                                 CalculationKind kind, double value) {
  if (!model) return model;
  const bool refused = kind == CalculationKind::Depth ? *model->fullSectionDischarge < value
                                                      : value >= model->crown;
  if (refused) return std::nullopt;
  return model;
}

// Box order B, H2, R1, A1, R2, n, D, value.
CityGateTunnel::Inputs CityGateInputs(std::span<const double> v) {
  return {v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]};
}

PressOutcome CityGateDepth(std::span<const double> v, ResultPane& pane) {
  return CityGateTunnel::ComputeDepth(CityGateInputs(v), pane);
}
PressOutcome CityGateDischarge(std::span<const double> v, ResultPane& pane) {
  return CityGateTunnel::ComputeDischarge(CityGateInputs(v), pane);
}

std::optional<SectionModel> CityGateDepthModel(std::span<const double> v) {
  return TunnelModelAsPressed(CityGateTunnel::Model(CityGateInputs(v)), CalculationKind::Depth,
                              v[7]);
}
std::optional<SectionModel> CityGateDischargeModel(std::span<const double> v) {
  return TunnelModelAsPressed(CityGateTunnel::Model(CityGateInputs(v)),
                              CalculationKind::Discharge, v[7]);
}

// Box order B, R, n, D, value.
CircularTunnel::Inputs CircularInputs(std::span<const double> v) {
  return {v[0], v[1], v[2], v[3], v[4]};
}

PressOutcome CircularDepth(std::span<const double> v, ResultPane& pane) {
  return CircularTunnel::ComputeDepth(CircularInputs(v), pane);
}
PressOutcome CircularDischarge(std::span<const double> v, ResultPane& pane) {
  return CircularTunnel::ComputeDischarge(CircularInputs(v), pane);
}

// Arch tunnels: Text10 (floor type), then Text1 to Text8.
template <class Inputs>
Inputs ArchTunnelInputs(std::span<const double> v) {
  return {v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]};
}

PressOutcome HorseshoeDepth(std::span<const double> v, ResultPane& pane) {
  return HorseshoeTunnel::ComputeDepth(ArchTunnelInputs<HorseshoeTunnel::Inputs>(v), pane);
}
PressOutcome HorseshoeDischarge(std::span<const double> v, ResultPane& pane) {
  return HorseshoeTunnel::ComputeDischarge(ArchTunnelInputs<HorseshoeTunnel::Inputs>(v), pane);
}
PressOutcome ThreeCentredDepth(std::span<const double> v, ResultPane& pane) {
  return ThreeCentredArchTunnel::ComputeDepth(ArchTunnelInputs<ThreeCentredArchTunnel::Inputs>(v),
                                              pane);
}
PressOutcome ThreeCentredDischarge(std::span<const double> v, ResultPane& pane) {
  return ThreeCentredArchTunnel::ComputeDischarge(
      ArchTunnelInputs<ThreeCentredArchTunnel::Inputs>(v), pane);
}

std::optional<SectionModel> CompoundModel(std::span<const double> v) {
  return CompoundChannel::Model(CompoundInputs(v));
}

std::optional<SectionModel> CircularDepthModel(std::span<const double> v) {
  return TunnelModelAsPressed(CircularTunnel::Model(CircularInputs(v)), CalculationKind::Depth,
                              v[4]);
}
std::optional<SectionModel> CircularDischargeModel(std::span<const double> v) {
  return TunnelModelAsPressed(CircularTunnel::Model(CircularInputs(v)),
                              CalculationKind::Discharge, v[4]);
}

std::optional<SectionModel> HorseshoeModel(std::span<const double> v) {
  return HorseshoeTunnel::Model(ArchTunnelInputs<HorseshoeTunnel::Inputs>(v));
}
std::optional<SectionModel> ThreeCentredModel(std::span<const double> v) {
  return ThreeCentredArchTunnel::Model(ArchTunnelInputs<ThreeCentredArchTunnel::Inputs>(v));
}

std::vector<WindowSpec> BuildWindows() {
  using K = CalculationKind;
  using F = Family;
  const K d = K::Depth;
  const K q = K::Discharge;
  return {
      {"Form2", "弧底矩形渠、弧底梯形渠水深计算", "弧底矩形渠、弧底梯形渠均匀流水深计算成果", d,
       F::ArcBottomChannel, ArcBottomBoxes(d), "Text7", ArcBottomDepth, ArcBottomModel},
      {"Form31", "弧底矩形渠、弧底梯形渠流量计算", "弧底矩形渠、弧底梯形渠均匀流流量计算成果", q,
       F::ArcBottomChannel, ArcBottomBoxes(q), "Text7", ArcBottomDischarge, ArcBottomModel},
      {"Form21", "平底矩形渠、平底梯形渠水深计算", "平底矩形渠、平底梯形渠均匀流水深计算成果", d,
       F::FlatBottomChannel, FlatBottomBoxes(d), "Text7", FlatBottomDepth, FlatBottomModel},
      {"Form32", "平底矩形渠、平底梯形渠流量计算", "平底矩形渠、平底梯形渠均匀流流量计算成果", q,
       F::FlatBottomChannel, FlatBottomBoxes(q), "Text7", FlatBottomDischarge, FlatBottomModel},
      {"Form22", "“Ｕ”形渠水深计算", "“Ｕ”形渠均匀流水深计算成果", d, F::UChannel,
       UChannelBoxes(d), "Text8", UChannelDepth, UChannelModel},
      {"Form33", "“Ｕ”形渠流量计算", "“Ｕ”形渠均匀流流量计算成果", q, F::UChannel,
       UChannelBoxes(q), "Text8", UChannelDischarge, UChannelModel},
      {"Form11", "复式断面平底梯形渠水深计算", "复式断面平底梯形渠均匀流水深计算成果", d,
       F::CompoundChannel, CompoundBoxes(d), "Text13", CompoundDepth, CompoundModel},
      {"Form12", "复式断面平底梯形渠流量计算", "复式断面平底梯形渠均匀流流量计算成果", q,
       F::CompoundChannel, CompoundBoxes(q), "Text13", CompoundDischarge, CompoundModel},
      {"Form23", "城门洞形隧洞水深计算", "城门洞形隧洞均匀流水深计算成果", d, F::CityGateTunnel,
       CityGateBoxes(d), "Text9", CityGateDepth, CityGateDepthModel},
      {"Form34", "城门洞形隧洞流量计算", "城门洞形隧洞均匀流流量计算成果", q, F::CityGateTunnel,
       CityGateBoxes(q), "Text9", CityGateDischarge,
       CityGateDischargeModel},
      {"Form24", "圆形隧洞及管道水深计算", "圆形隧洞及管道均匀流水深计算成果", d,
       F::CircularTunnel, CircularBoxes(d), "Text8", CircularDepth, CircularDepthModel},
      {"Form35", "圆形隧洞及管道流量计算", "圆形隧洞及管道均匀流流量计算成果", q,
       F::CircularTunnel, CircularBoxes(q), "Text8", CircularDischarge,
       CircularDischargeModel},
      {"Form25", "马蹄形隧洞水深计算", "马蹄形隧洞均匀流水深计算成果", d, F::HorseshoeTunnel,
       ArchTunnelBoxes(d), "Text9", HorseshoeDepth, HorseshoeModel},
      {"Form36", "马蹄形隧洞流量计算", "马蹄形隧洞均匀流流量计算成果", q, F::HorseshoeTunnel,
       ArchTunnelBoxes(q), "Text9", HorseshoeDischarge, HorseshoeModel},
      {"Form26", "三心圆拱隧洞水深计算", "三心圆拱隧洞均匀流水深计算成果", d,
       F::ThreeCentredArchTunnel, ArchTunnelBoxes(d), "Text9", ThreeCentredDepth,
       ThreeCentredModel},
      {"Form37", "三心圆拱隧洞流量计算", "三心圆拱隧洞均匀流流量计算成果", q,
       F::ThreeCentredArchTunnel, ArchTunnelBoxes(q), "Text9", ThreeCentredDischarge,
       ThreeCentredModel},
  };
}

}  // namespace

const std::vector<WindowSpec>& Windows() {
  static const std::vector<WindowSpec> windows = BuildWindows();
  return windows;
}

const WindowSpec* FindWindow(std::string_view name) {
  for (const WindowSpec& w : Windows()) {
    if (w.name == name) return &w;
  }
  return nullptr;
}

const WindowSpec* FindWindow(CalculationKind kind, Family family) {
  for (const WindowSpec& w : Windows()) {
    if (w.kind == kind && w.family == family) return &w;
  }
  return nullptr;
}

std::optional<std::vector<double>> ReadBoxes(const WindowSpec& window,
                                             std::span<const std::string> boxTexts) {
  std::vector<double> values(window.boxes.size(), 0.0);
  for (size_t k = 0; k < window.boxes.size(); ++k) {
    const NumberReading reading =
        k < boxTexts.size() ? ReadNumber(boxTexts[k]) : NumberReading{};
    values[k] = reading.value;
    if (!reading.valid && !window.boxes[k].readOnDemand) return std::nullopt;
  }
  return values;
}

std::optional<SectionModel> ModelOf(const WindowSpec& window,
                                    std::span<const std::string> boxTexts) {
  if (window.model == nullptr) return std::nullopt;
  const auto values = ReadBoxes(window, boxTexts);
  if (!values) return std::nullopt;
  return window.model(*values);
}

std::optional<SectionCase> CaseOf(const WindowSpec& window,
                                  std::span<const std::string> boxTexts) {
  std::optional<SectionModel> model = ModelOf(window, boxTexts);
  if (!model) return std::nullopt;
  const auto values = ReadBoxes(window, boxTexts);
  // The discharge or depth is the last box the window always reads.
  double value = 0.0;
  for (size_t k = window.boxes.size(); k-- > 0;) {
    if (!window.boxes[k].readOnDemand) {
      value = (*values)[k];
      break;
    }
  }
  SectionCase c;
  if (window.kind == CalculationKind::Discharge) {
    c.state = model->evaluate(value);
    c.discharge = c.state.q1;
  } else {
    const DepthBracket bracket{0.0, model->IsTunnel() ? model->crown : kOpenChannelDepthLimit};
    c.state = NormalDepthSearch(value, bracket, model->evaluate).state;
    c.discharge = value;
  }
  c.model = std::move(*model);
  return c;
}

double RatingTop(const SectionCase& c) {
  return c.model.IsTunnel() ? c.model.crown : 2.0 * c.state.h;
}

PressOutcome Press(const WindowSpec& window, std::span<const std::string> boxTexts,
                   ResultPane& pane) {
  const auto values = ReadBoxes(window, boxTexts);
  if (!values) return Refuse(pane, PressOutcome::InputError);
  return window.compute(*values, pane);
}

}  // namespace tarnwick
