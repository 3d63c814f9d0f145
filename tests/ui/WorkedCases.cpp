#include "WorkedCases.h"

const std::vector<WorkedCase>& WorkedCases() {
  static const std::vector<WorkedCase> cases = {
      // Arc bottom R = 2, M = 1.5 (trapezoidal); width box left empty.
      {"Form2", {"2", "1.5", "0.025", "1000", "5", ""}},
      {"Form31", {"2", "1.5", "0.025", "1000", "1", ""}},
      // Flat bottom B = 2, M = 1.5.
      {"Form21", {"2", "1.5", "0.025", "1000", "5"}},
      {"Form32", {"2", "1.5", "0.025", "1000", "1.5"}},
      // U channel R = 1.
      {"Form22", {"1", "0.014", "2000", "3"}},
      {"Form33", {"1", "0.014", "2000", "1.5"}},
      // Compound section: main channel 4 m wide, 2 m deep, flood plains 10 m and 8 m.
      {"Form11", {"4", "1.5", "2", "0.025", "10", "2", "0.035", "8", "2.5", "0.04", "2000", "10"}},
      {"Form12", {"4", "1.5", "2", "0.025", "10", "2", "0.035", "8", "2.5", "0.04", "2000", "3"}},
      // City gate 3 m wide, 2 m walls, 120° roof of radius 1.7320508, flat floor.
      {"Form23", {"3", "2", "1.7320508", "120", "0", "0.014", "1000", "8"}},
      {"Form34", {"3", "2", "1.7320508", "120", "0", "0.014", "1000", "2.5"}},
      // Circular R = 1: full circle, then a 0.8 m flat floor.
      {"Form24", {"", "1", "0.014", "1000", "1.5"}},
      {"Form35", {"0.8", "1", "0.014", "1000", "0.6"}},
      // Horseshoe R1 = 1, A1 = 180, R2 = 2, A2 = 30, R3 = 2.
      {"Form25", {"0", "1", "180", "2", "30", "2", "0.014", "1000", "2"}},
      {"Form36", {"1", "1", "180", "2", "30", "2", "0.014", "1000", "0.5"}},
      // Three-centred arch whose four arcs form one circle of radius 1.
      {"Form26", {"0", "1", "90", "1", "90", "1", "0.014", "1000", "2"}},
      {"Form37", {"0", "1", "90", "1", "90", "1", "0.014", "1000", "1"}},
      // Parabola x² = 2·p·y with p = 1, and a 2 m × 2 m box culvert.
      {"Form27", {"1", "0.014", "1000", "2"}},
      {"Form38", {"1", "0.014", "1000", "1"}},
      {"Form28", {"2", "2", "0.014", "1000", "3"}},
      {"Form39", {"2", "2", "0.014", "1000", "1"}},
  };
  return cases;
}

tarnwick::CanalInput ThreeReachCanal() {
  const tarnwick::WindowSpec* w = tarnwick::FindWindow("Form21");
  tarnwick::CanalInput c;
  c.discharge = 12.0;
  c.control = tarnwick::CanalControl::Level;
  c.controlValue = 103.2;
  c.step = 20.0;
  c.reaches = {{"上段", w, {"3", "1.5", "0.02", "2000"}, 400.0, 104.0, 0.0},
               {"跌坎下段", w, {"4", "1.5", "0.02", "2500"}, 600.0, 100.4, 0.1},
               {"渡槽段", w, {"3", "0", "0.014", "1500"}, 200.0, 100.2, 0.2}};
  return c;
}
