// Design: the section that carries a discharge. The windows answer the two
// analysis questions (the depth for a discharge, the discharge for a depth); these
// solvers answer the designer's: which value of one box carries the design
// discharge at the depth wanted, which trapezoid of a chosen width-to-depth ratio
// carries it, and how small a tunnel of the typed shape may be and still leave the
// clearance the design rules ask for.
//
// Every solver is written once against the window table: it reads the boxes'
// roles and units, presses the window silently (PressDetail::Silent) for each
// trial section and judges the named values of that press, so a family added to
// the table is designed like the others without a line here. Each trial decides
// exactly as a press of the same boxes would, and each answer is reported by a
// real press of the answer's box texts: what the engineer reads is what was met.
//
// Solving for one box (SolveForBox). The unknown is any box of role Dimension,
// Roughness or Slope of a discharge window; the shape-choice box (the arch
// tunnels' floor type) and the depth box are not solvable. The trial values
// follow from the box's role and unit, and the window's own refusals mark the
// ends of its range (probing, never a family's limits copied here):
//   lengths (unit "m")        0, then 1 mm doubling up to 8192 m;
//   angles (unit "°")         0° to 360° in steps of 0.5°;
//   other dimensions (side    0, then 1/1024 up to 128 in 16 steps per doubling;
//   slopes, pure numbers)
//   roughness                 2^-14 (6.1e-5) doubling up to 2;
//   slope denominator D       1/16 doubling up to 2^30.
// Three places are then tried closer: an end of the range, found by halving
// between an accepted trial and a refused one wherever the trials come nearer to
// Q towards it (a rectangle's width just under the diameter of its bottom arc);
// both steps beside a turn of Q1 (a trial nearer to Q than both neighbours, on the
// same side), at a sixteenth of the step, where two roots may hide; and then every
// step between accepted trials, the remaining ends of the range found first.
// Each step is refined by halving: its midpoint is pressed, and where the
// midpoint's distance d from the chord of the step's ends is more than 1e-6 m³/s
// and 8 d reaches the least |Q1 - Q| of the three points (a parabola through them
// leaves them by at most d), both halves are halved again, up to 40 times and
// 20000 presses in all; the first two halvings of a step are made whatever d. So a hump of Q1
// narrower than the trial steps is followed to its top where Q1 is smooth, and a pair of roots
// under it is bracketed, at a few presses a step where Q1 is far from Q or nearly
// straight. The refined trials of a step are kept only where they show other
// roots than its ends do: a root its ends bracket alone is solved from them.
// Every sign change of Q1 - Q between neighbouring accepted trials is refined with
// the shared Brent solver (core/BracketRoot.h) to |Q1 - Q| < 1e-6 m³/s and kept
// when it meets the windows' own 1e-4; a jump across Q (a change of shape, such
// as the arc-bottom channel's rectangle at M = 0) is no root, and neither is a
// run of trials within 1e-4 that lasts to the end of the range (Q1 nearing Q as
// the box grows without end, as a city-gate floor arc flattens towards the level
// floor). A run of trials within 1e-6 elsewhere counts once, at its first trial.
// The solver's roots are checked in the tests against a dense scan of the whole
// range over thousands of random sections of every solvable box.
//
// Decision on unknowns that do not act monotonically (an angle, a side slope, a
// compound channel's main-channel height, the radii of the arch tunnels): every
// root in range is reported, smallest first, each with its own line and report,
// and none is preferred. At one depth a fuller or a flatter arc, a steeper or a
// gentler bank may both carry the discharge; which to build is a question of
// structure, excavation and clearance the hydraulics cannot answer, so the
// engineer is shown every answer rather than one picked for him.
//
// Refusals are printed as one block (separator, message, separator), each
// saying its own reason:
//   NoSolution     no value in range carries Q, though Q1 changes with the box;
//   DepthTooGreat  only a tunnel no higher than h would carry Q: the trials
//                  nearest to carrying it stand next to sections the window
//                  refuses as lower than the depth;
//   Capacity       Q exceeds the solved section's full-section discharge Qmax
//                  (its depth window would refuse Q), for every root; roots
//                  whose section carries Q are reported, the others dropped.
//                  Not one block: each root's line, then the capacity block its
//                  depth window prints for that section;
//   Undetermined   the discharge does not fix the box: two neighbouring trials
//                  carry Q within 1e-4 with the same Q1 (to 1e-12 of Q), the box
//                  taking no part in the flow at this depth (a roof radius the
//                  water stays below, a dry flood plain);
//   NoEffect       Q1 is the same (to 1e-12 of Q) at every trial the window
//                  accepts, and not Q: the box takes no part in the flow at
//                  this depth (a culvert's height above the water), the message
//                  giving the Q1 every value carries;
//   NotSolvable    the box cannot be solved for, or the window offers no such
//                  design;
//   InputError     the other boxes, the discharge or the criteria do not read as
//                  a section the window accepts.
//
// Proportioned channel: B = beta * h makes every section similar, Q1 growing as
// h^(8/3), so the depths 1 mm doubling up to 1024 m bracket the one depth, refined
// by the same solver. Smallest tunnel: from the typed size s = 1, halving or
// doubling brackets the least s, and the Brent solver closes the bracket on the
// least margin of the three criteria to 1e-12 of s; the answer is the end of the
// bracket that meets them all. The depth window's search stops within 1e-4 of Q,
// so the clearances jitter by about 1e-4 between neighbouring sizes: "least" is to
// that accuracy, far inside the one per cent a designer rounds to.
//
// Using it (the command line and the desktop windows build on these alone):
//   discharge window, `--solve BOX --discharge Q`:
//     r = SolveForBox(*FindWindow(name), texts, box, q); print r.pane;
//     JSON from r.solutions[k].press plus "solved": {"box": r.box, "value":
//     r.solutions[k].value} and "boxes" r.solutions[k].boxes;
//   depth window with OffersProportions: SolveProportions / SolveBestProportions;
//   depth window with HasClearance: SizeSmallestTunnel, "scale" = value;
//   exit status: PressOutcomeOf(r.outcome), as a press would end;
//   desktop: the unknown offered from SolvableBoxes, the drawing and the curve
//     from r.solutions[k].press.sectionCase.
// Each call costs tens to hundreds of microseconds (a length, a roughness, a
// slope) to a few milliseconds (an angle over its fine trials and their steps).
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "WindowCatalog.h"

namespace tarnwick::design {

enum class DesignOutcome {
  Solved,
  NoSolution,
  DepthTooGreat,
  Capacity,
  Undetermined,
  NoEffect,
  NotSolvable,
  InputError,
};

// One answer: the section it makes, typed into the window that reports it.
struct Solution {
  double value = 0.0;  // the solved box's value, B of a proportioned channel, or s
  // Proportioned channel: the depth h it was solved for, B = ratio * h. The depth
  // window's report shows its own normal depth of the section, the same within
  // the depth search's accuracy (its discharge within 1e-4).
  double depth = 0.0;
  std::vector<double> boxes;       // every box of the reporting window, the answer in place
  std::vector<std::string> texts;  // the same as box texts, each reading back to its value exactly
  std::string line;   // the line naming the answer, e.g. "求解 渠 底 宽 B= 2.35 m"
  ResultPane report;  // the reporting window's press of `texts`
  PressResult press;  // that press with PressDetail::Case: named values, case
};

struct DesignResult {
  DesignOutcome outcome = DesignOutcome::InputError;
  const WindowSpec* window = nullptr;  // the reporting window (the depth window for
                                       // proportions and sizing)
  std::string_view box;                // the solved box's name; the width box for proportions
  std::vector<Solution> solutions;     // ascending by value; empty unless Solved
  // What a design press prints: each solution's line and report, or the refusal block.
  ResultPane pane;
};

// The press outcome a design ends like: a report when solved, the capacity or the
// crown block where the press has one, the data input error otherwise.
PressOutcome PressOutcomeOf(DesignOutcome outcome);

// Whether SolveForBox takes this box as its unknown.
bool IsSolvable(const BoxSpec& box);
// Names of a discharge window's solvable boxes, in box order; none for a depth window.
std::vector<std::string_view> SolvableBoxes(const WindowSpec& window);

// The value of box `boxName` at which the discharge window's Q1, at the depth typed
// in its depth box, equals designQ. The text given for the unknown is ignored;
// boxTexts holds the window's box texts in box order, as for a press.
DesignResult SolveForBox(const WindowSpec& window, std::span<const std::string> boxTexts,
                         std::string_view boxName, double designQ);

// Proportioned channel, for windows whose table entry names ProportionBoxes (the
// flat-bottom family): the bottom width B and depth h with B = ratio * h at which
// the section carries the design discharge of the depth window's boxes (its width
// text is ignored). The answer is reported by the depth window.
bool OffersProportions(const WindowSpec& window);
// The hydraulically best trapezoid of side slope M, the one whose hydraulic radius
// is half its depth: beta = 2 (sqrt(1 + M²) - M); 2 for the rectangle, 2/sqrt(3)
// for the half hexagon (M = 1/sqrt(3)).
double BestRatio(double sideSlope);
DesignResult SolveProportions(const WindowSpec& depthWindow, std::span<const std::string> boxTexts,
                              double ratio);
DesignResult SolveBestProportions(const WindowSpec& depthWindow,
                                  std::span<const std::string> boxTexts);

// The design rules of a closed section at the normal depth: a free-surface
// tunnel's share of the area and height left clear above the water (SL 279), or
// a pipe's greatest fill ratio h/D by diameter (GB 50014, GreatestFillRatio of
// sections/Checks.h).
struct Clearance {
  double areaPercent = 15.0;  // at least this % of the full area clear
  double height = 0.4;        // at least this many metres clear under the crown
  bool fillRatio = false;     // the pipe rule instead of the two above
};

// Whether a window's sections are closed, by the named values its family's sample
// presses with (clearance_height); what the sizing mode is offered for.
bool HasClearance(const WindowSpec& window);
// The smallest tunnel of the typed shape for the design discharge of a depth
// window's boxes: every length box (unit "m") is scaled by one factor s, angles,
// roughness, slope, discharge and the floor-type box kept, to the least s whose
// press meets the rules (at least rules.areaPercent of the area and rules.height
// of height clear, the figures its report prints; or with rules.fillRatio a fill
// ratio h/crown within the greatest of its diameter) and passes the capacity
// check. Solution::value is s.
DesignResult SizeSmallestTunnel(const WindowSpec& depthWindow,
                                std::span<const std::string> boxTexts, Clearance rules = {});

}  // namespace tarnwick::design
