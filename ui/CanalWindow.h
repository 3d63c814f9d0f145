// "渠道水面线": a canal of reaches edited in a table (each reach a depth window
// of the window table with its box texts, its length, the bed level at its
// downstream end and the loss coefficient ζ of its upstream junction), computed
// from the downstream control up (sections/Canal.h), its longitudinal profile
// (纵断面) drawn beside the station table of every reach and exported like a
// profile. The banks are set by the channel design rule (sections/Canal.h
// BankLevels): at the increased discharge, by default the design discharge
// times the table's coefficient, each open reach's bank level is drawn and
// listed under the table with the highest level and the freeboard. The canal is kept in the
// session's project and shown again when the project is opened.
#pragma once

#include <optional>

// The window table before the profile engine: its type CriticalDepths (core/
// CompoundFlow.h) must be declared before the engine's function of that name.
#include "sections/Canal.h"

#include "CanalSheet.h"
#include "SheetWindow.h"

class QComboBox;
class QLayout;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace tarnwick::ui {

class Session;

class CanalWindow : public SheetWindow {
  Q_OBJECT
 public:
  explicit CanalWindow(Session& session, QWidget* parent = nullptr);

  QTableWidget* Reaches() const { return reaches_; }
  // The canal as typed, or why it cannot be read (the row and the column).
  std::optional<CanalInput> CanalOfForm(QString* why = nullptr) const;
  // Fills the form with a canal (the table's rows replaced).
  void Load(const CanalInput& canal);
  const std::optional<CanalSheet>& Sheet() const { return sheet_; }

  void AddReach();
  void RemoveReach();
  void MoveReach(int by);  // the current row up (-1) or down (+1)
  // Reads the form, keeps the canal in the project and shows its profile or why
  // not; true with a profile.
  bool Compute();

  bool HasSheet() const override { return sheet_.has_value(); }
  void Paint(QPainter& painter, const QRectF& sheet) const override;
  // The read-out at `x` from the canal's downstream end.
  QString ReadoutAt(double x) const override;

 protected:
  std::optional<double> DistanceAt(const QRectF& sheet, double px) const override;
  std::string Csv() const override;
  QString SheetTitle() const override;

 private:
  QWidget* BuildEditor();
  QLayout* BuildBanksRow(QWidget* editor);
  // The increased discharge and the freeboard of the form into `canal`; false,
  // with `why`, when a typed figure is not one.
  bool ReadBanksRequest(CanalInput& canal, QString* why) const;

  QLayout* BuildButtons(QWidget* editor);
  void SetWindowOfRow(int row, const WindowSpec* window);
  void ShowBoxHint();
  void TakeSessionCanal();
  // Computes a canal and shows its profile or why not; true with a profile.
  bool ShowCanal(const CanalInput& canal);

  Session& session_;
  QLineEdit* discharge_ = nullptr;
  QComboBox* control_ = nullptr;
  QLineEdit* controlValue_ = nullptr;
  QLineEdit* step_ = nullptr;
  QComboBox* increased_ = nullptr;
  QLineEdit* increasedValue_ = nullptr;
  QLineEdit* freeboard_ = nullptr;
  QLabel* banks_ = nullptr;
  QTableWidget* reaches_ = nullptr;
  QLabel* hint_ = nullptr;
  std::optional<CanalSheet> sheet_;
  std::optional<CanalResult> result_;
};

}  // namespace tarnwick::ui
