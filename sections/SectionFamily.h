// The contract every section family keeps, and the one driver that turns a
// family into its two calculation windows. A family says what its boxes are, how
// its typed values are checked and built into a section, what the section holds
// at a depth, how it is drawn and how its reports read; the driver alone decides
// the order of a press (check, capacity or crown, search or evaluation, report)
// and so the rule that a press has a case exactly when it prints a report.
#pragma once

#include <concepts>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "WindowCatalog.h"
#include "core/Hydraulics.h"
#include "core/NormalDepthSearch.h"
#include "core/ReportRow.h"
#include "core/SectionModel.h"
#include "core/SectionState.h"

namespace tarnwick {

// One input box and the member of the family's typed values it fills.
template <class Inputs>
struct InputBox {
  BoxSpec box;
  double Inputs::*field;
};

// The input check's verdict: the built section, or the block the press prints.
template <class Section>
struct Checked {
  std::optional<Section> section;
  PressOutcome refusal = PressOutcome::InputError;
};

// Names and captions of one of a family's two windows.
struct WindowNames {
  std::string_view name;           // "Form21"
  std::string_view caption;        // window title
  std::string_view resultCaption;  // heading over the output pane
  std::string_view projectBox;     // the box for the project and channel name
};

// Every optional hook of the contract, in one place, each with its default. A
// family names the hooks it offers in its Definition by designated initializer,
//   static constexpr FamilyHooks<Inputs, Section> kHooks{.fits = &Fits};
// so a misspelt hook is a compile error ("has no non-static data member named
// ..."), never a hook silently left out; a family with none writes `kHooks{}`.
template <class Inputs, class Section>
struct FamilyHooks {
  // A closed family's refusal of a depth at or above its crown in the discharge
  // window. Default: the common refusal block.
  std::string_view depthTooGreatMessage = {};
  // Above some depth the figures are those of the whole, subdivided section.
  bool wholeSectionFigures = false;
  // Shape buttons over the boxes and their tint (0xRRGGBB); both or neither.
  // Default: no buttons.
  std::vector<ShapeOption> (*shapes)(CalculationKind kind) = nullptr;
  uint32_t (*shapeTint)(CalculationKind kind) = nullptr;
  // The width and side-slope boxes of a family of chosen width-to-depth ratio.
  // Default: no proportions to solve for.
  std::optional<ProportionBoxes> proportions = std::nullopt;
  // Appends the derived dimensions that must meet typed ones (a roof's chord and
  // the width it stands on). The driver hands them back in PressResult::fits
  // beside the named values; the checks judge them without knowing the family.
  void (*fits)(const Inputs& in, const Section& s, std::vector<ShapeFit>& fits) = nullptr;
  // For a section divided into parts that each carry their own Manning discharge:
  // each part's area, wetted perimeter, top width and conveyance
  // Kᵢ = Aᵢ·Rᵢ^(2/3)/nᵢ at the depth h (core/CompoundFlow.h). The model of the
  // section carries it, so the checks form the Coriolis coefficient, the compound
  // Froude number and every critical depth from it without knowing the family.
  // Default: one section, α = 1.
  Subsections (*subdivide)(const Section& s, const Inputs& in, double h) = nullptr;
  // Which clearance rules apply to a closed family (a circular conduit, a box
  // culvert). Default: a free-surface tunnel for a closed family, none for an open one.
  std::optional<ClosedKind> closedKind = std::nullopt;
};

template <class F>
concept SectionFamily = std::derived_from<typename F::State, SectionState> &&
    std::default_initializable<typename F::State> &&
    std::same_as<std::remove_cvref_t<decltype(F::kHooks)>,
                 FamilyHooks<typename F::Inputs, typename F::Section>> &&
    requires(const typename F::Inputs& in, const typename F::Section& s,
             const typename F::State& st, double h, ResultPane& pane, CalculationKind kind,
             NamedValues& values) {
  { F::Describe() } -> std::same_as<FamilySpec>;
  { F::Window(kind) } -> std::same_as<WindowNames>;
  { F::Boxes(kind) } -> std::same_as<std::vector<InputBox<typename F::Inputs>>>;
  { in.value } -> std::convertible_to<double>;  // design discharge, or depth
  { F::Check(in) } -> std::same_as<Checked<typename F::Section>>;
  { F::Evaluate(s, in, h) } -> std::same_as<typename F::State>;
  { F::SectionOutline(s, h) } -> std::same_as<Outline>;  // open channels: walls up to h
  F::Report(pane, kind, in, s, st);
  F::Values(in, s, st, values);  // the family's own quantities, by report symbol
};

// A closed section: a tunnel or culvert with a crown the water must stay under.
template <class F>
concept ClosedSectionFamily = SectionFamily<F> &&
    requires(const typename F::Inputs& in, const typename F::Section& s, ResultPane& pane,
             double q) {
  { F::Crown(s) } -> std::same_as<double>;
  { F::FullArea(s) } -> std::same_as<double>;
  { F::FullSectionDischarge(s, in) } -> std::same_as<double>;
  F::CapacityBlock(pane, s, in, q);
};

namespace family_detail {

template <SectionFamily F>
const std::vector<InputBox<typename F::Inputs>>& BoxesOf(CalculationKind kind) {
  static const auto depth = F::Boxes(CalculationKind::Depth);
  static const auto discharge = F::Boxes(CalculationKind::Discharge);
  return kind == CalculationKind::Depth ? depth : discharge;
}

template <SectionFamily F>
PressOutcome RefuseDepth(ResultPane& pane) {
  if constexpr (!F::kHooks.depthTooGreatMessage.empty()) {
    InputErrorBlock(pane, F::kHooks.depthTooGreatMessage);
    return PressOutcome::DepthTooGreat;
  } else {
    return Refuse(pane, PressOutcome::DepthTooGreat);
  }
}

template <SectionFamily F>
SectionModel ModelOfSection(const typename F::Inputs& in, const typename F::Section& s) {
  SectionModel model;
  model.evaluate = [s, in](double h) -> SectionState { return F::Evaluate(s, in, h); };
  model.outline = [s](double top) { return F::SectionOutline(s, top); };
  if constexpr (ClosedSectionFamily<F>) {
    model.crown = F::Crown(s);
    model.fullSectionDischarge = F::FullSectionDischarge(s, in);
  }
  model.subdivided = F::kHooks.wholeSectionFigures;
  // A plain `if`: GCC's sanitizer builds do not take a function pointer's
  // comparison with null as a constant expression.
  if (F::kHooks.subdivide != nullptr) {
    model.subsections = [s, in](double h) { return F::kHooks.subdivide(s, in, h); };
  }
  return model;
}

}  // namespace family_detail

// The typed values of a window's boxes, each box filling its own member.
template <SectionFamily F>
typename F::Inputs ReadInputs(CalculationKind kind, std::span<const double> boxes) {
  typename F::Inputs in{};
  const auto& fields = family_detail::BoxesOf<F>(kind);
  for (size_t k = 0; k < fields.size() && k < boxes.size(); ++k) in.*(fields[k].field) = boxes[k];
  return in;
}

// The normal depth at which the built section carries the design discharge
// in.value, searched as every press searches it: from the invert up to the crown
// of a closed section (Q1 rises with the depth only below it), or up to the
// open-channel limit.
template <SectionFamily F>
DepthSearchResult<typename F::State> SolveNormalDepth(const typename F::Section& s,
                                                      const typename F::Inputs& in) {
  const auto evaluate = [&](double h) { return F::Evaluate(s, in, h); };
  if constexpr (ClosedSectionFamily<F>) {
    return NormalDepthSearch(in.value, DepthBracket{0.0, F::Crown(s)}, evaluate);
  } else {
    // One open section's area and hydraulic radius both grow with the depth, so
    // its Q1 does, and most passes are decided without an evaluation. A
    // subdivided section's sum need not rise everywhere: searched plainly.
    if (F::kHooks.subdivide == nullptr) {
      return RisingNormalDepthSearch(in.value, DepthBracket{0.0, kOpenChannelDepthLimit}, evaluate);
    }
    return NormalDepthSearch(in.value, DepthBracket{0.0, kOpenChannelDepthLimit}, evaluate);
  }
}

// One press of a family's window on its typed values.
template <SectionFamily F>
PressResult PressFamily(CalculationKind kind, const typename F::Inputs& in, ResultPane& shown,
                        PressDetail detail = PressDetail::Outcome) {
  ResultPane discarded = ResultPane::Tally();
  ResultPane& pane = detail == PressDetail::Silent ? discarded : shown;
  PressResult r;
  const Checked<typename F::Section> checked = F::Check(in);
  if (!checked.section) {
    r.outcome = Refuse(pane, checked.refusal);
    return r;
  }
  const typename F::Section& s = *checked.section;
  const bool depthKind = kind == CalculationKind::Depth;
  double top = kOpenChannelDepthLimit;
  if constexpr (ClosedSectionFamily<F>) {
    top = F::Crown(s);
    if (depthKind) {
      const double qmax = F::FullSectionDischarge(s, in);
      if (detail != PressDetail::Outcome) r.closed = ClosedFigures{top, F::FullArea(s), qmax};
      if (qmax < in.value) {
        r.outcome = PrintGuarded(pane, PressOutcome::Capacity,
                                 [&](ResultPane& out) { F::CapacityBlock(out, s, in, qmax); });
        if (r.outcome != PressOutcome::Capacity) r.closed.reset();
        return r;
      }
    } else if (in.value >= top) {
      r.outcome = family_detail::RefuseDepth<F>(pane);
      return r;
    }
  }
  typename F::State st;
  if (depthKind) {
    const auto found = SolveNormalDepth<F>(s, in);
    st = found.state;
    r.passes = found.passes;
    r.converged = found.converged;
  } else {
    st = F::Evaluate(s, in, in.value);
    r.converged = true;
  }
  r.outcome = PrintGuarded(pane, PressOutcome::Report,
                           [&](ResultPane& out) { F::Report(out, kind, in, s, st); });
  if (r.outcome != PressOutcome::Report) {
    r.closed.reset();
    return r;
  }
  if (detail == PressDetail::Outcome) return r;
  r.state = st;
  if constexpr (ClosedSectionFamily<F>) {
    const double w0 = F::FullArea(s);
    if (!r.closed) r.closed = ClosedFigures{top, w0, F::FullSectionDischarge(s, in)};
    r.closed->clearanceHeight = top - st.h;
    r.closed->clearanceAreaPercent = 100.0 * (w0 - st.w) / w0;
  }
  F::Values(in, s, st, r.familyValues);
  if (F::kHooks.fits != nullptr) F::kHooks.fits(in, s, r.fits);
  if (detail == PressDetail::Silent) return r;
  r.sectionCase =
      SectionCase{family_detail::ModelOfSection<F>(in, s), st, depthKind ? in.value : st.q1};
  return r;
}

// The section of typed values as both windows see it, whatever the depth or
// discharge box holds; empty when the input check refuses them.
template <SectionFamily F>
std::optional<SectionModel> FamilyModel(const typename F::Inputs& in) {
  const Checked<typename F::Section> checked = F::Check(in);
  if (!checked.section) return std::nullopt;
  return family_detail::ModelOfSection<F>(in, *checked.section);
}

namespace family_detail {

template <SectionFamily F, CalculationKind K>
PressResult RunWindow(std::span<const double> boxes, ResultPane& pane, PressDetail detail) {
  return PressFamily<F>(K, ReadInputs<F>(K, boxes), pane, detail);
}

// The hooks as a family declares them must make sense together, and a hook
// written as a loose member instead of in kHooks (as the contract once read) is
// refused rather than silently ignored.
template <SectionFamily F>
constexpr void CheckHooks() {
  constexpr auto hooks = F::kHooks;
  static_assert((hooks.shapes == nullptr) == (hooks.shapeTint == nullptr),
                "kHooks: shapes and shapeTint go together");
  static_assert(ClosedSectionFamily<F> || (hooks.depthTooGreatMessage.empty() && !hooks.closedKind),
                "kHooks: depthTooGreatMessage and closedKind are for closed families");
  static_assert(
      !requires { F::kDepthTooGreatMessage; } && !requires { F::kClosedKind; } &&
          !requires { F::kWholeSectionFigures; },
      "an optional hook belongs in kHooks, not as a loose member");
}

template <SectionFamily F, CalculationKind K>
WindowSpec WindowOf() {
  const WindowNames names = F::Window(K);
  WindowSpec w{names.name, names.caption,    names.resultCaption, K, F::Describe().family,
               {},         names.projectBox, &RunWindow<F, K>};
  for (const InputBox<typename F::Inputs>& b : BoxesOf<F>(K)) w.boxes.push_back(b.box);
  constexpr auto hooks = F::kHooks;
  if (hooks.shapes != nullptr) {
    w.shapes = hooks.shapes(K);
    w.shapeTint = hooks.shapeTint(K);
  }
  w.proportions = hooks.proportions;
  w.closed = ClosedSectionFamily<F>;
  w.closedKind =
      hooks.closedKind.value_or(ClosedSectionFamily<F> ? ClosedKind::Tunnel : ClosedKind::Open);
  return w;
}

}  // namespace family_detail

// Registers a family: its depth and discharge windows in the window table and
// its entry in the selection window.
template <SectionFamily F>
void AddFamily(std::vector<WindowSpec>& windows, std::vector<FamilySpec>& families) {
  family_detail::CheckHooks<F>();
  windows.push_back(family_detail::WindowOf<F, CalculationKind::Depth>());
  windows.push_back(family_detail::WindowOf<F, CalculationKind::Discharge>());
  families.push_back(F::Describe());
}

}  // namespace tarnwick
