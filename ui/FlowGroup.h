// The "流量组合" group of an open channel's depth window: the increased and the
// least discharge, the increase coefficient and the freeboard beside the boxes,
// read into the request of sections/FlowCombination.h. Empty boxes take the
// rules: the increased discharge from the table's coefficient, the freeboard
// h加大/4 + 0.2 m. The group asks for nothing while the least discharge is empty.
#pragma once

#include <QGroupBox>
#include <optional>

#include "sections/FlowCombination.h"

class QLineEdit;

namespace tarnwick::ui {

class FlowGroup : public QGroupBox {
  Q_OBJECT
 public:
  explicit FlowGroup(QWidget* parent = nullptr);
  // The request typed; empty while the least discharge is empty.
  std::optional<FlowRequest> Request() const;
  // A case's request brought back into the boxes (cleared when it has none).
  void Show(const std::optional<FlowRequest>& request);
  QLineEdit* Increased() const { return increased_; }
  QLineEdit* Coefficient() const { return coefficient_; }
  QLineEdit* Least() const { return least_; }
  QLineEdit* Freeboard() const { return freeboard_; }

 private:
  QLineEdit* increased_ = nullptr;
  QLineEdit* coefficient_ = nullptr;
  QLineEdit* least_ = nullptr;
  QLineEdit* freeboard_ = nullptr;
};

}  // namespace tarnwick::ui
