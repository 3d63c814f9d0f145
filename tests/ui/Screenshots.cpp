// tarnwick-screenshots OUTDIR: walks the program as a user would (splash,
// selection, each of the sixteen calculation windows with one worked case and
// its section drawing, the stage–discharge curve of an open channel and a tunnel,
// help, About) and saves a picture of every window into OUTDIR.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QPainter>
#include <QTest>
#include <cstdio>

#include "WorkedCases.h"
#include "ui/AboutWindow.h"
#include "ui/CalculationWindow.h"
#include "ui/HelpWindow.h"
#include "ui/ReportPrinting.h"
#include "ui/ResultView.h"
#include "ui/SectionDrawingWindow.h"
#include "ui/SelectionWindow.h"
#include "ui/Shell.h"
#include "ui/SplashWindow.h"
#include "ui/StageDischargeWindow.h"

using namespace tarnwick;
using namespace tarnwick::ui;

namespace {

int saved = 0;
QDir outDir;

void Save(QWidget* window, const QString& name) {
  QTest::qWait(50);
  const QString file =
      outDir.filePath(QStringLiteral("%1-%2.png").arg(saved++, 2, 10, QLatin1Char('0')).arg(name));
  if (!window->grab().save(file)) std::fprintf(stderr, "could not save %s\n", qPrintable(file));
  std::printf("%s\n", qPrintable(file));
}

// Sets Form1's two groups so that "下一步" leads to `target`.
bool Choose(SelectionWindow* selection, std::string_view target) {
  for (const char* kind : {"Option1", "Option2"}) {
    selection->findChild<QRadioButton*>(kind)->click();
    for (const FamilySpec& f : Families()) {
      selection->findChild<QRadioButton*>(QString::fromUtf8(f.option.data(), f.option.size()))
          ->click();
      if (selection->ChosenWindow().name == target) return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  if (argc != 2) {
    std::fprintf(stderr, "usage: tarnwick-screenshots OUTDIR\n");
    return 2;
  }
  outDir = QDir(QString::fromLocal8Bit(argv[1]));
  if (!outDir.mkpath(QStringLiteral("."))) return 1;

  Shell shell;
  Save(shell.ShowSplash(), "From4");
  QTest::mouseClick(shell.Splash()->findChild<QLabel*>("Label2"), Qt::LeftButton);
  Save(shell.Selection(), "Form1");

  for (const WorkedCase& c : WorkedCases()) {
    if (!Choose(shell.Selection(), c.window)) return 1;
    shell.Selection()->findChild<QPushButton*>("Command1")->click();
    QTest::qWait(20);
    CalculationWindow* window = shell.Calculation();
    for (std::size_t k = 0; k < c.boxes.size(); ++k) {
      window->Boxes()[k]->setText(QString::fromUtf8(c.boxes[k].data(), c.boxes[k].size()));
    }
    window->findChild<QPushButton*>("Command1")->click();
    const QString name = QString::fromUtf8(c.window.data(), c.window.size());
    Save(window, name);
    window->findChild<QAction*>("DRAW2")->trigger();
    Save(window->SectionDrawing(), name + QStringLiteral("-section"));
    // The stage–discharge curve of one open channel and one tunnel.
    if (c.window == "Form21" || c.window == "Form24") {
      window->findChild<QAction*>("DRAW1")->trigger();
      Save(window->CurveWindow(), name + QStringLiteral("-curve"));
    }
    if (c.window == "Form23") {
      // The same tunnel on a floor arch of radius 4 m.
      window->findChild<QLineEdit*>("Text5")->setText(QStringLiteral("4"));
      window->findChild<QPushButton*>("Command1")->click();
      Save(window->SectionDrawing(), name + QStringLiteral("-floor-arch-section"));
    }
    if (&c == &WorkedCases().back()) {
      // The printed reports of this window, as a page image.
      window->findChild<QPushButton*>("Command1")->click();
      std::vector<std::string> lines;
      for (const QString& line : window->Pane()->ShownText().split(QLatin1Char('\n'))) {
        lines.push_back(line.toStdString());
      }
      // An A4 page at 96 dpi with 2 cm margins.
      QImage image(794, 1123, QImage::Format_RGB32);
      image.fill(Qt::white);
      {
        const ReportSheet sheet(window->PrintHeading(),
                                QString::fromUtf8(window->Entry().resultCaption.data(),
                                                  window->Entry().resultCaption.size()),
                                lines, 10.0, image, QRectF(76, 76, 794 - 152, 1123 - 152));
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing);
        sheet.PaintPage(painter, 0);
      }
      const QString file = outDir.filePath(
          QStringLiteral("%1-print-page.png").arg(saved++, 2, 10, QLatin1Char('0')));
      image.save(file);
      std::printf("%s\n", qPrintable(file));
      window->findChild<QAction*>("HELP")->trigger();
      Save(shell.Help(), "Form3");
      window->findChild<QAction*>("ABOUT")->trigger();
      Save(shell.About(), "frmAbout");
    }
    window->findChild<QAction*>("LEFT")->trigger();
    QTest::qWait(20);
  }
  shell.Selection()->close();
  return 0;
}
