#include "CanalFile.h"

#include <nlohmann/json.hpp>

#include "FlowCombination.h"
#include "core/ReportRow.h"

namespace tarnwick {

namespace {

using Json = nlohmann::json;

// A number member, or the reason it is missing.
std::string Number(const Json& o, const char* key, double& value, bool required = true) {
  const auto it = o.find(key);
  if (it == o.end()) return required ? std::string("missing \"") + key + "\"" : std::string();
  if (!it->is_number()) return std::string("\"") + key + "\" is not a number";
  value = it->get<double>();
  return {};
}

std::string ReadDownstream(const Json& d, CanalInput& canal) {
  if (!d.is_object()) return "\"downstream\" is not an object";
  if (d.contains("critical")) {
    if (d["critical"] != true) return "\"downstream\": \"critical\" must be true";
    canal.control = CanalControl::Critical;
    return {};
  }
  if (d.contains("level")) {
    canal.control = CanalControl::Level;
    return Number(d, "level", canal.controlValue);
  }
  canal.control = CanalControl::Depth;
  return Number(d, "depth", canal.controlValue);
}

std::string ReadReach(const Json& j, size_t k, CanalReach& r,
                      const std::function<const WindowSpec*(std::string_view)>& find) {
  const std::string where = "reach " + std::to_string(k + 1) + ": ";
  if (!j.is_object()) return where + "not an object";
  if (!j.contains("name") || !j["name"].is_string()) return where + "missing \"name\"";
  r.name = j["name"].get<std::string>();
  if (!j.contains("window") || !j["window"].is_string()) return where + "missing \"window\"";
  const std::string window = j["window"].get<std::string>();
  r.window = find(window);
  if (r.window == nullptr || r.window->kind != CalculationKind::Depth) {
    return where + "\"" + window + "\" is not a depth window";
  }
  if (!j.contains("boxes") || !j["boxes"].is_array()) return where + "missing \"boxes\"";
  for (const Json& b : j["boxes"]) {
    if (b.is_string()) {
      r.boxes.push_back(b.get<std::string>());
    } else if (b.is_number()) {
      r.boxes.push_back(b.dump());
    } else {
      return where + "a box text is neither a string nor a number";
    }
  }
  if (r.boxes.size() + 1 > r.window->boxes.size()) {
    return where + std::to_string(r.boxes.size()) + " box texts, but " +
           std::string(r.window->name) + " has " + std::to_string(r.window->boxes.size() - 1) +
           " boxes besides the discharge";
  }
  for (const std::string& e :
       {Number(j, "length", r.length), Number(j, "bed_level_downstream", r.bedDownstream),
        Number(j, "loss", r.loss, false)}) {
    if (!e.empty()) return where + e;
  }
  if (!(r.length > 0.0)) return where + "\"length\" must be above 0";
  if (r.loss < 0.0) return where + "\"loss\" must not be negative";
  return {};
}

// "increased": Q or "auto" (the default: a canal's banks are set at its
// increased discharge), or "none" for the design discharge alone, and
// "freeboard": F.
std::string ReadBanks(const Json& j, CanalInput& canal) {
  canal.increasedAuto = true;
  if (const auto it = j.find("increased"); it != j.end()) {
    canal.increasedAuto = false;
    if (*it == "auto") {
      canal.increasedAuto = true;
    } else if (*it == "none") {
      if (j.contains("freeboard")) return "\"freeboard\" goes with an increased discharge";
    } else if (it->is_number() && it->get<double>() > 0.0) {
      canal.increased = it->get<double>();
    } else {
      return "\"increased\" is a discharge above 0, \"auto\" or \"none\"";
    }
  }
  if (j.contains("freeboard")) {
    double f = 0.0;
    if (std::string e = Number(j, "freeboard", f); !e.empty()) return e;
    if (!(f >= 0.0)) return "\"freeboard\" must not be negative";
    canal.freeboard = f;
  }
  return {};
}

}  // namespace

CanalReading ReadCanal(const std::string& text,
                       const std::function<const WindowSpec*(std::string_view)>& find) {
  CanalReading out;
  const Json j = Json::parse(text, nullptr, false);
  if (j.is_discarded() || !j.is_object()) {
    out.error = "not a JSON object";
    return out;
  }
  if (std::string e = Number(j, "discharge", out.canal.discharge); !e.empty()) {
    out.error = e;
    return out;
  }
  if (!(out.canal.discharge > 0.0)) out.error = "\"discharge\" must be above 0";
  if (out.error.empty() && !j.contains("downstream")) out.error = "missing \"downstream\"";
  if (out.error.empty()) out.error = ReadDownstream(j["downstream"], out.canal);
  if (out.error.empty()) out.error = Number(j, "step", out.canal.step, false);
  if (out.error.empty() && out.canal.step < 0.0) out.error = "\"step\" must not be negative";
  if (out.error.empty()) out.error = ReadBanks(j, out.canal);
  if (!out.error.empty()) return out;
  if (!j.contains("reaches") || !j["reaches"].is_array() || j["reaches"].empty()) {
    out.error = "\"reaches\" must be a non-empty array";
    return out;
  }
  for (size_t k = 0; k < j["reaches"].size(); ++k) {
    CanalReach reach;
    out.error = ReadReach(j["reaches"][k], k, reach, find);
    if (!out.error.empty()) return out;
    out.canal.reaches.push_back(std::move(reach));
  }
  return out;
}

std::optional<CanalReading> ReadCanalRecord(const std::string& line) {
  if (line.rfind("{\"canal\"", 0) != 0) return std::nullopt;
  const Json j = Json::parse(line, nullptr, false);
  if (j.is_discarded() || !j.is_object() || !j.contains("canal")) {
    return CanalReading{{}, "a canal record that is not a JSON object"};
  }
  return ReadCanal(j["canal"].dump(), [](std::string_view name) { return FindWindow(name); });
}

std::string CanalJson(const CanalInput& canal) {
  Json o = {{"discharge", canal.discharge}, {"step", canal.step}};
  switch (canal.control) {
    case CanalControl::Depth: o["downstream"] = {{"depth", canal.controlValue}}; break;
    case CanalControl::Level: o["downstream"] = {{"level", canal.controlValue}}; break;
    case CanalControl::Critical: o["downstream"] = {{"critical", true}}; break;
  }
  if (canal.increased) o["increased"] = *canal.increased;
  if (canal.increasedAuto) o["increased"] = "auto";
  if (!canal.BanksAsked()) o["increased"] = "none";
  if (canal.freeboard) o["freeboard"] = *canal.freeboard;
  Json reaches = Json::array();
  for (const CanalReach& r : canal.reaches) {
    reaches.push_back({{"name", r.name},
                       {"window", r.window->name},
                       {"boxes", r.boxes},
                       {"length", r.length},
                       {"bed_level_downstream", r.bedDownstream},
                       {"loss", r.loss}});
  }
  o["reaches"] = std::move(reaches);
  return o.dump();
}

void CanalBanksLine(ResultPane& pane, const CanalBanks& banks) {
  pane.Text("加大流量Q加大=").Number(RoundDisplay(banks.increased)).Text("m³/s");
  if (banks.coefficientFromTable) {
    pane.Text("(加大系数K=").Number(RoundDisplay(banks.coefficient));
    pane.Text("，按设计流量查表内插，").Text(IncreaseSource()).Text(")");
  }
  pane.Text("，控制条件同设计流量").EndLine();
  if (!banks.refusal.empty()) pane.Text("加大流量水面线未能计算: ").Text(banks.refusal).EndLine();
}

void CanalReachHeading(ResultPane& pane, const CanalReachProfile& reach, const CanalBanks* banks,
                       size_t index) {
  const Profile& p = reach.profile;
  pane.Text("渠段: ").Text(reach.name).Text("  坡型: ").Text(SlopeName(p.slope));
  pane.Text("  水面线类型: ").Text(p.type == "uniform" ? "均匀流" : p.type).EndLine();
  pane.Text("正常水深hn=").Number(RoundDisplay(p.normalDepth));
  pane.Text(" 临界水深hc=").Number(RoundDisplay(p.criticalDepth));
  pane.Text(" 下游端水深=").Number(RoundDisplay(p.controlDepth));
  if (reach.freeFall) pane.Text("(临界水深：跌水未被下游水位淹没)");
  pane.EndLine();
  if (banks == nullptr || index >= banks->reaches.size()) return;
  const ReachBank& b = banks->reaches[index];
  pane.Text("加大流量最高水位=").Number(RoundDisplay(b.highest)).Text("m(x=");
  pane.Number(RoundDisplay(b.x)).Text("m，水深h加大=").Number(RoundDisplay(b.depth)).Text("m)");
  pane.EndLine();
  if (b.closed) {
    pane.Text("洞顶高程=").Number(RoundDisplay(b.level)).Text("m(封闭断面，无渠顶，给出该处洞顶；");
    pane.Text("净空=").Number(RoundDisplay(b.level - b.highest)).Text("m)").EndLine();
    return;
  }
  pane.Text("安全超高Fb=").Number(RoundDisplay(b.freeboard)).Text("m");
  if (banks->freeboardByRule) {
    pane.Text("(Fb=h加大/4+0.2 m，").Text(FreeboardSource()).Text(")");
  } else {
    pane.Text("(设计者选定)");
  }
  pane.Text("  渠顶高程=").Number(RoundDisplay(b.level)).Text("m").EndLine();
}

}  // namespace tarnwick
