// "水面线": the water-surface profile of a case drawn to scale in elevation, the
// station table beside it, the depth and level under the mouse read out, and the
// drawing exported as PNG or SVG and the stations as CSV. One per calculation
// window, closed with it.
#pragma once

#include <optional>

#include "ProfileSheet.h"
#include "SheetWindow.h"

namespace tarnwick::ui {

class ProfileWindow : public SheetWindow {
  Q_OBJECT
 public:
  explicit ProfileWindow(QWidget* parent = nullptr);

  void ShowProfile(const ProfileSheet& sheet);
  // The profile was refused: why, instead of a drawing.
  void ShowRefusal(const QString& why);

  const std::optional<ProfileSheet>& Sheet() const { return sheet_; }
  // The read-out of the depth and level at `x` from the control.
  QString ReadoutAt(double x) const override;

  bool HasSheet() const override { return sheet_.has_value(); }
  void Paint(QPainter& painter, const QRectF& sheet) const override;

 protected:
  std::optional<double> DistanceAt(const QRectF& sheet, double px) const override;
  std::string Csv() const override;
  QString SheetTitle() const override { return sheet_ ? sheet_->title : QString(); }

 private:
  std::optional<ProfileSheet> sheet_;
};

}  // namespace tarnwick::ui
