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
  const CanalReading reading = ReadCanal(text.str(), FindWindowNamed);
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
