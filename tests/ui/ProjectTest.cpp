// The session's project in the desktop program: cases of several windows saved,
// cleared and opened again; the question before unsaved cases are lost; a clear
// and a deletion undone; a case brought back into its boxes; the session written
// aside after each press and offered back at the next start.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMap>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "TestSupport.h"
#include "ui/CalculationWindow.h"
#include "ui/CaseTableWindow.h"
#include "ui/CheckPanel.h"
#include "ui/CoverDialog.h"
#include "ui/ProjectMenu.h"
#include "ui/ResultView.h"
#include "ui/Shell.h"

using namespace tarnwick;
using namespace tarnwick::ui;

namespace {

void Settle() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

// A press to make: a window (or, with `design`, the design frame of the family
// of that discharge window and the request chosen by its place), its box texts.
struct Typed {
  const char* window;
  bool design;
  QStringList texts;
  QString q;     // design discharge
  int mode = 0;  // the design request, by its place in the choice
};

const Typed kPresses[] = {
    {"Form21", false, {"2", "1.5", "0.025", "1000", "5"}, {}},
    {"Form28", false, {"2", "2", "0.014", "1000", "3"}, {}},
    {"Form21", true, {"", "1.5", "0.025", "1000", "1.2"}, "5"},  // solve B
    {"Form21", false, {"3", "1.5", "0.025", "1000", "5"}, {}},
};

CalculationWindow* Open(Shell& shell, const Typed& p) {
  const WindowSpec& w = *FindWindow(p.window);
  CalculationWindow* window =
      p.design ? shell.OpenDesign(FamilyOf(w.family)) : shell.OpenCalculation(w);
  Settle();
  return window;
}

CalculationWindow* PressIn(Shell& shell, const Typed& p) {
  CalculationWindow* window = Open(shell, p);
  if (p.design) window->ChooseMode(p.mode);
  for (int k = 0; k < p.texts.size(); ++k) {
    if (!window->Boxes()[size_t(k)]->isReadOnly()) window->Boxes()[size_t(k)]->setText(p.texts[k]);
  }
  if (p.design) window->DesignDischarge()->setText(p.q);
  Child<QPushButton>(window, "Command1")->click();
  return window;
}

// What a window shows of its cases: the pane, the case table, the checks.
QString Shown(CalculationWindow* window) {
  QString checks;
  for (const Check& c : window->Checks()->Shown()) {
    checks += QString::fromStdString(c.text) + QString::number(int(c.status)) + '\n';
  }
  return window->Pane()->ShownText() + "\n--\n" +
         QString::fromStdString(window->Cases()->Table().TabSeparated()) + "\n--\n" + checks;
}

}  // namespace

class ProjectTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setQuitOnLastWindowClosed(false);
  }
  void saveClearOpen();
  void askBeforeLoss_data();
  void askBeforeLoss();
  void undoClearAndDelete();
  void bringBackCase_data();
  void bringBackCase();
  void restoreAfterCrash();
  void coverTypedSavedAndBooked();
};

// Two windows and a design window pressed, saved, cleared, opened: every window
// shows the same pane, case table and checks as before.
void ProjectTest::saveClearOpen() {
  QTemporaryDir dir;
  const QString path = dir.filePath("一号干渠.tarnwick.json");
  Shell shell;
  std::vector<QString> before;
  for (const Typed& p : kPresses) PressIn(shell, p);
  // The design answer is written into its locked box, as its line names it.
  CalculationWindow* design = Open(shell, kPresses[2]);
  QCOMPARE(design->Boxes()[0]->text(), QString("2.2341"));
  QVERIFY(design->Pane()->ShownText().startsWith("求解 渠 底 宽 B= 2.2341 m"));
  QCOMPARE(design->Cases()->Table().Rows().size(), size_t(1));
  QVERIFY(design->windowTitle().endsWith("未命名*"));
  for (const Typed& p : kPresses) before.push_back(Shown(Open(shell, p)));
  QCOMPARE(shell.CurrentSession()->Current().cases.size(), size_t(4));

  QVERIFY(shell.CurrentSession()->Save(path).isEmpty());
  QVERIFY(Open(shell, kPresses[0])->windowTitle().endsWith(" — 一号干渠.tarnwick.json"));
  Child<QAction>(shell.Calculation(), "NEW")->trigger();  // saved: no question
  for (const Typed& p : kPresses) QCOMPARE(Open(shell, p)->Pane()->ShownText(), QString());

  QVERIFY(OpenProject(shell.Calculation(), *shell.CurrentSession(), path));
  // The open window takes its last texts from the project.
  QCOMPARE(shell.Calculation()->Boxes()[0]->text(), QString("3"));
  for (size_t k = 0; k < std::size(kPresses); ++k) {
    QCOMPARE(Shown(Open(shell, kPresses[k])), before[k]);
  }
  QCOMPARE(RecentProjects().value(0), path);
  QCOMPARE(shell.CurrentSession()->Current().cases.size(), size_t(4));
  QVERIFY(!shell.CurrentSession()->Dirty());

  // A file that is not a project is refused with its name and nothing changes.
  const QString bad = dir.filePath("bad.json");
  QFile file(bad);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("{\"format\": \"tarnwick-project\", \"version\": 1, \"cases\": [");
  file.close();
  QString seen;
  AnswerNextBox("OK", &seen);
  QVERIFY(!OpenProject(shell.Calculation(), *shell.CurrentSession(), bad));
  QVERIFY2(seen.contains("bad.json"), qPrintable(seen));
  QCOMPARE(shell.CurrentSession()->Path(), path);
  QCOMPARE(shell.CurrentSession()->Current().cases.size(), size_t(4));

  // A stored report that differs from the one computed now (a newer program) is
  // named on opening; the window shows the one computed now.
  QVERIFY(file.open(QIODevice::WriteOnly));
  QFile saved(path);
  QVERIFY(saved.open(QIODevice::ReadOnly));
  QByteArray text = saved.readAll();
  QVERIFY(text.contains("正常水深H= 1.24598"));
  file.write(text.replace("正常水深H= 1.24598", "正常水深H= 1.24599"));
  file.close();
  AnswerNextBox("OK", &seen);
  QVERIFY(OpenProject(shell.Calculation(), *shell.CurrentSession(), bad));
  QVERIFY2(seen.contains("不同") && seen.contains("\n\n"), qPrintable(seen));
  QCOMPARE(Shown(Open(shell, kPresses[0])), before[0]);
}

void ProjectTest::askBeforeLoss_data() {
  QTest::addColumn<QString>("action");
  QTest::addColumn<QString>("answer");
  QTest::addColumn<bool>("open");  // the window still open afterwards
  QTest::addColumn<int>("cases");  // the window's cases afterwards
  QTest::newRow("退出 取消") << "EXIT"
                             << "取消" << true << 1;
  QTest::newRow("退出 不保存") << "EXIT"
                               << "不保存" << false << 1;
  QTest::newRow("清除结果 取消") << "CLEAN"
                                 << "取消" << true << 1;
  QTest::newRow("清除结果 不保存") << "CLEAN"
                                   << "不保存" << true << 0;
  QTest::newRow("close 取消") << ""
                              << "取消" << true << 1;
}

// Leaving or clearing with unsaved cases asks 保存/不保存/取消 first.
void ProjectTest::askBeforeLoss() {
  QFETCH(QString, action);
  QFETCH(QString, answer);
  QFETCH(bool, open);
  QFETCH(int, cases);
  Shell shell;
  CalculationWindow* window = PressIn(shell, kPresses[0]);
  QString seen;
  AnswerNextBox(answer, &seen);
  if (action.isEmpty()) {
    window->close();
  } else {
    Child<QAction>(window, qPrintable(action))->trigger();
  }
  Settle();
  QVERIFY2(seen.contains("尚未保存的计算结果"), qPrintable(seen));
  QCOMPARE(shell.Calculation() != nullptr, open);
  QCOMPARE(int(shell.CurrentSession()->RecordsOf(FrameKey{FindWindow("Form21"), nullptr}).size()),
           cases);
  // Returning to the main menu loses nothing and does not ask.
  if (open) {
    Child<QAction>(window, "LEFT")->trigger();
    Settle();
    QVERIFY(shell.Calculation() == nullptr);
  }
  shell.CurrentSession()->New();
}

// 清除结果 and deleting one case are undone by 编辑 → 撤销, each case in its place.
void ProjectTest::undoClearAndDelete() {
  Shell shell;
  PressIn(shell, kPresses[0]);
  CalculationWindow* window = PressIn(shell, kPresses[3]);
  const QString both = Shown(window);
  AnswerNextBox("不保存");
  Child<QAction>(window, "CLEAN")->trigger();
  QCOMPARE(window->Pane()->ShownText(), QString());
  QCOMPARE(window->Cases()->View()->rowCount(), 0);
  window->activateWindow();  // back from the question
  QVERIFY(QTest::qWaitForWindowActive(window));
  QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(Shown(window), both);

  // The first row deleted with the Delete key, then brought back.
  QTableWidget* view = window->Cases()->View();
  view->setCurrentCell(0, 0);
  QTest::keyClick(view, Qt::Key_Delete);
  QCOMPARE(view->rowCount(), 1);
  QVERIFY(view->item(0, 1)->text().startsWith("B=3 "));
  QVERIFY(!window->Pane()->ShownText().contains("B= 2 "));
  Child<QAction>(window, "UNDO")->trigger();
  QCOMPARE(Shown(window), both);
  shell.CurrentSession()->New();
}

void ProjectTest::bringBackCase_data() {
  QTest::addColumn<int>("press");
  QTest::addColumn<bool>("enter");  // Enter on the current row instead of a double click
  QTest::newRow("window") << 0 << false;
  QTest::newRow("design") << 2 << false;
  QTest::newRow("window, Enter") << 0 << true;
}

// A double click on a row brings its case back into the boxes, ready to press.
void ProjectTest::bringBackCase() {
  QFETCH(int, press);
  QFETCH(bool, enter);
  const Typed& p = kPresses[press];
  Shell shell;
  CalculationWindow* window = PressIn(shell, p);
  for (QLineEdit* box : window->Boxes()) box->setText("7");
  if (p.design) {
    window->DesignDischarge()->setText("1");
    window->ChooseMode(1);
  }
  QTableWidget* view = window->Cases()->View();
  window->ShowCaseTable();
  QVERIFY(QTest::qWaitForWindowExposed(window->Cases()));
  const QRect cell = view->visualRect(view->model()->index(0, 1));
  // The first click makes the row current, as a user's double click begins.
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
  if (enter) {
    QTest::keyClick(view, Qt::Key_Return);
  } else {
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
  }
  for (int k = 0; k < p.texts.size(); ++k) {
    if (window->Boxes()[size_t(k)]->isReadOnly()) continue;
    QCOMPARE(window->Boxes()[size_t(k)]->text(), p.texts[k]);
  }
  if (p.design) {
    QCOMPARE(window->ChosenMode(), p.mode);
    QCOMPARE(window->DesignDischarge()->text(), p.q);
  }
  window->Cases()->close();
  // Pressed again, the same case once more.
  const QString once = window->Pane()->ShownText();
  Child<QPushButton>(window, "Command1")->click();
  QCOMPARE(window->Pane()->ShownText(), once + once);
  shell.CurrentSession()->New();
}

// After each press the session is written aside; a program that ended without
// closing in order offers it back at the next start.
void ProjectTest::restoreAfterCrash() {
  QByteArray aside;
  QString before;
  {
    Shell shell;
    before = Shown(PressIn(shell, kPresses[1]));
    QFile file(Session::AutosavePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    aside = file.readAll();
    shell.CurrentSession()->New();
  }
  QVERIFY(!QFile::exists(Session::AutosavePath()));  // an orderly end removes it
  QFile crashed(Session::AutosavePath());            // as a crash would have left it
  QVERIFY(crashed.open(QIODevice::WriteOnly));
  crashed.write(aside);
  crashed.close();

  Shell shell;
  QString seen;
  AnswerNextBox("恢复", &seen);
  QVERIFY(shell.OfferRestore());
  QVERIFY2(seen.contains("是否恢复"), qPrintable(seen));
  QCOMPARE(Shown(Open(shell, kPresses[1])), before);
  QVERIFY(shell.CurrentSession()->Dirty());
  shell.CurrentSession()->New();
}

namespace {

// The 工程信息 dialog opened from a window's 文件 menu; `type` types into its
// boxes (by object name) and accepts it, otherwise the boxes are read and it is
// cancelled.
QMap<QString, QString> CoverDialogOf(CalculationWindow* window,
                                     const QMap<QString, QString>& type = {}) {
  QMap<QString, QString> seen;
  QTimer::singleShot(0, [&seen, type] {
    auto* dialog = qobject_cast<CoverDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    for (QLineEdit* box : dialog->findChildren<QLineEdit*>()) {
      if (type.contains(box->objectName())) {
        box->clear();
        box->insert(type[box->objectName()]);  // as typed: key events carry no Chinese
      }
      seen[box->objectName()] = box->text();
    }
    type.isEmpty() ? dialog->reject() : dialog->accept();
  });
  Child<QAction>(window, "COVER")->trigger();
  return seen;
}

}  // namespace

// The cover typed in 工程信息 is kept in the project: saved, opened again, shown
// in the dialog and on the cover of the book the window writes.
void ProjectTest::coverTypedSavedAndBooked() {
  const QMap<QString, QString> typed = {
      {"name", "青龙灌区东干渠"},    {"number", "QL-2026-07"},
      {"stage", "初步设计"},         {"organisation", "某水利水电勘测设计院"},
      {"title", "东干渠水力计算书"}, {"computed_by", "张工"},
      {"checked_by", "李工"},        {"reviewed_by", "王工"},
      {"approved_by", "赵工"}};
  QTemporaryDir dir;
  const QString path = dir.filePath("cover.tarnwick.json");
  Shell shell;
  CalculationWindow* window = PressIn(shell, kPresses[0]);
  CoverDialogOf(window, typed);
  QCOMPARE(shell.CurrentSession()->Current().cover.checkedBy, std::string("李工"));
  QVERIFY(shell.CurrentSession()->Dirty());
  // The project box of the window shows the name typed.
  const std::string_view box = window->Entry().projectBox;
  QCOMPARE(
      window->findChild<QLineEdit*>(QString::fromUtf8(box.data(), qsizetype(box.size())))->text(),
      typed["name"]);
  // A design frame, without a name box, prints under the project's name.
  QCOMPARE(Open(shell, kPresses[2])->PrintHeading(), typed["name"]);
  window = Open(shell, kPresses[0]);
  QVERIFY(shell.CurrentSession()->Save(path).isEmpty());
  Child<QAction>(window, "NEW")->trigger();
  QCOMPARE(CoverDialogOf(Open(shell, kPresses[0]))["number"], QString());
  QVERIFY(OpenProject(shell.Calculation(), *shell.CurrentSession(), path));
  window = Open(shell, kPresses[0]);
  QCOMPARE(CoverDialogOf(window), typed);

  const QString book = dir.filePath("book.pdf");
  QVERIFY(window->WriteBookTo(book).isEmpty());
  QProcess text;
  text.start("pdftotext", {"-layout", "-l", "1", book, "-"});
  QVERIFY(text.waitForFinished(30000) && text.exitCode() == 0);
  const QString cover = QString::fromUtf8(text.readAllStandardOutput());
  for (const QString& field : typed) QVERIFY2(cover.contains(field), qPrintable(field + cover));
}

QTEST_MAIN(ProjectTest)
#include "ProjectTest.moc"
