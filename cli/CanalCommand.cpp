#include "CanalCommand.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>

#include "CalcCommand.h"
#include "ProfileCommand.h"
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

std::string ReadReach(const Json& j, size_t k, CanalReach& r) {
  const std::string where = "reach " + std::to_string(k + 1) + ": ";
  if (!j.is_object()) return where + "not an object";
  if (!j.contains("name") || !j["name"].is_string()) return where + "missing \"name\"";
  r.name = j["name"].get<std::string>();
  if (!j.contains("window") || !j["window"].is_string()) return where + "missing \"window\"";
  const std::string window = j["window"].get<std::string>();
  r.window = FindWindowNamed(window);
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

void TextReport(ResultPane& pane, const CanalInput& canal, const CanalResult& r) {
  Banner(pane, "  ****************渠道水面线计算成果表****************");
  SingleRow(pane, {"设计流量Q=", RoundDisplay(canal.discharge)});
  pane.Text("距离x自渠道下游端起算; 各渠段自下游向上游推算(分段求和法)").EndLine();
  for (const CanalReachProfile& reach : r.reaches) {
    const Profile& p = reach.profile;
    Separator(pane);
    pane.Text("渠段: ").Text(reach.name).Text("  坡型: ").Text(SlopeName(p.slope));
    pane.Text("  水面线类型: ").Text(p.type == "uniform" ? "均匀流" : p.type).EndLine();
    pane.Text("正常水深hn=").Number(RoundDisplay(p.normalDepth));
    pane.Text(" 临界水深hc=").Number(RoundDisplay(p.criticalDepth));
    pane.Text(" 下游端水深=").Number(RoundDisplay(p.controlDepth));
    if (reach.freeFall) pane.Text("(临界水深：跌水未被下游水位淹没)");
    pane.EndLine();
    ProfileStationTable(pane, p.stations, reach.offset);
  }
}

std::string JsonReport(const CanalInput& canal, const CanalResult& r) {
  nlohmann::ordered_json reaches = nlohmann::ordered_json::array();
  for (const CanalReachProfile& reach : r.reaches) {
    const Profile& p = reach.profile;
    reaches.push_back({{"name", reach.name},
                       {"type", p.type},
                       {"slope", SlopeKey(p.slope)},
                       {"normal_depth", p.normalDepth},
                       {"critical_depth", p.criticalDepth},
                       {"free_fall", reach.freeFall},
                       {"stations", StationsJson(p.stations, reach.offset)}});
  }
  const nlohmann::ordered_json o = {
      {"outcome", "canal"}, {"discharge", canal.discharge}, {"reaches", std::move(reaches)}};
  return o.dump();
}

}  // namespace

CanalReading ReadCanal(const std::string& text) {
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
  if (!out.error.empty()) return out;
  if (!j.contains("reaches") || !j["reaches"].is_array() || j["reaches"].empty()) {
    out.error = "\"reaches\" must be a non-empty array";
    return out;
  }
  for (size_t k = 0; k < j["reaches"].size(); ++k) {
    CanalReach reach;
    out.error = ReadReach(j["reaches"][k], k, reach);
    if (!out.error.empty()) return out;
    out.canal.reaches.push_back(std::move(reach));
  }
  return out;
}

CanalRun RunCanal(const CalcOptions& o, std::ostream& err) {
  CanalRun run;
  if (!o.window.empty() || ProfileAsked(o) || o.batch || o.rating || o.checks || !o.book.empty()) {
    err << "tarnwick-calc: --canal takes the canal file alone, with --json at most\n";
    run.status = 2;
    return run;
  }
  std::ifstream file(o.canal);
  std::stringstream text;
  text << file.rdbuf();
  if (!file) {
    err << "tarnwick-calc: cannot read the canal file '" << o.canal << "'\n";
    run.status = 2;
    return run;
  }
  const CanalReading reading = ReadCanal(text.str());
  if (!reading.error.empty()) {
    err << "tarnwick-calc: " << o.canal << ": " << reading.error << "\n";
    run.status = 2;
    return run;
  }
  const CanalResult result = ComputeCanal(reading.canal);
  if (result.reaches.empty()) {
    if (o.json) {
      const nlohmann::ordered_json refusal = {{"outcome", "refused"}, {"message", result.refusal}};
      run.pane.Text(refusal.dump()).EndLine();
    } else {
      InputErrorBlock(run.pane, result.refusal);
    }
    run.status = 1;
    return run;
  }
  if (o.json) {
    run.pane.Text(JsonReport(reading.canal, result)).EndLine();
  } else {
    TextReport(run.pane, reading.canal, result);
  }
  return run;
}

}  // namespace tarnwick
