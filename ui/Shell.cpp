#include "Shell.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include "AboutWindow.h"
#include "CalculationWindow.h"

#include "HelpWindow.h"
#include "ProjectMenu.h"
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

// Closed by the shell, handing over to another window: nothing is lost (the
// cases stay in the session), so the window does not ask.
template <typename Window>
void CloseIfOpen(const QPointer<Window>& window) {
  if (!IsOpen(window)) return;
  window->setProperty("quietClose", true);
  window->close();
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
CalculationWindow* Shell::Design() const { return IsOpen(design_) ? design_.data() : nullptr; }
AboutWindow* Shell::About() const { return IsOpen(about_) ? about_.data() : nullptr; }

Shell::Shell(QObject* parent) : QObject(parent) { session_.SetProgramSession(true); }

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
  // The program ends here: the session's unsaved cases would go with it.
  if (!MayDiscard(selection_, session_)) return;
  CloseIfOpen(selection_);
  CloseIfOpen(about_);
}

CalculationWindow* Shell::OpenCalculation(const WindowSpec& window) {
  const std::vector<QWidget*> previous{calculation_, design_};
  calculation_ = new CalculationWindow(window, nullptr, &session_);
  Connect(calculation_);
  Present(calculation_);
  Replace(previous);
  return calculation_;
}

CalculationWindow* Shell::OpenDesign(const FamilySpec& family) {
  const std::vector<QWidget*> previous{calculation_, design_};
  design_ = new CalculationWindow(family, nullptr, &session_);
  Connect(design_);
  Present(design_);
  Replace(previous);
  return design_;
}

void Shell::Connect(CalculationWindow* window) {
  connect(window, &CalculationWindow::returnRequested, this, &Shell::ReturnToSelection);
  connect(window, &CalculationWindow::exitRequested, window, &QWidget::close);
  connect(window, &CalculationWindow::helpRequested, this, &Shell::ShowHelp);
  connect(window, &CalculationWindow::aboutRequested, this, &Shell::ShowAbout);
  connect(window, &CalculationWindow::closing, this, &Shell::CloseCompanions);
}

bool Shell::OfferRestore() {
  if (!QFileInfo::exists(Session::AutosavePath())) return false;
  QMessageBox box(QMessageBox::Question, QStringLiteral("恢复上次的计算"),
                  QStringLiteral("上次运行未正常结束，留下了尚未保存的计算结果。\n是否恢复？"),
                  QMessageBox::Yes | QMessageBox::No);
  box.setObjectName(QStringLiteral("RestoreQuestion"));
  box.button(QMessageBox::Yes)->setText(QStringLiteral("恢复"));
  box.button(QMessageBox::No)->setText(QStringLiteral("不恢复"));
  if (box.exec() == QMessageBox::Yes) {
    if (session_.RestoreAutosave()) return true;
    QMessageBox::warning(nullptr, box.windowTitle(),
                         QStringLiteral("上次的计算结果已损坏，无法恢复。"));
  }
  // Declined or unreadable: not offered again.
  QFile::remove(Session::AutosavePath());
  return false;
}

void Shell::Replace(const std::vector<QWidget*>& previous) {
  // One calculation or design window at a time: a window left open by another
  // road is replaced, never doubled.
  for (QWidget* w : previous) {
    if (w == nullptr || !w->isVisible()) continue;
    w->disconnect(this);
    w->setProperty("quietClose", true);
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
