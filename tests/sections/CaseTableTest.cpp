#include "sections/CaseTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "sections/FigureText.h"

namespace tarnwick {
namespace {

using Records = std::vector<std::vector<std::string>>;

// A reader of delimited text as a spreadsheet reads it: quoted fields may hold
// the separator, doubled quotes and line breaks; lines end in LF or CR LF.
Records ReadDelimited(std::string_view text, char separator) {
  Records records(1, std::vector<std::string>(1));
  bool quoted = false;
  for (size_t k = 0; k < text.size(); ++k) {
    const char c = text[k];
    std::string& field = records.back().back();
    if (quoted) {
      if (c != '"') {
        field += c;
      } else if (k + 1 < text.size() && text[k + 1] == '"') {
        field += '"';
        ++k;
      } else {
        quoted = false;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == separator) {
      records.back().emplace_back();
    } else if (c == '\n' || (c == '\r' && k + 1 < text.size() && text[k + 1] == '\n')) {
      if (c == '\r') ++k;
      records.emplace_back(1);
    } else {
      field += c;
    }
  }
  if (records.back() == std::vector<std::string>(1)) records.pop_back();
  return records;
}

CaseRow RowOf(const char* window, const std::vector<std::string>& texts) {
  ResultPane pane;
  const WindowSpec& w = *FindWindow(window);
  const auto row = CaseRowOf(w, texts, PressWithCase(w, texts, pane));
  EXPECT_TRUE(row.has_value()) << window;
  return row.value_or(CaseRow{});
}

TEST(CaseTable, CsvAndClipboardTextReadBackWithTheirColumns) {
  CaseTable table;
  table.Add(RowOf("Form21", {"2", "1.5", "0.025", "1000", "5"}));
  table.Add(RowOf("Form23", {"3", "2", "1.7320508", "120", "0", "0.014", "1000", "8"}));
  CaseRow odd;
  odd.caption = "方案\"甲\",二\n\t三";
  odd.inputs = "B=1,5\tC=2";  // the separator alone must be quoted too
  table.Add(odd);
  ResultPane pane;
  const std::vector<std::string> refused = {"0", "1.5", "0.025", "1000", "5"};
  EXPECT_FALSE(CaseRowOf(*FindWindow("Form21"), refused,
                         PressWithCase(*FindWindow("Form21"), refused, pane)));

  const std::string bom = "\xEF\xBB\xBF";
  const struct {
    std::string text;
    char separator;
    bool bom;
  } formats[] = {{table.Csv(), ',', true}, {table.TabSeparated(), '\t', false}};
  for (const auto& f : formats) {
    EXPECT_EQ(f.text.starts_with(bom), f.bom);
    const Records records = ReadDelimited(f.bom ? f.text.substr(bom.size()) : f.text, f.separator);
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0], std::vector<std::string>(CaseHeaders().begin(), CaseHeaders().end()));
    for (size_t r = 1; r < records.size(); ++r) {
      EXPECT_EQ(records[r], CaseCells(table.Rows()[r - 1])) << r;
    }
    const auto& open = records[1];
    EXPECT_EQ(open[0], FindWindow("Form21")->caption);
    EXPECT_EQ(open[1], "B=2 M=1.5 n=0.025 I=1/1000 Q=5");
    EXPECT_NEAR(std::stod(open[2]), 1.24598, 5e-6);
    EXPECT_NEAR(std::stod(open[3]), 5.0, 1e-4);
    EXPECT_EQ(open[6], "缓流");
    EXPECT_EQ(open[7], "");  // no clearance in an open channel
    const auto& tunnel = records[2];
    EXPECT_NEAR(std::stod(tunnel[2]), 1.44744, 5e-6);
    EXPECT_NEAR(std::stod(tunnel[7]), 1.41858, 5e-6);  // H5 of the report
    EXPECT_GT(std::stod(tunnel[8]), 15.0);
    EXPECT_EQ(records[3][0], odd.caption);
    EXPECT_EQ(records[3][5], "");
  }
}

TEST(CaseTable, SortsFiguresWithEmptyCellsLast) {
  const struct {
    const char* caption;
    double h;
    std::optional<double> clearance;
  } rows[] = {
      {"乙", 2.0, 0.5}, {"甲", 1.0, std::nullopt}, {"丙", 3.0, 0.3}, {"丁", 0.5, std::nullopt}};
  const struct {
    CaseColumn column;
    bool ascending;
    std::vector<std::string> order;
  } cases[] = {
      {CaseColumn::Depth, true, {"丁", "甲", "乙", "丙"}},
      {CaseColumn::Depth, false, {"丙", "乙", "甲", "丁"}},
      {CaseColumn::ClearanceHeight, true, {"丙", "乙", "甲", "丁"}},
      {CaseColumn::ClearanceHeight, false, {"乙", "丙", "甲", "丁"}},
      {CaseColumn::Window, true, {"丁", "丙", "乙", "甲"}},  // by the UTF-8 bytes
  };
  for (const auto& c : cases) {
    CaseTable table;
    for (const auto& r : rows) {
      CaseRow row;
      row.caption = r.caption;
      row.h = r.h;
      row.clearanceHeight = r.clearance;
      table.Add(row);
    }
    table.SortBy(c.column, c.ascending);
    std::vector<std::string> order;
    for (const CaseRow& row : table.Rows()) order.push_back(row.caption);
    EXPECT_EQ(order, c.order) << static_cast<int>(c.column) << c.ascending;
  }
}

// A canal's row: one reach of the trapezoid b=2 m, m=1.5, n=0.025, i=1/1000
// carrying 5 m³/s with its normal depth held at the downstream end stays uniform,
// so the upstream end has that depth, 0.5 m higher bed over 500 m, and
// V = Q/A; the normal depth here is Manning's, found by bisection in the test.
// A steep reach (1/50) is not computed from downstream: no row.
TEST(CaseTable, CanalRowIsItsUpstreamEndAndItsLevels) {
  const double b = 2.0, m = 1.5, n = 0.025, i = 1.0 / 1000.0, q = 5.0;
  const auto area = [&](double h) { return (b + m * h) * h; };
  const auto manning = [&](double h) {
    const double r = area(h) / (b + 2.0 * h * std::sqrt(1.0 + m * m));
    return area(h) * std::pow(r, 2.0 / 3.0) * std::sqrt(i) / n;
  };
  double lo = 0.0, hi = 10.0;
  for (int k = 0; k < 200; ++k) ((manning((lo + hi) / 2) < q) ? lo : hi) = (lo + hi) / 2;
  const double hn = (lo + hi) / 2;
  const struct {
    const char* slope;
    bool row;
  } cases[] = {{"1000", true}, {"50", false}};
  for (const auto& c : cases) {
    CanalInput canal;
    canal.discharge = q;
    canal.control = CanalControl::Depth;
    canal.controlValue = hn;
    canal.reaches = {
        {"干渠", FindWindow("Form21"), {"2", "1.5", "0.025", c.slope}, 500.0, 100.0, 0.0}};
    const std::optional<CaseRow> row = CaseRowOf(canal);
    ASSERT_EQ(row.has_value(), c.row) << c.slope;
    if (!row) continue;
    EXPECT_TRUE(row->canal);
    EXPECT_EQ(row->caption, "渠道水面线");
    EXPECT_NEAR(row->h, hn, 1e-4);
    EXPECT_EQ(row->q1, q);
    EXPECT_NEAR(row->v, q / area(hn), 1e-4);
    ASSERT_TRUE(row->froude.has_value());
    EXPECT_EQ(row->regime, "缓流");
    char levels[96];
    std::snprintf(levels, sizeof levels, "渠段1段；水位%.3f~%.3f 上游端z=%.3f", 100.0 + hn,
                  100.5 + hn, 100.5 + hn);
    EXPECT_NE(row->inputs.find(levels), std::string::npos) << row->inputs << " lacks " << levels;
    EXPECT_EQ(row->inputs.rfind("Q=5 下游水深h=", 0), 0u) << row->inputs;
  }
}

// The figures of the checks and the table are printf's "%.*f" digits, made
// without printf: exact ties to even, and the widest doubles.
TEST(CaseTable, FixedFiguresArePrintfDigits) {
  std::mt19937_64 rng(42);
  std::uniform_real_distribution<double> exponent(-12.0, 12.0);
  // Ties exact in binary (0.0625 at three places), next to them, and either side
  // of the width where the digits are no longer had from a double product.
  std::vector<double> values = {0.125,        2.675,     0.5,       1.5,      2.5,
                                -0.0005,      1e300,     -1e-300,   0.0,      -0.0,
                                0.0625,       0.1875,    1023.0625, 0.062501, 0.0624999999,
                                2147483.6475, 2147483.6, 99999.9995};
  for (int k = 0; k < 20000; ++k)
    values.push_back((k % 2 ? -1 : 1) * std::pow(10.0, exponent(rng)));
  for (const double x : values) {
    for (const int decimals : {0, 1, 2, 3, 5, 6}) {
      char expected[400];
      std::snprintf(expected, sizeof expected, "%.*f", decimals, x);
      ASSERT_EQ(FixedText(x, decimals), expected) << x << " " << decimals;
    }
  }
}

}  // namespace
}  // namespace tarnwick
