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

std::optional<double> ProfileWindow::DistanceAt(const QRectF& sheet, double px) const {
  if (!sheet_) return std::nullopt;
  return ScaleOf(sheet, *sheet_).DistanceAt(px);
}

QString ProfileWindow::ReadoutAt(double x) const {
  if (!sheet_) return {};
  const std::optional<ProfilePoint> at = PointAt(sheet_->profile, x);
  if (!at) return {};
  return PointReadout(*at);
}

std::string ProfileWindow::Csv() const {
  return sheet_ ? ProfileCsv(sheet_->profile.stations, 0.0) : std::string();
}

}  // namespace tarnwick::ui
