// A canal of reaches: two identical reaches in a row are one reach of twice the
// length, station for station; at every junction the energy balance with its
// local loss holds, or the upper reach falls freely at critical depth.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "core/Hydraulics.h"
#include "sections/Canal.h"
#include "sections/CanalFile.h"

namespace tarnwick {
namespace {

struct Row {
  const char* window;
  std::vector<std::string> boxes;  // without the discharge
  double q, slope, step, length;
  CanalControl control;
  double value;
};

const Row kRows[] = {
    {"Form21",
     {"3", "1.5", "0.02", "2000"},
     12.0,
     1.0 / 2000,
     20.0,
     400.0,
     CanalControl::Depth,
     3.2},
    {"Form21",
     {"3", "1.5", "0.02", "2000"},
     12.0,
     1.0 / 2000,
     10.0,
     300.0,
     CanalControl::Critical,
     0.0},
    {"Form24",
     {"", "1", "0.014", "1000"},
     1.5,
     1.0 / 1000,
     25.0,
     500.0,
     CanalControl::Level,
     101.7},
    {"Form27", {"0.5", "0.02", "1500"}, 3.0, 1.0 / 1500, 30.0, 600.0, CanalControl::Depth, 2.5},
};

CanalReach Reach(const Row& r, const char* name, double length, double bed, double loss) {
  return {name, FindWindow(r.window), r.boxes, length, bed, loss};
}

TEST(Canal, TwoIdenticalReachesAreOneReachOfTwiceTheLength) {
  for (const Row& r : kRows) {
    SCOPED_TRACE(r.window);
    const double bed = 100.0;
    CanalInput one{r.q, r.control, r.value, r.step, {Reach(r, "一", 2.0 * r.length, bed, 0.0)}};
    CanalInput two = one;
    // The junction's ζ acts on a change of velocity head, and there is none.
    two.reaches = {Reach(r, "上", r.length, bed + r.slope * r.length, 0.0),
                   Reach(r, "下", r.length, bed, r.step > 20.0 ? 0.3 : 0.0)};
    const CanalResult a = ComputeCanal(one);
    const CanalResult b = ComputeCanal(two);
    ASSERT_EQ(a.reaches.size(), 1u) << a.refusal;
    ASSERT_EQ(b.reaches.size(), 2u) << b.refusal;
    const std::vector<ProfileStation>& whole = a.reaches[0].profile.stations;
    std::vector<ProfileStation> joined = b.reaches[1].profile.stations;
    for (ProfileStation s : b.reaches[0].profile.stations) {
      if (s.x == 0.0) continue;  // the junction, already the last station below
      s.x += b.reaches[0].offset;
      joined.push_back(s);
    }
    ASSERT_EQ(joined.size(), whole.size());
    for (size_t k = 0; k < whole.size(); ++k) {
      EXPECT_EQ(joined[k].x, whole[k].x);
      EXPECT_EQ(joined[k].h, whole[k].h) << "x=" << whole[k].x;
      EXPECT_NEAR(joined[k].z, whole[k].z, 1e-9) << "x=" << whole[k].x;
    }
  }
}

// The energy equation across a junction, written out: Zu + ku = Zd + kd + ζ·|ku − kd|.
TEST(Canal, JunctionsBalanceEnergyOrFallFreely) {
  struct Junction {
    double upperBedAboveLower;  // m, over the lower reach's upstream bed
    double loss;
    bool falls;
  };
  const Junction rows[] = {
      {0.0, 0.1, false}, {0.3, 0.2, false}, {-0.4, 0.5, false}, {3.0, 0.1, true}};
  const Row& r = kRows[0];
  const Row upper{"Form21", {"2", "1", "0.015", "1500"}, r.q, 1.0 / 1500, 20.0,
                  300.0,    CanalControl::Depth,         0.0};
  for (const Junction& j : rows) {
    SCOPED_TRACE(j.upperBedAboveLower);
    const double lowerTop = 100.0 + r.slope * r.length;
    const CanalInput canal{r.q,
                           CanalControl::Depth,
                           r.value,
                           20.0,
                           {Reach(upper, "上", upper.length, lowerTop + j.upperBedAboveLower, 0.0),
                            Reach(r, "下", r.length, 100.0, j.loss)}};
    const CanalResult result = ComputeCanal(canal);
    ASSERT_EQ(result.reaches.size(), 2u) << result.refusal;
    const ProfileStation& u = result.reaches[0].profile.stations.front();
    const ProfileStation& d = result.reaches[1].profile.stations.back();
    EXPECT_EQ(result.reaches[0].freeFall, j.falls);
    const double ku = u.v * u.v / 2.0 / kGravity;
    const double kd = d.v * d.v / 2.0 / kGravity;
    if (j.falls) {
      EXPECT_NEAR(u.fr, 1.0, 1e-6);
      EXPECT_GT(u.z + ku, d.z + kd + j.loss * std::fabs(ku - kd));
    } else {
      EXPECT_NEAR(u.z + ku, d.z + kd + j.loss * std::fabs(ku - kd), 1e-8);
    }
  }
}

// The bank of each reach: the highest level of the canal computed again at the
// increased discharge, plus Fb = h/4 + 0.2 m at that station (or the freeboard
// typed); a closed reach gives its crown there. K is interpolated here in the
// canal table by design discharge (1–5 m³/s: 1.30–1.25; 5–20: 1.25–1.20).
TEST(Canal, BankLevelIsTheHighestIncreasedLevelPlusFreeboard) {
  struct Banks {
    size_t row;
    std::optional<double> increased;  // empty: auto
    std::optional<double> freeboard;
    double k;    // the expected coefficient
    double top;  // the crown height of a closed section, 0 for a channel
  };
  const Banks rows[] = {{0, {}, {}, 1.25 - 0.05 * 7.0 / 15.0, 0.0},
                        {1, 15.0, {}, 15.0 / 12.0, 0.0},
                        {0, {}, 0.5, 1.25 - 0.05 * 7.0 / 15.0, 0.0},
                        {2, {}, {}, 1.30 - 0.05 * 0.5 / 4.0, 2.0},
                        {3, {}, {}, 1.30 - 0.05 * 2.0 / 4.0, 0.0}};
  for (const Banks& b : rows) {
    const Row& r = kRows[b.row];
    SCOPED_TRACE(std::string(r.window) + " " + std::to_string(b.row));
    CanalInput canal{r.q, r.control, r.value, r.step, {Reach(r, "一", r.length, 100.0, 0.0)}};
    canal.increased = b.increased;
    canal.increasedAuto = !b.increased;
    canal.freeboard = b.freeboard;
    const CanalBanks banks = BankLevels(canal);
    ASSERT_EQ(banks.reaches.size(), 1u) << banks.refusal;
    EXPECT_NEAR(banks.coefficient, b.k, 1e-12);
    CanalInput raised = canal;
    raised.discharge = r.q * b.k;
    const CanalResult at = ComputeCanal(raised);
    ASSERT_EQ(at.reaches.size(), 1u);
    const ProfileStation* top = &at.reaches[0].profile.stations.front();
    for (const ProfileStation& s : at.reaches[0].profile.stations) {
      if (s.z > top->z) top = &s;
    }
    const ReachBank& bank = banks.reaches[0];
    EXPECT_NEAR(bank.highest, top->z, 1e-9);
    EXPECT_EQ(bank.closed, b.top > 0.0);
    if (bank.closed) {
      EXPECT_NEAR(bank.level, top->z - top->h + b.top, 1e-9);
    } else {
      EXPECT_NEAR(bank.level, top->z + b.freeboard.value_or(top->h / 4.0 + 0.2), 1e-9);
    }
  }
}

// The canal handed to the book as a record reads back to the canal read from
// its file: every field, the windows by name; a file's own faults are refused.
TEST(Canal, RecordReadsBackTheCanalFile) {
  struct File {
    const char* json;
    const char* error;  // empty: reads
  };
  const File rows[] = {
      {R"({"discharge": 12, "downstream": {"level": 103.2}, "step": 20, "increased": "auto",
           "freeboard": 0.5, "reaches": [{"name": "上", "window": "flat-bottom-depth",
           "boxes": ["3", 1.5, "0.02", "2000"], "length": 400, "bed_level_downstream": 104,
           "loss": 0.1}]})",
       ""},
      {R"({"discharge": 3, "downstream": {"critical": true}, "increased": 4.2, "reaches": [
           {"name": "洞", "window": "Form24", "boxes": ["", "1", "0.014", "1000"],
           "length": 300, "bed_level_downstream": 100}]})",
       ""},
      {R"({"discharge": 3, "downstream": {"depth": 1}, "increased": "none", "reaches": [
           {"name": "下", "window": "Form21", "boxes": ["3", "1.5", "0.02", "2000"],
           "length": 300, "bed_level_downstream": 100}]})",
       ""},
      {R"({"discharge": 3, "downstream": {"depth": 1}, "increased": "more", "reaches": []})",
       "\"increased\" is a discharge above 0, \"auto\" or \"none\""},
      {R"({"discharge": 3, "downstream": {"depth": 1}, "increased": "none", "freeboard": 1,
           "reaches": []})",
       "\"freeboard\" goes with an increased discharge"},
      {R"({"discharge": 3, "downstream": {"depth": 1}, "freeboard": -1, "reaches": []})",
       "\"freeboard\" must not be negative"},
  };
  const auto find = [](std::string_view name) -> const WindowSpec* {
    if (name == "flat-bottom-depth") return FindWindow("Form21");
    return FindWindow(name);
  };
  for (const File& f : rows) {
    SCOPED_TRACE(f.json);
    const CanalReading read = ReadCanal(f.json, find);
    ASSERT_EQ(read.error, f.error);
    if (!read.error.empty()) continue;
    const std::optional<CanalReading> back =
        ReadCanalRecord("{\"canal\": " + CanalJson(read.canal) + "}");
    ASSERT_TRUE(back && back->error.empty());
    const CanalInput& a = read.canal;
    const CanalInput& b = back->canal;
    EXPECT_EQ(a.discharge, b.discharge);
    EXPECT_EQ(a.control, b.control);
    EXPECT_EQ(a.controlValue, b.controlValue);
    EXPECT_EQ(a.step, b.step);
    EXPECT_EQ(a.increased, b.increased);
    EXPECT_EQ(a.increasedAuto, b.increasedAuto);
    EXPECT_EQ(a.freeboard, b.freeboard);
    ASSERT_EQ(a.reaches.size(), b.reaches.size());
    for (size_t k = 0; k < a.reaches.size(); ++k) {
      EXPECT_EQ(a.reaches[k].name, b.reaches[k].name);
      EXPECT_EQ(a.reaches[k].window, b.reaches[k].window);
      EXPECT_EQ(a.reaches[k].boxes, b.reaches[k].boxes);
      EXPECT_EQ(a.reaches[k].length, b.reaches[k].length);
      EXPECT_EQ(a.reaches[k].bedDownstream, b.reaches[k].bedDownstream);
      EXPECT_EQ(a.reaches[k].loss, b.reaches[k].loss);
    }
  }
  EXPECT_FALSE(ReadCanalRecord(R"({"window": "Form21", "boxes": []})"));
}

}  // namespace
}  // namespace tarnwick
