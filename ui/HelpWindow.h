// Form3, the help window: the operating notes, which can be printed.
#pragma once

#include <QMainWindow>
#include <QStringList>

class QPrinter;

namespace tarnwick::ui {

// The notes, one a line, in order.
const QStringList& HelpNotes();

// Lays the notes out on the printer's pages.
void PrintHelpNotes(QPrinter& printer);

class HelpWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);
 public slots:
  void Print();  // PRINT: asks for a printer (a PDF file included) and prints
};

}  // namespace tarnwick::ui
