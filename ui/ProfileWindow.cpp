#include "ProfileWindow.h"

#include "WindowDecor.h"
#include "sections/ProfileTable.h"

namespace tarnwick::ui {

ProfileWindow::ProfileWindow(QWidget* parent)
    : SheetWindow(parent, QStringLiteral("Profile"), QStringLiteral("水面线"), false) {
  setObjectName(QStringLiteral("ProfileWindow"));
  setWindowTitle(QStringLiteral("水面线"));
  resize(static_cast<int>(kSheetWidth) + 620, static_cast<int>(kSheetHeight) + 90);
  UseCjkFaceWhereNeeded(this);
}

void ProfileWindow::ShowProfile(const ProfileSheet& sheet) {
  sheet_ = sheet;
  std::vector<StationRow> rows;
  for (const ProfileStation& s : sheet.profile.stations) rows.push_back({QString(), s, 0.0});
  const QString type = sheet.profile.type == "uniform" ? QStringLiteral("均匀流")
                                                       : QString::fromStdString(sheet.profile.type);
  setWindowTitle(QStringLiteral("水面线 %1 — %2").arg(type, sheet.title));
  ShowSheet(std::move(rows));
}

void ProfileWindow::ShowRefusal(const QString& why) {
  sheet_.reset();
  setWindowTitle(QStringLiteral("水面线"));
  ShowMessage(QStringLiteral("未能计算水面线。\n\n") + why);
}

void ProfileWindow::Paint(QPainter& painter, const QRectF& sheet) const {
  if (sheet_) PaintProfile(painter, sheet, *sheet_);
}

QString ProfileWindow::ReadoutAtPixel(const QRectF& sheet, double px) const {
  if (!sheet_) return {};
  const std::optional<double> x = ScaleOf(sheet, *sheet_).DistanceAt(px);
  return x ? ReadoutAt(*x) : QString();
}

QString ProfileWindow::ReadoutAt(double x) const {
  if (!sheet_) return {};
  const std::optional<ProfilePoint> at = PointAt(sheet_->profile, x);
  if (!at) return {};
  return QStringLiteral("x=%1 m　水深h=%2 m　水位z=%3 m　渠底高程=%4 m")
      .arg(at->x, 0, 'f', 2)
      .arg(at->h, 0, 'f', 4)
      .arg(at->z, 0, 'f', 4)
      .arg(at->bed, 0, 'f', 4);
}

std::string ProfileWindow::Csv() const {
  return sheet_ ? ProfileCsv(sheet_->profile.stations, 0.0) : std::string();
}

}  // namespace tarnwick::ui
