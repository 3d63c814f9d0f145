// Form1, the selection window: calculation kind and section family, then
// "下一步" opens the matching calculation window, or the family's design window.
#pragma once

#include <QMainWindow>

#include "sections/WindowCatalog.h"

class QPushButton;
class QRadioButton;

namespace tarnwick::ui {

class SelectionWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit SelectionWindow(QWidget* parent = nullptr);

  // The window the current choice leads to.
  // The window the current choice leads to; for a design, the discharge window
  // whose boxes the design window shows.
  const WindowSpec& ChosenWindow() const;
  const FamilySpec& ChosenFamily() const;
  bool DesignChosen() const;

 signals:
  void nextRequested(const tarnwick::WindowSpec* window);    // Command1
  void designRequested(const tarnwick::FamilySpec* family);  // Command1, design kind
  void exitRequested();                                      // EXIT, or closed by the user
  void aboutRequested();                                     // ABOUT, Picture1

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Until the window has seen a press of its own, a double click is the second
  // half of one begun on the splash, which opened this window under the mouse:
  // it and its release are swallowed, so they press nothing here.
  bool seenPress_ = false;
  bool swallowRelease_ = false;
  QRadioButton* depthKind_ = nullptr;
  QRadioButton* designKind_ = nullptr;
  std::vector<std::pair<QRadioButton*, Family>> families_;
  QPushButton* command1_ = nullptr;
};

}  // namespace tarnwick::ui
