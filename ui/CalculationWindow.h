// The one frame of all sixteen calculation windows, built from a row of the
// window table: input boxes in reading order, "确 定", the output pane, menus and
// toolbar. The compute command hands the box texts to the window's calculator and
// shows what it printed; the window itself computes nothing.
#pragma once

#include <QColor>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <optional>
#include <vector>

#include "WindowDecor.h"
#include "core/ResultPane.h"
#include "sections/CaseRecord.h"
#include "sections/WindowCatalog.h"

class QAction;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tarnwick::ui {

class CaseTableWindow;
class CheckPanel;
class ResultView;
class StageDischargeWindow;
class SectionDrawingWindow;

class CalculationWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit CalculationWindow(const WindowSpec& entry, QWidget* parent = nullptr);

  // The row of the window table this window was built from.
  const WindowSpec& Entry() const { return entry_; }
  // The input boxes in the window's reading order.
  const std::vector<QLineEdit*>& Boxes() const { return boxes_; }
  ResultView* Pane() const { return pane_; }
  // The engineering checks of the last press, beside the pane.
  CheckPanel* Checks() const { return checkPanel_; }
  // The case table of the pane's reports; a window of its own, hidden until asked for.
  CaseTableWindow* Cases() const { return cases_; }
  // Writes the calculation book of every case reported in the pane so far, PDF
  // or ODT by the suffix of `path`, with the checks at the panel's limits.
  // Empty on success, otherwise why it could not be written.
  QString WriteBookTo(const QString& path) const;
  // The stage–discharge curve window of this window; null while closed.
  StageDischargeWindow* CurveWindow() const;
  // The open section drawing of this window, null when none is open.
  SectionDrawingWindow* SectionDrawing() const;
  // The text of the project-name box, or a title made from the caption when empty.
  QString ProjectTitle() const;
  // Heading of the printed reports: the project name, or the window caption.
  QString PrintHeading() const;
  // Sizes the window and its pane face for a screen whose area free of panels
  // is `available` (QScreen::availableGeometry); done for the window's screen
  // when it is built.
  void FitToScreen(const QRect& available);

 public slots:
  void Compute();                  // Command1
  void ClearResults();             // CLEAN
  void ShowStageDischargeCurve();  // DRAW1, toolbar button 7
  void ShowSectionDrawing();       // DRAW2, toolbar button 6
  void PrintResults();             // PRINT, toolbar button 2
  void ShowCaseTable();            // CASES
  // BOOK: asks for a .pdf or .odt file and writes the book there.
  void WriteBook();

 signals:
  void returnRequested();  // LEFT
  void exitRequested();    // EXIT
  void helpRequested();    // HELP
  void aboutRequested();   // ABOUT
  // Printing, the section drawing and the stage–discharge curve: menu and toolbar
  // raise these, and the window answers them itself (PrintResults,
  // ShowSectionDrawing, ShowStageDischargeCurve).
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
  void BuildMenus();
  void BuildToolbar();
  QWidget* BuildInputFrame();
  QWidget* BuildExtensionFrame();
  void ToolbarClicked(int index);
  QWidget* BuildShapeButtons(QWidget* frame);
  QLineEdit* Box(std::string_view name) const;
  void SetLocked(QLineEdit* box, bool locked, const QColor& colour);
  std::vector<std::string> BoxTexts() const;
  void RefreshCurve(const std::vector<std::string>& texts);
  // After a successful press: remember the case, refresh an open drawing, open
  // one when Check2 is ticked.
  void SectionComputed(std::optional<SectionCase> computed);
  SectionDrawingWindow* OpenSectionDrawing();
  // After every press: the check panel; after a report also the case table and
  // the cases of the book.
  void RecordPress(const std::vector<std::string>& texts, const PressResult& pressed);
  QStringList TypedDimensions() const;

  const WindowSpec& entry_;
  QColor shapeTint_;  // of the shape buttons and the boxes they lock
  ResultPane results_;
  std::vector<QLineEdit*> boxes_;
  ResultView* pane_ = nullptr;
  CheckPanel* checkPanel_ = nullptr;
  CaseTableWindow* cases_ = nullptr;
  // The record of every press that printed a report into the pane, for the book.
  std::vector<CaseRecord> records_;
  QPushButton* command1_ = nullptr;
  // The box texts of the last press that printed a report.
  std::optional<std::vector<std::string>> computedTexts_;
  QPointer<StageDischargeWindow> curve_;
  // Section drawing: the case of the last successful press, and the window.
  std::optional<SectionCase> lastCase_;
  QStringList lastDimensions_;
  QPointer<SectionDrawingWindow> sectionDrawing_;
  QCheckBox* check2_ = nullptr;
  QLineEdit* projectName_ = nullptr;
};

}  // namespace tarnwick::ui
