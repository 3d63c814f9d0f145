// The case table: every report of a window's pane as one row, its inputs and
// main results, for comparing variants side by side, sorting, copying into a
// spreadsheet as tab-separated text and saving as CSV that Excel opens with its
// Chinese headers (UTF-8 with a byte-order mark). Built from the window table and
// the press alone, so every family has it.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Canal.h"
#include "CaseRecord.h"
#include "WindowCatalog.h"

namespace tarnwick {

struct CaseRow {
  std::string caption;  // the window's caption
  // "B=2 M=1.5 n=0.025 I=1/1000 Q=5": each box's symbol and the number read from it.
  std::string inputs;
  double h = 0.0;                // depth of the case, m
  double q1 = 0.0;               // discharge at h, m³/s
  double v = 0.0;                // mean velocity, m/s
  std::optional<double> froude;  // empty without a free surface
  std::string_view regime;       // "缓流", "急流", "临界流"; empty without a free surface
  std::optional<double> clearanceHeight;       // closed sections, m
  std::optional<double> clearanceAreaPercent;  // closed sections, %
  size_t order = 0;  // the case's place among its window's cases, whatever the sorting
  // A canal of the project (渠道水面线), shown beside the window's cases: no case
  // of the window to bring back or delete.
  bool canal = false;
};

// The row of a press (a result of PressWithCase); empty unless it printed a report.
std::optional<CaseRow> CaseRowOf(const WindowSpec& window, std::span<const std::string> boxTexts,
                                 const PressResult& result);
// The row of a recorded case, read from its typed result and the numbers its
// texts were read as; empty unless it is a report. A design answer shows the
// section solved (the answer in place) under the design window's title.
std::optional<CaseRow> CaseRowOf(const CaseRecord& record);

// The row of a canal: its discharge, downstream control and number of reaches,
// then the lowest and highest water levels over its stations and the level at
// its upstream end in the inputs; the depth, velocity, Froude number and regime
// at its upstream end in the result columns. Empty when it cannot be computed.
std::optional<CaseRow> CaseRowOf(const CanalInput& canal);

enum class CaseColumn {
  Window,
  Inputs,
  Depth,
  Discharge,
  Velocity,
  Froude,
  Regime,
  ClearanceHeight,
  ClearanceArea
};
inline constexpr size_t kCaseColumns = 9;

// Chinese column headers, in CaseColumn order.
std::span<const std::string_view> CaseHeaders();
// The cells of a row as shown, in CaseColumn order: figures rounded as the
// reports round them (Fr to three decimals), empty where a column does not apply.
std::vector<std::string> CaseCells(const CaseRow& row);

class CaseTable {
 public:
  void Add(CaseRow row) { rows_.push_back(std::move(row)); }
  void Clear() { rows_.clear(); }
  const std::vector<CaseRow>& Rows() const { return rows_; }

  // Stable: figures by value with empty cells last either way, texts by their bytes.
  void SortBy(CaseColumn column, bool ascending = true);

  // Headers and rows, fields separated by commas, lines ended by CR LF, after the
  // UTF-8 byte-order mark; a field holding a comma, quote or line break is quoted
  // with its quotes doubled.
  std::string Csv() const;
  // For the clipboard: the same with tabs, lines ended by LF, no byte-order mark;
  // a field holding a tab, quote or line break is quoted as in CSV, which the
  // spreadsheets read back when pasting.
  std::string TabSeparated() const;

 private:
  std::string Joined(char separator, std::string_view lineEnd) const;
  std::vector<CaseRow> rows_;
};

}  // namespace tarnwick
