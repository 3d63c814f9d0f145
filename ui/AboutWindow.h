// frmAbout: product title, version, a few words on the program, and the button
// that starts the system-information viewer.
#pragma once

#include <QDialog>

namespace tarnwick::ui {

class AboutWindow : public QDialog {
  Q_OBJECT
 public:
  explicit AboutWindow(QWidget* parent = nullptr);
 public slots:
  void ShowSystemInformation();  // cmdSysInfo
};

}  // namespace tarnwick::ui
