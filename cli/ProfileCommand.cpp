#include "ProfileCommand.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

#include "JsonOutput.h"
#include "core/ReadNumber.h"
#include "core/ReportRow.h"
#include "sections/Profile.h"
#include "sections/ProfileTable.h"

namespace tarnwick {

namespace {

constexpr int kExitProfile = 0;
constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;

// Columns of the heading rows, counted with a Chinese character as two.
constexpr int kColumn2 = 27;
constexpr int kColumn3 = 52;

std::string ControlText(const CalcOptions& o, const Profile& p) {
  std::string where =
      p.direction == ProfileDirection::Upstream ? "下游控制，向上游推算" : "上游控制，向下游推算";
  if (o.control == "critical" && p.direction == ProfileDirection::Upstream) {
    return where + "，临界水深(跌坎、自由跌落)";
  }
  if (o.control == "critical") return where + "，临界水深(由水库或缓坡进入陡坡)";
  if (o.control == "normal") return where + "，正常水深";
  return where + "，控制水深";
}

void Heading(ResultPane& pane, const CalcOptions& o, const WindowProfile& w) {
  const Profile& p = *w.profile;
  ReportRow(pane, kColumn2, kColumn3, {"设计流量Q=", RoundDisplay(w.discharge)},
            {"纵坡I= 1/", RoundSlope(w.slope)}, {"渠段长L=", RoundDisplay(*o.length)});
  ReportRow(pane, kColumn2, kColumn3, {"正常水深hn=", RoundDisplay(p.normalDepth)},
            {"临界水深hc=", RoundDisplay(p.criticalDepth)},
            {"控制水深h0=", RoundDisplay(p.controlDepth)});
  pane.Text("坡型: ").Text(SlopeName(p.slope)).Tab(kColumn2).Text("水面线类型: ");
  pane.Text(p.type == "uniform" ? "均匀流" : p.type).Tab(kColumn3).Text("控制断面: ");
  pane.Text(ControlText(o, p)).EndLine();
  if (p.criticalDepths.size() > 1) {
    pane.Text("本断面有多个临界水深:");
    for (const double hc : p.criticalDepths) pane.Number(RoundDisplay(hc));
    pane.Text("(分类取最大者)").EndLine();
  }
  const double last = p.stations.back().x;
  switch (p.end) {
    case ProfileEnd::Length: pane.Text("终止: 渠段末端 x=").Number(RoundDisplay(last)); break;
    case ProfileEnd::Normal:
      pane.Text("终止: 渠段末端 x=").Number(RoundDisplay(last)).Text("，已为正常水深");
      break;
    case ProfileEnd::Critical:
      pane.Text("终止: 在 x=").Number(RoundDisplay(last)).Text("处达到临界水深，须校核水跃或跌水");
      break;
  }
  pane.EndLine();
  if (p.nearNormalAt) {
    pane.Text("距正常水深1mm以内: 自 x=").Number(RoundDisplay(*p.nearNormalAt)).EndLine();
  } else {
    pane.Text("距正常水深1mm以内: 渠段内未达到").EndLine();
  }
  if (p.sequentDepth) {
    pane.Text("正常水深的共轭水深(动量方程) h''=").Number(RoundDisplay(*p.sequentDepth));
    if (p.jumpAt && *p.jumpAt == 0.0) {
      pane.Text("，控制水深已越过该水深：水跃紧靠控制断面(淹没)");
    } else if (p.jumpAt) {
      pane.Text("，水跃约在 x=").Number(RoundDisplay(*p.jumpAt)).Text("处");
    } else if (p.direction == ProfileDirection::Upstream && p.controlDepth < *p.sequentDepth) {
      pane.Text("，控制水深低于该水深：水跃被推向控制断面以下，渠段内为急流");
    } else {
      pane.Text("，渠段内水面线未达到该水深");
    }
    pane.EndLine();
  }
}

void TextReport(ResultPane& pane, const CalcOptions& o, const WindowSpec& window,
                const WindowProfile& w) {
  std::string banner = "  ****************";
  banner.append(FamilyOf(window.family).title).append("水面线计算成果表****************");
  Banner(pane, banner);
  Heading(pane, o, w);
  Separator(pane);
  ProfileStationTable(pane, w.profile->stations, 0.0);
}

nlohmann::ordered_json BoxesJson(const WindowSpec& window, std::span<const std::string> texts) {
  nlohmann::ordered_json boxes = nlohmann::ordered_json::array();
  for (size_t k = 0; k < window.boxes.size(); ++k) {
    const NumberReading reading = k < texts.size() ? ReadNumber(texts[k]) : NumberReading{};
    boxes.push_back(reading.value);  // not finite: null
  }
  return boxes;
}

}  // namespace

std::string_view SlopeKey(SlopeClass s) {
  switch (s) {
    case SlopeClass::Mild: return "mild";
    case SlopeClass::Steep: return "steep";
    case SlopeClass::Critical: return "critical";
  }
  return "";
}

namespace {

std::string JsonReport(const WindowSpec& window, std::span<const std::string> texts,
                       const WindowProfile& w) {
  const Profile& p = *w.profile;
  nlohmann::ordered_json stations = StationsJson(p.stations, 0.0);
  nlohmann::ordered_json profile = {{"type", p.type},
                                    {"slope", SlopeKey(p.slope)},
                                    {"normal_depth", p.normalDepth},
                                    {"critical_depth", p.criticalDepth},
                                    {"direction", DirectionName(p.direction)},
                                    {"end", EndName(p.end)},
                                    {"stations", std::move(stations)}};
  nlohmann::ordered_json o = {{"window", window.name},
                              {"outcome", "profile"},
                              {"boxes", BoxesJson(window, texts)},
                              {"profile", std::move(profile)}};
  return o.dump();
}

std::string JsonRefusal(const WindowSpec& window, std::span<const std::string> texts,
                        const ResultPane& block) {
  std::string message;
  for (const std::string& line : block.Lines()) {
    if (line != kSeparatorLine) message += line;
  }
  nlohmann::ordered_json o = {{"window", window.name},
                              {"outcome", "refused"},
                              {"boxes", BoxesJson(window, texts)},
                              {"message", message}};
  return o.dump();
}

std::string Misfit(const CalcOptions& o, const WindowSpec& window) {
  if (!o.profile) return "--length, --control, --step and --bed go with --profile";
  if (window.kind != CalculationKind::Depth) return "--profile needs a depth window";
  if (!o.length || o.control.empty()) return "--profile needs --length L and --control H";
  if (o.batch || o.rating || o.checks || !o.book.empty() || !o.solveBox.empty() || o.ratio ||
      o.best || o.size || o.discharge) {
    return "--profile takes one case, without -, --rating, --checks, --book or a design";
  }
  return {};
}

ProfileControl ControlOf(const std::string& text) {
  if (text == "critical") return {ControlKind::Critical, 0.0};
  if (text == "normal") return {ControlKind::Normal, 0.0};
  return {ControlKind::Depth, std::stod(text)};
}

}  // namespace

nlohmann::ordered_json StationsJson(const std::vector<ProfileStation>& stations, double offset) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const ProfileStation& s : stations) {
    list.push_back({{"x", offset + s.x},
                    {"h", s.h},
                    {"z", s.z},
                    {"V", s.v},
                    {"Fr", s.fr},
                    {"E", s.e},
                    {"Sf", s.sf}});
  }
  return list;
}

bool ProfileAsked(const CalcOptions& o) {
  return o.profile || o.length || !o.control.empty() || o.step || o.bed;
}

ProfileRun RunProfile(const CalcOptions& o, const WindowSpec& window, std::ostream& err) {
  ProfileRun run;
  if (const std::string misfit = Misfit(o, window); !misfit.empty()) {
    err << "tarnwick-calc: " << misfit << "\n";
    run.status = kExitUsage;
    return run;
  }
  const ProfileRequest request{*o.length, o.step.value_or(0.0), ControlOf(o.control),
                               o.bed.value_or(0.0)};
  const WindowProfile w = ProfileOfWindow(window, o.boxes, request);
  if (!w.profile) {
    if (o.json) {
      run.pane.Text(JsonRefusal(window, o.boxes, w.refusal)).EndLine();
    } else {
      run.pane.Append(w.refusal);
    }
    run.status = kExitRefused;
    return run;
  }
  if (o.json) {
    run.pane.Text(JsonReport(window, o.boxes, w)).EndLine();
  } else {
    TextReport(run.pane, o, window, w);
  }
  run.status = kExitProfile;
  return run;
}

}  // namespace tarnwick
