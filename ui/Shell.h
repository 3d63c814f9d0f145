// The application shell: which windows are open and how one leads to another.
// Every window exists at most once; a closed window is built afresh when opened
// again. The shell owns the program's one session (Session.h): the cases of
// every window, kept across the windows, saved and opened as a project.
#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

#include "Session.h"
#include "sections/WindowCatalog.h"

namespace tarnwick::ui {

class AboutWindow;
class CalculationWindow;
class HelpWindow;
class SelectionWindow;
class SplashWindow;

class Shell : public QObject {
  Q_OBJECT
 public:
  explicit Shell(QObject* parent = nullptr);
  ~Shell() override;

  SplashWindow* ShowSplash();
  SelectionWindow* ShowSelection();
  CalculationWindow* OpenCalculation(const WindowSpec& window);
  CalculationWindow* OpenDesign(const FamilySpec& family);
  HelpWindow* ShowHelp();
  AboutWindow* ShowAbout();

  // The open windows (null when closed).
  SplashWindow* Splash() const;
  SelectionWindow* Selection() const;
  CalculationWindow* Calculation() const;
  CalculationWindow* Design() const;
  Session* CurrentSession() { return &session_; }
  // At start-up: when the last session ended without closing in order (a crash,
  // a kill), offers its cases back; true when they were restored.
  bool OfferRestore();
  HelpWindow* Help() const;
  AboutWindow* About() const;

 private:
  void EnterFromSplash();
  void ExitFromSelection();
  void ReturnToSelection();
  void CloseCompanions();
  // After a calculation or design window opened: the one it replaces, and the
  // selection window, close.
  void Replace(const std::vector<QWidget*>& previous);
  void Connect(CalculationWindow* window);

  Session session_;
  QPointer<SplashWindow> splash_;
  QPointer<SelectionWindow> selection_;
  QPointer<CalculationWindow> calculation_;
  QPointer<CalculationWindow> design_;
  QPointer<HelpWindow> help_;
  QPointer<AboutWindow> about_;
};

}  // namespace tarnwick::ui
