#include "BoxCulvert.h"

#include "core/OutlineGeometry.h"

#include "InputBoxes.h"

namespace tarnwick::BoxCulvert {

namespace {

constexpr int kC1 = 25;
constexpr int kC2 = 50;

bool InputsValid(const Inputs& in) {
  return in.b > 0 && in.height > 0 && in.n > 0 && in.d > 0 && in.value > 0;
}

void PrintReport(ResultPane& out, const Section& s, const Inputs& in, double i,
                 const SectionState& st, bool depthKind) {
  Banner(out, depthKind ? "  ****************矩形箱涵均匀流水深计算成果表****************"
                        : "  ****************矩形箱涵均匀流流量计算成果表****************");
  ShortRow(out, kC1, {"箱涵宽B=", RoundDisplay(s.b)}, {"箱涵高H=", RoundDisplay(s.height)});
  TunnelFlowRows(out, kC1, kC2, depthKind, in.value, in.n, i, st.q1, st.h, st.v);
  ReportRow(out, kC1, kC2, {"水面宽B1=", RoundDisplay(st.surfaceWidth)},
            {"断面能量E=", RoundDisplay(st.e)}, {"箱涵高/宽=", RoundRatio(s.height, s.b)});
  ReportRow(out, kC1, kC2, {"水力半径RS=", RoundDisplay(st.rs)},
            {"过水断面面积W=", RoundDisplay(st.w)}, {"湿周X=", RoundDisplay(st.x)});
  // Clearance above the water: the air the roof keeps over the flow, as a
  // height, an area and the area's share of the section in percent.
  ReportRow(out, kC1, kC2, {"净空高度H5=", RoundDisplay(s.height - st.h)},
            {"净空面积W3=", RoundDisplay(s.w0 - st.w)},
            {"净空面积比(%)=", RoundDisplay(100.0 * (s.w0 - st.w) / s.w0)});
}

}  // namespace

Section BuildSection(double b, double height) {
  return {b, height, b * height, 2.0 * (b + height)};
}

SectionState Evaluate(const Section& s, double n, double i, double h) {
  // Once the water touches the roof the roof is wetted all at once: the
  // perimeter jumps by B and the discharge falls to that of the full section.
  // A press never evaluates there; the rating's row at the roof does.
  if (h >= s.height) return FlowState(h, s.w0, s.p0, 0.0, n, i);
  return FlowState(h, s.b * h, s.b + 2.0 * h, s.b, n, i);
}

Outline SectionOutline(const Section& s) {
  const double half = s.b / 2.0;
  Outline out;
  for (const OutlinePoint p :
       {OutlinePoint{0.0, s.height}, OutlinePoint{-half, s.height}, OutlinePoint{-half, 0.0},
        OutlinePoint{half, 0.0}, OutlinePoint{half, s.height}, OutlinePoint{0.0, s.height}}) {
    AppendCorner(out, p);
  }
  return out;
}

FamilySpec Definition::Describe() {
  return {tarnwick::Family::BoxCulvert,
          9,
          "box-culvert",
          "Option12",
          "矩形箱涵",
          "矩形箱涵",
          {"2", "2", "0.014", "1000", "1"},
          {"h < H：W = B·h，X = B + 2·h，B1 = B", "h = H（满管）：W = B·H，X = 2·(B + H)"}};
}

WindowNames Definition::Window(CalculationKind kind) {
  if (kind == CalculationKind::Depth) {
    return {"Form28", "矩形箱涵水深计算", "矩形箱涵均匀流水深计算成果", "Text6"};
  }
  return {"Form39", "矩形箱涵流量计算", "矩形箱涵均匀流流量计算成果", "Text6"};
}

std::vector<InputBox<Inputs>> Definition::Boxes(CalculationKind kind) {
  using namespace boxes;
  return {Length("Text1", "箱涵宽度 B=", "输入箱涵宽度（m）", "B", &Inputs::b),
          Length("Text2", "箱涵高度 H=", "输入箱涵高度（m）", "H", &Inputs::height),
          Roughness("Text3", &Inputs::n), Slope("Text4", &Inputs::d),
          ValueBox("Text5", kind, &Inputs::value)};
}

Checked<Section> Definition::Check(const Inputs& in) {
  if (!InputsValid(in)) return {};
  return {BuildSection(in.b, in.height)};
}

// Manning at the full section, as the rating's row at the roof computes it.
double Definition::FullSectionDischarge(const Section& s, const Inputs& in) {
  return BoxCulvert::Evaluate(s, in.n, 1.0 / in.d, s.height).q1;
}

// Above the full-section discharge the bisection, bounded by the roof, has no
// depth to find.
void Definition::CapacityBlock(ResultPane& out, const Section&, const Inputs&, double qmax) {
  out.Text("").EndLine();
  SingleRow(out, {"此断面最大过流能力Q1=", RoundDisplay(qmax)});
  out.Text("请从新拟定断面").EndLine();
  out.Text("").EndLine();
}

void Definition::Report(ResultPane& out, CalculationKind kind, const Inputs& in, const Section& s,
                        const State& st) {
  PrintReport(out, s, in, 1.0 / in.d, st, kind == CalculationKind::Depth);
}

void Definition::Values(const Inputs&, const Section& s, const State& st, NamedValues& values) {
  values.insert(values.end(),
                {{"B", s.b}, {"H", s.height}, {"W3", s.w0 - st.w}, {"H/B", s.height / s.b}});
}

void AddWindows(std::vector<WindowSpec>& windows, std::vector<FamilySpec>& families) {
  AddFamily<Definition>(windows, families);
}

}  // namespace tarnwick::BoxCulvert
