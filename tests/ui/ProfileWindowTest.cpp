// 图形 → 水面线 of a depth window: the dialog asked through the menu, the
// profile window's table against the engine's stations, the CSV written and read
// back, and the profile kept with its case through a saved and reopened project.
// 图形 → 渠道水面线: a canal typed into the canal window's table, its stations
// against the canal engine's, and the canal kept through a saved project.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "TestSupport.h"
#include "WorkedCases.h"
#include "sections/CanalFile.h"
#include "sections/CaseTable.h"
#include "sections/ProfileTable.h"
#include "sections/ProjectFile.h"
#include "ui/CalculationWindow.h"
#include "ui/CanalWindow.h"
#include "ui/CaseTableWindow.h"
#include "ui/ProfileDialog.h"
#include "ui/ProfileWindow.h"
#include "ui/Session.h"
#include "ui/Shell.h"

using namespace tarnwick;
using namespace tarnwick::ui;

namespace {

// B=2 m, m=1.5, n=0.025, i=1/1000, Q=5 m³/s: hn ≈ 1.246 m, hc ≈ 0.78 m.
const QStringList kForm21 = {"2", "1.5", "0.025", "1000", "5"};

CalculationWindow* Pressed(Shell& shell, const QStringList& texts) {
  CalculationWindow* window = shell.OpenCalculation(*FindWindow("Form21"));
  for (int k = 0; k < texts.size(); ++k) window->Boxes()[size_t(k)]->setText(texts[k]);
  Child<QPushButton>(window, "Command1")->click();
  return window;
}

// Types into the dialog the menu opens and presses 计 算 (or reads its problem).
void FillNextDialog(const QString& length, int control, const QString& depth, const QString& step,
                    QString* problem = nullptr, int tries = 200) {
  QTimer::singleShot(5, [=] {
    auto* dialog = qobject_cast<ProfileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) {
      if (tries > 0) FillNextDialog(length, control, depth, step, problem, tries - 1);
      return;
    }
    Child<QLineEdit>(dialog, "ProfileLength")->setText(length);
    Child<QComboBox>(dialog, "ProfileControl")->setCurrentIndex(control);
    Child<QLineEdit>(dialog, "ProfileDepth")->setText(depth);
    Child<QLineEdit>(dialog, "ProfileStep")->setText(step);
    dialog->accept();
    if (problem != nullptr) *problem = Child<QLabel>(dialog, "ProfileProblem")->text();
    if (dialog->isVisible()) dialog->reject();
  });
}

// Types a canal into the window as a user does: the head boxes, then row by row.
void TypeCanal(CanalWindow* view, const CanalInput& c) {
  Child<QLineEdit>(view, "CanalDischarge")->setText(QString::number(c.discharge));
  Child<QComboBox>(view, "CanalControl")->setCurrentIndex(1);
  Child<QLineEdit>(view, "CanalControlValue")->setText(QString::number(c.controlValue));
  Child<QLineEdit>(view, "CanalStep")->setText(QString::number(c.step));
  Child<QComboBox>(view, "CanalIncreased")
      ->setCurrentIndex(c.increasedAuto ? 0
                        : c.increased   ? 1
                                        : 2);
  Child<QLineEdit>(view, "CanalIncreasedValue")
      ->setText(c.increased ? QString::number(*c.increased) : QString());
  Child<QLineEdit>(view, "CanalFreeboard")
      ->setText(c.freeboard ? QString::number(*c.freeboard) : QString());
  QTableWidget* table = view->Reaches();
  while (table->rowCount() < int(c.reaches.size())) Child<QPushButton>(view, "CanalAdd")->click();
  const int last = table->columnCount() - 1;
  for (int row = 0; row < table->rowCount(); ++row) {
    const CanalReach& r = c.reaches[size_t(row)];
    auto* choice = qobject_cast<QComboBox*>(table->cellWidget(row, 1));
    choice->setCurrentIndex(
        choice->findText(QString::fromUtf8(FamilyOf(r.window->family).optionText.data())));
    table->item(row, 0)->setText(QString::fromStdString(r.name));
    for (size_t k = 0; k < r.boxes.size(); ++k) {
      table->item(row, 2 + int(k))->setText(QString::fromStdString(r.boxes[k]));
    }
    table->item(row, last - 2)->setText(QString::number(r.length));
    table->item(row, last - 1)->setText(QString::number(r.bedDownstream));
    table->item(row, last)->setText(QString::number(r.loss));
  }
}

// The station table holds every station of every reach, as the engine gives them.
void CompareStations(CanalWindow* view, const CanalResult& expected) {
  const QAbstractItemModel* model = view->Table()->model();
  int row = 0;
  for (const CanalReachProfile& reach : expected.reaches) {
    for (const ProfileStation& s : reach.profile.stations) {
      QCOMPARE(model->index(row, 0).data().toString().toStdString(), reach.name);
      for (size_t c = 0; c < ProfileColumns().size(); ++c) {
        QCOMPARE(model->index(row, int(c) + 1).data().toString().toStdString(),
                 ProfileCell(s, c, reach.offset));
      }
      ++row;
    }
  }
  QCOMPARE(model->rowCount(), row);
}

}  // namespace

class ProfileWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setQuitOnLastWindowClosed(false);
  }
  void dialogRefuses_data();
  void dialogRefuses();
  void gateProfileTableAndCsv();
  void profileKeptInProject();
  void storedProfileRead_data();
  void storedProfileRead();
  void canalTypedComputedAndKept();
  void canalRefused_data();
  void canalRefused();
  void storedCanalRead_data();
  void storedCanalRead();
};

void ProfileWindowTest::dialogRefuses_data() {
  QTest::addColumn<QString>("length");
  QTest::addColumn<int>("control");
  QTest::addColumn<QString>("depth");
  QTest::addColumn<QString>("step");
  QTest::newRow("no length") << "" << 1 << ""
                             << "";
  QTest::newRow("negative length") << "-5" << 1 << ""
                                   << "";
  QTest::newRow("control depth missing") << "500" << 0 << ""
                                         << "";
  QTest::newRow("step zero") << "500" << 2 << ""
                             << "0";
}

// A request that is not whole keeps the dialog open and says why; no profile.
void ProfileWindowTest::dialogRefuses() {
  QFETCH(QString, length);
  QFETCH(int, control);
  QFETCH(QString, depth);
  QFETCH(QString, step);
  Shell shell;
  CalculationWindow* window = Pressed(shell, kForm21);
  QString problem;
  FillNextDialog(length, control, depth, step, &problem);
  Child<QAction>(window, "DRAW3")->trigger();
  QVERIFY(!problem.isEmpty());
  QVERIFY(window->ProfileView() == nullptr);
  QVERIFY(!shell.CurrentSession()->Current().cases.front().profile);
}

// An M1 behind a gate: 2.5 m at the gate, above normal depth on a mild slope.
// The window's rows are the engine's stations, cell for cell, and the CSV of
// them reads back to the same figures.
void ProfileWindowTest::gateProfileTableAndCsv() {
  Shell shell;
  CalculationWindow* window = Pressed(shell, kForm21);
  FillNextDialog("2000", 0, "2.5", "50");
  Child<QAction>(window, "DRAW3")->trigger();
  ProfileWindow* view = window->ProfileView();
  QVERIFY(view != nullptr && view->Sheet());
  QCOMPARE(view->Sheet()->profile.type, std::string("M1"));

  std::vector<std::string> texts;
  for (const QString& t : kForm21) texts.push_back(t.toStdString());
  ProfileRequest request{2000.0, 50.0, {ControlKind::Depth, 2.5}, 0.0};
  const WindowProfile expected = ProfileOfWindow(*FindWindow("Form21"), texts, request);
  QVERIFY(expected.profile);
  const auto& stations = expected.profile->stations;
  const QAbstractItemModel* model = view->Table()->model();
  QCOMPARE(model->rowCount(), int(stations.size()));
  QCOMPARE(model->columnCount(), int(ProfileColumns().size()));
  for (int r = 0; r < model->rowCount(); ++r) {
    for (int c = 0; c < model->columnCount(); ++c) {
      QCOMPARE(model->index(r, c).data().toString().toStdString(),
               ProfileCell(stations[size_t(r)], size_t(c), 0.0));
    }
  }
  QVERIFY2(view->ReadoutAt(0.0).contains("水深h=2.5000 m"), qPrintable(view->ReadoutAt(0.0)));

  QTemporaryDir dir;
  const QString csv = dir.filePath("水面线.csv");
  QVERIFY(view->ExportCsv(csv));
  QFile file(csv);
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));  // Excel reads the Chinese headings
  const QStringList lines = QString::fromUtf8(bytes).split('\n', Qt::SkipEmptyParts);
  QCOMPARE(lines.size(), int(stations.size()) + 1);
  for (size_t k = 0; k < stations.size(); ++k) {
    const QStringList cells = lines[int(k) + 1].split(',');
    QCOMPARE(cells.size(), 7);
    QVERIFY(std::abs(cells[0].toDouble() - stations[k].x) <= 0.005);
    QVERIFY(std::abs(cells[1].toDouble() - stations[k].h) <= 5e-5);
    QVERIFY(std::abs(cells[2].toDouble() - stations[k].z) <= 5e-5);
    QVERIFY(std::abs(cells[6].toDouble() - stations[k].sf) <= 1e-4 * stations[k].sf);
  }
  QVERIFY(!view->ExportCsv(dir.filePath("no/such/dir/a.csv")));
}

// The request is kept with the case: saved, cleared, opened again, the case's
// row marks the profile and the dialog offers the request again.
void ProfileWindowTest::profileKeptInProject() {
  QTemporaryDir dir;
  const QString path = dir.filePath("闸前.tarnwick.json");
  Shell shell;
  CalculationWindow* window = Pressed(shell, kForm21);
  const ProfileRequest request{1500.0, 0.0, {ControlKind::Depth, 2.5}, 101.2};
  QVERIFY(window->ShowProfile(request) != nullptr);
  QVERIFY(shell.CurrentSession()->Save(path).isEmpty());
  shell.CurrentSession()->New();
  QVERIFY(shell.CurrentSession()->Current().cases.empty());
  QVERIFY(shell.CurrentSession()->Open(path).project);

  const auto& cases = shell.CurrentSession()->Current().cases;
  QCOMPARE(cases.size(), size_t(1));
  QVERIFY(cases.front().profile);
  const ProfileRequest& back = *cases.front().profile;
  QCOMPARE(back.length, request.length);
  QCOMPARE(back.step, request.step);
  QCOMPARE(back.control.kind, request.control.kind);
  QCOMPARE(back.control.depth, request.control.depth);
  QCOMPARE(back.bedAtControl, request.bedAtControl);
  const std::optional<CaseRow> row = CaseRowOf(cases.front());
  QVERIFY(row);
  QVERIFY2(QString::fromStdString(row->inputs).endsWith("水面线M1 L=1500 h0=2.5"),
           row->inputs.c_str());
  // The profile recomputed from the reopened case starts at the bed level given.
  const WindowProfile again = RecordProfile(cases.front(), back);
  QVERIFY(again.profile);
  QCOMPARE(again.profile->stations.front().z, 101.2 + 2.5);
  CalculationWindow* reopened = shell.OpenCalculation(*FindWindow("Form21"));
  QCOMPARE(reopened->ProfileDefaults().length, 1500.0);
}

void ProfileWindowTest::storedProfileRead_data() {
  QTest::addColumn<QString>("profile");
  QTest::addColumn<QString>("refusal");  // empty: read
  QTest::newRow("critical") << R"({"length": 800, "control": "critical"})"
                            << "";
  QTest::newRow("not an object") << R"(500)"
                                 << "“profile”不是对象";
  QTest::newRow("no length") << R"({"control": 2.5})"
                             << "渠段长";
  QTest::newRow("negative length") << R"({"length": -5, "control": 2.5})"
                                   << "渠段长";
  QTest::newRow("unknown control") << R"({"length": 500, "control": "gate"})"
                                   << "控制条件";
  QTest::newRow("step not a number") << R"({"length": 500, "control": 2, "step": "x"})"
                                     << "“step”不是数值";
}

// A stored profile request is read with its case, or the case is refused with why.
void ProfileWindowTest::storedProfileRead() {
  QFETCH(QString, profile);
  QFETCH(QString, refusal);
  const std::string line = R"({"window": "Form21", "boxes": ["2", "1.5", "0.025", "1000", "5"],)"
                           R"( "profile": )" +
                           profile.toStdString() + "}";
  const RecordRead read = ParseRecordLine(line);
  if (refusal.isEmpty()) {
    QCOMPARE(read.records.size(), size_t(1));
    QVERIFY(read.records.front().profile);
    QCOMPARE(read.records.front().profile->control.kind, ControlKind::Critical);
    QCOMPARE(read.records.front().profile->length, 800.0);
    QCOMPARE(RecordLine(read.records.front())
                     .find(R"("profile":{"length":800.0,"step":0.0,)"
                           R"("control":"critical","bed":0.0})") != std::string::npos,
             true);
  } else {
    QVERIFY(read.records.empty());
    QVERIFY2(QString::fromStdString(read.error).contains(refusal), read.error.c_str());
  }
}

// A canal of three reaches with a drop, typed into the window opened from the
// 图形 menu: rows moved and removed leave it as typed, its stations are the
// engine's, and a saved project opened again shows the same table and profile.
void ProfileWindowTest::canalTypedComputedAndKept() {
  QTemporaryDir dir;
  const QString path = dir.filePath("干渠.tarnwick.json");
  Shell shell;
  CalculationWindow* window = Pressed(shell, kForm21);
  Child<QAction>(window, "DRAW4")->trigger();
  auto* view = window->findChild<CanalWindow*>();
  QVERIFY(view != nullptr && view->isVisible() && !view->Sheet());
  // A new canal's banks are set at the increased discharge of the table, as a
  // canal file reads; this one types its own, and its own freeboard.
  QCOMPARE(Child<QComboBox>(view, "CanalIncreased")->currentIndex(), 0);
  CanalInput typed = ThreeReachCanal();
  typed.increased = 15.5;
  typed.freeboard = 0.45;
  TypeCanal(view, typed);
  view->Reaches()->setCurrentCell(0, 0);
  view->MoveReach(1);
  view->MoveReach(-1);
  view->AddReach();
  view->RemoveReach();
  const std::optional<CanalInput> read = view->CanalOfForm();
  QVERIFY(read);
  QCOMPARE(CanalJson(*read), CanalJson(typed));

  Child<QPushButton>(view, "CanalCompute")->click();
  const CanalResult expected = ComputeCanal(typed);
  QVERIFY2(view->Sheet(), qPrintable(view->Message()));
  QCOMPARE(view->Sheet()->reaches.size(), size_t(3));
  CompareStations(view, expected);
  // Each reach's bank level as the design rule sets it, drawn and listed.
  const CanalBanks banks = BankLevels(typed);
  QVERIFY(banks.refusal.empty());
  const QString listed = Child<QLabel>(view, "CanalBanks")->text();
  for (size_t j = 0; j < banks.reaches.size(); ++j) {
    const ReachBank& b = banks.reaches[j];
    QVERIFY(!b.closed && view->Sheet()->reaches[j].bank);
    QCOMPARE(*view->Sheet()->reaches[j].bank, b.level);
    QCOMPARE(b.freeboard, 0.45);
    const QString line = QStringLiteral("%1：加大流量最高水位 %2 m")
                             .arg(QString::fromStdString(expected.reaches[j].name))
                             .arg(b.highest, 0, 'f', 3);
    const QString bank = QStringLiteral("Fb=0.450 m，渠顶高程 %1 m").arg(b.level, 0, 'f', 3);
    QVERIFY2(listed.contains(line) && listed.contains(bank), qPrintable(listed));
  }
  QVERIFY2(listed.contains("加大流量Q加大=15.5 m³/s（设计者输入）"), qPrintable(listed));
  // The water at the canal's downstream end stands at the level given.
  QVERIFY2(view->ReadoutAt(0.0).contains("水位z=103.2000 m"), qPrintable(view->ReadoutAt(0.0)));
  const QString csv = dir.filePath("canal.csv");
  QVERIFY(view->ExportCsv(csv));
  QVERIFY(view->ExportPng(dir.filePath("canal.png")));
  QFile file(csv);
  QVERIFY(file.open(QIODevice::ReadOnly));
  QCOMPARE(file.readAll().count('\n'), qsizetype(view->Table()->model()->rowCount() + 1));

  // The window's case table lists the canal after its case, a row that stands
  // for no case: deleting it deletes nothing.
  auto* cases = window->findChild<CaseTableWindow*>();
  QVERIFY(cases != nullptr);
  const std::vector<CaseRow>& rows = cases->Table().Rows();
  QCOMPARE(rows.size(), size_t(2));
  QVERIFY(rows.back().canal && !rows.front().canal);
  QVERIFY2(rows.back().inputs.find("Q=12 下游水位z=103.2 渠段3段") == 0,
           rows.back().inputs.c_str());
  cases->View()->setCurrentCell(1, 0);
  Child<QAction>(cases, "DeleteCase")->trigger();
  QCOMPARE(shell.CurrentSession()->Current().cases.size(), size_t(1));
  // The window's book holds its case, then the project's canal with its banks.
  const QString book = dir.filePath("book.pdf");
  QVERIFY(window->WriteBookTo(book).isEmpty());
  QProcess pdf;
  pdf.start("pdftotext", {book, "-"});
  QVERIFY(pdf.waitForFinished(30000) && pdf.exitCode() == 0);
  const QString text = QString::fromUtf8(pdf.readAllStandardOutput());
  const qsizetype reportAt = text.lastIndexOf("正常水深H=");
  QVERIFY2(reportAt >= 0 && reportAt < text.lastIndexOf("渠段: 跌坎下段"), qPrintable(text));
  QVERIFY2(text.contains("渠道水面线 1") && text.contains("渠顶高程="), qPrintable(text));

  QVERIFY(shell.CurrentSession()->Save(path).isEmpty());
  shell.CurrentSession()->New();
  QVERIFY(!view->Sheet());
  QCOMPARE(view->Reaches()->rowCount(), 1);
  QVERIFY(shell.CurrentSession()->Open(path).project);
  QVERIFY(view->Sheet());
  QCOMPARE(CanalJson(*view->CanalOfForm()), CanalJson(typed));
  CompareStations(view, expected);
  QVERIFY(!shell.CurrentSession()->Dirty());
}

void ProfileWindowTest::canalRefused_data() {
  QTest::addColumn<int>("row");     // the reach changed; -1: the discharge box, -2: Q加大, -3: Fb
  QTest::addColumn<int>("column");  // below 0: counted from the last (-1: ζ, -3: length)
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("why");
  QTest::newRow("no discharge") << -1 << 0 << ""
                                << "设计流量Q须为正数";
  QTest::newRow("increased discharge zero") << -2 << 0 << "0"
                                            << "加大流量Q加大须为正数";
  QTest::newRow("freeboard not a number") << -3 << 0 << "0.5m"
                                          << "安全超高Fb须为非负数";
  QTest::newRow("length not a number") << 1 << -3 << "6O0"
                                       << "第 2 行渠段“跌坎下段”：渠段长";
  QTest::newRow("negative loss") << 2 << -1 << "-0.1"
                                 << "局部损失系数ζ须为非负数";
  QTest::newRow("no name") << 0 << 0 << ""
                           << "须有渠段名称";
  // 1/50 on the 3 m trapezoid: supercritical, controlled from upstream.
  QTest::newRow("steep reach") << 0 << 5 << "50"
                               << "渠段“上段”为陡坡或急流段";
}

// A canal that cannot be read or computed shows why in place of the drawing,
// with nothing to export, and keeps no profile.
void ProfileWindowTest::canalRefused() {
  QFETCH(int, row);
  QFETCH(int, column);
  QFETCH(QString, text);
  QFETCH(QString, why);
  Session session;
  CanalWindow view(session);
  TypeCanal(&view, ThreeReachCanal());
  if (row < -1) {
    // The increased discharge typed, or a freeboard beside the table's.
    Child<QComboBox>(&view, "CanalIncreased")->setCurrentIndex(row == -2 ? 1 : 0);
    Child<QLineEdit>(&view, row == -2 ? "CanalIncreasedValue" : "CanalFreeboard")->setText(text);
  } else if (row < 0) {
    Child<QLineEdit>(&view, "CanalDischarge")->setText(text);
  } else {
    view.Reaches()
        ->item(row, column < 0 ? view.Reaches()->columnCount() + column : column)
        ->setText(text);
  }
  QVERIFY(!view.Compute());
  QVERIFY(!view.Sheet());
  QVERIFY2(view.Message().contains(why), qPrintable(view.Message()));
  QVERIFY(!Child<QAction>(&view, "ExportCsv")->isEnabled());
  QCOMPARE(view.Table()->model()->rowCount(), 0);
}

void ProfileWindowTest::storedCanalRead_data() {
  QTest::addColumn<QString>("canals");
  QTest::addColumn<QString>("refusal");  // empty: read, and written back the same
  QTest::newRow("three reaches") << QString::fromStdString("[" + CanalJson(ThreeReachCanal()) + "]")
                                 << "";
  QTest::newRow("critical, no step")
      << R"([{"discharge": 5, "downstream": {"critical": true}, "reaches": [{"name": "a",)"
         R"( "window": "Form24", "boxes": ["", "1", "0.014", "1000"], "length": 50,)"
         R"( "bed_level_downstream": 0}]}])"
      << "";
  QTest::newRow("not a list") << "{}"
                              << "“canals”: 不是列表";
  QTest::newRow("discharge window")
      << R"([{"discharge": 5, "downstream": {"depth": 1}, "reaches": [{"name": "a",)"
         R"( "window": "Form32", "boxes": [], "length": 50, "bed_level_downstream": 0}]}])"
      << R"(第 1 个渠道: reach 1: "Form32" is not a depth window)";
  QTest::newRow("no length")
      << R"([{"discharge": 5, "downstream": {"depth": 1}, "reaches": [{"name": "a",)"
         R"( "window": "Form21", "boxes": [], "bed_level_downstream": 0}]}])"
      << R"(第 1 个渠道: reach 1: missing "length")";
}

// A project's canals are read and written back as they were, or the file is
// refused with the canal and the problem.
void ProfileWindowTest::storedCanalRead() {
  QFETCH(QString, canals);
  QFETCH(QString, refusal);
  const std::string text = R"({"format": "tarnwick-project", "version": 1, "cases": [],)"
                           R"( "canals": )" +
                           canals.toStdString() + "}";
  const ProjectRead read = ParseProject(text, "p.json");
  if (!refusal.isEmpty()) {
    QVERIFY(!read.project);
    QVERIFY2(QString::fromStdString(read.error).startsWith("p.json: " + refusal),
             read.error.c_str());
    return;
  }
  QVERIFY2(read.project, read.error.c_str());
  QCOMPARE(read.project->canals.size(), size_t(1));
  const ProjectRead again = ParseProject(ProjectText(*read.project), "again.json");
  QVERIFY2(again.project, again.error.c_str());
  QCOMPARE(CanalJson(again.project->canals.front()), CanalJson(read.project->canals.front()));
  // No canal, no "canals": the files of projects without one stay as they were.
  QVERIFY(ProjectText(Project{}).find("canals") == std::string::npos);
}

QTEST_MAIN(ProfileWindowTest)
#include "ProfileWindowTest.moc"
