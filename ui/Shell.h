// The application shell: which windows are open and how one leads to another.
// Every window exists at most once; a closed window is gone with its contents
// and is built afresh when opened again.
#pragma once

#include <QObject>
#include <QPointer>

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
  HelpWindow* ShowHelp();
  AboutWindow* ShowAbout();

  // The open windows (null when closed).
  SplashWindow* Splash() const;
  SelectionWindow* Selection() const;
  CalculationWindow* Calculation() const;
  HelpWindow* Help() const;
  AboutWindow* About() const;

 private:
  void EnterFromSplash();
  void ExitFromSelection();
  void ReturnToSelection();
  void CloseCompanions();

  QPointer<SplashWindow> splash_;
  QPointer<SelectionWindow> selection_;
  QPointer<CalculationWindow> calculation_;
  QPointer<HelpWindow> help_;
  QPointer<AboutWindow> about_;
};

}  // namespace tarnwick::ui
