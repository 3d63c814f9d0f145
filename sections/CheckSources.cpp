#include "CheckSources.h"

#include <algorithm>
#include <utility>

namespace tarnwick {

namespace {

constexpr CheckSource kTunnel{"sl279", "SL 279—2016", "水工隧洞设计规范",
                              "无压隧洞水面以上的净空面积与净空高度（条文号未核对）"};
constexpr CheckSource kSewer{"gb50014", "GB 50014—2021", "室外排水设计标准",
                             "第 5.2.4 条 污水管道最大设计充满度表"};
constexpr CheckSource kLining{"lining", "", "",
                              "渠道不冲流速表，土质衬砌按 R^a 修正（a 未查得出处，可设定）"};
constexpr CheckSource kCompound{"blalock", "", "Blalock M. E., Sturm T. W.",
                                "Minimum specific energy in compound open channel, "
                                "J. Hydraulics Division ASCE 107(6), 1981：复式断面 Fc 与 α"};
constexpr CheckSource kCritical{"critical", "", "水力学（明渠恒定流）",
                                "临界水深 dE/dh = 0，临界坡度 ic，弗劳德数 Fr = V/√(g·W/B1)"};
constexpr CheckSource kRegime{"regime", "", "设计习惯做法",
                              "近临界流区间 Fr 0.8～1.2 未查得规范条文，可设定"};

constexpr CheckSource kIncrease{"increase", "GB 50288—2018", "灌溉与排水工程设计标准",
                                "渠道加大流量系数表（按设计流量内插；条文号未查证，系数可设定）"};
constexpr CheckSource kFreeboard{"freeboard", "GB 50288—2018", "灌溉与排水工程设计标准",
                                 "中小型渠道安全超高 Fb = h加大/4 + 0.2 m（条文号未查证，可设定）"};
constexpr CheckSource kSilt{"silt", "", "《水工设计手册》第8卷 灌区建筑物（华东水利学院）",
                            "渠道不淤流速 V = C·√R 系数表（C 可设定）"};

void AddOnce(const CheckSource& s, std::vector<CheckSource>& into) {
  if (std::none_of(into.begin(), into.end(), [&](const CheckSource& k) { return k.id == s.id; })) {
    into.push_back(s);
  }
}

}  // namespace

void CollectFlowSources(const FlowCombination& f, std::vector<CheckSource>& into) {
  CollectBankSources(f.coefficientFromTable, f.freeboardByRule, into);
  AddOnce(kSilt, into);
}

void CollectBankSources(bool coefficientFromTable, bool freeboardByRule,
                        std::vector<CheckSource>& into) {
  if (coefficientFromTable) AddOnce(kIncrease, into);
  if (freeboardByRule) AddOnce(kFreeboard, into);
}

CheckSource ProfileSource() {
  return {"gvf", "", "Chow V. T., Open-Channel Hydraulics, 1959",
          "§10-4 标准步长法（分段求和法），摩阻坡降取两断面平均值"};
}

std::string_view CheckLabel(std::string_view name) {
  static constexpr std::pair<std::string_view, std::string_view> kLabels[] = {
      {"critical_depth", "临界水深"},   {"coriolis", "动能修正系数"},
      {"froude", "弗劳德数"},           {"regime", "流态"},
      {"critical_slope", "临界坡度"},   {"velocity", "流速"},
      {"clearance_area", "净空面积"},   {"clearance_height", "净空高度"},
      {"fill_ratio", "充满度"},         {"clearance", "净空"},
      {"search_limit", "水深求解精度"}, {"slope_text", "底坡输入"},
      {"partial_read", "输入读数"}};
  for (const auto& [key, label] : kLabels) {
    if (key == name) return label;
  }
  return "断面尺寸吻合";
}

std::string_view CheckUnit(std::string_view name) {
  static constexpr std::pair<std::string_view, std::string_view> kUnits[] = {
      {"critical_depth", "m"}, {"coriolis", ""},          {"froude", ""},
      {"regime", ""},          {"critical_slope", ""},    {"velocity", "m/s"},
      {"clearance_area", "%"}, {"clearance_height", "m"}, {"fill_ratio", ""},
      {"clearance", "m"},      {"search_limit", "m³/s"},  {"slope_text", ""},
      {"partial_read", ""}};
  for (const auto& [key, unit] : kUnits) {
    if (key == name) return unit;
  }
  return "%";  // a shape fit: the miss in per cent of the reference
}

CheckSource ManningSource() {
  return {"manning", "", "水力学（明渠均匀流）", "曼宁公式 Q = W·R^(2/3)·I^(1/2)/n"};
}

std::vector<CheckSource> SourcesOf(const Check& check, const CheckLimits& limits) {
  const std::string_view n = check.name;
  if (n == "clearance_area" || n == "clearance_height") return {kTunnel};
  if (n == "fill_ratio") return {kSewer};
  if (n == "coriolis") return {kCompound};
  if (n == "critical_depth" || n == "critical_slope" || n == "froude") return {kCritical};
  if (n == "regime") return {kCritical, kRegime};
  // The velocity is judged by the table when no non-scouring limit was typed.
  if (n == "velocity" && !limits.velocityMax) {
    CheckSource s = kLining;
    s.title = kLiningVelocitySource;
    return {s};
  }
  return {};
}

void CollectSources(std::span<const Check> checks, const CheckLimits& limits,
                    std::vector<CheckSource>& into) {
  for (const Check& c : checks) {
    for (const CheckSource& s : SourcesOf(c, limits)) {
      const bool known =
          std::any_of(into.begin(), into.end(), [&](const CheckSource& k) { return k.id == s.id; });
      if (!known) into.push_back(s);
    }
  }
}

}  // namespace tarnwick
