#include "CanalFile.h"

#include <nlohmann/json.hpp>

namespace tarnwick {

namespace {

using Json = nlohmann::ordered_json;

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

std::string ReadReach(const Json& j, size_t k, CanalReach& r, WindowFinder find) {
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

}  // namespace

CanalReading ReadCanal(std::string_view text, WindowFinder find) {
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
    out.error = ReadReach(j["reaches"][k], k, reach, find);
    if (!out.error.empty()) return out;
    out.canal.reaches.push_back(std::move(reach));
  }
  return out;
}

std::string CanalText(const CanalInput& canal) {
  Json downstream;
  switch (canal.control) {
    case CanalControl::Depth: downstream = {{"depth", canal.controlValue}}; break;
    case CanalControl::Level: downstream = {{"level", canal.controlValue}}; break;
    case CanalControl::Critical: downstream = {{"critical", true}}; break;
  }
  Json reaches = Json::array();
  for (const CanalReach& r : canal.reaches) {
    reaches.push_back({{"name", r.name},
                       {"window", r.window != nullptr ? r.window->name : std::string_view()},
                       {"boxes", r.boxes},
                       {"length", r.length},
                       {"bed_level_downstream", r.bedDownstream},
                       {"loss", r.loss}});
  }
  const Json j = {{"discharge", canal.discharge},
                  {"downstream", std::move(downstream)},
                  {"step", canal.step},
                  {"reaches", std::move(reaches)}};
  return j.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace tarnwick
