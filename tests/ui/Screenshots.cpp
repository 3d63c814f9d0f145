// tarnwick-screenshots OUTDIR [--panes SUFFIX]: walks the program as a user would
// (splash, selection, each of the sixteen calculation windows with one worked
// case and its section drawing, the stage–discharge curve of an open channel and
// a tunnel, Form21 and Form26 at their opening size with six reports, the context
// menus of a box and of the pane, the print dialog and a message box, help,
// About, the check panel of an open channel and a tunnel, the case table, the
// design windows of an open channel (also sized for its increased discharge) and
// a tunnel with their results, the 工程信息 dialog, the water-surface profiles of
// a canal behind a gate and a steep pipe, the canal window with three reaches and
// a drop) and saves a
// picture of every window into OUTDIR, and a calculation book, book.pdf. With
// --panes only the six-report windows are taken, their names ended by SUFFIX:
// for a run under other fonts; with --checks only the windows of the check cases
// and Form21 with its 流量组合 group filled and pressed; with --profiles only the
// water-surface profile windows.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <utility>

#include "WorkedCases.h"
#include "ui/AboutWindow.h"
#include "ui/CalculationBook.h"
#include "ui/CalculationWindow.h"
#include "ui/CanalWindow.h"
#include "ui/CaseTableWindow.h"
#include "ui/CheckPanel.h"
#include "ui/FlowGroup.h"
#include "ui/HelpWindow.h"
#include "ui/Localisation.h"
#include "ui/ProfileWindow.h"
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

// The screen under a window and the popup beside it: what the user sees.
void SaveScreenArea(const QRect& area, const QString& name) {
  QTest::qWait(100);
  const QString file =
      outDir.filePath(QStringLiteral("%1-%2.png").arg(saved++, 2, 10, QLatin1Char('0')).arg(name));
  const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(),
                                                                      area.width(), area.height());
  if (!screen.save(file)) std::fprintf(stderr, "could not save %s\n", qPrintable(file));
  std::printf("%s\n", qPrintable(file));
}

QMenu* OpenPopup() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* menu = qobject_cast<QMenu*>(w); menu != nullptr && menu->isVisible()) return menu;
  }
  return nullptr;
}

// Right-clicks `target` at `at` and saves the window with the menu that opens.
void SaveContextMenu(QWidget* window, QWidget* target, QPoint at, const QString& name) {
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
  QApplication::sendEvent(target, &event);
  QTest::qWait(100);
  QMenu* menu = OpenPopup();
  if (menu == nullptr) {
    std::fprintf(stderr, "no context menu for %s\n", qPrintable(name));
    return;
  }
  SaveScreenArea(window->frameGeometry().united(menu->geometry()), name);
  menu->close();
}

// Saves the dialog `trigger` opens (it is modal), then closes it.
void SaveModal(const std::function<void()>& trigger, const QString& name) {
  QTimer::singleShot(300, [name] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) {
      std::fprintf(stderr, "no dialog for %s\n", qPrintable(name));
      return;
    }
    Save(modal, name);
    modal->close();
  });
  trigger();
}

CalculationWindow* Open(Shell& shell, const WorkedCase& c) {
  // Each window's shots show its own presses only, not those kept from before.
  shell.CurrentSession()->New();
  if (!Choose(shell.Selection(), c.window)) return nullptr;
  shell.Selection()->findChild<QPushButton*>("Command1")->click();
  QTest::qWait(20);
  CalculationWindow* window = shell.Calculation();
  for (std::size_t k = 0; k < c.boxes.size(); ++k) {
    window->Boxes()[k]->setText(QString::fromUtf8(c.boxes[k].data(), c.boxes[k].size()));
  }
  return window;
}

// Form21 and Form26 as they open, six reports pressed: the pane's newest lines.
bool SaveSixReports(Shell& shell, const QString& suffix) {
  for (const WorkedCase& c : WorkedCases()) {
    if (c.window != "Form21" && c.window != "Form26") continue;
    CalculationWindow* window = Open(shell, c);
    if (window == nullptr) return false;
    for (int k = 0; k < 6; ++k) window->findChild<QPushButton*>("Command1")->click();
    Save(window, QString::fromUtf8(c.window.data(), c.window.size()) + "-six-reports" + suffix);
    window->findChild<QAction*>("LEFT")->trigger();
    QTest::qWait(20);
  }
  return true;
}

// Qt's own menus and dialogs, in Chinese: a box's and the pane's context menu,
// the message box of printing an empty pane, the print dialog.
bool SaveQtTexts(Shell& shell) {
  CalculationWindow* window = Open(shell, WorkedCases()[2]);
  if (window == nullptr) return false;
  SaveModal([window] { window->findChild<QAction*>("PRINT")->trigger(); }, "print-nothing-message");
  window->findChild<QPushButton*>("Command1")->click();
  QLineEdit* box = window->Boxes()[0];
  box->setFocus();
  SaveContextMenu(window, box, box->rect().center(), "box-context-menu");
  window->Pane()->selectAll();
  SaveContextMenu(window, window->Pane()->viewport(), QPoint(120, 40), "pane-context-menu");
  SaveModal([window] { window->findChild<QAction*>("PRINT")->trigger(); }, "print-dialog");
  window->findChild<QAction*>("LEFT")->trigger();
  QTest::qWait(20);
  return true;
}

// The check panel of the worked case just pressed; for Form21 also the case
// table after two more discharges.
void SaveChecksAndCases(CalculationWindow* window, const QString& name) {
  Save(window->Checks(), name + QStringLiteral("-checks"));
  if (name != QStringLiteral("Form21")) return;
  QLineEdit* discharge = window->Boxes().back();
  for (const char* q : {"8", "3"}) {
    discharge->setText(QString::fromLatin1(q));
    window->findChild<QPushButton*>("Command1")->click();
  }
  window->findChild<QAction*>("CASES")->trigger();
  Save(window->Cases(), name + QStringLiteral("-case-table"));
  window->Cases()->close();
}

// The calculation book of the worked cases of an open channel and a tunnel, for
// pdftoppm to render.
void WriteBook() {
  std::vector<CaseRecord> cases;
  for (const WorkedCase& c : WorkedCases()) {
    if (c.window != "Form21" && c.window != "Form23") continue;
    const std::vector<std::string> texts(c.boxes.begin(), c.boxes.end());
    cases.push_back(RecordPress(*FindWindow(c.window), texts, {}));
  }
  const QString file = outDir.filePath(QStringLiteral("book.pdf"));
  const QString why = WriteCalculationBook(file, QStringLiteral("示例灌区干渠及输水隧洞"), cases);
  if (!why.isEmpty()) std::fprintf(stderr, "%s\n", qPrintable(why));
  std::printf("%s\n", qPrintable(file));
}

// The design windows of an open channel (the flat-bottom width for a discharge)
// and of a tunnel (the smallest circular section), each with its result, its
// section drawing and its curve.
struct Design {
  std::string_view family;
  DesignMode kind;
  std::string_view box;
  std::vector<QString> texts;
  QString q;
};

const Design kFlatBottomWidth{
    "flat-bottom", DesignMode::SolveBox, "Text2", {"", "1.5", "0.025", "1000", "1.2"}, "5"};

// Chooses the design's mode in its window, types its boxes and presses.
void PressDesign(CalculationWindow* window, const Design& d) {
  for (std::size_t m = 0; m < window->Modes().size(); ++m) {
    if (window->Modes()[m].mode == d.kind && window->Modes()[m].box == d.box) {
      window->ChooseMode(static_cast<int>(m));
    }
  }
  for (std::size_t k = 0; k < d.texts.size(); ++k) window->Boxes()[k]->setText(d.texts[k]);
  window->DesignDischarge()->setText(d.q);
  window->findChild<QPushButton*>("Command1")->click();
}

bool SaveDesigns(Shell& shell) {
  const Design designs[] = {
      kFlatBottomWidth,
      {"circular", DesignMode::Size, "", {"", "1", "0.014", "1000", ""}, "2"},
  };
  for (const Design& d : designs) {
    const auto f = std::find_if(Families().begin(), Families().end(),
                                [&](const FamilySpec& s) { return s.id == d.family; });
    if (f == Families().end()) return false;
    shell.Selection()->findChild<QRadioButton*>("Option13")->click();
    shell.Selection()
        ->findChild<QRadioButton*>(QString::fromUtf8(f->option.data(), f->option.size()))
        ->click();
    shell.Selection()->findChild<QPushButton*>("Command1")->click();
    QTest::qWait(20);
    CalculationWindow* window = shell.Design();
    if (window == nullptr) return false;
    PressDesign(window, d);
    const QString name = QStringLiteral("design-") + QString::fromUtf8(d.family.data());
    Save(window, name);
    if (window->Flows() != nullptr) {
      // Sized for the increased discharge, with the three discharges after it.
      window->Flows()->Least()->setText(QStringLiteral("1.5"));
      window->findChild<QCheckBox*>(QStringLiteral("Check3"))->setChecked(true);
      window->findChild<QPushButton*>("Command1")->click();
      Save(window, name + QStringLiteral("-flows"));
      SaveModal([window] { window->findChild<QAction*>("COVER")->trigger(); },
                QStringLiteral("cover-dialog"));
    }
    window->findChild<QAction*>("DRAW2")->trigger();
    Save(window->SectionDrawing(), name + QStringLiteral("-section"));
    window->findChild<QAction*>("DRAW1")->trigger();
    Save(window->CurveWindow(), name + QStringLiteral("-curve"));
    window->findChild<QAction*>("LEFT")->trigger();
    QTest::qWait(20);
  }
  return true;
}

// The check panel beside the pane of cases an engineer must be warned of: a
// compound channel with rough flood plains (supercritical as a compound
// section), a circular conduit judged as a pipe, and a slope typed as i (the box
// framed in red).
bool SaveCheckCases(Shell& shell) {
  const std::pair<WorkedCase, const char*> cases[] = {
      {{"Form12", {"5.3", "1", "1.7", "0.02", "28", "2", "0.04", "27", "0", "0.03", "200", "2.5"}},
       "Form12-rough-plains-checks"},
      {{"Form24", {"", "0.5", "0.013", "1000", "0.7"}}, "Form24-pipe-checks"},
      {{"Form21", {"2", "1.5", "0.025", "0.0005", "5"}}, "Form21-slope-as-i-checks"},
  };
  for (const auto& [c, name] : cases) {
    CalculationWindow* window = Open(shell, c);
    if (window == nullptr) return false;
    window->findChild<QPushButton*>("Command1")->click();
    Save(window, QString::fromLatin1(name));
    window->findChild<QAction*>("LEFT")->trigger();
    QTest::qWait(20);
  }
  return true;
}

// Form21 with the least discharge and a freeboard typed in its 流量组合 group,
// pressed: the seed report and the block of the three discharges under it.
bool SaveFlows(Shell& shell) {
  CalculationWindow* window = Open(shell, {"Form21", {"2", "1.5", "0.025", "1000", "5"}});
  if (window == nullptr || window->Flows() == nullptr) return false;
  window->Flows()->Least()->setText(QStringLiteral("1.5"));
  window->findChild<QPushButton*>("Command1")->click();
  Save(window, QStringLiteral("Form21-flows"));
  window->findChild<QAction*>("LEFT")->trigger();
  QTest::qWait(20);
  return true;
}

// Grabs the modal dialog that `trigger` opens, then clicks its button `answer`.
void SaveQuestion(const std::function<void()>& trigger, const QString& name,
                  const QString& answer) {
  QTimer::singleShot(300, [name, answer] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      std::fprintf(stderr, "no question for %s\n", qPrintable(name));
      return;
    }
    Save(box, name);
    for (QAbstractButton* b : box->buttons()) {
      if (b->text() == answer) b->click();
    }
  });
  trigger();
}

// The project: the 文件 menu, the question before unsaved cases are lost, the
// case table of a design window with its design case, and a session restored
// after a crash with the question that offers it.
bool SaveProjectShots(Shell& shell) {
  const FamilySpec& flat = FamilyOf(FindWindow("Form21")->family);
  CalculationWindow* design = shell.OpenDesign(flat);
  QTest::qWait(20);
  PressDesign(design, kFlatBottomWidth);
  design->findChild<QAction*>("CASES")->trigger();
  Save(design->Cases(), "design-case-table");
  design->Cases()->close();
  QMenu* file = design->findChild<QMenu*>("FILE");
  file->popup(design->mapToGlobal(design->menuBar()->geometry().bottomLeft()));
  QTest::qWait(100);
  SaveScreenArea(design->frameGeometry().united(file->geometry()), "file-menu");
  file->close();
  SaveQuestion([design] { design->findChild<QAction*>("EXIT")->trigger(); }, "unsaved-question",
               QStringLiteral("取消"));
  // A plain case beside the design case, both unsaved.
  CalculationWindow* plain = shell.OpenCalculation(*FindWindow("Form21"));
  QTest::qWait(20);
  const std::vector<QString> texts{"2", "1.5", "0.025", "1000", "5"};
  for (std::size_t k = 0; k < texts.size(); ++k) plain->Boxes()[k]->setText(texts[k]);
  plain->findChild<QPushButton*>("Command1")->click();
  // As a crash leaves it: the session written aside, the program gone.
  QFile aside(Session::AutosavePath());
  if (!aside.open(QIODevice::ReadOnly)) return false;
  const QByteArray written = aside.readAll();
  aside.close();
  plain->findChild<QAction*>("LEFT")->trigger();
  QTest::qWait(20);
  shell.CurrentSession()->New();
  if (!aside.open(QIODevice::WriteOnly) || aside.write(written) != written.size()) return false;
  aside.close();
  SaveQuestion([&shell] { shell.OfferRestore(); }, "restore-question", QStringLiteral("恢复"));
  design = shell.OpenDesign(flat);
  QTest::qWait(20);
  Save(design, "restored-session-design");
  plain = shell.OpenCalculation(*FindWindow("Form21"));
  QTest::qWait(20);
  Save(plain, "restored-session");
  plain->findChild<QAction*>("LEFT")->trigger();
  QTest::qWait(20);
  shell.CurrentSession()->New();
  return true;
}

// The canal window: three reaches with a drop below the first, with the
// read-out in the middle reach.
bool SaveCanal(Shell& shell) {
  CalculationWindow* window = shell.OpenCalculation(*FindWindow("Form21"));
  QTest::qWait(20);
  // Its banks at the increased discharge of the table, as a new canal has them.
  CanalInput canal = ThreeReachCanal();
  canal.increasedAuto = true;
  shell.CurrentSession()->SetName("一号干渠");
  CanalWindow* view = window->ShowCanal();
  view->Load(canal);
  if (!view->Compute()) return false;
  view->ShowReadout(view->ReadoutAt(500.0));
  Save(view, QStringLiteral("canal-three-reaches"));
  view->ExportPng(outDir.filePath(QStringLiteral("canal-three-reaches-export.png")));
  window->findChild<QAction*>("LEFT")->trigger();
  QTest::qWait(20);
  shell.CurrentSession()->New();
  return true;
}

// The water-surface profile window: an M1 behind a gate in a trapezoidal canal
// and an S2 below the inlet of a steep pipe, with the read-out a third along.
bool SaveProfiles(Shell& shell) {
  const struct {
    const char* window;
    std::vector<QString> texts;
    ProfileRequest request;
    const char* name;
  } shots[] = {
      {"Form21",
       {"2", "1.5", "0.025", "1000", "5"},
       {2000, 50, {ControlKind::Depth, 2.5}, 100},
       "Form21-profile-M1"},
      {"Form24",
       {"", "1", "0.014", "50", "1.5"},
       {200, 0, {ControlKind::Critical, 0}, 100},
       "Form24-profile-S2"},
  };
  for (const auto& shot : shots) {
    CalculationWindow* window = shell.OpenCalculation(*FindWindow(shot.window));
    QTest::qWait(20);
    for (std::size_t k = 0; k < shot.texts.size(); ++k) window->Boxes()[k]->setText(shot.texts[k]);
    window->findChild<QPushButton*>("Command1")->click();
    ProfileWindow* view = window->ShowProfile(shot.request);
    if (view == nullptr || !view->Sheet()) return false;
    view->ShowReadout(view->ReadoutAt(shot.request.length / 3));
    Save(view, QString::fromLatin1(shot.name));
    view->ExportPng(
        outDir.filePath(QString::fromLatin1(shot.name) + QStringLiteral("-export.png")));
    window->findChild<QAction*>("LEFT")->trigger();
    QTest::qWait(20);
  }
  return SaveCanal(shell);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  // The session written aside after each press goes to a test folder.
  QStandardPaths::setTestModeEnabled(true);
  const bool panesOnly = argc == 4 && QByteArray(argv[2]) == "--panes";
  const bool checksOnly = argc == 3 && QByteArray(argv[2]) == "--checks";
  const bool profilesOnly = argc == 3 && QByteArray(argv[2]) == "--profiles";
  if (argc != 2 && !panesOnly && !checksOnly && !profilesOnly) {
    std::fprintf(stderr,
                 "usage: tarnwick-screenshots OUTDIR [--panes SUFFIX | --checks | --profiles]\n");
    return 2;
  }
  if (!InstallQtChinese(app)) std::fprintf(stderr, "Qt's Chinese translations are missing\n");
  outDir = QDir(QString::fromLocal8Bit(argv[1]));
  if (!outDir.mkpath(QStringLiteral("."))) return 1;

  Shell shell;
  if (checksOnly) {
    shell.ShowSelection();
    return SaveCheckCases(shell) && SaveFlows(shell) ? 0 : 1;
  }
  if (profilesOnly) {
    shell.ShowSelection();
    return SaveProfiles(shell) ? 0 : 1;
  }
  if (panesOnly) {
    shell.ShowSelection();
    if (!SaveSixReports(shell, QString::fromLocal8Bit(argv[3]))) return 1;
    shell.Selection()->close();
    return 0;
  }
  Save(shell.ShowSplash(), "From4");
  QTest::mouseClick(shell.Splash()->findChild<QLabel*>("Label2"), Qt::LeftButton);
  Save(shell.Selection(), "Form1");

  if (!SaveSixReports(shell, QString()) || !SaveQtTexts(shell)) return 1;
  shell.CurrentSession()->New();
  if (!SaveDesigns(shell) || !SaveCheckCases(shell) || !SaveProjectShots(shell) ||
      !SaveProfiles(shell)) {
    return 1;
  }
  for (const WorkedCase& c : WorkedCases()) {
    CalculationWindow* window = Open(shell, c);
    if (window == nullptr) return 1;
    window->findChild<QPushButton*>("Command1")->click();
    const QString name = QString::fromUtf8(c.window.data(), c.window.size());
    Save(window, name);
    if (c.window == "Form21" || c.window == "Form23") SaveChecksAndCases(window, name);
    window->findChild<QAction*>("DRAW2")->trigger();
    Save(window->SectionDrawing(), name + QStringLiteral("-section"));
    // The stage–discharge curve of open channels and tunnels, the newest families' too.
    if (c.window == "Form21" || c.window == "Form24" || c.window == "Form27" ||
        c.window == "Form28") {
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
      // The printout of this window's reports with their checks (文件 → 打印), as
      // a PDF whose pages the script renders.
      window->findChild<QPushButton*>("Command1")->click();
      QPrinter printer(QPrinter::HighResolution);
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(outDir.filePath(QStringLiteral("print.pdf")));
      window->PrintTo(printer);
      std::printf("%s\n", qPrintable(outDir.filePath(QStringLiteral("print.pdf"))));
      window->findChild<QAction*>("HELP")->trigger();
      Save(shell.Help(), "Form3");
      window->findChild<QAction*>("ABOUT")->trigger();
      Save(shell.About(), "frmAbout");
    }
    window->findChild<QAction*>("LEFT")->trigger();
    QTest::qWait(20);
  }
  WriteBook();
  shell.Selection()->close();
  return 0;
}
