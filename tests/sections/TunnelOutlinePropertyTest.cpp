// The drawn boundary of each tunnel and the closed-form wetted geometry of its
// calculator are two independent descriptions of one section: area, wetted
// perimeter and surface width measured on the outline under a water level must
// agree with the figures the discharge window computes at that depth.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/Hydraulics.h"
#include "core/OutlineGeometry.h"
#include "core/ReportRow.h"
#include "sections/BoxCulvert.h"
#include "sections/CircularTunnel.h"
#include "sections/CityGateTunnel.h"
#include "sections/WindowCatalog.h"

namespace tarnwick {
namespace {

constexpr double kN = 0.014;
constexpr double kD = 1000.0;
// A ten-thousandth: far finer than a drawn line, far coarser than any fault in a
// zone formula or an arc's centre.
constexpr double kDrawingAccuracy = 1e-4;

struct TunnelCase {
  std::string name;
  std::string family;
  std::optional<SectionModel> model;
  std::vector<double> boundaries;  // depths where the closed form changes zone
  double span = 0.0;               // widest width of the section
  // A flat roof is wetted all at once when the water reaches it; a water line
  // drawn exactly at the roof still sees the open rectangle, so the crown
  // itself is left out of the depths measured.
  bool flatRoof = false;
};

TunnelCase CityGate(const std::string& name, double b, double h2, double r1, double a1, double r2) {
  const auto s = CityGateTunnel::BuildSection(b, h2, r1, a1, r2);
  std::vector<double> boundaries{s.h1 + s.h2};
  if (r2 > 0.0) boundaries.push_back(s.h1);
  return {name, "city-gate",
          FamilyModel<CityGateTunnel::Definition>({b, h2, r1, a1, r2, kN, kD, 1.0}), boundaries, b};
}

TunnelCase Circular(const std::string& name, double b, double r) {
  const auto s = CircularTunnel::BuildSection(b, r);
  return {name,
          "circular",
          FamilyModel<CircularTunnel::Definition>({b, r, kN, kD, 1.0}),
          {s.c},
          2.0 * r};
}

TunnelCase Box(const std::string& name, double b, double height) {
  return {name, "box culvert", FamilyModel<BoxCulvert::Definition>({b, height, kN, kD, 1.0}), {},
          b,    true};
}

// Evenly spread depths, every zone boundary with depths just either side of it,
// and depths closing in on the crown.
std::vector<double> DepthsOf(const TunnelCase& c) {
  const double crown = c.model->crown;
  std::vector<double> depths;
  for (int k = 1; k <= 40; ++k) depths.push_back(crown * k / 41.0);
  for (const double b : c.boundaries) {
    for (const double step : {0.0, 1e-7, 1e-4, 1e-2}) {
      depths.push_back(b - step * crown);
      depths.push_back(b + step * crown);
    }
  }
  for (const double below : {1e-2, 1e-4, 1e-6, 0.0}) {
    if (below > 0.0 || !c.flatRoof) depths.push_back(crown * (1.0 - below));
  }
  return depths;
}

double Relative(double measured, double exact) {
  return std::fabs(measured - exact) / std::fabs(exact);
}

TEST(TunnelOutline, WettedFiguresOfTheOutlineMatchTheClosedForm) {
  // Consistent sections: the roof chord 2·R1·sin(A1/2) equals the width to the
  // typed digits (120° on √3, 90° on √2, 180° on B/2).
  const TunnelCase cases[] = {
      CityGate("city-gate, flat floor", 3, 2, 1.7320508, 120, 0),
      CityGate("city-gate, floor arch", 3, 2, 1.7320508, 120, 3),
      CityGate("city-gate, semicircular roof", 3, 1.2, 1.5, 180, 0),
      CityGate("city-gate, right-angle roof, deep floor arch", 2, 1.5, 1.4142136, 90, 1.2),
      Circular("full circle", 0, 1),
      Circular("full circle, large", 0, 2.5),
      Circular("flat floor", 0.8, 1),
      Circular("wide flat floor", 1.9, 1),
      Box("square box culvert", 2, 2),
      Box("low wide box culvert", 4.5, 1.2),
  };
  struct Worst {
    double area = 0.0;
    double perimeter = 0.0;
    double width = 0.0;
  };
  std::map<std::string, Worst> worstOf;
  for (const TunnelCase& c : cases) {
    ASSERT_TRUE(c.model.has_value()) << c.name;
    Worst& worst = worstOf[c.family];
    const Outline outline = c.model->outline(0.0);
    for (const double h : DepthsOf(c)) {
      const SectionState exact = c.model->evaluate(h);
      const OutlineWetting drawn = WettingBelow(outline, h);
      const double area = Relative(drawn.area, exact.w);
      const double perimeter = Relative(drawn.perimeter, exact.x);
      // The width shrinks to nothing at the crown: it is held to the drawing's
      // scale, the widest width of the section.
      const double width = std::fabs(drawn.surfaceWidth - exact.surfaceWidth) / c.span;
      EXPECT_LT(area, kDrawingAccuracy) << c.name << " h=" << h;
      EXPECT_LT(perimeter, kDrawingAccuracy) << c.name << " h=" << h;
      EXPECT_LT(width, kDrawingAccuracy) << c.name << " h=" << h;
      worst.area = std::max(worst.area, area);
      worst.perimeter = std::max(worst.perimeter, perimeter);
      worst.width = std::max(worst.width, width);
    }
  }
  for (const auto& [family, worst] : worstOf) {
    std::cout << "largest disagreement, " << family << ": area " << worst.area << ", perimeter "
              << worst.perimeter << ", width " << worst.width << "\n";
  }
}

TEST(TunnelOutline, ClosedLoopFromTheCrownDownToTheLowestPoint) {
  struct Case {
    TunnelCase tunnel;
    double halfWidth;  // largest |x| of the boundary
  };
  const Case cases[] = {
      {CityGate("flat floor", 3, 2, 1.7320508, 120, 0), 1.5},
      {CityGate("floor arch", 3, 2, 1.7320508, 120, 3), 1.5},
      {Circular("full circle", 0, 1), 1.0},
      {Circular("flat floor", 0.8, 1), 1.0},
  };
  for (const Case& c : cases) {
    const SectionModel& model = *c.tunnel.model;
    const Outline outline = model.outline(123.0);  // the level is ignored by a tunnel
    ASSERT_GT(outline.size(), 1000u) << c.tunnel.name;
    EXPECT_EQ(outline.front().x, 0.0) << c.tunnel.name;
    EXPECT_EQ(outline.front().y, model.crown) << c.tunnel.name;
    EXPECT_EQ(outline.back().x, 0.0) << c.tunnel.name;
    EXPECT_EQ(outline.back().y, model.crown) << c.tunnel.name;
    double lowest = model.crown;
    double highest = 0.0;
    double widest = 0.0;
    for (const OutlinePoint& p : outline) {
      lowest = std::min(lowest, p.y);
      highest = std::max(highest, p.y);
      widest = std::max(widest, std::fabs(p.x));
    }
    EXPECT_EQ(lowest, 0.0) << c.tunnel.name;
    EXPECT_EQ(highest, model.crown) << c.tunnel.name;
    EXPECT_NEAR(widest, c.halfWidth, 1e-7) << c.tunnel.name;
  }
}

TEST(TunnelOutline, RoofOnItsOwnChordIsJoinedToTheWallTops) {
  // Roof chords wider (2·2·sin 60° ≈ 3.464) and narrower (2·1.5·sin 45° ≈ 2.121)
  // than the 3 m between the walls.
  for (const double r1 : {2.0, 1.5}) {
    const double a1 = r1 == 2.0 ? 120.0 : 90.0;
    const TunnelCase c = CityGate("mismatched roof", 3, 2, r1, a1, 0);
    const Outline outline = c.model->outline(0.0);
    const double roofHalf = r1 * std::sin(DegreesToRadians(a1) / 2.0);
    int ledgeEnds = 0;
    for (const OutlinePoint& p : outline) {
      EXPECT_GE(p.y, 0.0);
      if (p.y == 2.0 && (std::fabs(p.x) == 1.5 || std::fabs(p.x) == roofHalf)) ++ledgeEnds;
    }
    EXPECT_EQ(ledgeEnds, 4) << r1;
    // The walls and floor are unaffected: up to the wall top the outline holds
    // the rectangle the closed form computes.
    for (const double h : {0.5, 2.0}) {
      const OutlineWetting drawn = WettingBelow(outline, h);
      const SectionState exact = c.model->evaluate(h);
      EXPECT_NEAR(drawn.area, exact.w, 1e-12) << r1;
      EXPECT_NEAR(drawn.perimeter, exact.x, 1e-12) << r1;
      EXPECT_NEAR(drawn.surfaceWidth, 3.0, 1e-12) << r1;
    }
  }
}

std::optional<SectionModel> ModelOfWindow(std::string_view window,
                                          const std::vector<std::string>& boxes) {
  const WindowSpec* entry = FindWindow(window);
  EXPECT_NE(entry, nullptr) << window;
  return entry == nullptr ? std::nullopt : ModelOf(*entry, boxes);
}

TEST(TunnelModel, FullSectionDischargeIsWhatTheCapacityBlockPrints) {
  struct Case {
    const char* window;
    std::vector<std::string> section;  // every box but the discharge
    double qmax;                       // worked full-section discharge, 5 decimals
    bool roundedInBlock;               // the city-gate block rounds, the circular one not
  };
  const Case cases[] = {
      {"Form23", {"3", "2", "1.7320508", "120", "0", "0.014", "1000"}, 14.46587, true},
      {"Form23", {"3", "2", "1.7320508", "120", "3", "0.014", "1000"}, 16.90823, true},
      {"Form24", {"", "1", "0.014", "1000"}, 4.47028, false},
      {"Form28", {"2", "2", "0.014", "1000"}, 5.69174, true},
  };
  for (const Case& c : cases) {
    std::vector<std::string> boxes = c.section;
    boxes.push_back("1");
    const auto model = ModelOfWindow(c.window, boxes);
    ASSERT_TRUE(model.has_value()) << c.window;
    ASSERT_TRUE(model->fullSectionDischarge.has_value());
    const double qmax = *model->fullSectionDischarge;
    EXPECT_NEAR(qmax, c.qmax, 5e-6) << c.window;
    // The rating's last row, at the crown, is the full section.
    EXPECT_EQ(model->evaluate(model->crown).q1, qmax) << c.window;

    // A discharge a little above it gets the capacity block, printing this value.
    boxes.back() = std::to_string(qmax * 1.001);
    ResultPane pane;
    ASSERT_EQ(Press(*FindWindow(c.window), boxes, pane), PressOutcome::Capacity) << c.window;
    const std::string figure = NumberText(c.roundedInBlock ? RoundDisplay(qmax) : qmax);
    ASSERT_GE(pane.Lines().size(), 2u);
    const std::string& line = pane.Lines()[1];
    EXPECT_EQ(line.substr(line.size() - figure.size()), figure) << c.window;
    // And the section has nothing to draw or rate for that discharge.
    EXPECT_FALSE(ModelOfWindow(c.window, boxes).has_value()) << c.window;
  }
}

TEST(TunnelModel, WindowsOfferAModelExactlyWhenThePressReports) {
  struct Case {
    const char* window;
    std::vector<std::string> boxes;
    bool offered;
  };
  const Case cases[] = {
      {"Form23", {"3", "2", "1.7320508", "120", "0", "0.014", "1000", "8"}, true},
      {"Form23", {"3", "2", "1.7320508", "120", "1.5", "0.014", "1000", "8"}, false},
      {"Form23", {"3", "2", "1.7320508", "120", "0", "0.014", "0", "8"}, false},
      {"Form34", {"3", "2", "1.7320508", "120", "3", "0.014", "1000", "0.3"}, true},
      {"Form34", {"3", "2", "1.7320508", "120", "0", "0.014", "1000", "2.8660"}, true},
      {"Form34", {"3", "2", "1.7320508", "120", "0", "0.014", "1000", "2.8661"}, false},
      {"Form34", {"3", "2", "1.7320508", "120", "0", "0.014", "1000", "-1"}, false},
      {"Form24", {"", "1", "0.014", "1000", "1.5"}, true},
      {"Form24", {"", "1", "0.014", "1000", "4.5"}, false},
      {"Form24", {"2", "1", "0.014", "1000", "1.5"}, false},
      {"Form35", {"0.8", "1", "0.014", "1000", "0.6"}, true},
      {"Form35", {"", "1", "0.014", "1000", "2"}, false},
      {"Form35", {"0.8", "1", "0.014", "1000", "1.92"}, false},
      {"Form28", {"2", "2", "0.014", "1000", "5.69174"}, true},
      {"Form28", {"2", "2", "0.014", "1000", "5.69175"}, false},
      {"Form39", {"2", "2", "0.014", "1000", "1.9999"}, true},
      {"Form39", {"2", "2", "0.014", "1000", "2"}, false},
  };
  for (const Case& c : cases) {
    const WindowSpec* entry = FindWindow(c.window);
    ASSERT_NE(entry, nullptr);
    ResultPane pane;
    const bool reported = Press(*entry, c.boxes, pane) == PressOutcome::Report;
    EXPECT_EQ(reported, c.offered) << c.window << " " << c.boxes.back();
    EXPECT_EQ(ModelOf(*entry, c.boxes).has_value(), c.offered) << c.window << " " << c.boxes.back();
  }
}

TEST(TunnelModel, StatesAreTheDischargeWindowsFigures) {
  // Worked discharge-window cases, read through the window's own boxes.
  struct Case {
    const char* window;
    std::vector<std::string> boxes;
    double h;
    double q1;
    double w;
    double x;
    double width;
  };
  const Case cases[] = {
      {"Form34",
       {"3", "2", "1.7320508", "120", "0", "0.014", "1000", "2.5"},
       2.5,
       15.1326,
       7.311,
       8.334,
       2.12976},
      {"Form34",
       {"3", "2", "1.7320508", "120", "3", "0.014", "1000", "0.3"},
       0.3,
       0.40187,
       0.528,
       2.706,
       2.61534},
      {"Form35", {"0.8", "1", "0.014", "1000", "0.6"}, 0.6, 1.04273, 0.90359, 2.47445, 1.89717},
      {"Form35", {"", "1", "0.014", "1000", "1"}, 1.0, 2.23514, 1.5708, 3.14159, 2.0},
      {"Form39", {"2", "2", "0.014", "1000", "1.5"}, 1.5, 4.82052, 3.0, 5.0, 2.0},
  };
  for (const Case& c : cases) {
    const auto model = ModelOfWindow(c.window, c.boxes);
    ASSERT_TRUE(model.has_value()) << c.window;
    const SectionState s = model->evaluate(c.h);
    EXPECT_EQ(RoundDisplay(s.q1), c.q1) << c.window << " " << c.h;
    // The city-gate report cuts area and perimeter to three decimals.
    EXPECT_NEAR(s.w, c.w, 1e-3) << c.window << " " << c.h;
    EXPECT_NEAR(s.x, c.x, 1e-3) << c.window << " " << c.h;
    EXPECT_EQ(RoundDisplay(s.surfaceWidth), c.width) << c.window << " " << c.h;
  }
  // A depth a rounding step above the crown, as crown·k/k can give, is the
  // full section rather than an undefined square root.
  struct AboveCrown {
    const char* window;
    std::vector<std::string> boxes;
  };
  const AboveCrown above[] = {
      {"Form34", {"3", "2", "1.7320508", "120", "3", "0.014", "1000", "1"}},
      {"Form35", {"0.8", "1", "0.014", "1000", "1"}},
      {"Form39", {"2", "2", "0.014", "1000", "1"}},
  };
  for (const AboveCrown& c : above) {
    const auto model = ModelOfWindow(c.window, c.boxes);
    ASSERT_TRUE(model.has_value()) << c.window;
    const SectionState s = model->evaluate(std::nextafter(model->crown, 10.0));
    EXPECT_EQ(s.q1, *model->fullSectionDischarge) << c.window;
    EXPECT_EQ(s.surfaceWidth, 0.0) << c.window;
  }
}

}  // namespace
}  // namespace tarnwick
