// The roads between the windows: splash, selection, the sixteen calculation
// windows, help and About, and the end of the program.
#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include "TestSupport.h"
#include "sections/Design.h"
#include "ui/AboutWindow.h"
#include "ui/CalculationWindow.h"
#include "ui/HelpWindow.h"
#include "ui/ResultView.h"
#include "ui/SelectionWindow.h"
#include "ui/Shell.h"
#include "ui/SplashWindow.h"
#include "ui/StageDischargeWindow.h"

using namespace tarnwick;
using namespace tarnwick::ui;

namespace {

// Lets closed windows finish closing (they delete themselves later).
void Settle() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

QStringList VisibleWindows() {
  QStringList names;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible()) names << w->objectName();
  }
  names.sort();
  return names;
}

void ClickWidget(QWidget* widget) {
  QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

}  // namespace

class ShellTest : public QObject {
  Q_OBJECT
 private slots:
  // The shell's session writes aside after each press: not into the user's data.
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
  void init() { QApplication::setQuitOnLastWindowClosed(false); }
  void cleanup() {
    for (QWidget* w : QApplication::topLevelWidgets()) w->close();
    Settle();
  }

  void wholeRoad();
  void splashClicks_data();
  void splashClicks();
  void splashDoubleClick_data();
  void splashDoubleClick();
  void cjkPunctuationFromTheCjkFace_data();
  void cjkPunctuationFromTheCjkFace();
  void sixteenWindows_data();
  void sixteenWindows();
  void designWindows_data();
  void designWindows();
  void designPress_data();
  void designPress();
  void returnShowsDefaults();
  void exitFromSelectionClosesAbout();
  void aboutOpenedTwiceIsOneWindow();
  void companionsCloseWithCalculation();
  void enterPressesNext();
  void programEndsWithItsLastWindow();
};

void ShellTest::wholeRoad() {
  Shell shell;
  shell.ShowSplash();
  QCOMPARE(VisibleWindows(), QStringList{"From4"});
  QCOMPARE(shell.Splash()->windowTitle(), QString("Tarnwick"));
  QCOMPARE(Child<QLabel>(shell.Splash(), "Label3")->text(), QString("版本:V2.0.1"));

  ClickWidget(Child<QLabel>(shell.Splash(), "Label2"));
  Settle();
  QCOMPARE(VisibleWindows(), QStringList{"Form1"});

  // Untouched choice: depth, arc-bottom channel.
  Child<QPushButton>(shell.Selection(), "Command1")->click();
  Settle();
  QCOMPARE(VisibleWindows(), QStringList{"Form2"});

  // Compute in the flat-bottom window, the one every build can compute.
  Child<QAction>(shell.Calculation(), "LEFT")->trigger();
  Settle();
  QCOMPARE(VisibleWindows(), QStringList{"Form1"});
  Child<QRadioButton>(shell.Selection(), "Option4")->click();
  Child<QPushButton>(shell.Selection(), "Command1")->click();
  Settle();
  CalculationWindow* window = shell.Calculation();
  QCOMPARE(window->objectName(), QString("Form21"));
  const char* texts[] = {"2", "1.5", "0.025", "1000", "5"};
  for (int k = 0; k < 5; ++k) window->Boxes()[k]->setText(texts[k]);
  Child<QPushButton>(window, "Command1")->click();
  const QString report = window->Pane()->ShownText();
  QVERIFY(report.startsWith("  ****************平底梯形渠、矩形渠均匀流水深计算成果表"));
  QVERIFY(report.contains("正常水深H= 1.24598"));
  QCOMPARE(window->Pane()->ShownLineCount(), 6);

  AnswerNextBox("不保存");  // the case is not saved: 清除结果 asks first
  Child<QAction>(window, "CLEAN")->trigger();
  QCOMPARE(window->Pane()->ShownText(), QString());
  QCOMPARE(window->Boxes()[0]->text(), QString("2"));  // inputs stay

  Child<QAction>(window, "LEFT")->trigger();
  Settle();
  QCOMPARE(VisibleWindows(), QStringList{"Form1"});
  QVERIFY(Child<QRadioButton>(shell.Selection(), "Option1")->isChecked());
  QVERIFY(Child<QRadioButton>(shell.Selection(), "Option3")->isChecked());
  Child<QRadioButton>(shell.Selection(), "Option4")->click();
  Child<QPushButton>(shell.Selection(), "Command1")->click();
  Settle();
  QCOMPARE(shell.Calculation()->Pane()->ShownText(), QString());
  QCOMPARE(shell.Calculation()->Boxes()[0]->text(), QString());

  Child<QAction>(shell.Calculation(), "EXIT")->trigger();
  Settle();
  QCOMPARE(VisibleWindows(), QStringList{});
  QVERIFY(shell.Calculation() == nullptr);
}

void ShellTest::splashClicks_data() {
  QTest::addColumn<QString>("control");
  QTest::addColumn<bool>("opensSelection");
  for (const char* name : {"Label2", "Label3", "Label4", "Picture1", "Picture2", "Picture3",
                           "Picture6", "Picture7", "Picture8"}) {
    QTest::newRow(name) << name << true;
  }
  for (const char* name : {"Label1", "Label5", "Picture4"}) QTest::newRow(name) << name << false;
}

void ShellTest::splashClicks() {
  QFETCH(QString, control);
  QFETCH(bool, opensSelection);
  Shell shell;
  SplashWindow* splash = shell.ShowSplash();
  QWidget* target = splash->findChild<QWidget*>(control);
  QVERIFY(target != nullptr);
  ClickWidget(target);
  Settle();
  QCOMPARE(VisibleWindows(), QStringList{opensSelection ? "Form1" : "From4"});
}

void ShellTest::splashDoubleClick_data() {
  QTest::addColumn<QString>("under");  // where Form1 puts its control under the mouse
  for (const char* name : {"Picture1", "Command1", "Option5", "Option2"})
    QTest::newRow(name) << name;
}

// A double click on the splash: the first click opens Form1 under the mouse, and
// the second half lands on whatever control of Form1 is there. It must press
// nothing: Form1 is open alone, its choice untouched.
void ShellTest::splashDoubleClick() {
  QFETCH(QString, under);
  Shell shell;
  ClickWidget(Child<QLabel>(shell.ShowSplash(), "Label4"));
  Settle();
  QWidget* target = Child<QWidget>(shell.Selection(), qPrintable(under));
  QTest::mouseDClick(target, Qt::LeftButton, {}, target->rect().center());
  QTest::mouseRelease(target, Qt::LeftButton, {}, target->rect().center());
  Settle();
  QCOMPARE(VisibleWindows(), QStringList{"Form1"});
  QCOMPARE(&shell.Selection()->ChosenWindow(), FindWindow("Form2"));
  // A click of its own afterwards is a click.
  ClickWidget(Child<QWidget>(shell.Selection(), "Picture1"));
  Settle();
  QCOMPARE(VisibleWindows(), (QStringList{"Form1", "frmAbout"}));
}

void ShellTest::cjkPunctuationFromTheCjkFace_data() {
  QTest::addColumn<QString>("window");
  QTest::addColumn<QString>("control");
  QTest::addColumn<bool>("cjk");
  QTest::newRow("Form1 Option6") << "Form1"
                                 << "Option6" << true;  // “Ｕ”形渠
  QTest::newRow("Form1 Option3") << "Form1"
                                 << "Option3" << true;  // 、
  QTest::newRow("Form1 Option7") << "Form1"
                                 << "Option7" << false;  // 马蹄形隧洞
  QTest::newRow("Form22 Label1") << "Form22"
                                 << "Label1" << true;  // bold caption, “Ｕ”
  QTest::newRow("Form21 Check1") << "Form21"
                                 << "Check1" << true;  // 水位—流量
  QTest::newRow("From4 Label2") << "From4"
                                << "Label2" << false;  // Tarnwick
}

// Quotation marks and dashes among Chinese characters are drawn full width by
// the CJK face, as wide as a Chinese character, not narrow by a Latin one; the
// control keeps its size and weight.
void ShellTest::cjkPunctuationFromTheCjkFace() {
  QFETCH(QString, window);
  QFETCH(QString, control);
  QFETCH(bool, cjk);
  Shell shell;
  QWidget* top = window == "Form1"   ? static_cast<QWidget*>(shell.ShowSelection())
                 : window == "From4" ? static_cast<QWidget*>(shell.ShowSplash())
                                     : shell.OpenCalculation(*FindWindow(window.toStdString()));
  QWidget* widget = Child<QWidget>(top, qPrintable(control));
  const QFont font = widget->font();
  QCOMPARE(font.families().contains("Noto Sans CJK SC"), cjk);
  if (cjk) {
    const QFontMetricsF metrics(font);
    for (const QChar mark : {QChar(0x201C), QChar(0x201D), QChar(0x2014)}) {
      QVERIFY(metrics.horizontalAdvance(mark) > 0.85 * metrics.horizontalAdvance(QChar(0x6C34)));
    }
  }
  if (control == "Label1") {
    QVERIFY(font.bold());
    QVERIFY(font.pointSizeF() > QApplication::font().pointSizeF());
  }
}

void ShellTest::sixteenWindows_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<QString>("family");
  QTest::addColumn<QString>("window");
  const char* rows[][3] = {{"Option3", "Form2", "Form31"},  {"Option4", "Form21", "Form32"},
                           {"Option6", "Form22", "Form33"}, {"Option5", "Form23", "Form34"},
                           {"Option9", "Form24", "Form35"}, {"Option7", "Form25", "Form36"},
                           {"Option8", "Form26", "Form37"}, {"Option10", "Form11", "Form12"}};
  for (const auto& row : rows) {
    QTest::newRow(row[1]) << "Option1" << row[0] << row[1];
    QTest::newRow(row[2]) << "Option2" << row[0] << row[2];
  }
}

void ShellTest::sixteenWindows() {
  QFETCH(QString, kind);
  QFETCH(QString, family);
  QFETCH(QString, window);
  Shell shell;
  SelectionWindow* selection = shell.ShowSelection();
  selection->findChild<QRadioButton*>(kind)->click();
  selection->findChild<QRadioButton*>(family)->click();
  Child<QPushButton>(selection, "Command1")->click();
  Settle();
  QCOMPARE(VisibleWindows(), QStringList{window});

  CalculationWindow* opened = shell.Calculation();
  const WindowSpec* entry = FindWindow(window.toStdString());
  QVERIFY(entry != nullptr);
  QCOMPARE(opened->windowTitle(), QString::fromUtf8(entry->caption.data(), entry->caption.size()));
  QCOMPARE(Child<QLabel>(opened, "Label1")->text(),
           QString::fromUtf8(entry->resultCaption.data(), entry->resultCaption.size()));
  QCOMPARE(opened->Boxes().size(), entry->boxes.size());
  for (std::size_t k = 0; k < entry->boxes.size(); ++k) {
    const BoxSpec& box = entry->boxes[k];
    QLineEdit* edit = opened->Boxes()[k];
    QCOMPARE(edit->objectName(), QString::fromUtf8(box.name.data(), box.name.size()));
    QCOMPARE(edit->toolTip(), QString::fromUtf8(box.toolTip.data(), box.toolTip.size()));
  }
  QVERIFY(opened->findChild<QLineEdit*>(
              QString::fromUtf8(entry->projectBox.data(), entry->projectBox.size())) != nullptr);
}

void ShellTest::designWindows_data() {
  QTest::addColumn<int>("family");
  for (std::size_t k = 0; k < Families().size(); ++k) {
    QTest::newRow(std::string(Families()[k].id).c_str()) << static_cast<int>(k);
  }
}

// Form1's third kind opens the design window of every family, built from its
// discharge window's boxes, with the modes its windows offer.
void ShellTest::designWindows() {
  QFETCH(int, family);
  const FamilySpec& f = Families()[static_cast<std::size_t>(family)];
  Shell shell;
  SelectionWindow* selection = shell.ShowSelection();
  Child<QRadioButton>(selection, "Option13")->click();
  selection->findChild<QRadioButton*>(QString::fromUtf8(f.option.data(), f.option.size()))->click();
  Child<QPushButton>(selection, "Command1")->click();
  Settle();
  CalculationWindow* opened = shell.Design();
  QVERIFY(opened != nullptr);
  QVERIFY(shell.Calculation() == nullptr);
  QCOMPARE(VisibleWindows(), QStringList{opened->objectName()});
  QCOMPARE(opened->windowTitle(), QString::fromUtf8(f.title.data(), f.title.size()) + "断面设计");
  const WindowSpec& discharge = *FindWindow(CalculationKind::Discharge, f.family);
  const WindowSpec& depth = *FindWindow(CalculationKind::Depth, f.family);
  QCOMPARE(opened->Boxes().size(), discharge.boxes.size());
  const auto solvable = design::SolvableBoxes(discharge);
  const std::size_t extra =
      (design::OffersProportions(depth) ? 2 : 0) + (design::HasClearance(depth) ? 1 : 0);
  QCOMPARE(opened->Modes().size(), solvable.size() + extra);
  // Each unknown, once chosen, is the one box locked.
  for (std::size_t m = 0; m < solvable.size(); ++m) {
    opened->ChooseMode(static_cast<int>(m));
    for (std::size_t k = 0; k < discharge.boxes.size(); ++k) {
      QCOMPARE(opened->Boxes()[k]->isReadOnly(), discharge.boxes[k].name == solvable[m]);
    }
  }
  // Return leads back to Form1.
  Child<QAction>(opened, "LEFT")->trigger();
  Settle();
  QCOMPARE(VisibleWindows(), QStringList{"Form1"});
}

void ShellTest::designPress_data() {
  QTest::addColumn<QString>("family");
  QTest::addColumn<int>("kind");
  QTest::addColumn<QString>("box");
  QTest::addColumn<QString>("q");
  QTest::addColumn<QStringList>("texts");  // the shown boxes; the locked one's text is ignored
  QTest::addColumn<QString>("firstLine");
  using K = DesignMode;
  QTest::newRow("flat-bottom B") << "flat-bottom" << int(K::SolveBox) << "Text2"
                                 << "5" << QStringList{"999", "1.5", "0.025", "1000", "1.2"}
                                 << "求解 渠 底 宽 B= 2.2341 m";
  QTest::newRow("flat-bottom best") << "flat-bottom" << int(K::Best) << ""
                                    << "5" << QStringList{"7", "1.5", "0.025", "1000", "9"} << "";
  QTest::newRow("circular smallest")
      << "circular" << int(K::Size) << ""
      << "2" << QStringList{"", "1", "0.014", "1000", "9"} << "最小断面 缩放系数s= .76565";
}

// A press in a design window prints what the solver prints for the same boxes,
// each press below the last; the curve follows the solved section.
void ShellTest::designPress() {
  QFETCH(QString, family);
  QFETCH(int, kind);
  QFETCH(QString, box);
  QFETCH(QString, q);
  QFETCH(QStringList, texts);
  QFETCH(QString, firstLine);
  const auto f = std::find_if(Families().begin(), Families().end(), [&](const FamilySpec& s) {
    return QString::fromUtf8(s.id.data(), s.id.size()) == family;
  });
  QVERIFY(f != Families().end());
  CalculationWindow window(*f);
  int mode = -1;
  for (std::size_t m = 0; m < window.Modes().size(); ++m) {
    const auto& candidate = window.Modes()[m];
    if (int(candidate.mode) == kind && QString::fromStdString(candidate.box) == box) {
      mode = int(m);
    }
  }
  QVERIFY(mode >= 0);
  window.ChooseMode(mode);
  for (int k = 0; k < texts.size(); ++k) window.Boxes()[std::size_t(k)]->setText(texts[k]);
  window.DesignDischarge()->setText(q);

  // The solver on the same boxes, the ignored ones empty.
  std::vector<std::string> typed;
  for (std::size_t k = 0; k < window.Boxes().size(); ++k) {
    typed.push_back(window.Boxes()[k]->isReadOnly() ? "" : texts[int(k)].toStdString());
  }
  design::DesignResult expected;
  if (kind == int(DesignMode::SolveBox)) {
    expected =
        design::SolveForBox(window.DischargeWindow(), typed, box.toStdString(), q.toDouble());
  } else {
    typed.back() = q.toStdString();  // the depth window's last box takes Q
    expected = kind == int(DesignMode::Best)
                   ? design::SolveBestProportions(window.DepthWindow(), typed)
                   : design::SizeSmallestTunnel(window.DepthWindow(), typed,
                                                {15.0, 0.4, true});  // a pipe: its fill ratio
  }
  QCOMPARE(expected.outcome, design::DesignOutcome::Solved);
  QString once;
  for (const std::string& line : expected.pane.Lines()) once += QString::fromStdString(line) + '\n';
  if (!firstLine.isEmpty()) QVERIFY2(once.startsWith(firstLine), qPrintable(once));

  Child<QPushButton>(&window, "Command1")->click();
  QCOMPARE(window.Pane()->ShownText(), once);
  QTest::keyClick(window.DesignDischarge(), Qt::Key_Return);
  QCOMPARE(window.Pane()->ShownText(), once + once);

  window.ShowStageDischargeCurve();
  const SectionCase& solved = *expected.solutions.front().press.sectionCase;
  QVERIFY(window.CurveWindow()->MarkedPoint().has_value());
  QCOMPARE(window.CurveWindow()->MarkedPoint()->y(), solved.state.h);
  QCOMPARE(window.CurveWindow()->MarkedPoint()->x(), solved.discharge);
  Child<QAction>(&window, "CLEAN")->trigger();
  QCOMPARE(window.Pane()->ShownText(), QString());
  window.close();
}

void ShellTest::returnShowsDefaults() {
  Shell shell;
  SelectionWindow* selection = shell.ShowSelection();
  Child<QRadioButton>(selection, "Option2")->click();
  Child<QRadioButton>(selection, "Option9")->click();
  Child<QPushButton>(selection, "Command1")->click();
  Settle();
  QCOMPARE(shell.Calculation()->objectName(), QString("Form35"));
  // Return through toolbar button 3.
  Child<QAction>(shell.Calculation(), "Toolbar1Button3")->trigger();
  Settle();
  QCOMPARE(VisibleWindows(), QStringList{"Form1"});
  QCOMPARE(&shell.Selection()->ChosenWindow(), FindWindow("Form2"));
}

void ShellTest::exitFromSelectionClosesAbout() {
  Shell shell;
  SelectionWindow* selection = shell.ShowSelection();
  ClickWidget(Child<QWidget>(selection, "Picture1"));
  Settle();
  QCOMPARE(VisibleWindows(), (QStringList{"Form1", "frmAbout"}));
  Child<QAction>(selection, "EXIT")->trigger();
  Settle();
  QCOMPARE(VisibleWindows(), QStringList{});
}

void ShellTest::aboutOpenedTwiceIsOneWindow() {
  Shell shell;
  SelectionWindow* selection = shell.ShowSelection();
  Child<QAction>(selection, "ABOUT")->trigger();
  AboutWindow* first = shell.About();
  Child<QAction>(selection, "ABOUT")->trigger();
  Settle();
  QCOMPARE(shell.About(), first);
  QCOMPARE(VisibleWindows(), (QStringList{"Form1", "frmAbout"}));
  // Closed with its button, it opens afresh.
  Child<QPushButton>(first, "cmdOK")->click();
  Settle();
  QCOMPARE(VisibleWindows(), QStringList{"Form1"});
  Child<QAction>(selection, "ABOUT")->trigger();
  Settle();
  QCOMPARE(VisibleWindows(), (QStringList{"Form1", "frmAbout"}));
}

void ShellTest::companionsCloseWithCalculation() {
  for (const char* leave : {"LEFT", "EXIT"}) {
    Shell shell;
    shell.ShowSelection();
    Child<QPushButton>(shell.Selection(), "Command1")->click();
    Settle();
    CalculationWindow* window = shell.Calculation();
    Child<QAction>(window, "HELP")->trigger();
    Child<QAction>(window, "ABOUT")->trigger();
    Child<QAction>(window, "Toolbar1Button9")->trigger();  // help again: still one
    Settle();
    QCOMPARE(VisibleWindows(), (QStringList{"Form2", "Form3", "frmAbout"}));
    Child<QAction>(window, leave)->trigger();
    Settle();
    QCOMPARE(VisibleWindows(), QString(leave) == "LEFT" ? QStringList{"Form1"} : QStringList{});
  }
}

void ShellTest::enterPressesNext() {
  Shell shell;
  SelectionWindow* selection = shell.ShowSelection();
  Child<QRadioButton>(selection, "Option10")->click();
  QTest::keyClick(Child<QRadioButton>(selection, "Option10"), Qt::Key_Return);
  Settle();
  QCOMPARE(VisibleWindows(), QStringList{"Form11"});
}

void ShellTest::programEndsWithItsLastWindow() {
  // The real event loop, quitting when the last window closes: the hand-overs
  // (splash to selection, selection to calculation, return) must not end it,
  // "退出" must.
  QApplication::setQuitOnLastWindowClosed(true);
  Shell shell;
  shell.ShowSplash();
  QStringList steps;
  QTimer::singleShot(0, [&] {
    ClickWidget(Child<QLabel>(shell.Splash(), "Label3"));
    steps << VisibleWindows().join(',');
    Child<QPushButton>(shell.Selection(), "Command1")->click();
    QTimer::singleShot(10, [&] {
      steps << VisibleWindows().join(',');
      Child<QAction>(shell.Calculation(), "ABOUT")->trigger();
      Child<QAction>(shell.Calculation(), "LEFT")->trigger();
      QTimer::singleShot(10, [&] {
        steps << VisibleWindows().join(',');
        Child<QPushButton>(shell.Selection(), "Command1")->click();
        QTimer::singleShot(10, [&] {
          Child<QAction>(shell.Calculation(), "HELP")->trigger();
          steps << VisibleWindows().join(',');
          Child<QAction>(shell.Calculation(), "Toolbar1Button4")->trigger();
        });
      });
    });
  });
  // Should "退出" fail to end the loop, this ends it with a distinct status.
  QTimer::singleShot(5000, [] { QCoreApplication::exit(7); });
  QCOMPARE(QApplication::exec(), 0);
  QCOMPARE(steps, (QStringList{"Form1", "Form2", "Form1", "Form2,Form3"}));
  Settle();
  QCOMPARE(VisibleWindows(), QStringList{});
  QApplication::setQuitOnLastWindowClosed(false);
}

QTEST_MAIN(ShellTest)
#include "ShellTest.moc"
