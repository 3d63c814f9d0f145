// The contract every family keeps, tested once over the window table: a row per
// family, pressed through its two windows as the desktop and the command line
// press them, so a new family is tested by being registered.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "sections/WindowCatalog.h"

namespace tarnwick {

// A row by its family's command-line name, not its bytes.
void PrintTo(const FamilySpec& family, std::ostream* os) { *os << family.id; }

namespace {

size_t ValueIndex(const WindowSpec& w) {
  for (size_t k = 0; k < w.boxes.size(); ++k) {
    if (w.boxes[k].role == BoxRole::Discharge || w.boxes[k].role == BoxRole::Depth) return k;
  }
  return w.boxes.size();
}

PressResult Press(const WindowSpec& w, const std::vector<double>& boxes) {
  ResultPane pane;
  return w.run(boxes, pane, PressDetail::Case);
}

class FamilyContract : public testing::TestWithParam<FamilySpec> {
 protected:
  void SetUp() override {
    depth = FindWindow(CalculationKind::Depth, GetParam().family);
    discharge = FindWindow(CalculationKind::Discharge, GetParam().family);
    ASSERT_NE(depth, nullptr);
    ASSERT_NE(discharge, nullptr);
    // A blank box, and a box the sample leaves out (read on demand), read as 0.
    for (const std::string_view t : GetParam().sample) {
      sample.push_back(t.empty() ? 0.0 : std::stod(std::string(t)));
    }
    ASSERT_LE(sample.size(), discharge->boxes.size());
    sample.resize(discharge->boxes.size(), 0.0);
    ASSERT_EQ(ValueIndex(*depth), ValueIndex(*discharge));
    value = ValueIndex(*depth);
    ASSERT_LT(value, sample.size());
  }
  const WindowSpec* depth = nullptr;
  const WindowSpec* discharge = nullptr;
  std::vector<double> sample;
  size_t value = 0;
};

// The sample's discharge, typed into the depth window, is carried at the
// sample's depth: the two windows are one section. A press has a case exactly
// when it prints a report.
TEST_P(FamilyContract, DepthWindowFindsTheDischargeWindowsDepth) {
  const PressResult q = Press(*discharge, sample);
  ASSERT_EQ(q.outcome, PressOutcome::Report);
  ASSERT_TRUE(q.sectionCase.has_value());
  ASSERT_TRUE(q.state.has_value());
  std::vector<double> boxes = sample;
  boxes[value] = q.state->q1;
  const PressResult h = Press(*depth, boxes);
  ASSERT_EQ(h.outcome, PressOutcome::Report);
  ASSERT_TRUE(h.sectionCase.has_value());
  EXPECT_TRUE(h.converged);
  EXPECT_NEAR(h.state->h, sample[value], 1e-3);
  EXPECT_LT(std::abs(h.state->q1 - q.state->q1), 0.0001);
  EXPECT_EQ(h.sectionCase->model.crown, q.sectionCase->model.crown);
}

TEST_P(FamilyContract, RefusedPressHasNoCase) {
  for (const WindowSpec* w : {depth, discharge}) {
    const PressResult r = Press(*w, std::vector<double>(w->boxes.size(), 0.0));
    EXPECT_NE(r.outcome, PressOutcome::Report) << w->name;
    EXPECT_FALSE(r.sectionCase.has_value()) << w->name;
    EXPECT_FALSE(r.state.has_value()) << w->name;
  }
}

// A closed section's crown and full-section discharge are the very numbers its
// windows test against: the depth window searches at Q = Qmax and prints its
// capacity block one step above; the discharge window refuses the crown and
// computes one step below it. An open channel has neither.
TEST_P(FamilyContract, CrownAndCapacityAreTheWindowsOwn) {
  const PressResult q = Press(*discharge, sample);
  ASSERT_TRUE(q.sectionCase.has_value());
  const SectionModel& model = q.sectionCase->model;
  EXPECT_EQ(depth->closed, discharge->closed);
  if (!discharge->closed) {
    EXPECT_EQ(model.crown, 0.0);
    EXPECT_FALSE(model.fullSectionDischarge.has_value());
    EXPECT_EQ(depth->closedKind, ClosedKind::Open);
    return;
  }
  EXPECT_NE(depth->closedKind, ClosedKind::Open);
  ASSERT_TRUE(model.fullSectionDischarge.has_value());
  const double qmax = *model.fullSectionDischarge;
  std::vector<double> boxes = sample;
  boxes[value] = qmax;
  EXPECT_EQ(Press(*depth, boxes).outcome, PressOutcome::Report);
  boxes[value] = std::nextafter(qmax, std::numeric_limits<double>::infinity());
  const PressResult over = Press(*depth, boxes);
  EXPECT_EQ(over.outcome, PressOutcome::Capacity);
  EXPECT_FALSE(over.sectionCase.has_value());
  boxes[value] = model.crown;
  EXPECT_EQ(Press(*discharge, boxes).outcome, PressOutcome::DepthTooGreat);
  boxes[value] = std::nextafter(model.crown, 0.0);
  EXPECT_EQ(Press(*discharge, boxes).outcome, PressOutcome::Report);
}

INSTANTIATE_TEST_SUITE_P(Table, FamilyContract, testing::ValuesIn(Families()),
                         [](const testing::TestParamInfo<FamilySpec>& info) {
                           std::string name;
                           for (const char c : info.param.id) name += std::isalnum(c) ? c : '_';
                           return name;
                         });

}  // namespace
}  // namespace tarnwick
