#include "ProfileTable.h"

#include <cstdio>

namespace tarnwick {

namespace {

constexpr ProfileColumn kColumns[] = {
    {"距离", "x(m)", 10},   {"水深", "h(m)", 10},   {"水位", "z(m)", 11},
    {"流速", "V(m/s)", 10}, {"弗劳德数", "Fr", 10}, {"断面比能", "E(m)", 11},
    {"摩阻坡降", "Sf", 13},
};

// `text` right-aligned in `width` columns.
void Cell(std::string& line, std::string_view text, int width) {
  const int pad = width - DisplayColumns(text);
  if (pad > 0) line.append(static_cast<size_t>(pad), ' ');
  line.append(text);
}

std::string Fixed(double x, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, x);
  return text;
}

std::string Scientific(double x) {
  char text[64];
  std::snprintf(text, sizeof text, "%.4e", x);
  return text;
}

}  // namespace

std::span<const ProfileColumn> ProfileColumns() { return kColumns; }

std::string ProfileCell(const ProfileStation& s, size_t column, double offset) {
  switch (column) {
    case 0: return Fixed(offset + s.x, 2);
    case 1: return Fixed(s.h, 4);
    case 2: return Fixed(s.z, 4);
    case 3: return Fixed(s.v, 4);
    case 4: return Fixed(s.fr, 4);
    case 5: return Fixed(s.e, 4);
    case 6: return Scientific(s.sf);
    default: return {};
  }
}

void ProfileStationTable(ResultPane& pane, const std::vector<ProfileStation>& stations,
                         double offset) {
  std::string names;
  std::string symbols;
  for (const ProfileColumn& c : kColumns) {
    Cell(names, c.name, c.width);
    Cell(symbols, c.symbol, c.width);
  }
  pane.Text(names).EndLine().Text(symbols).EndLine();
  std::string row;
  for (const ProfileStation& s : stations) {
    row.clear();
    for (size_t k = 0; k < std::size(kColumns); ++k) {
      Cell(row, ProfileCell(s, k, offset), kColumns[k].width);
    }
    pane.Text(row).EndLine();
  }
}

std::string ProfileCsv(const std::vector<ProfileStation>& stations, double offset) {
  std::string csv;
  for (size_t k = 0; k < std::size(kColumns); ++k) {
    if (k > 0) csv += ',';
    csv.append(kColumns[k].name).append(" ").append(kColumns[k].symbol);
  }
  csv += '\n';
  for (const ProfileStation& s : stations) {
    for (size_t k = 0; k < std::size(kColumns); ++k) {
      if (k > 0) csv += ',';
      csv += ProfileCell(s, k, offset);
    }
    csv += '\n';
  }
  return csv;
}

}  // namespace tarnwick
