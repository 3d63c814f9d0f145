#include "CompoundChannel.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "InputBoxes.h"
#include "core/OutlineGeometry.h"

namespace tarnwick::CompoundChannel {

namespace {

constexpr int kC1 = 25;
constexpr int kC2 = 50;

// Flood-plain widths may be 0. A negative slope makes a bank overhang: the area of
// that part turns negative as the water rises and its sixth root is undefined, so
// such a section is refused like any bad input. A flood plain of zero width and
// zero slope is a vertical wall at the bank top: it wets its height, carries
// nothing, and is computed.
bool InputsValid(const Inputs& in) {
  const Section& s = in;
  return s.b1 > 0 && s.h1 > 0 && s.n1 > 0 && s.b2 >= 0 && s.n2 > 0 && s.b3 >= 0 && s.n3 > 0 &&
         in.value > 0 && in.d > 0 && s.m1 >= 0 && s.m2 >= 0 && s.m3 >= 0;
}

Part Subsection(double w, double x, double n, double i) {
  return {w, x, ManningFlow(w, x, n, i).q1};
}

// A flood plain hf deep: its flat bottom b plus the triangle against its outer
// bank of slope m; it has no inner wall.
Part FloodPlain(double b, double m, double n, double hf, double i) {
  const double w = (2.0 * b + m * hf) * hf / 2.0;
  const double bank = hf * m;
  const double x = b + std::sqrt(hf * hf + bank * bank);
  return Subsection(w, x, n, i);
}

void PrintReport(ResultPane& pane, const Inputs& in, double i, const CompoundState& s,
                 bool depthKind) {
  const Section& sec = in;
  Banner(pane, depthKind ? "  ****************复式断面平底梯形渠均匀流水深计算成果表************"
                         : "  ****************复式断面平底梯形渠均匀流流量计算成果表************");
  ReportRow(pane, kC1, kC2, {"深槽底宽B1=", RoundDisplay(sec.b1)},
            {"左滩地底宽B2=", RoundDisplay(sec.b2)}, {"右滩地底宽B3=", RoundDisplay(sec.b3)});
  ReportRow(pane, kC1, kC2, {"深槽边坡M1=", RoundDisplay(sec.m1)},
            {"左滩地边坡M2=", RoundDisplay(sec.m2)}, {"右滩地边坡M3=", RoundDisplay(sec.m3)});
  ReportRow(pane, kC1, kC2, {"深槽糙率n1=", RoundDisplay(sec.n1)},
            {"左滩地糙率n2=", RoundDisplay(sec.n2)}, {"右滩地糙率n3=", RoundDisplay(sec.n3)});
  if (depthKind) {
    ReportRow(pane, kC1, kC2, {"水面宽B=", RoundDisplay(s.surfaceWidth)},
              {"纵坡I= 1/", RoundSlope(i)}, {"设计流量Q=", RoundDisplay(in.value)});
  } else {
    ShortRow(pane, kC1, {"水面宽B=", RoundDisplay(s.surfaceWidth)}, {"纵坡I= 1/", RoundSlope(i)});
  }
  ReportRow(pane, kC1, kC2, {"计算流量Q1=", RoundDisplay(s.q1)}, {"正常水深H=", RoundDisplay(s.h)},
            {"流速V=", RoundDisplay(s.v)});
  ReportRow(pane, kC1, kC2, {"断面能量E=", RoundDisplay(s.e)},
            {"过水断面面积W=", RoundDisplay(s.w)}, {"湿周X=", RoundDisplay(s.x)});
}

}  // namespace

CompoundState Evaluate(const Section& sec, double i, double h) {
  const double hf = h - sec.h1;  // depth over the flood plains
  CompoundState state;
  if (!(hf > 0)) {
    // Within the main channel (bank-full included): one trapezoid with n1.
    const double w = (2.0 * sec.b1 + 2.0 * h * sec.m1) * h / 2.0;
    const double slant = h * sec.m1;
    const double x = sec.b1 + 2.0 * std::sqrt(slant * slant + h * h);
    const double surfaceWidth = sec.b1 + 2.0 * sec.m1 * h;
    static_cast<SectionState&>(state) = FlowState(h, w, x, surfaceWidth, sec.n1, i);
    return state;
  }
  // Main channel above the banks: the bank-full trapezoid plus a rectangle as wide
  // as the channel at its bank tops; the dividing lines wet nothing, so the
  // perimeter stays the bank-full one.
  const double bankFullArea = (2.0 * sec.b1 + 2.0 * sec.h1 * sec.m1) * sec.h1 / 2.0;
  const double bankRun = sec.h1 * sec.m1;
  const double bankFullPerimeter = sec.b1 + 2.0 * std::sqrt(bankRun * bankRun + sec.h1 * sec.h1);
  const double mainArea = bankFullArea + (2.0 * sec.m1 * sec.h1 + sec.b1) * hf;
  state.overBanks = true;
  state.main = Subsection(mainArea, bankFullPerimeter, sec.n1, i);
  state.left = FloodPlain(sec.b2, sec.m2, sec.n2, hf, i);
  state.right = FloodPlain(sec.b3, sec.m3, sec.n3, hf, i);

  state.h = h;
  state.q1 = state.main.q + state.left.q + state.right.q;
  state.w = state.main.w + state.left.w + state.right.w;
  state.x = state.main.x + state.left.x + state.right.x;
  state.v = state.q1 / state.w;
  state.surfaceWidth = sec.b1 + sec.b2 + sec.b3 + 2.0 * sec.h1 * sec.m1 + hf * sec.m2 + hf * sec.m3;
  state.e = SpecificEnergy(h, state.v);
  // The sub-sections carry their own hydraulic radii; a whole-section radius and
  // Chezy coefficient are not formed, and a rating table leaves them blank.
  state.rs = std::numeric_limits<double>::quiet_NaN();
  state.c = std::numeric_limits<double>::quiet_NaN();
  return state;
}

Outline SectionOutline(const Section& sec, double top) {
  const double bedHalf = sec.b1 / 2.0;
  const double bankHalf = bedHalf + sec.m1 * sec.h1;  // half width at the bank tops
  const double bankTop = std::max(top, sec.h1);
  const double rise = bankTop - sec.h1;  // height of the outer banks above the plains
  const double leftEdge = bankHalf + sec.b2;
  const double rightEdge = bankHalf + sec.b3;
  Outline outline;
  AppendCorner(outline, {-(leftEdge + sec.m2 * rise), bankTop});
  AppendCorner(outline, {-leftEdge, sec.h1});
  AppendCorner(outline, {-bankHalf, sec.h1});
  AppendCorner(outline, {-bedHalf, 0.0});
  AppendCorner(outline, {bedHalf, 0.0});
  AppendCorner(outline, {bankHalf, sec.h1});
  AppendCorner(outline, {rightEdge, sec.h1});
  AppendCorner(outline, {rightEdge + sec.m3 * rise, bankTop});
  return outline;
}

FamilySpec Definition::Describe() {
  return {tarnwick::Family::CompoundChannel,
          7,
          "compound",
          "Option10",
          "复式断面平底梯形渠",
          "复式断面平底梯形渠",
          {"4", "1", "2", "0.025", "6", "2", "0.03", "6", "2", "0.03", "2000", "3"},
          {"h ≤ H1：W = (B1 + M1·h)·h，X = B1 + 2·h·√(1 + M1²)",
           "h > H1：深槽、左滩地、右滩地以垂线分开，各按曼宁公式计算，Q = Q深槽 + Q左滩 + Q右滩",
           "    深槽：Wm = (B1 + M1·H1)·H1 + (B1 + 2·M1·H1)·(h − H1)，Xm = B1 + 2·H1·√(1 + M1²)",
           "    滩地 k：d = h − H1，Wk = (Bk + Mk·d/2)·d，Xk = Bk + d·√(1 + Mk²)，其糙率 nk",
           "动能修正系数 α = Σ(Kk³/Wk²) ÷ (K³/W²)，Kk = Wk·Rk^(2/3)/nk，K = ΣKk",
           "    （Blalock 与 Sturm 1981）"},
          {{"d", "滩地水深 h − H1", "m"},
           {"Wm, Xm", "深槽（垂线分开）的面积与湿周", "m², m"},
           {"k", "分区编号：2 左滩地，3 右滩地（Kk、Wk、Rk 亦计深槽）", ""},
           {"Bk, Mk, nk", "滩地 k 的底宽、边坡、糙率", "m"},
           {"Wk, Xk, Rk", "分区 k 的面积、湿周、水力半径", "m², m, m"},
           {"α", "动能修正系数", ""},
           {"Kk, K", "分区 k 的流量模数及全断面之和", "m³/s"}}};
}

WindowNames Definition::Window(CalculationKind kind) {
  if (kind == CalculationKind::Depth) {
    return {"Form11", "复式断面平底梯形渠水深计算", "复式断面平底梯形渠均匀流水深计算成果",
            "Text13"};
  }
  return {"Form12", "复式断面平底梯形渠流量计算", "复式断面平底梯形渠均匀流流量计算成果", "Text13"};
}

// One row per part of the section: the main channel, the left and the right
// flood plain, then the slope and the discharge or depth.
std::vector<InputBox<Inputs>> Definition::Boxes(CalculationKind kind) {
  using namespace boxes;
  const BoxRole dim = BoxRole::Dimension;
  const BoxRole rough = BoxRole::Roughness;
  return {Length<Inputs>("Text1", "深槽底宽B1=", {}, "B1", &Inputs::b1, 0),
          Box<Inputs>("Text2", "深槽边坡M1=", {}, "M1", {}, dim, &Inputs::m1, 0),
          Length<Inputs>("Text3", "深槽高度H1=", {}, "H1", &Inputs::h1, 0),
          Box<Inputs>("Text4", "深槽糙率n1=", {}, "n1", {}, rough, &Inputs::n1, 0),
          Length<Inputs>("Text5", "左滩地底宽B2=", {}, "B2", &Inputs::b2, 1),
          Box<Inputs>("Text6", "左滩地边坡M2=", {}, "M2", {}, dim, &Inputs::m2, 1),
          Box<Inputs>("Text7", "左滩地糙率n2=", {}, "n2", {}, rough, &Inputs::n2, 1),
          Length<Inputs>("Text8", "右滩地底宽B3=", {}, "B3", &Inputs::b3, 2),
          Box<Inputs>("Text9", "右滩地边坡M3=", {}, "M3", {}, dim, &Inputs::m3, 2),
          Box<Inputs>("Text10", "右滩地糙率n3=", {}, "n3", {}, rough, &Inputs::n3, 2),
          Slope("Text11", &Inputs::d, "输入纵坡分母值（1/ ？）", 3),
          ValueBox<Inputs>("Text12", kind, &Inputs::value, 3)};
}

Checked<Section> Definition::Check(const Inputs& in) {
  if (!InputsValid(in)) return {};
  return {static_cast<const Section&>(in)};
}

void Definition::Report(ResultPane& out, CalculationKind kind, const Inputs& in, const Section&,
                        const State& st) {
  PrintReport(out, in, 1.0 / in.d, st, kind == CalculationKind::Depth);
}

// The sub-sections' shares of the discharge above the banks.
void Definition::Values(const Inputs&, const Section&, const State& st, NamedValues& values) {
  values.insert(values.end(), {{"Q_main", st.overBanks ? st.main.q : st.q1},
                               {"Q_left", st.left.q},
                               {"Q_right", st.right.q}});
}

Subsections Definition::Subdivide(const Section& s, const Inputs& in, double h) {
  const CompoundState st = CompoundChannel::Evaluate(s, 1.0 / in.d, h);
  // A part's conveyance is its discharge on the slope i over √i.
  const double root = std::sqrt(1.0 / in.d);
  if (!st.overBanks) return {{st.w, st.x, st.surfaceWidth, st.q1 / root}};
  const double hf = h - s.h1;
  const double mainWidth = s.b1 + 2.0 * s.m1 * s.h1;
  return {{st.main.w, st.main.x, mainWidth, st.main.q / root},
          {st.left.w, st.left.x, s.b2 + s.m2 * hf, st.left.q / root},
          {st.right.w, st.right.x, s.b3 + s.m3 * hf, st.right.q / root}};
}

void AddWindows(std::vector<WindowSpec>& windows, std::vector<FamilySpec>& families) {
  AddFamily<Definition>(windows, families);
}

}  // namespace tarnwick::CompoundChannel
