// The station table of a water-surface profile (水面线计算成果表), written once
// for the command line's report, the profile window's table and its CSV export:
// the columns, their Chinese names and symbols, and each cell's text.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/GraduallyVariedFlow.h"
#include "core/ResultPane.h"

namespace tarnwick {

struct WindowProfile;
struct ProfileRequest;

struct ProfileColumn {
  std::string_view name;  // Chinese name over the symbol
  std::string_view symbol;
  int width;  // display columns in the text report
};

// 距离 x, 水深 h, 水位 z, 流速 V, 弗劳德数 Fr, 断面比能 E, 摩阻坡降 Sf.
std::span<const ProfileColumn> ProfileColumns();

// The text of one cell: x counted from `offset`, lengths to 0.01 m or 0.1 mm,
// the friction slope in four significant figures.
std::string ProfileCell(const ProfileStation& station, size_t column, double offset);

// The station rows under their two heading lines, x counted from `offset`.
void ProfileStationTable(ResultPane& pane, const std::vector<ProfileStation>& stations,
                         double offset);

// The heading block of a window's profile: Q, the slope and the reach; hn, hc
// and the control depth; the slope class, the type and the control; where the
// profile ends, where it comes within 1 mm of normal depth, and the jump.
void ProfileHeading(ResultPane& pane, const WindowProfile& profile, const ProfileRequest& request);

// The stations as CSV (UTF-8, one heading line "距离 x(m),水深 h(m),…", then
// one line a station with the cells of the table).
std::string ProfileCsv(const std::vector<ProfileStation>& stations, double offset);

// The stations of a canal's reaches in one CSV, a first column 渠段 naming the
// reach, x from each reach's offset.
struct ReachStations {
  std::string_view name;
  const std::vector<ProfileStation>* stations;
  double offset;
};
std::string CanalCsv(std::span<const ReachStations> reaches);

}  // namespace tarnwick
