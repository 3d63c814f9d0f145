// The longitudinal profile (纵断面) of a canal of reaches drawn to scale in
// elevation: the bed with its drops, the water surface, each reach's normal- and
// critical-depth lines and its bank (the design rule's bank level where it was
// computed, else the section drawing's top) or crown, the reaches named over the plot
// and their junctions marked, the flow from left to right and x counted from the
// canal's downstream end.
#pragma once

#include <QPainter>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

#include "ProfileSheet.h"

namespace tarnwick::ui {

struct CanalSheetReach {
  QString name;
  Profile profile;      // x from the reach's downstream end
  double offset = 0.0;  // m from the canal's downstream end
  double top = 0.0;     // height of the bank (open channel) or crown (closed), m
  bool closed = false;
  bool freeFall = false;  // critical depth at its downstream end: a drop not drowned
  // The bank level of the channel design rule (渠顶高程 = the highest level at the
  // increased discharge + Fb), an open reach's when the banks were asked for; it
  // is drawn instead of the section drawing's top.
  std::optional<double> bank;  // m
};

struct CanalSheet {
  std::vector<CanalSheetReach> reaches;  // upstream to downstream
  double discharge = 0.0;                // m³/s
  QString title;
  QString bankRule;  // how the bank levels were set and the rule's source; empty without
};

ProfileScale CanalScaleOf(const QRectF& sheet, const CanalSheet& s);
void PaintCanal(QPainter& painter, const QRectF& sheet, const CanalSheet& s);

// The reach at `x` from the canal's downstream end and the point there.
struct CanalPoint {
  QString reach;
  ProfilePoint at;  // at.x from the canal's downstream end
};
std::optional<CanalPoint> CanalPointAt(const CanalSheet& s, double x);

}  // namespace tarnwick::ui
