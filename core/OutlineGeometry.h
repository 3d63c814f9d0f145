// Area, wetted perimeter and surface width under a water level, measured on a
// section's drawn boundary. It checks the closed-form geometry of every family
// independently and places the water line in the drawing.
#pragma once

#include <vector>

#include "SectionModel.h"

namespace tarnwick {

struct OutlineWetting {
  double area = 0.0;
  double perimeter = 0.0;
  double surfaceWidth = 0.0;
};

// The part of `outline` below `level` as one chain, the crossings of the water
// line interpolated on the boundary (first and last points lie on the water
// line); empty when nothing is wet.
Outline WetChain(const Outline& outline, double level);

// The boundary must hold the water in one pool: its part below the level is one
// connected chain (true for every section this program computes when a closed
// loop starts above the water, at the crown).
OutlineWetting WettingBelow(const Outline& outline, double level);

// Points of a circular arc from angle a0 to a1 (radians, counter-clockwise from
// the positive x axis when a1 > a0), centre (cx, cy), the end points included.
std::vector<OutlinePoint> ArcPoints(double cx, double cy, double radius, double a0, double a1,
                                    int segments = 256);

// Appends a corner of a boundary unless it repeats the last point (a flood plain
// of no width, a wall of no height).
void AppendCorner(Outline& out, OutlinePoint p);

// Appends an arc of a boundary about `centre` from angle a0 to a1. Its first
// point is `start` (not repeated when `out` already ends there) and its last
// `end`, both placed exactly, so that walls, floors and neighbouring arcs join it
// without a gap of rounding size; between them the arc is drawn with chords of
// 1/8192 of a full turn. An arc of no angle adds only its end points.
void AppendArc(Outline& out, OutlinePoint centre, double radius, double a0, double a1,
               OutlinePoint start, OutlinePoint end);

}  // namespace tarnwick
