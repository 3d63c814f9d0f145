// The one frame of every calculation window, built from a row of the window
// table: input boxes in reading order, "确 定", the output pane, the check panel,
// the case table, menus and toolbar. The same frame is the design window of a
// section family: its discharge window's boxes with a design request (solve one
// box, a ratio, the best section, the smallest tunnel: sections/CaseRecord.h).
// A press makes the case's record (or a design's records) and hands it to the
// session; the pane, the checks, the case table, the drawing, the curve, the
// print and the book all show the session's records of this window.
#pragma once

#include <QColor>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <optional>
#include <vector>

#include "Session.h"
#include "WindowDecor.h"
#include "core/ResultPane.h"
#include "sections/CaseRecord.h"
#include "sections/WindowCatalog.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenu;
class QPrinter;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace tarnwick::ui {

class CaseTableWindow;
class CanalWindow;
class ProfileWindow;
class CheckPanel;
class FlowGroup;
class ResultView;
class StageDischargeWindow;
class SectionDrawingWindow;

class CalculationWindow : public QMainWindow {
  Q_OBJECT
 public:
  // A window's own frame; without a session it keeps its cases to itself.
  explicit CalculationWindow(const WindowSpec& entry, QWidget* parent = nullptr,
                             Session* session = nullptr);
  // The design frame of a family.
  explicit CalculationWindow(const FamilySpec& family, QWidget* parent = nullptr,
                             Session* session = nullptr);

  // The row of the window table this window was built from; for a design frame,
  // the family's discharge window whose boxes it shows.
  const WindowSpec& Entry() const { return entry_; }
  // The input boxes in the window's reading order.
  const std::vector<QLineEdit*>& Boxes() const { return boxes_; }
  ResultView* Pane() const { return pane_; }
  // The engineering checks of the last press, beside the pane.
  CheckPanel* Checks() const { return checkPanel_; }
  // The case table of the pane's reports; a window of its own, hidden until asked for.
  CaseTableWindow* Cases() const { return cases_; }
  Session* CurrentSession() const { return session_; }
  FrameKey Key() const;
  // The cases of this window, in the order pressed.
  std::vector<const CaseRecord*> Records() const;
  // Writes the calculation book of every case of this window, PDF or ODT by the
  // suffix of `path`, with the checks at the panel's limits. Empty on success,
  // otherwise why it could not be written.
  QString WriteBookTo(const QString& path) const;
  StageDischargeWindow* CurveWindow() const;
  SectionDrawingWindow* SectionDrawing() const;
  // The water-surface profile window, while open.
  ProfileWindow* ProfileView() const;
  // The canal window of the session's canal, opened (once) and raised.
  CanalWindow* ShowCanal();
  // The profile of the last reported case, kept with its record and shown in the
  // profile window; null when there is no reported case of a depth window.
  ProfileWindow* ShowProfile(const ProfileRequest& request);
  // What the profile dialog offers: the request last asked here or kept with a
  // case of this window, or a first guess.
  ProfileRequest ProfileDefaults() const;
  // The pane's reports, each case followed by its checks, printed on `printer`.
  void PrintTo(QPrinter& printer) const;
  // The text of the project-name box, or a title made from the caption when empty.
  QString ProjectTitle() const;
  // Heading of the printed reports: the project name typed in the window or in
  // 工程信息, or the window caption.
  QString PrintHeading() const;
  // The window's caption, without the project file's name.
  QString Caption() const { return caption_; }
  void FitToScreen(const QRect& available);
  // Brings the `index`-th case of this window back into its boxes (and, for a
  // design case, its request), ready to change and press again.
  void BringBack(std::size_t index);

  // The design frame: its family (null for a window's own frame), the depth
  // window that reports proportions and sizing, the requests offered in the
  // order of the choice, the chosen one and the design discharge box.
  const FamilySpec* DesignFamily() const { return family_; }
  const WindowSpec& DischargeWindow() const { return entry_; }
  const WindowSpec& DepthWindow() const { return *depth_; }
  const std::vector<DesignRequest>& Modes() const { return modes_; }
  void ChooseMode(int index);
  int ChosenMode() const;
  QLineEdit* DesignDischarge() const { return designQ_; }
  // The flow combination of an open channel's depth window or design frame;
  // null elsewhere.
  FlowGroup* Flows() const { return flows_; }

 public slots:
  void Compute();       // Command1
  void ClearResults();  // CLEAN: asks first while the cases are unsaved
  void UndoRemoval();   // UNDO
  void RemoveCase(std::size_t index);
  void ShowStageDischargeCurve();  // DRAW1, toolbar button 7
  void ShowSectionDrawing();       // DRAW2, toolbar button 6
  void AskProfile();               // DRAW3: the dialog, then ShowProfile
  void PrintResults();             // PRINT, toolbar button 2
  void ShowCaseTable();            // CASES
  void WriteBook();                // BOOK

 signals:
  void returnRequested();               // LEFT
  void exitRequested();                 // EXIT
  void helpRequested();                 // HELP
  void aboutRequested();                // ABOUT
  void printRequested();                // PRINT, toolbar button 2
  void sectionDrawingRequested();       // DRAW2, toolbar button 6
  void stageDischargeCurveRequested();  // DRAW1, toolbar button 7
  void closing();

 public:
  // A shape button of the window's table row: fixes and locks one box, opens
  // another for typing.
  void ChooseShape(const ShapeOption& shape);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Build(Session* session);
  // The session's changes shown here, the case table's requests answered.
  void ConnectRecords();
  void BuildResults(QWidget* central, QVBoxLayout* layout);
  void BuildMenus();
  void BuildProjectActions(QMenu* file);
  void BuildToolbar();
  QWidget* BuildInputFrame();
  QWidget* BuildExtensionFrame();
  QWidget* BuildDesignFrame();
  void ToolbarClicked(int index);
  QWidget* BuildShapeButtons(QWidget* frame);
  QLineEdit* Box(std::string_view name) const;
  void SetLocked(QLineEdit* box, bool locked, const QColor& colour);
  std::vector<std::string> BoxTexts() const;
  // The records of one press: RecordPress, or RecordDesign of the chosen request.
  std::vector<CaseRecord> Press() const;
  std::vector<std::string> DepthTexts() const;
  void WriteSolved(const CaseRecord& answer);
  void BringBackDesign(const CaseRecord& record);
  // The pane, the check panel and the case table from the session's records.
  void ShowRecords();
  // The session's last texts of this window and its limits, after a project was opened.
  void TakeProject();
  void ShowTitle();
  const CaseRecord* LastReport() const;
  void RefreshCurve();
  void RefreshDrawing();
  SectionDrawingWindow* OpenSectionDrawing();

  const WindowSpec& entry_;
  const FamilySpec* family_ = nullptr;  // the design frame's family
  const WindowSpec* depth_ = nullptr;
  QString caption_;
  QColor shapeTint_;  // of the shape buttons and the boxes they lock
  Session* session_ = nullptr;
  ResultPane results_;
  std::vector<QLineEdit*> boxes_;
  ResultView* pane_ = nullptr;
  CheckPanel* checkPanel_ = nullptr;
  CaseTableWindow* cases_ = nullptr;
  QPushButton* command1_ = nullptr;
  QPointer<StageDischargeWindow> curve_;
  QPointer<SectionDrawingWindow> sectionDrawing_;
  QPointer<ProfileWindow> profile_;
  QPointer<CanalWindow> canal_;
  std::optional<ProfileRequest> lastProfile_;
  QCheckBox* check1_ = nullptr;
  QCheckBox* check2_ = nullptr;
  QLineEdit* projectName_ = nullptr;
  FlowGroup* flows_ = nullptr;
  QAction* undo_ = nullptr;
  // The design frame's request: the modes, the choice, the discharge and ratio.
  std::vector<DesignRequest> modes_;
  QComboBox* mode_ = nullptr;
  QLineEdit* designQ_ = nullptr;
  QLineEdit* ratio_ = nullptr;
  QCheckBox* sizeForIncreased_ = nullptr;  // with the flows: sized for the increased one
  std::vector<QWidget*> ratioRow_;
};

}  // namespace tarnwick::ui
