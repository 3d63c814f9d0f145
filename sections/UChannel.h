// U-shaped channel: a semicircular bottom of radius R continued upward by two
// vertical walls 2R apart, with no height limit.
#pragma once

#include "core/NormalDepthSearch.h"
#include "core/ReportRow.h"
#include "core/SectionModel.h"
#include "core/SectionState.h"

namespace tarnwick::UChannel {

struct Section {
  double r = 0.0;  // radius of the semicircular bottom, m
};

// Width between the walls, B = 2R.
double ChannelWidth(const Section& section);

SectionState Evaluate(const Section& section, double n, double i, double h);
DepthSearchResult<SectionState> SolveDepth(const Section& section, double n, double i, double q);

// Typed values of Form22 (value = design discharge Q) and Form33 (value = depth h).
struct Inputs {
  double r = 0.0;
  double n = 0.0;
  double d = 0.0;  // slope denominator, i = 1/D
  double value = 0.0;
};

// The semicircle and the walls up to the level `top` above its lowest point; the
// semicircle is drawn whole even when `top` lies below its centre.
Outline SectionOutline(const Section& section, double top);
// The section of a window's inputs, for drawing and rating; empty when the inputs
// would be refused.
std::optional<SectionModel> Model(const Inputs& in);

PressOutcome ComputeDepth(const Inputs& in, ResultPane& pane);
PressOutcome ComputeDischarge(const Inputs& in, ResultPane& pane);

}  // namespace tarnwick::UChannel
