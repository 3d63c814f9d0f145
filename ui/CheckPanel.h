// The check panel beside a calculation window's pane: the engineering checks of
// the last press (sections/Checks.h), each with its status in colour and its
// figures, and the limits the user sets for them. Everything it shows comes from
// the checks of the press: which limits apply is read from the checks given, so
// the panel serves every window of the table alike.
#pragma once

#include <QList>
#include <QScrollArea>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "CalculationBook.h"
#include "sections/CaseRecord.h"
#include "sections/Checks.h"

class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace tarnwick::ui {

// The colour of a status word: green, red, grey.
QColor StatusColour(CheckStatus status);

class CheckPanel : public QScrollArea {
  Q_OBJECT
 public:
  explicit CheckPanel(QWidget* parent = nullptr);

  // Shows the checks of a recorded case, of any outcome, and keeps it to judge
  // again when a limit changes.
  void ShowRecord(const CaseRecord& record);
  // Forgets the press and shows the empty panel.
  void Clear();

  // The limits as the boxes of the panel stand, and set (a project opened).
  CheckLimits Limits() const;
  void SetLimits(const CheckLimits& limits);
  // Shows the clearance limits before any closed section is checked (a design
  // that sizes a tunnel to them).
  void ShowClearanceLimits(bool shown);
  // The checks shown, in their order.
  const std::vector<Check>& Shown() const { return shown_; }

 signals:
  // A limit was changed by hand: the records kept elsewhere are judged again.
  void limitsChanged(const tarnwick::CheckLimits& limits);

 private:
  QWidget* BuildLimits(QWidget* parent);
  void BuildClosedLimits(QWidget* frame, QGridLayout* grid, int row);
  QLineEdit* LimitBox(QWidget* parent, const char* name, const QString& placeholder,
                      const QString& text = {});
  void PickLining(int index);
  void Recheck();
  void ShowChecks();

  std::optional<CaseRecord> record_;
  std::vector<Check> shown_;
  QLineEdit* velocityMin_ = nullptr;
  QLineEdit* velocityMax_ = nullptr;
  QComboBox* lining_ = nullptr;
  QLineEdit* froudeLow_ = nullptr;
  QLineEdit* froudeHigh_ = nullptr;
  QComboBox* closedRule_ = nullptr;
  QLineEdit* clearanceArea_ = nullptr;
  QLineEdit* clearanceHeight_ = nullptr;
  QList<QWidget*> closedRows_;     // shown for closed sections only
  QList<QWidget*> clearanceRows_;  // shown where the tunnel rule applies
  bool clearanceAlways_ = false;   // the design of a closed section sizes to them
  QGroupBox* checksFrame_ = nullptr;
  QGridLayout* rows_ = nullptr;
};

}  // namespace tarnwick::ui
