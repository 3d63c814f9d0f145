// "水面线计算": what the profile of a case needs besides the case — the reach
// length, the control (a depth, critical depth or normal depth), the station
// spacing and the bed level at the control.
#pragma once

#include <QDialog>
#include <optional>

#include "sections/Profile.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace tarnwick::ui {

class ProfileDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ProfileDialog(QWidget* parent = nullptr);

  void SetRequest(const ProfileRequest& request);
  // The request typed, or empty (the reason shown) when a box is not a fit number.
  std::optional<ProfileRequest> Request() const;
  // Empty when the typed request is whole, otherwise what is wrong.
  QString Problem() const;

  void accept() override;

 private:
  QLineEdit* length_ = nullptr;
  QComboBox* control_ = nullptr;
  QLineEdit* depth_ = nullptr;
  QLineEdit* step_ = nullptr;
  QLineEdit* bed_ = nullptr;
  QLabel* problem_ = nullptr;
};

}  // namespace tarnwick::ui
