#include "CaseTable.h"

#include <algorithm>

#include "core/CompoundFlow.h"
#include "core/CriticalFlow.h"
#include "core/ReadNumber.h"
#include "core/ReportRow.h"

#include "FigureText.h"

namespace tarnwick {

namespace {

std::string InputsText(const WindowSpec& window, std::span<const double> values) {
  std::string text;
  for (size_t k = 0; k < window.boxes.size(); ++k) {
    const BoxSpec& box = window.boxes[k];
    const double value = k < values.size() ? values[k] : 0.0;
    if (!text.empty()) text += ' ';
    text += box.symbol.empty() ? box.name : box.symbol;
    text += '=';
    if (box.role == BoxRole::Slope) text += "1/";  // the slope is typed as D of 1/D
    text += ShortestText(value);
  }
  return text;
}

// "水面线M1 L=500 h0=2.4": the profile asked of a case, its type and control.
std::string ProfileMark(const CaseRecord& record) {
  const ProfileRequest& p = *record.profile;
  const WindowProfile w = RecordProfile(record, p);
  std::string text = "水面线";
  text += w.profile ? (w.profile->type == "uniform" ? "均匀流" : w.profile->type) : "(未能计算)";
  text += " L=" + ShortestText(p.length) + " h0=";
  switch (p.control.kind) {
    case ControlKind::Depth: text += ShortestText(p.control.depth); break;
    case ControlKind::Critical: text += "临界水深"; break;
    case ControlKind::Normal: text += "正常水深"; break;
  }
  return text;
}

std::string Figure(const std::optional<double>& x, int decimals = 5) {
  return x ? ShortestText(RoundDisplay(*x, decimals)) : std::string();
}

// The number a column sorts by; empty for the text columns and empty cells.
std::optional<double> SortNumber(const CaseRow& row, CaseColumn column) {
  switch (column) {
    case CaseColumn::Depth: return row.h;
    case CaseColumn::Discharge: return row.q1;
    case CaseColumn::Velocity: return row.v;
    case CaseColumn::Froude: return row.froude;
    case CaseColumn::ClearanceHeight: return row.clearanceHeight;
    case CaseColumn::ClearanceArea: return row.clearanceAreaPercent;
    default: return std::nullopt;
  }
}

bool IsFigureColumn(CaseColumn column) {
  return column != CaseColumn::Window && column != CaseColumn::Inputs &&
         column != CaseColumn::Regime;
}

void AppendField(std::string& out, std::string_view field, char separator) {
  const bool quoted =
      field.find_first_of(std::string{separator, '"', '\r', '\n'}) != std::string_view::npos;
  if (!quoted) {
    out += field;
    return;
  }
  out += '"';
  for (const char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

void AppendLine(std::string& out, std::span<const std::string> fields, char separator,
                std::string_view lineEnd) {
  for (size_t k = 0; k < fields.size(); ++k) {
    if (k > 0) out += separator;
    AppendField(out, fields[k], separator);
  }
  out += lineEnd;
}

std::optional<CaseRow> RowOf(const WindowSpec& window, std::span<const double> values,
                             const PressResult& result) {
  if (result.outcome != PressOutcome::Report || !result.sectionCase) return std::nullopt;
  const SectionState& s = result.sectionCase->state;
  CaseRow row;
  row.caption = window.caption;
  row.inputs = InputsText(window, values);
  row.h = s.h;
  row.q1 = s.q1;
  row.v = s.v;
  if (s.surfaceWidth > 0.0 && s.w > 0.0) {
    // A subdivided section's regime is that of its compound Froude number, as in
    // the checks (core/CompoundFlow.h).
    const SectionModel& m = result.sectionCase->model;
    row.froude = m.subsections ? EnergySection{s.q1, m.evaluate, m.subsections}.Froude(s.h)
                               : FroudeNumber(s);
    row.regime = FlowRegime(*row.froude);
  }
  if (result.closed) {
    row.clearanceHeight = result.closed->clearanceHeight;
    row.clearanceAreaPercent = result.closed->clearanceAreaPercent;
  }
  return row;
}

}  // namespace

std::optional<CaseRow> CaseRowOf(const WindowSpec& window, std::span<const std::string> boxTexts,
                                 const PressResult& result) {
  std::vector<double> values;
  for (const std::string& text : boxTexts) values.push_back(ReadNumber(text).value);
  return RowOf(window, values, result);
}

std::optional<CaseRow> CaseRowOf(const CaseRecord& record) {
  if (record.reporting == nullptr) return std::nullopt;
  std::vector<double> values;
  if (record.answer) {
    // The solver wrote each text of the section solved to read back exactly;
    // shown to the five decimals the report gives its dimensions.
    for (const std::string& text : record.reportingTexts) {
      values.push_back(RoundDisplay(ReadNumber(text).value, 5));
    }
  } else {
    for (const NumberReading& reading : record.readings) values.push_back(reading.value);
  }
  std::optional<CaseRow> row = RowOf(*record.reporting, values, record.press);
  if (row && record.design)
    row->caption = std::string(FamilyOf(record.window->family).title) + "断面设计";
  if (row && record.profile && ProfileFits(record)) {
    // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) on " " + string.
    row->inputs += ' ';
    row->inputs += ProfileMark(record);
  }
  return row;
}

std::optional<CaseRow> CaseRowOf(const CanalInput& canal) {
  const CanalResult result = ComputeCanal(canal);
  if (result.reaches.empty() || result.reaches.front().profile.stations.empty()) {
    return std::nullopt;
  }
  // x runs from each reach's downstream end: the first reach's last station is
  // the canal's upstream end.
  const ProfileStation& up = result.reaches.front().profile.stations.back();
  double low = up.z;
  double high = up.z;
  for (const CanalReachProfile& r : result.reaches) {
    for (const ProfileStation& s : r.profile.stations) {
      low = std::min(low, s.z);
      high = std::max(high, s.z);
    }
  }
  const auto level = [](double z) { return ShortestText(RoundDisplay(z, 3)); };
  CaseRow row;
  row.caption = "渠道水面线";
  row.inputs = "Q=" + ShortestText(canal.discharge);
  switch (canal.control) {
    case CanalControl::Depth: row.inputs += " 下游水深h=" + ShortestText(canal.controlValue); break;
    case CanalControl::Level: row.inputs += " 下游水位z=" + ShortestText(canal.controlValue); break;
    case CanalControl::Critical: row.inputs += " 下游临界水深"; break;
  }
  row.inputs += " 渠段" + std::to_string(canal.reaches.size()) + "段";
  row.inputs += "；水位" + level(low) + "~" + level(high) + " 上游端z=" + level(up.z);
  row.h = up.h;
  row.q1 = canal.discharge;
  row.v = up.v;
  row.froude = up.fr;
  row.regime = FlowRegime(up.fr);
  row.canal = true;
  return row;
}

std::span<const std::string_view> CaseHeaders() {
  static constexpr std::string_view kHeaders[kCaseColumns] = {
      "计算窗口",   "输入数据", "水深h(m)",    "流量Q1(m³/s)", "流速V(m/s)",
      "弗劳德数Fr", "流态",     "净空高度(m)", "净空面积比(%)"};
  return kHeaders;
}

std::vector<std::string> CaseCells(const CaseRow& row) {
  return {row.caption,
          row.inputs,
          Figure(row.h),
          Figure(row.q1),
          Figure(row.v),
          Figure(row.froude, 3),
          std::string(row.regime),
          Figure(row.clearanceHeight),
          Figure(row.clearanceAreaPercent, 3)};
}

void CaseTable::SortBy(CaseColumn column, bool ascending) {
  const size_t index = static_cast<size_t>(column);
  std::stable_sort(rows_.begin(), rows_.end(), [&](const CaseRow& a, const CaseRow& b) {
    if (IsFigureColumn(column)) {
      const auto x = SortNumber(a, column);
      const auto y = SortNumber(b, column);
      if (!x || !y) return x.has_value() && !y.has_value();  // empty cells last
      return ascending ? *x < *y : *y < *x;
    }
    const std::string x = CaseCells(a)[index];
    const std::string y = CaseCells(b)[index];
    return ascending ? x < y : y < x;
  });
}

std::string CaseTable::Joined(char separator, std::string_view lineEnd) const {
  std::string out;
  const std::vector<std::string> headers(CaseHeaders().begin(), CaseHeaders().end());
  AppendLine(out, headers, separator, lineEnd);
  for (const CaseRow& row : rows_) AppendLine(out, CaseCells(row), separator, lineEnd);
  return out;
}

std::string CaseTable::Csv() const { return "\xEF\xBB\xBF" + Joined(',', "\r\n"); }

std::string CaseTable::TabSeparated() const { return Joined('\t', "\n"); }

}  // namespace tarnwick
