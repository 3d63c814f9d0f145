// Flat-bottom rectangular and trapezoidal channel: a level bed of width B between
// plane walls of side slope M (horizontal per vertical); M = 0 is the rectangle.
#pragma once

#include "core/NormalDepthSearch.h"
#include "core/SectionModel.h"
#include "core/ReportRow.h"
#include "core/SectionState.h"

namespace tarnwick::FlatBottomChannel {

struct Section {
  double b = 0.0;  // bottom width, m
  double m = 0.0;  // side slope
};

// Typed values of Form21 (value = design discharge Q) and Form32 (value = depth h).
struct Inputs {
  double b = 0.0;
  double m = 0.0;
  double n = 0.0;
  double d = 0.0;  // slope denominator, i = 1/D
  double value = 0.0;
};

SectionState Evaluate(const Section& section, double n, double i, double h);
DepthSearchResult<SectionState> SolveDepth(const Section& section, double n, double i, double q);

// The bed and walls up to the level `top` above the bed.
Outline SectionOutline(const Section& section, double top);
// The section of a window's inputs, for drawing and rating; empty when the
// inputs would be refused.
std::optional<SectionModel> Model(const Inputs& in);

PressOutcome ComputeDepth(const Inputs& in, ResultPane& pane);
PressOutcome ComputeDischarge(const Inputs& in, ResultPane& pane);

}  // namespace tarnwick::FlatBottomChannel
