#include "Shell.h"

#include "AboutWindow.h"
#include "CalculationWindow.h"
#include "DesignWindow.h"
#include "HelpWindow.h"
#include "SelectionWindow.h"
#include "SplashWindow.h"

namespace tarnwick::ui {

namespace {

// A closed window is hidden at once and deleted a moment later; until then the
// pointer to it is still set, so "open" means set and shown.
template <typename Window>
bool IsOpen(const QPointer<Window>& window) {
  return window && window->isVisible();
}

template <typename Window>
void CloseIfOpen(const QPointer<Window>& window) {
  if (IsOpen(window)) window->close();
}

void Present(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace

SplashWindow* Shell::Splash() const { return IsOpen(splash_) ? splash_.data() : nullptr; }
SelectionWindow* Shell::Selection() const {
  return IsOpen(selection_) ? selection_.data() : nullptr;
}
CalculationWindow* Shell::Calculation() const {
  return IsOpen(calculation_) ? calculation_.data() : nullptr;
}
HelpWindow* Shell::Help() const { return IsOpen(help_) ? help_.data() : nullptr; }
DesignWindow* Shell::Design() const { return IsOpen(design_) ? design_.data() : nullptr; }
AboutWindow* Shell::About() const { return IsOpen(about_) ? about_.data() : nullptr; }

Shell::Shell(QObject* parent) : QObject(parent) {}

Shell::~Shell() {
  // Windows still open when the shell goes (a test ending early) go with it.
  for (QWidget* w :
       std::initializer_list<QWidget*>{splash_, selection_, calculation_, design_, help_, about_}) {
    delete w;
  }
}

SplashWindow* Shell::ShowSplash() {
  if (!IsOpen(splash_)) {
    splash_ = new SplashWindow;
    connect(splash_, &SplashWindow::entered, this, &Shell::EnterFromSplash);
  }
  Present(splash_);
  return splash_;
}

void Shell::EnterFromSplash() {
  ShowSelection();
  CloseIfOpen(splash_);
}

SelectionWindow* Shell::ShowSelection() {
  if (!IsOpen(selection_)) {
    selection_ = new SelectionWindow;
    connect(selection_, &SelectionWindow::nextRequested, this,
            [this](const WindowSpec* window) { OpenCalculation(*window); });
    connect(selection_, &SelectionWindow::designRequested, this,
            [this](const FamilySpec* family) { OpenDesign(*family); });
    connect(selection_, &SelectionWindow::exitRequested, this, &Shell::ExitFromSelection);
    connect(selection_, &SelectionWindow::aboutRequested, this, &Shell::ShowAbout);
  }
  Present(selection_);
  return selection_;
}

void Shell::ExitFromSelection() {
  CloseIfOpen(selection_);
  CloseIfOpen(about_);
}

CalculationWindow* Shell::OpenCalculation(const WindowSpec& window) {
  const std::vector<QWidget*> previous{calculation_, design_};
  calculation_ = new CalculationWindow(window);
  connect(calculation_, &CalculationWindow::returnRequested, this, &Shell::ReturnToSelection);
  connect(calculation_, &CalculationWindow::exitRequested, calculation_, &QWidget::close);
  connect(calculation_, &CalculationWindow::helpRequested, this, &Shell::ShowHelp);
  connect(calculation_, &CalculationWindow::aboutRequested, this, &Shell::ShowAbout);
  connect(calculation_, &CalculationWindow::closing, this, &Shell::CloseCompanions);
  Present(calculation_);
  Replace(previous);
  return calculation_;
}

DesignWindow* Shell::OpenDesign(const FamilySpec& family) {
  const std::vector<QWidget*> previous{calculation_, design_};
  design_ = new DesignWindow(family);
  connect(design_, &DesignWindow::returnRequested, this, &Shell::ReturnToSelection);
  connect(design_, &DesignWindow::exitRequested, design_, &QWidget::close);
  connect(design_, &DesignWindow::helpRequested, this, &Shell::ShowHelp);
  connect(design_, &DesignWindow::aboutRequested, this, &Shell::ShowAbout);
  connect(design_, &DesignWindow::closing, this, &Shell::CloseCompanions);
  Present(design_);
  Replace(previous);
  return design_;
}

void Shell::Replace(const std::vector<QWidget*>& previous) {
  // One calculation or design window at a time: a window left open by another
  // road is replaced, never doubled.
  for (QWidget* w : previous) {
    if (w == nullptr || !w->isVisible()) continue;
    w->disconnect(this);
    w->close();
  }
  // The selection window has done its work.
  CloseIfOpen(selection_);
}

void Shell::ReturnToSelection() {
  // The fresh selection window appears before the calculation window goes, so
  // the program never passes through a moment without a window.
  ShowSelection();
  CloseIfOpen(calculation_);
  CloseIfOpen(design_);
}

void Shell::CloseCompanions() {
  CloseIfOpen(help_);
  CloseIfOpen(about_);
}

HelpWindow* Shell::ShowHelp() {
  if (!IsOpen(help_)) help_ = new HelpWindow;
  Present(help_);
  return help_;
}

AboutWindow* Shell::ShowAbout() {
  if (!IsOpen(about_)) about_ = new AboutWindow;
  Present(about_);
  return about_;
}

}  // namespace tarnwick::ui
