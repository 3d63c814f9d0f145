#include "BookProfiles.h"

#include <QImage>
#include <QPainter>

#include "BookParts.h"
#include "core/ReportRow.h"
#include "sections/CanalFile.h"
#include "sections/ProfileTable.h"
#include "sections/SectionDrawing.h"

namespace tarnwick::ui {

namespace {

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// The width of the drawing on the page, in 96-dpi pixels, as the book's other pictures.
constexpr double kPictureWidth = 440.0;

QImage ProfileImage(const ProfileSheet& s) {
  QImage image(960, 560, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  PaintProfile(painter, QRectF(0, 0, image.width(), image.height()), s);
  return image;
}

std::vector<std::string> Lines(const ResultPane& pane) {
  const std::vector<std::string>& lines = pane.Lines();
  return {lines.begin(), lines.end()};
}

QString Figure(double v, int decimals) { return QString::number(v, 'f', decimals); }

}  // namespace

BookProfile CaseProfile(const CaseRecord& r) {
  BookProfile out;
  out.caption = QStringLiteral("水面线计算成果（渠段长 %1 m）：").arg(r.profile->length);
  const WindowProfile w = RecordProfile(r, *r.profile);
  if (!w.profile) {
    out.heading = Lines(w.refusal);
    return out;
  }
  ResultPane pane;
  ProfileHeading(pane, w, *r.profile);
  out.heading = Lines(pane);
  out.stations = w.profile->stations;
  out.sheet.profile = *w.profile;
  out.sheet.discharge = w.discharge;
  out.sheet.slope = w.slope;
  out.sheet.closed = r.IsClosed();
  out.sheet.top = r.ProfileTop();
  out.sheet.title = Q(r.reporting->caption);
  return out;
}

BookCanal ComputeBookCanal(const CanalInput& canal) {
  BookCanal out{canal, ComputeCanal(canal), std::nullopt, {}, {}};
  ResultPane head;
  head.Text("设计流量Q=").Number(RoundDisplay(canal.discharge)).Text("m³/s").EndLine();
  head.Text("距离x自渠道下游端起算; 各渠段自下游向上游推算(分段求和法)").EndLine();
  if (out.result.reaches.empty()) {
    head.Text("渠道水面线未能计算: ").Text(out.result.refusal).EndLine();
    out.heading = Lines(head);
    return out;
  }
  if (canal.BanksAsked()) {
    out.banks = BankLevels(canal);
    CanalBanksLine(head, *out.banks);
  }
  out.heading = Lines(head);
  for (size_t k = 0; k < out.result.reaches.size(); ++k) {
    const CanalReachProfile& reach = out.result.reaches[k];
    BookProfile p;
    p.caption = QStringLiteral("渠段 %1：").arg(QString::fromStdString(reach.name));
    ResultPane pane;
    CanalReachHeading(pane, reach, out.banks ? &*out.banks : nullptr, k);
    p.heading = Lines(pane);
    p.stations = reach.profile.stations;
    p.offset = reach.offset;
    p.sheet.profile = reach.profile;
    p.sheet.discharge = canal.discharge;
    const std::vector<ProfileStation>& st = reach.profile.stations;
    const double run = st.back().x - st.front().x;
    p.sheet.slope =
        run > 0.0 ? ((st.back().z - st.back().h) - (st.front().z - st.front().h)) / run : 0.0;
    p.sheet.closed = reach.crown > 0.0;
    p.sheet.top = reach.crown;
    if (out.banks && k < out.banks->reaches.size() && !p.sheet.closed) {
      const ReachBank& b = out.banks->reaches[k];
      p.sheet.top = b.level - (b.highest - b.depth);  // the bank over the bed
    }
    p.sheet.title = QStringLiteral("渠段 %1").arg(QString::fromStdString(reach.name));
    out.reaches.push_back(std::move(p));
  }
  return out;
}

void CanalInputs(book::Writer& out, const CanalInput& canal) {
  QString control;
  switch (canal.control) {
    case CanalControl::Depth: control = QStringLiteral("水深 %1 m").arg(canal.controlValue); break;
    case CanalControl::Level: control = QStringLiteral("水位 %1 m").arg(canal.controlValue); break;
    case CanalControl::Critical: control = QStringLiteral("临界水深（跌坎）"); break;
  }
  out.Paragraph(QStringLiteral("设计流量 Q = %1 m³/s；下游控制条件：").arg(canal.discharge) +
                control);
  std::vector<QStringList> rows;
  for (const CanalReach& r : canal.reaches) {
    QStringList boxes;
    for (const std::string& b : r.boxes) boxes << QString::fromStdString(b);
    rows.push_back({QString::fromStdString(r.name), Q(r.window->caption),
                    boxes.join(QStringLiteral("，")), QString::number(r.length),
                    QString::number(r.bedDownstream), QString::number(r.loss)});
  }
  out.Table({QStringLiteral("渠段"), QStringLiteral("断面"), QStringLiteral("输入（流量除外）"),
             QStringLiteral("长度 L (m)"), QStringLiteral("下游端渠底高程 (m)"),
             QStringLiteral("局部损失系数 ζ")},
            rows);
}

void WriteProfile(book::Writer& out, const BookProfile& p, const QString& pictureName) {
  out.Caption(p.caption);
  out.Report(p.heading);
  if (p.stations.empty()) return;
  QStringList header;
  for (const ProfileColumn& c : ProfileColumns())
    header << Q(c.name) + QLatin1Char(' ') + Q(c.symbol);
  std::vector<QStringList> rows;
  for (const ProfileStation& s : p.stations) {
    QStringList row;
    for (size_t col = 0; col < ProfileColumns().size(); ++col) {
      row << QString::fromStdString(ProfileCell(s, col, p.offset));
    }
    rows.push_back(row);
  }
  out.Caption(QStringLiteral("水面线计算表："));
  out.Table(header, rows);
  // The drawing counts x from its own control, the table from the canal's end.
  out.Caption(p.offset > 0.0 ? QStringLiteral("水面线图（图中距离自本渠段下游端起算）：")
                             : QStringLiteral("水面线图："));
  out.Picture(ProfileImage(p.sheet), pictureName, kPictureWidth);
}

std::vector<QStringList> FlowRows(const FlowCombination& f) {
  const auto row = [](const QString& name, double a, double b, double c, const QString& unit) {
    return QStringList{name, Figure(a, 3), Figure(b, 3), Figure(c, 3), unit};
  };
  const QString m = QStringLiteral("m");
  return {
      row(QStringLiteral("流量 Q"), f.design.q, f.increased.q, f.least.q, QStringLiteral("m³/s")),
      row(QStringLiteral("正常水深 h"), f.design.h, f.increased.h, f.least.h, m),
      row(QStringLiteral("流速 V"), f.design.v, f.increased.v, f.least.v, QStringLiteral("m/s")),
      row(QStringLiteral("水力半径 R"), f.design.r, f.increased.r, f.least.r, m),
      {QStringLiteral("加大系数 K"), QString(), Figure(f.coefficient, 3), QString(), QString()},
      {QStringLiteral("安全超高 Fb"), QString(), Figure(f.freeboard, 3), QString(), m},
      {QStringLiteral("渠深 H = h加大 + Fb"), QString(), Figure(f.channelDepth, 3), QString(), m},
      {QStringLiteral("渠顶高程"), QString(), Figure(f.bankLevel, 3), QString(), m},
      {QStringLiteral("不淤流速 V不淤 = C·√R"), QString(), QString(), Figure(f.siltLimit, 3),
       QStringLiteral("m/s")}};
}

}  // namespace tarnwick::ui
