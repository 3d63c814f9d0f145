// The heading block of a profile's report, shared by the command line and the book.
#include "Profile.h"
#include "ProfileTable.h"
#include "core/ReportRow.h"

namespace tarnwick {

namespace {

// Columns of the heading rows, counted with a Chinese character as two.
constexpr int kColumn2 = 27;
constexpr int kColumn3 = 52;

std::string ControlText(const ProfileControl& c, const Profile& p) {
  std::string where =
      p.direction == ProfileDirection::Upstream ? "下游控制，向上游推算" : "上游控制，向下游推算";
  if (c.kind == ControlKind::Critical && p.direction == ProfileDirection::Upstream) {
    return where + "，临界水深(跌坎、自由跌落)";
  }
  if (c.kind == ControlKind::Critical) return where + "，临界水深(由水库或缓坡进入陡坡)";
  if (c.kind == ControlKind::Normal) return where + "，正常水深";
  return where + "，控制水深";
}

}  // namespace

void ProfileHeading(ResultPane& pane, const WindowProfile& w, const ProfileRequest& r) {
  const Profile& p = *w.profile;
  ReportRow(pane, kColumn2, kColumn3, {"设计流量Q=", RoundDisplay(w.discharge)},
            {"纵坡I= 1/", RoundSlope(w.slope)}, {"渠段长L=", RoundDisplay(r.length)});
  ReportRow(pane, kColumn2, kColumn3, {"正常水深hn=", RoundDisplay(p.normalDepth)},
            {"临界水深hc=", RoundDisplay(p.criticalDepth)},
            {"控制水深h0=", RoundDisplay(p.controlDepth)});
  pane.Text("坡型: ").Text(SlopeName(p.slope)).Tab(kColumn2).Text("水面线类型: ");
  pane.Text(p.type == "uniform" ? "均匀流" : p.type).Tab(kColumn3).Text("控制断面: ");
  pane.Text(ControlText(r.control, p)).EndLine();
  if (p.criticalDepths.size() > 1) {
    pane.Text("本断面有多个临界水深:");
    for (const double hc : p.criticalDepths) pane.Number(RoundDisplay(hc));
    pane.Text("(分类取最大者)").EndLine();
  }
  const double last = p.stations.back().x;
  switch (p.end) {
    case ProfileEnd::Length: pane.Text("终止: 渠段末端 x=").Number(RoundDisplay(last)); break;
    case ProfileEnd::Normal:
      pane.Text("终止: 渠段末端 x=").Number(RoundDisplay(last)).Text("，已为正常水深");
      break;
    case ProfileEnd::Critical:
      pane.Text("终止: 在 x=").Number(RoundDisplay(last)).Text("处达到临界水深，须校核水跃或跌水");
      break;
  }
  pane.EndLine();
  if (p.nearNormalAt) {
    pane.Text("距正常水深1mm以内: 自 x=").Number(RoundDisplay(*p.nearNormalAt)).EndLine();
  } else {
    pane.Text("距正常水深1mm以内: 渠段内未达到").EndLine();
  }
  if (p.sequentDepth) {
    pane.Text("正常水深的共轭水深(动量方程) h''=").Number(RoundDisplay(*p.sequentDepth));
    if (p.jumpAt && *p.jumpAt == 0.0) {
      pane.Text("，控制水深已越过该水深：水跃紧靠控制断面(淹没)");
    } else if (p.jumpAt) {
      pane.Text("，水跃约在 x=").Number(RoundDisplay(*p.jumpAt)).Text("处");
    } else if (p.direction == ProfileDirection::Upstream && p.controlDepth < *p.sequentDepth) {
      pane.Text("，控制水深低于该水深：水跃被推向控制断面以下，渠段内为急流");
    } else {
      pane.Text("，渠段内水面线未达到该水深");
    }
    pane.EndLine();
  }
}

}  // namespace tarnwick
