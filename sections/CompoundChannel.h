// Compound-section flat-bottom trapezoidal channel: a trapezoidal main channel
// whose banks stand H1 high, with a flat flood plain on each side at bank-top
// level. Above the banks the section is split by vertical lines through the bank
// edges into the main channel and the two flood plains; each carries its own
// Manning discharge with its own roughness and the discharges are added.
#pragma once

#include "core/NormalDepthSearch.h"
#include "core/ReportRow.h"
#include "core/SectionState.h"

namespace tarnwick::CompoundChannel {

struct Section {
  double b1 = 0.0;  // main-channel bottom width, m
  double m1 = 0.0;  // main-channel side slope, both banks
  double h1 = 0.0;  // bank height above the main-channel bed, m
  double n1 = 0.0;  // main-channel roughness
  double b2 = 0.0;  // left flood plain: width, outer-bank slope, roughness
  double m2 = 0.0;
  double n2 = 0.0;
  double b3 = 0.0;  // right flood plain: width, outer-bank slope, roughness
  double m3 = 0.0;
  double n3 = 0.0;
};

// One sub-section above the banks: area, wetted perimeter and discharge.
struct Part {
  double w = 0.0;
  double x = 0.0;
  double q = 0.0;
};

// The whole-section quantities. Above the banks V is Q1/W of the whole section and
// no hydraulic radius or Chezy coefficient of the whole section exists: rs and c
// stay 0 there and are never printed.
struct CompoundState : SectionState {
  bool overBanks = false;
  Part main;
  Part left;
  Part right;
};

CompoundState Evaluate(const Section& section, double i, double h);
DepthSearchResult<CompoundState> SolveDepth(const Section& section, double i, double q);

// Typed values of Form11 (value = design discharge Q) and Form12 (value = depth h),
// in box order.
struct Inputs {
  Section section;
  double d = 0.0;  // slope denominator, i = 1/D
  double value = 0.0;
};

PressOutcome ComputeDepth(const Inputs& in, ResultPane& pane);
PressOutcome ComputeDischarge(const Inputs& in, ResultPane& pane);

}  // namespace tarnwick::CompoundChannel
