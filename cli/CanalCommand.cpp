#include "CanalCommand.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <sstream>

#include "CalcBook.h"
#include "CalcCommand.h"
#include "ProfileCommand.h"
#include "core/ReportRow.h"
#include "sections/CanalFile.h"
#include "sections/ProjectFile.h"

namespace tarnwick {

namespace {

void TextReport(ResultPane& pane, const CanalInput& canal, const CanalResult& r,
                const std::optional<CanalBanks>& banks) {
  Banner(pane, "  ****************渠道水面线计算成果表****************");
  SingleRow(pane, {"设计流量Q=", RoundDisplay(canal.discharge)});
  pane.Text("距离x自渠道下游端起算; 各渠段自下游向上游推算(分段求和法)").EndLine();
  if (banks) CanalBanksLine(pane, *banks);
  for (size_t k = 0; k < r.reaches.size(); ++k) {
    Separator(pane);
    CanalReachHeading(pane, r.reaches[k], banks ? &*banks : nullptr, k);
    ProfileStationTable(pane, r.reaches[k].profile.stations, r.reaches[k].offset);
  }
}

// A reach's bank at the increased discharge; a closed reach gives its crown.
void BankJson(nlohmann::ordered_json& o, const CanalBanks& banks, const ReachBank& b) {
  o["increased_discharge"] = banks.increased;
  o["highest_level"] = b.highest;
  o["increased_depth"] = b.depth;
  if (b.closed) {
    o["bank_level"] = nullptr;
    o["crown_level"] = b.level;
  } else {
    o["freeboard"] = b.freeboard;
    o["bank_level"] = b.level;
  }
}

std::string JsonReport(const CanalInput& canal, const CanalResult& r,
                       const std::optional<CanalBanks>& banks) {
  nlohmann::ordered_json reaches = nlohmann::ordered_json::array();
  for (size_t k = 0; k < r.reaches.size(); ++k) {
    const CanalReachProfile& reach = r.reaches[k];
    const Profile& p = reach.profile;
    nlohmann::ordered_json o = {{"name", reach.name},
                                {"type", p.type},
                                {"slope", SlopeKey(p.slope)},
                                {"normal_depth", p.normalDepth},
                                {"critical_depth", p.criticalDepth},
                                {"free_fall", reach.freeFall}};
    if (banks && k < banks->reaches.size()) BankJson(o, *banks, banks->reaches[k]);
    o["stations"] = StationsJson(p.stations, reach.offset);
    reaches.push_back(std::move(o));
  }
  nlohmann::ordered_json o = {{"outcome", "canal"}, {"discharge", canal.discharge}};
  if (banks) {
    o["increased_discharge"] = banks->increased;
    if (!banks->refusal.empty()) o["banks_refused"] = banks->refusal;
  }
  o["reaches"] = std::move(reaches);
  return o.dump();
}

// The canal's book: its one record, the canal as read, handed to the writer.
int WriteCanalBook(const CalcOptions& o, const CanalInput& canal, std::ostream& err) {
  BookWriter book;
  if (!book.Start(o.book, o.name.value_or("渠道水面线"), err, o.cover)) return 3;
  book.AddLine("{\"canal\": " + CanalJson(canal) + "}");
  return book.Finish(err) ? 0 : 3;
}

}  // namespace

CanalRun RunCanal(const CalcOptions& o, std::ostream& err) {
  CanalRun run;
  if (!o.window.empty() || ProfileAsked(o) || o.batch || o.rating || o.checks) {
    err << "tarnwick-calc: --canal takes the canal file alone, with --json, --book and --save at "
           "most\n";
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
  if (!o.save.empty()) {
    if (const int saved =
            SaveToProject(o.save, o.name.value_or(std::string()), nullptr, &reading.canal, err);
        saved != 0) {
      run.status = saved;
      return run;
    }
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
  std::optional<CanalBanks> banks;
  if (reading.canal.BanksAsked()) banks = BankLevels(reading.canal);
  if (o.json) {
    run.pane.Text(JsonReport(reading.canal, result, banks)).EndLine();
  } else {
    TextReport(run.pane, reading.canal, result, banks);
  }
  if (!o.book.empty()) run.status = WriteCanalBook(o, reading.canal, err);
  return run;
}

}  // namespace tarnwick
