// The design window of a section family: the family's discharge window's boxes
// and a design discharge, one unknown chosen among the boxes the solvers take
// (sections/Design.h), for a channel of chosen proportions the ratio and the
// hydraulically best section, for a tunnel the smallest section that leaves the
// clearance asked for. Each press prints the solved line and the report of the
// answer below the last; the drawing and the curve follow the first answer.
// Everything shown comes from the window table: the frame holds no family.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <optional>
#include <string>
#include <vector>

#include "core/ResultPane.h"
#include "sections/Design.h"
#include "sections/WindowCatalog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarnwick::ui {

class ResultView;
class SectionDrawingWindow;
class StageDischargeWindow;

class DesignWindow : public QMainWindow {
  Q_OBJECT
 public:
  // What one press designs.
  enum class ModeKind { Box, Ratio, Best, Size };
  struct Mode {
    ModeKind kind = ModeKind::Box;
    std::string_view box;  // the unknown, for ModeKind::Box
  };

  explicit DesignWindow(const FamilySpec& family, QWidget* parent = nullptr);

  const FamilySpec& Family() const { return family_; }
  // The discharge window whose boxes are shown, and the depth window the
  // proportions and the sizing are reported by.
  const WindowSpec& DischargeWindow() const { return discharge_; }
  const WindowSpec& DepthWindow() const { return depth_; }
  // The section boxes (the discharge window's, in its order) and the design discharge.
  const std::vector<QLineEdit*>& Boxes() const { return boxes_; }
  QLineEdit* DesignDischarge() const { return designQ_; }
  // The modes offered, in the order of the choice.
  const std::vector<Mode>& Modes() const { return modes_; }
  void ChooseMode(int index);
  int ChosenMode() const;
  ResultView* Pane() const { return pane_; }
  // The result of the last press.
  const std::optional<design::DesignResult>& LastResult() const { return last_; }
  StageDischargeWindow* CurveWindow() const;
  SectionDrawingWindow* SectionDrawing() const;

 public slots:
  void Compute();
  void ClearResults();
  void ShowSectionDrawing();
  void ShowStageDischargeCurve();
  void PrintResults();

 signals:
  void returnRequested();
  void exitRequested();
  void helpRequested();
  void aboutRequested();
  void closing();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void BuildToolbar();
  QWidget* BuildInputFrame();
  QWidget* BuildDesignFrame();
  void ToolbarClicked(int index);
  std::vector<std::string> DischargeTexts() const;
  std::vector<std::string> DepthTexts() const;
  design::DesignResult Design() const;
  void Answered(design::DesignResult result);
  QStringList Dimensions(const design::Solution& s) const;
  QString Heading() const;

  const FamilySpec& family_;
  const WindowSpec& discharge_;
  const WindowSpec& depth_;
  std::vector<Mode> modes_;
  std::vector<QLineEdit*> boxes_;
  QLineEdit* designQ_ = nullptr;
  QLineEdit* ratio_ = nullptr;
  QLineEdit* clearArea_ = nullptr;
  QLineEdit* clearHeight_ = nullptr;
  std::vector<QWidget*> ratioRow_;
  std::vector<QWidget*> clearanceRow_;
  QComboBox* mode_ = nullptr;
  QPushButton* command1_ = nullptr;
  ResultView* pane_ = nullptr;
  ResultPane results_;
  std::optional<design::DesignResult> last_;
  QPointer<SectionDrawingWindow> drawing_;
  QPointer<StageDischargeWindow> curve_;
};

}  // namespace tarnwick::ui
