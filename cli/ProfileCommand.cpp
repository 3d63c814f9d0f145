#include "ProfileCommand.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

#include "CalcBook.h"
#include "JsonOutput.h"
#include "core/ReadNumber.h"
#include "core/ReportRow.h"
#include "sections/Profile.h"
#include "sections/ProfileTable.h"
#include "sections/ProjectFile.h"

namespace tarnwick {

namespace {

constexpr int kExitProfile = 0;
constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;
constexpr int kExitBookLost = 3;

ProfileControl ControlOf(const std::string& text) {
  if (text == "critical") return {ControlKind::Critical, 0.0};
  if (text == "normal") return {ControlKind::Normal, 0.0};
  return {ControlKind::Depth, std::stod(text)};
}

ProfileRequest RequestOf(const CalcOptions& o) {
  return {*o.length, o.step.value_or(0.0), ControlOf(o.control), o.bed.value_or(0.0)};
}

void TextReport(ResultPane& pane, const CalcOptions& o, const WindowSpec& window,
                const WindowProfile& w) {
  std::string banner = "  ****************";
  banner.append(FamilyOf(window.family).title).append("水面线计算成果表****************");
  Banner(pane, banner);
  ProfileHeading(pane, w, RequestOf(o));
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
  if (o.batch || o.rating || o.checks || !o.solveBox.empty() || o.ratio || o.best || o.size ||
      o.discharge) {
    return "--profile takes one case, without -, --rating, --checks or a design";
  }
  return {};
}

// The case with its profile kept (--save) and booked (--book): the record of
// the press, which keeps the profile asked of it, handed on as any other case.
int KeepProfileCase(const CalcOptions& o, const WindowSpec& window, const ProfileRequest& request,
                    std::ostream& err) {
  CaseRecord record = RecordPress(window, o.boxes, o.limits);
  record.profile = request;
  if (!o.save.empty()) {
    if (const int saved =
            SaveToProject(o.save, o.name.value_or(std::string()), &record, nullptr, err);
        saved != kExitProfile)
      return saved;
  }
  if (o.book.empty()) return kExitProfile;
  BookWriter book;
  if (!book.Start(o.book, o.name.value_or(std::string(window.caption)), err, o.cover)) {
    return kExitBookLost;
  }
  book.Add(record);
  return book.Finish(err) ? kExitProfile : kExitBookLost;
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
  const ProfileRequest request = RequestOf(o);
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
  run.status =
      o.book.empty() && o.save.empty() ? kExitProfile : KeepProfileCase(o, window, request, err);
  return run;
}

}  // namespace tarnwick
