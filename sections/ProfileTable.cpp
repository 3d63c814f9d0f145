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

namespace {

// The CSV heading, after `first` when that names a leading column.
std::string CsvHeading(std::string_view first) {
  std::string csv(first);
  for (size_t k = 0; k < std::size(kColumns); ++k) {
    if (k > 0 || !first.empty()) csv += ',';
    csv.append(kColumns[k].name).append(" ").append(kColumns[k].symbol);
  }
  return csv + '\n';
}

void CsvRows(std::string& csv, std::string_view first, const std::vector<ProfileStation>& stations,
             double offset) {
  for (const ProfileStation& s : stations) {
    csv += first;
    for (size_t k = 0; k < std::size(kColumns); ++k) {
      if (k > 0 || !first.empty()) csv += ',';
      csv += ProfileCell(s, k, offset);
    }
    csv += '\n';
  }
}

}  // namespace

std::string ProfileCsv(const std::vector<ProfileStation>& stations, double offset) {
  std::string csv = CsvHeading({});
  CsvRows(csv, {}, stations, offset);
  return csv;
}

std::string CanalCsv(std::span<const ReachStations> reaches) {
  std::string csv = CsvHeading("渠段");
  for (const ReachStations& r : reaches) {
    // A name with a comma or a quote is quoted, its quotes doubled (RFC 4180).
    std::string name(r.name);
    if (name.find_first_of(",\"\n") != std::string::npos) {
      std::string quoted = "\"";
      for (const char c : name) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
      name = quoted + "\"";
    }
    CsvRows(csv, name, *r.stations, r.offset);
  }
  return csv;
}

}  // namespace tarnwick
