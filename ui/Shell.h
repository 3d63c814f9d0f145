// The application shell: which windows are open and how one leads to another.
// Every window exists at most once; a closed window is gone with its contents
// and is built afresh when opened again.
#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

#include "sections/WindowCatalog.h"

namespace tarnwick::ui {

class AboutWindow;
class CalculationWindow;
class DesignWindow;
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
  DesignWindow* OpenDesign(const FamilySpec& family);
  HelpWindow* ShowHelp();
  AboutWindow* ShowAbout();

  // The open windows (null when closed).
  SplashWindow* Splash() const;
  SelectionWindow* Selection() const;
  CalculationWindow* Calculation() const;
  DesignWindow* Design() const;
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

  QPointer<SplashWindow> splash_;
  QPointer<SelectionWindow> selection_;
  QPointer<CalculationWindow> calculation_;
  QPointer<DesignWindow> design_;
  QPointer<HelpWindow> help_;
  QPointer<AboutWindow> about_;
};

}  // namespace tarnwick::ui
