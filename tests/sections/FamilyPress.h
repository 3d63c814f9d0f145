// A press of a family's window through the contract's one driver, for the tests
// that judge only its outcome.
#pragma once

#include "sections/SectionFamily.h"

namespace tarnwick {

template <SectionFamily F>
PressOutcome PressOutcomeOf(CalculationKind kind, const typename F::Inputs& in, ResultPane& pane) {
  return PressFamily<F>(kind, in, pane).outcome;
}

}  // namespace tarnwick
