#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sections/WindowCatalog.h"

namespace tarnwick {
namespace {

TEST(WindowCatalog, EveryWindowComputesAndOffersItsSection) {
  ASSERT_EQ(Windows().size(), 20u);
  for (const WindowSpec& w : Windows()) {
    EXPECT_NE(w.run, nullptr) << w.name;
    EXPECT_EQ(FindWindow(w.kind, w.family), &w);
    EXPECT_EQ(FindWindow(w.name), &w);
  }
}

// The selection window draws each family from its sample section: the sample
// must be a section its discharge window accepts, and each family has both windows.
TEST(WindowCatalog, EveryFamilySampleIsAPressableSection) {
  for (const FamilySpec& f : Families()) {
    const WindowSpec* discharge = FindWindow(CalculationKind::Discharge, f.family);
    ASSERT_NE(discharge, nullptr) << f.id;
    ASSERT_NE(FindWindow(CalculationKind::Depth, f.family), nullptr) << f.id;
    const std::vector<std::string> boxes(f.sample.begin(), f.sample.end());
    ResultPane pane;
    EXPECT_EQ(Press(*discharge, boxes, pane), PressOutcome::Report) << f.id << "\n"
                                                                    << pane.Joined();
    EXPECT_TRUE(CaseOf(*discharge, boxes).has_value()) << f.id;
  }
}

// The case behind a press: the depth the report prints and the discharge it is for.
TEST(WindowCatalog, CaseOfIsWhatThePressReports) {
  struct Case {
    const char* window;
    std::vector<std::string> boxes;
    double depth;
    double discharge;
    double tolerance;
  };
  const Case cases[] = {
      {"Form21", {"2", "1.5", "0.025", "1000", "5"}, 1.2459754943847656, 5.0, 0.0},
      {"Form32", {"2", "1.5", "0.025", "1000", "1.5"}, 1.5, 7.29536, 5e-6},
      {"Form2", {"2", "1.5", "0.025", "1000", "5"}, 1.43746, 5.0, 5e-6},
      {"Form11",
       {"4", "1.5", "2", "0.025", "10", "2", "0.035", "8", "2.5", "0.04", "2000", "60"},
       3.27959,
       60.0,
       5e-6},
      {"Form23", {"3", "2", "1.7320508", "120", "0", "0.014", "1000", "8"}, 1.44744, 8.0, 5e-6},
      {"Form34", {"3", "2", "1.7320508", "120", "0", "0.014", "1000", "2.5"}, 2.5, 15.1326, 5e-5},
      {"Form24", {"", "1", "0.014", "1000", "1.5"}, 0.79816, 1.5, 5e-6},
      {"Form25", {"0", "1", "180", "2", "30", "2", "0.014", "1000", "2"}, 0.8854, 2.0, 5e-6},
      {"Form27", {"1", "0.014", "1000", "2"}, 0.8532404899597168, 2.0, 0.0001},
      {"Form38", {"1", "0.014", "1000", "1"}, 1.0, 2.76974, 5e-6},
      {"Form28", {"2", "2", "0.014", "1000", "3"}, 1.04046630859375, 3.0, 0.0001},
      {"Form39", {"2", "2", "0.014", "1000", "1.04046630859375"}, 1.04046630859375, 3.00005, 5e-6},
  };
  for (const Case& c : cases) {
    const WindowSpec* w = FindWindow(c.window);
    ASSERT_NE(w, nullptr);
    const auto sc = CaseOf(*w, c.boxes);
    ASSERT_TRUE(sc.has_value()) << c.window;
    EXPECT_NEAR(sc->state.h, c.depth, c.tolerance) << c.window;
    EXPECT_NEAR(sc->discharge, c.discharge, c.tolerance) << c.window;
    EXPECT_EQ(RatingTop(*sc), sc->model.IsTunnel() ? sc->model.crown : 2.0 * sc->state.h);
  }
}

TEST(WindowCatalog, RefusedBoxesHaveNoCase) {
  const struct {
    const char* window;
    std::vector<std::string> boxes;
  } refused[] = {
      {"Form21", {"0", "1.5", "0.025", "1000", "5"}},
      {"Form21", {"2", "1.5", "0.025", "1000", "1e999"}},
      {"Form2", {"2", "0", "0.014", "2500", "4", "4"}},  // width of the diameter
      {"Form23", {"3", "2", "1.7320508", "120", "0", "0.014", "1000", "15"}},  // above capacity
      {"Form35", {"0.8", "1", "0.014", "1000", "5"}},                          // above the crown
      {"Form36", {"0", "1", "180", "2", "30", "2", "0.014", "1000", "50"}},    // 50 m in 2.14 m
      {"Form37", {"0", "1", "90", "0.5", "45", "2", "0.014", "1000", "50"}},
      {"Form25", {"0", "1", "180", "2", "30", "2", "0.014", "1000", "500"}},  // above capacity
      {"Form26", {"0", "1", "90", "0.5", "45", "2", "0.014", "1000", "500"}},
      {"Form33", {"1", "0.014", "1000", "1e-17"}},  // a report of undefined figures
      {"Form27", {"0", "0.014", "1000", "2"}},
      {"Form28", {"2", "2", "0.014", "1000", "5.69175"}},  // above the full section's 5.69174
      {"Form39", {"2", "2", "0.014", "1000", "2"}},        // water at the roof
  };
  for (const auto& r : refused) {
    const WindowSpec& w = *FindWindow(r.window);
    ResultPane pane;
    EXPECT_NE(Press(w, r.boxes, pane), PressOutcome::Report) << r.window;
    EXPECT_FALSE(CaseOf(w, r.boxes).has_value()) << r.window;
    EXPECT_FALSE(ModelOf(w, r.boxes).has_value()) << r.window;
  }
}

}  // namespace
}  // namespace tarnwick
