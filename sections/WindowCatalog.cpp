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
// Shape buttons of the depth window are tinted warm, of the discharge window cool,
// so the two arc-bottom windows are told apart at a glance.
constexpr uint32_t kDepthWindowTint = 0xFFE0C0;
constexpr uint32_t kDischargeWindowTint = 0xC0FFFF;

constexpr std::string_view kMetre = "m";
constexpr std::string_view kDegree = "°";
constexpr std::string_view kCubicMetresPerSecond = "m³/s";

using R = BoxRole;

BoxSpec Box(std::string_view name, std::string_view label, std::string_view tip,
            std::string_view symbol, std::string_view unit, BoxRole role, int row = -1) {
  BoxSpec box{name, label, tip};
  box.symbol = symbol;
  box.unit = unit;
  box.role = role;
  box.row = row;
  return box;
}

BoxSpec Roughness(std::string_view name, int row = -1) {
  return Box(name, kRoughnessLabel, kRoughnessTip, "n", {}, R::Roughness, row);
}
BoxSpec Slope(std::string_view name, std::string_view tip = kSlopeTip, int row = -1) {
  return Box(name, kSlopeLabel, tip, "I", {}, R::Slope, row);
}

// The box that takes the discharge (depth windows) or the depth (discharge windows).
BoxSpec ValueBox(std::string_view name, CalculationKind kind, int row = -1) {
  return kind == CalculationKind::Depth
             ? Box(name, kDischargeLabel, kDischargeTip, "Q", kCubicMetresPerSecond, R::Discharge,
                   row)
             : Box(name, kDepthLabel, kDepthTip, "h", kMetre, R::Depth, row);
}

std::vector<BoxSpec> FlatBottomBoxes(CalculationKind kind) {
  return {Box("Text2", "渠 底 宽 B=", "输入渠底宽度（m）", "B", kMetre, R::Dimension),
          Box("Text3", "边    坡 M=", "输入渠道边坡值", "M", {}, R::Dimension),
          Roughness("Text4"), Slope("Text5"), ValueBox("Text6", kind)};
}

std::vector<BoxSpec> ArcBottomBoxes(CalculationKind kind) {
  BoxSpec width = Box("Text9", "渠    宽 B=", "输入矩形渠渠宽（m）", "B", kMetre, R::Dimension);
  width.readOnDemand = true;
  return {Box("Text2", "底弧半径 R=", "输入底弧半径（m）", "R", kMetre, R::Dimension),
          Box("Text3", "边    坡 M=", "输入渠道边坡值", "M", {}, R::Dimension),
          Roughness("Text4"), Slope("Text5"), ValueBox("Text6", kind), width};
}

// Option1 fixes the side slope at 0 and asks for the width; Option2 asks for the
// side slope, the width following from it.
std::vector<ShapeOption> ArcBottomShapes() {
  return {{"Option1", "矩形渠", "Text3", "0", "Text9", false, false},
          {"Option2", "梯形渠", "Text9", "", "Text3", true, true}};
}

std::vector<BoxSpec> UChannelBoxes(CalculationKind kind) {
  return {Box("Text2", "底弧半径 R=", "输入底弧半径（m）", "R", kMetre, R::Dimension),
          Roughness("Text4"), Slope("Text5"), ValueBox("Text6", kind)};
}

// One row per part of the section: the main channel, the left and the right
// flood plain, then the slope and the discharge or depth.
std::vector<BoxSpec> CompoundBoxes(CalculationKind kind) {
  return {Box("Text1", "深槽底宽B1=", {}, "B1", kMetre, R::Dimension, 0),
          Box("Text2", "深槽边坡M1=", {}, "M1", {}, R::Dimension, 0),
          Box("Text3", "深槽高度H1=", {}, "H1", kMetre, R::Dimension, 0),
          Box("Text4", "深槽糙率n1=", {}, "n1", {}, R::Roughness, 0),
          Box("Text5", "左滩地底宽B2=", {}, "B2", kMetre, R::Dimension, 1),
          Box("Text6", "左滩地边坡M2=", {}, "M2", {}, R::Dimension, 1),
          Box("Text7", "左滩地糙率n2=", {}, "n2", {}, R::Roughness, 1),
          Box("Text8", "右滩地底宽B3=", {}, "B3", kMetre, R::Dimension, 2),
          Box("Text9", "右滩地边坡M3=", {}, "M3", {}, R::Dimension, 2),
          Box("Text10", "右滩地糙率n3=", {}, "n3", {}, R::Roughness, 2),
          Slope("Text11", "输入纵坡分母值（1/ ？）", 3), ValueBox("Text12", kind, 3)};
}

std::vector<BoxSpec> CityGateBoxes(CalculationKind kind) {
  return {Box("Text1", "隧洞宽度 B=", "输入隧洞宽度（m）", "B", kMetre, R::Dimension),
          Box("Text2", "侧墙高度H2=", "输入侧墙高度（m）", "H2", kMetre, R::Dimension),
          Box("Text3", "顶拱半径R1=", "输入顶拱半径（m）", "R1", kMetre, R::Dimension),
          Box("Text4", "顶拱圆心角A1=", kDegreesTip, "A1", kDegree, R::Dimension),
          Box("Text5", "底拱半径R2=", "无底拱则输入零", "R2", kMetre, R::Dimension),
          Roughness("Text6"), Slope("Text7"), ValueBox("Text8", kind)};
}

std::vector<BoxSpec> CircularBoxes(CalculationKind kind) {
  BoxSpec floor = Box("Text1", "平底板宽度B=", {}, "B", kMetre, R::Dimension);
  floor.hint = "（无平底板则B无须输入）";
  return {floor, Box("Text2", "半    径 R=", "输入半径（m）", "R", kMetre, R::Dimension),
          Roughness("Text4"), Slope("Text5"), ValueBox("Text6", kind)};
}

// Horseshoe and three-centred-arch tunnels share their boxes.
std::vector<BoxSpec> ArchTunnelBoxes(CalculationKind kind) {
  return {Box("Text10", "平底1/反拱底0", {}, "F", {}, R::ShapeChoice),
          Box("Text1", "顶拱半径R1=", "输入顶拱半径（m）", "R1", kMetre, R::Dimension),
          Box("Text2", "顶拱圆心角A1=", kDegreesTip, "A1", kDegree, R::Dimension),
          Box("Text3", "侧拱半径R2=", "输入侧拱半径（m）", "R2", kMetre, R::Dimension),
          Box("Text4", "侧拱圆心角A2=", kDegreesTip, "A2", kDegree, R::Dimension),
          Box("Text5", "底拱半径R3=", "输入底拱半径（m）", "R3", kMetre, R::Dimension),
          Roughness("Text6"), Slope("Text7"), ValueBox("Text8", kind)};
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
       F::ArcBottomChannel, ArcBottomBoxes(d), "Text7", ArcBottomDepth, ArcBottomModel,
       ArcBottomShapes(), kDepthWindowTint},
      {"Form31", "弧底矩形渠、弧底梯形渠流量计算", "弧底矩形渠、弧底梯形渠均匀流流量计算成果", q,
       F::ArcBottomChannel, ArcBottomBoxes(q), "Text7", ArcBottomDischarge, ArcBottomModel,
       ArcBottomShapes(), kDischargeWindowTint},
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

// In the order of the selection window's buttons, two to a row.
std::vector<FamilySpec> BuildFamilies() {
  using F = Family;
  return {
      {F::ArcBottomChannel, "arc-bottom", "Option3", "弧底矩形、梯形渠", "弧底矩形渠、弧底梯形渠",
       {"1", "0.5", "0.014", "1000", "1"}},
      {F::FlatBottomChannel, "flat-bottom", "Option4", "平底矩形、梯形渠", "平底矩形渠、平底梯形渠",
       {"2", "1.5", "0.025", "1000", "1.2"}},
      {F::CityGateTunnel, "city-gate", "Option5", "城门洞形隧洞", "城门洞形隧洞",
       {"2", "1.5", "1.2", "112.6", "0", "0.014", "1000", "1"}},
      {F::UChannel, "u-channel", "Option6", "“Ｕ”形渠", "“Ｕ”形渠", {"1", "0.014", "1000", "1.5"}},
      {F::HorseshoeTunnel, "horseshoe", "Option7", "马蹄形隧洞", "马蹄形隧洞",
       {"0", "1", "180", "2", "30", "2", "0.014", "1000", "1"}},
      {F::ThreeCentredArchTunnel, "three-centred-arch", "Option8", "三心圆拱隧洞", "三心圆拱隧洞",
       {"0", "1", "90", "0.5", "45", "2", "0.014", "1000", "0.5"}},
      {F::CircularTunnel, "circular", "Option9", "圆形隧洞、管道", "圆形隧洞及管道",
       {"", "1", "0.014", "1000", "1"}},
      {F::CompoundChannel, "compound", "Option10", "复式断面平底梯形渠", "复式断面平底梯形渠",
       {"4", "1", "2", "0.025", "6", "2", "0.03", "6", "2", "0.03", "2000", "3"}},
  };
}

}  // namespace

const std::vector<FamilySpec>& Families() {
  static const std::vector<FamilySpec> families = BuildFamilies();
  return families;
}

const FamilySpec& FamilyOf(Family family) {
  for (const FamilySpec& f : Families()) {
    if (f.family == family) return f;
  }
  return Families().front();
}

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
