#include "ProjectFile.h"

#include <sys/stat.h>
#include <algorithm>

#include <cerrno>
#include <cmath>
#include <nlohmann/json.hpp>

#include "CanalFile.h"
#include "core/AtomicFile.h"

namespace tarnwick {

namespace {

using Json = nlohmann::ordered_json;

// Invalid UTF-8 in a box text (a byte typed in another code page) is written as
// U+FFFD rather than refusing the whole file.
std::string Dump(const Json& json, int indent = -1) {
  return json.dump(indent, ' ', false, Json::error_handler_t::replace);
}

Json Optional(const std::optional<double>& x) { return x ? Json(*x) : Json(nullptr); }

constexpr std::pair<ClearanceRule, std::string_view> kRules[] = {{ClearanceRule::Tunnel, "tunnel"},
                                                                 {ClearanceRule::FillRatio, "fill"},
                                                                 {ClearanceRule::None, "none"}};

Json LimitsJson(const CheckLimits& l) {
  Json j{{"velocity_min", Optional(l.velocityMin)},
         {"velocity_max", Optional(l.velocityMax)},
         {"lining", l.lining},
         {"soil_exponent", l.soilExponent},
         {"clearance_area_percent", l.clearanceAreaPercent},
         {"clearance_height", l.clearanceHeight},
         {"closed_rule", nullptr},
         {"shape_fit_percent", l.shapeFitPercent},
         {"froude_low", l.froudeLow},
         {"froude_high", l.froudeHigh},
         {"search_percent", l.searchPercent}};
  for (const auto& [rule, name] : kRules) {
    if (l.closedRule == rule) j["closed_rule"] = name;
  }
  return j;
}

// A problem with the file's content, named by the place it was found.
struct Refusal {
  std::string place;
  std::string problem;
};

std::optional<double> Number(const Json& j, std::string_view key, const std::string& place) {
  const auto it = j.find(key);
  if (it == j.end() || it->is_null()) return std::nullopt;
  if (!it->is_number()) throw Refusal{place, "“" + std::string(key) + "”不是数值"};
  return it->get<double>();
}

CheckLimits LimitsOf(const Json& j, const std::string& place) {
  CheckLimits l;
  if (!j.is_object()) throw Refusal{place, "“limits”不是对象"};
  l.velocityMin = Number(j, "velocity_min", place);
  l.velocityMax = Number(j, "velocity_max", place);
  l.clearanceAreaPercent = Number(j, "clearance_area_percent", place).value_or(15.0);
  l.clearanceHeight = Number(j, "clearance_height", place).value_or(0.4);
  l.shapeFitPercent = Number(j, "shape_fit_percent", place).value_or(1.0);
  const CheckLimits defaults;
  l.lining = j.value("lining", std::string());
  l.soilExponent = Number(j, "soil_exponent", place).value_or(defaults.soilExponent);
  l.froudeLow = Number(j, "froude_low", place).value_or(defaults.froudeLow);
  l.froudeHigh = Number(j, "froude_high", place).value_or(defaults.froudeHigh);
  l.searchPercent = Number(j, "search_percent", place).value_or(defaults.searchPercent);
  const std::string rule = j.contains("closed_rule") && j["closed_rule"].is_string()
                               ? j["closed_rule"].get<std::string>()
                               : std::string();
  for (const auto& [r, name] : kRules) {
    if (rule == name) l.closedRule = r;
  }
  if (!rule.empty() && !l.closedRule) throw Refusal{place, "未知的净空规则“" + rule + "”"};
  return l;
}

constexpr std::pair<DesignMode, std::string_view> kModes[] = {{DesignMode::SolveBox, "solve"},
                                                              {DesignMode::Ratio, "ratio"},
                                                              {DesignMode::Best, "best"},
                                                              {DesignMode::Size, "size"}};

std::string_view ModeName(DesignMode mode) {
  for (const auto& [m, name] : kModes) {
    if (m == mode) return name;
  }
  return "solve";
}

// "control": a depth in metres, "critical" or "normal".
Json ProfileJson(const ProfileRequest& p) {
  Json j{{"length", p.length}, {"step", p.step}};
  switch (p.control.kind) {
    case ControlKind::Depth: j["control"] = p.control.depth; break;
    case ControlKind::Critical: j["control"] = "critical"; break;
    case ControlKind::Normal: j["control"] = "normal"; break;
  }
  j["bed"] = p.bedAtControl;
  return j;
}

std::optional<ProfileRequest> ProfileOf(const Json& j, const std::string& place) {
  const auto it = j.find("profile");
  if (it == j.end() || it->is_null()) return std::nullopt;
  if (!it->is_object()) throw Refusal{place, "“profile”不是对象"};
  ProfileRequest p;
  const std::optional<double> length = Number(*it, "length", place);
  if (!length || !(*length > 0.0)) throw Refusal{place, "水面线的渠段长“length”须为正数"};
  p.length = *length;
  p.step = Number(*it, "step", place).value_or(0.0);
  p.bedAtControl = Number(*it, "bed", place).value_or(0.0);
  const auto control = it->find("control");
  if (control != it->end() && control->is_number()) {
    p.control = {ControlKind::Depth, control->get<double>()};
  } else if (control != it->end() && *control == "critical") {
    p.control = {ControlKind::Critical, 0.0};
  } else if (control != it->end() && *control == "normal") {
    p.control = {ControlKind::Normal, 0.0};
  } else {
    throw Refusal{place, "水面线的控制条件“control”应为水深、“critical”或“normal”"};
  }
  return p;
}

Json FlowsJson(const FlowRequest& f) {
  Json j;
  j["increased"] = f.increased ? Json(*f.increased) : Json("auto");
  j["least"] = f.least;
  if (f.freeboard) j["freeboard"] = *f.freeboard;
  if (f.coefficient) j["coefficient"] = *f.coefficient;
  j["silt_coefficient"] = f.siltCoefficient;
  j["bed_level"] = f.bedLevel;
  return j;
}

std::optional<FlowRequest> FlowsOf(const Json& j, const WindowSpec& w, const std::string& place) {
  const auto it = j.find("flows");
  if (it == j.end() || it->is_null()) return std::nullopt;
  if (!it->is_object()) throw Refusal{place, "“flows”不是对象"};
  FlowRequest f;
  const auto increased = it->find("increased");
  if (increased == it->end() || *increased != "auto") {
    f.increased = Number(*it, "increased", place);
    if (!f.increased) throw Refusal{place, "“flows”缺少加大流量“increased”"};
  }
  f.least = Number(*it, "least", place).value_or(NAN);
  f.freeboard = Number(*it, "freeboard", place);
  f.coefficient = Number(*it, "coefficient", place);
  f.siltCoefficient = Number(*it, "silt_coefficient", place).value_or(f.siltCoefficient);
  f.bedLevel = Number(*it, "bed_level", place).value_or(0.0);
  if (const std::string misfit = FlowMisfit(w, f); !misfit.empty()) {
    throw Refusal{place, "流量组合与窗口不符（" + misfit + "）"};
  }
  return f;
}

Json RecordJson(const CaseRecord& r) {
  Json j;
  j["window"] = r.window->name;
  j["boxes"] = r.texts;
  if (r.design) {
    Json d{{"mode", ModeName(r.design->mode)}};
    if (r.design->mode == DesignMode::SolveBox) {
      d["box"] = r.design->box;
      d["discharge"] = r.design->discharge;
    }
    if (r.design->mode == DesignMode::Ratio) d["ratio"] = r.design->ratio;
    if (r.design->flows) d["flows"] = FlowsJson(*r.design->flows);
    if (r.design->sizeForIncreased) d["size_for"] = "increased";
    if (r.answer) d["answer"] = r.answer->index;
    j["design"] = std::move(d);
  }
  if (r.profile) j["profile"] = ProfileJson(*r.profile);
  if (r.flowRequest) j["flows"] = FlowsJson(*r.flowRequest);
  j["limits"] = LimitsJson(r.limits);
  j["outcome"] = OutcomeName(r.outcome);
  j["report"] = r.printed;
  Json checks = Json::array();
  for (const Check& c : r.checks) {
    Json o{{"name", c.name}, {"status", StatusName(c.status)}};
    o["value"] = Optional(c.value);
    o["limit"] = Optional(c.limit);
    if (!c.box.empty()) o["box"] = c.box;
    o["text"] = c.text;
    checks.push_back(std::move(o));
  }
  j["checks"] = std::move(checks);
  return j;
}

std::vector<std::string> Texts(const Json& j, std::string_view key, const std::string& place) {
  const auto it = j.find(key);
  if (it == j.end() || !it->is_array())
    throw Refusal{place, "缺少文本列表“" + std::string(key) + "”"};
  std::vector<std::string> texts;
  for (const Json& t : *it) {
    if (!t.is_string()) throw Refusal{place, "“" + std::string(key) + "”中有不是文本的项"};
    texts.push_back(t.get<std::string>());
  }
  return texts;
}

const WindowSpec& WindowOf(const Json& j, const std::string& place) {
  const auto it = j.find("window");
  if (it == j.end() || !it->is_string()) throw Refusal{place, "缺少窗口名“window”"};
  const WindowSpec* w = FindWindow(it->get<std::string>());
  if (w == nullptr) throw Refusal{place, "未知的窗口“" + it->get<std::string>() + "”"};
  return *w;
}

std::vector<std::string> BoxTexts(const Json& j, const WindowSpec& w, const std::string& place) {
  std::vector<std::string> texts = Texts(j, "boxes", place);
  if (texts.size() > w.boxes.size()) {
    throw Refusal{place, std::to_string(texts.size()) + " 个输入框文本，但窗口" +
                             std::string(w.name) + "只有 " + std::to_string(w.boxes.size()) +
                             " 个输入框"};
  }
  return texts;
}

struct StoredDesign {
  DesignRequest request;
  size_t answer = 0;
};

std::optional<StoredDesign> DesignOf(const Json& j, const WindowSpec& w, const std::string& place) {
  const auto it = j.find("design");
  if (it == j.end() || it->is_null()) return std::nullopt;
  if (!it->is_object()) throw Refusal{place, "“design”不是对象"};
  const std::string mode = it->value("mode", std::string());
  StoredDesign d;
  const auto m = std::find_if(std::begin(kModes), std::end(kModes),
                              [&](const auto& row) { return row.second == mode; });
  if (m == std::end(kModes)) throw Refusal{place, "未知的设计方式“" + mode + "”"};
  d.request.mode = m->first;
  if (d.request.mode == DesignMode::SolveBox) {
    d.request.box = it->value("box", std::string());
    d.request.discharge = Number(*it, "discharge", place).value_or(NAN);
  }
  if (d.request.mode == DesignMode::Ratio)
    d.request.ratio = Number(*it, "ratio", place).value_or(NAN);
  // A canal designed at three discharges: its flows fit the family's depth window.
  if (const WindowSpec* depth = FindWindow(CalculationKind::Depth, w.family); depth != nullptr) {
    d.request.flows = FlowsOf(*it, *depth, place);
  }
  d.request.sizeForIncreased = it->value("size_for", std::string()) == "increased";
  const std::optional<double> answer = Number(*it, "answer", place);
  if (answer && (*answer < 0.0 || *answer != std::floor(*answer))) {
    throw Refusal{place, "“answer”不是答案的序号"};
  }
  d.answer = answer ? static_cast<size_t>(*answer) : 0;
  if (const std::string misfit = DesignMisfit(w, d.request); !misfit.empty()) {
    throw Refusal{place, "设计方式与窗口不符（" + misfit + "）"};
  }
  return d;
}

// What differs between a stored record and the one computed now, empty if nothing.
std::string Difference(const Json& stored, const CaseRecord& now) {
  const auto outcome = stored.find("outcome");
  if (outcome != stored.end() && outcome->is_string() && *outcome != OutcomeName(now.outcome)) {
    return "保存的结果为“" + outcome->get<std::string>() + "”，现在计算为“" +
           std::string(OutcomeName(now.outcome)) + "”";
  }
  const auto report = stored.find("report");
  if (report != stored.end() && report->is_array() && *report != Json(now.printed)) {
    return "保存的计算成果与现在计算的不同，以现在计算的为准";
  }
  return {};
}

// The cases of one design press, computed once for all of its stored answers.
struct DesignCache {
  const WindowSpec* window = nullptr;
  std::vector<std::string> texts;
  DesignRequest request;
  CheckLimits limits;
  std::vector<CaseRecord> records;
};

bool SameLimits(const CheckLimits& a, const CheckLimits& b) {
  return LimitsJson(a) == LimitsJson(b);
}

// A stored case computed anew; the difference, if any, appended to `notes`.
CaseRecord Recompute(const Json& j, const std::string& place, const CheckLimits& fallback,
                     DesignCache& cache, std::string& difference) {
  if (!j.is_object()) throw Refusal{place, "算例不是对象"};
  const WindowSpec& w = WindowOf(j, place);
  const std::vector<std::string> texts = BoxTexts(j, w, place);
  const auto limitsAt = j.find("limits");
  const CheckLimits limits = limitsAt == j.end() ? fallback : LimitsOf(*limitsAt, place);
  const std::optional<StoredDesign> design = DesignOf(j, w, place);
  const std::optional<FlowRequest> flows = FlowsOf(j, w, place);
  if (flows && design) throw Refusal{place, "流量组合不与设计方式同用"};
  CaseRecord now;
  if (flows) {
    now = RecordFlows(w, texts, *flows, limits);
  } else if (!design) {
    now = RecordPress(w, texts, limits);
  } else {
    if (cache.window != &w || cache.texts != texts || !(cache.request == design->request) ||
        !SameLimits(cache.limits, limits)) {
      cache = {&w, texts, design->request, limits, RecordDesign(w, texts, design->request, limits)};
    }
    if (design->answer >= cache.records.size()) {
      difference = "保存的第 " + std::to_string(design->answer + 1) +
                   " 个设计答案现在已不存在，以现在计算的第 1 个为准";
      return cache.records.front();
    }
    now = cache.records[design->answer];
  }
  difference = Difference(j, now);
  now.profile = ProfileOf(j, place);
  return now;
}

Json HeadJson(const Project& p) {
  Json j{{"format", kProjectFormat}, {"version", kProjectVersion}};
  j["name"] = p.name;
  j["description"] = p.description;
  Json cover = Json::object();
  for (const CoverKey& k : CoverKeys()) cover[std::string(k.key)] = p.cover.*k.field;
  j["cover"] = cover;
  j["limits"] = LimitsJson(p.limits);
  return j;
}

Json WindowsJson(const Project& p) {
  Json windows = Json::array();
  for (const auto& [w, texts] : p.windowTexts) {
    windows.push_back(Json{{"window", w->name}, {"boxes", texts}});
  }
  return windows;
}

// "第 L 行第 C 列" of a byte offset into the text.
std::string LineAndColumn(std::string_view text, size_t byte) {
  byte = std::min(byte, text.size());
  const size_t line = 1 + static_cast<size_t>(std::count(text.begin(), text.begin() + byte, '\n'));
  const size_t start = text.rfind('\n', byte == 0 ? 0 : byte - 1);
  const size_t column = start == std::string_view::npos || byte == 0 ? byte : byte - start - 1;
  return "第 " + std::to_string(line) + " 行第 " + std::to_string(column + 1) + " 列";
}

std::optional<Json> Parsed(std::string_view text, std::string& where, std::string& problem) {
  try {
    return Json::parse(text);
  } catch (const Json::parse_error& e) {
    where = LineAndColumn(text, e.byte == 0 ? 0 : e.byte - 1);
    problem = e.byte >= text.size() ? "文件不完整（在此处中断）" : "不是有效的 JSON";
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) problem = "文件为空";
  }
  return std::nullopt;
}

// The canals, kept in the fields of the command line's canal file and read by
// its reader; the refusal names the canal and the reach.
std::vector<CanalInput> CanalsOf(const Json& j) {
  std::vector<CanalInput> canals;
  const auto cs = j.find("canals");
  if (cs == j.end() || cs->is_null()) return canals;
  if (!cs->is_array()) throw Refusal{"“canals”", "不是列表"};
  for (size_t k = 0; k < cs->size(); ++k) {
    CanalReading read =
        ReadCanal(Dump((*cs)[k]), [](std::string_view name) { return FindWindow(name); });
    if (!read.error.empty()) throw Refusal{"第 " + std::to_string(k + 1) + " 个渠道", read.error};
    canals.push_back(std::move(read.canal));
  }
  return canals;
}

Project ProjectOf(const Json& j, ProjectRead& read) {
  if (!j.is_object() || j.value("format", std::string()) != kProjectFormat) {
    throw Refusal{"文件头", "不是 Tarnwick 项目文件（“format”应为“tarnwick-project”）"};
  }
  const auto version = j.find("version");
  if (version == j.end() || !version->is_number_integer()) {
    throw Refusal{"文件头", "缺少版本号“version”"};
  }
  if (version->get<long long>() > kProjectVersion || version->get<long long>() < 1) {
    throw Refusal{"文件头", "版本 " + std::to_string(version->get<long long>()) +
                                "，本程序只能打开版本 " + std::to_string(kProjectVersion) +
                                "（请使用更新的程序）"};
  }
  Project p;
  p.name = j.value("name", std::string());
  p.description = j.value("description", std::string());
  if (const auto c = j.find("cover"); c != j.end()) {
    if (!c->is_object()) throw Refusal{"文件头", "“cover”应为对象"};
    for (const CoverKey& k : CoverKeys()) {
      const auto f = c->find(std::string(k.key));
      if (f == c->end() || f->is_null()) continue;
      if (!f->is_string()) throw Refusal{"文件头", "“cover”的“" + std::string(k.key) + "”应为文字"};
      p.cover.*k.field = f->get<std::string>();
    }
  }
  if (const auto l = j.find("limits"); l != j.end()) p.limits = LimitsOf(*l, "“limits”");
  const auto cases = j.find("cases");
  if (cases == j.end() || !cases->is_array()) throw Refusal{"文件头", "缺少算例列表“cases”"};
  DesignCache cache;
  for (size_t k = 0; k < cases->size(); ++k) {
    const std::string place = "第 " + std::to_string(k + 1) + " 个算例";
    std::string difference;
    p.cases.push_back(Recompute((*cases)[k], place, p.limits, cache, difference));
    if (!difference.empty()) {
      std::string note = place;
      note.append("：").append(difference);
      read.differences.push_back(std::move(note));
    }
  }
  p.canals = CanalsOf(j);
  if (const auto ws = j.find("windows"); ws != j.end()) {
    if (!ws->is_array()) throw Refusal{"“windows”", "不是列表"};
    for (size_t k = 0; k < ws->size(); ++k) {
      const std::string place = "第 " + std::to_string(k + 1) + " 个窗口";
      const WindowSpec& w = WindowOf((*ws)[k], place);
      p.KeepTexts(w, BoxTexts((*ws)[k], w, place));
    }
  }
  return p;
}

}  // namespace

std::span<const CoverKey> CoverKeys() {
  static const CoverKey keys[] = {{"number", &BookCover::number, "工程编号"},
                                  {"stage", &BookCover::stage, "设计阶段"},
                                  {"organisation", &BookCover::organisation, "设计单位"},
                                  {"title", &BookCover::title, "计算书名称"},
                                  {"computed_by", &BookCover::computedBy, "计算"},
                                  {"checked_by", &BookCover::checkedBy, "校核"},
                                  {"reviewed_by", &BookCover::reviewedBy, "审核"},
                                  {"approved_by", &BookCover::approvedBy, "审定"}};
  return keys;
}

bool SetCoverField(BookCover& cover, std::string_view key, std::string value) {
  for (const CoverKey& k : CoverKeys()) {
    if (k.key == key) {
      cover.*k.field = std::move(value);
      return true;
    }
  }
  return false;
}

std::string_view OutcomeName(PressOutcome outcome) {
  switch (outcome) {
    case PressOutcome::Report: return "report";
    case PressOutcome::WidthError: return "width-error";
    case PressOutcome::Capacity: return "capacity";
    case PressOutcome::DepthTooGreat: return "depth-too-great";
    case PressOutcome::InputError: break;
  }
  return "input-error";
}

void Project::KeepTexts(const WindowSpec& window, std::span<const std::string> texts) {
  for (auto& [w, kept] : windowTexts) {
    if (w == &window) {
      kept.assign(texts.begin(), texts.end());
      return;
    }
  }
  windowTexts.emplace_back(&window, std::vector<std::string>(texts.begin(), texts.end()));
}

const std::vector<std::string>* Project::TextsOf(const WindowSpec& window) const {
  for (const auto& [w, kept] : windowTexts) {
    if (w == &window) return &kept;
  }
  return nullptr;
}

std::string ProjectText(const Project& p) {
  Json j = HeadJson(p);
  Json cases = Json::array();
  for (const CaseRecord& r : p.cases) cases.push_back(RecordJson(r));
  j["cases"] = std::move(cases);
  j["windows"] = WindowsJson(p);
  if (!p.canals.empty()) {
    Json canals = Json::array();
    for (const CanalInput& c : p.canals) canals.push_back(Json::parse(CanalJson(c)));
    j["canals"] = std::move(canals);
  }
  return Dump(j, 1) + "\n";
}

std::string ProjectAppender::Read(const std::string& path) {
  path_ = path;
  // Nothing there, or a device that cannot hold a project (Open refuses it).
  struct stat st {};
  const bool absent = stat(path.c_str(), &st) != 0 && errno == ENOENT;
  if (absent || (!absent && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))) {
    fresh_ = true;
    return {};
  }
  std::string error;
  const std::string text = ReadWholeFile(path, error);
  if (!error.empty()) return path + ": 不能读取: " + error;
  ProjectRead read = ParseProject(text, path);
  if (!read.project) return read.error;
  name_ = read.project->name;
  windows_.windowTexts = std::move(read.project->windowTexts);
  Json j = Json::parse(text);
  for (const Json& c : j["cases"]) storedCases_.push_back(Dump(c));
  j.erase("cases");
  j.erase("windows");
  head_ = Dump(j, 1);
  return {};
}

std::string ProjectAppender::Open() {
  if (std::string why = file_.Open(path_); !why.empty()) return why;
  if (fresh_) {
    Project p;
    p.name = name_;
    head_ = Dump(HeadJson(p), 1);
  }
  if (!canals_.empty()) {
    Json head = Json::parse(head_);
    Json& canals = head["canals"];
    if (!canals.is_array()) canals = Json::array();
    for (const CanalInput& c : canals_) canals.push_back(Json::parse(CanalJson(c)));
    head_ = Dump(head, 1);
    canals_.clear();
  }
  // The head without its closing brace, then the cases one a line.
  std::string_view head = std::string_view(head_).substr(0, head_.rfind('}'));
  head = head.substr(0, head.find_last_not_of(" \n") + 1);
  file_.Write(head);
  file_.Write(",\n \"cases\": [");
  for (const std::string& c : storedCases_) {
    file_.Write(firstCase_ ? "\n  " : ",\n  ");
    file_.Write(c);
    firstCase_ = false;
  }
  storedCases_.clear();
  return {};
}

void ProjectAppender::Add(const CaseRecord& record) {
  file_.Write(firstCase_ ? "\n  " : ",\n  ");
  file_.Write(RecordLine(record));
  firstCase_ = false;
  windows_.KeepTexts(*record.window, record.texts);
}

std::string ProjectAppender::Commit() {
  file_.Write("\n ],\n \"windows\": ");
  file_.Write(Dump(WindowsJson(windows_)));
  file_.Write("\n}\n");
  return file_.Commit();
}

ProjectRead ParseProject(std::string_view text, std::string_view fileName) {
  ProjectRead read;
  std::string where;
  std::string problem;
  const std::optional<Json> j = Parsed(text, where, problem);
  try {
    if (!j) throw Refusal{where, problem};
    read.project = ProjectOf(*j, read);
  } catch (const Refusal& r) {
    read.project.reset();
    read.differences.clear();
    read.error = std::string(fileName) + ": " + r.place + ": " + r.problem;
  } catch (const Json::exception& e) {
    read.project.reset();
    read.differences.clear();
    read.error = std::string(fileName) + ": 内容不符合项目文件的格式 (" + e.what() + ")";
  }
  return read;
}

ProjectRead ReadProjectFile(const std::string& path) {
  std::string error;
  const std::string text = ReadWholeFile(path, error);
  if (!error.empty()) {
    ProjectRead read;
    read.error = path + ": 不能读取: " + error;
    return read;
  }
  return ParseProject(text, path);
}

std::string WriteProjectFile(const std::string& path, const Project& project) {
  return WriteFileAtomically(path, ProjectText(project));
}

std::string RecordLine(const CaseRecord& record) { return Dump(RecordJson(record)); }

RecordRead ParseRecordLine(std::string_view line) {
  RecordRead read;
  std::string where;
  std::string problem;
  const std::optional<Json> j = Parsed(line, where, problem);
  try {
    if (!j) throw Refusal{where, problem};
    DesignCache cache;
    read.records.push_back(Recompute(*j, "算例", CheckLimits{}, cache, read.difference));
  } catch (const Refusal& r) {
    read.records.clear();
    read.error = r.place + ": " + r.problem;
  } catch (const Json::exception& e) {
    read.records.clear();
    read.error = std::string("内容不符合算例记录的格式 (") + e.what() + ")";
  }
  return read;
}

}  // namespace tarnwick
