// What the calculation window keeps beside its pane: the check panel of the last
// press and its limits, the case table of the reports and the calculation book
// written from the window.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include "TestSupport.h"
#include "WorkedCases.h"
#include "ui/CalculationWindow.h"
#include "ui/CaseTableWindow.h"
#include "ui/CheckPanel.h"

using namespace tarnwick;
using namespace tarnwick::ui;

namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

const WindowSpec& Entry(const char* name) { return *FindWindow(name); }

QStringList Worked(std::string_view window) {
  for (const WorkedCase& c : WorkedCases()) {
    if (c.window != window) continue;
    QStringList texts;
    for (std::string_view box : c.boxes) texts << Q(box);
    return texts;
  }
  qFatal("no worked case");
}

// The city-gate tunnel of the worked case at another design discharge.
QStringList CityGate(const char* discharge) {
  return {"3", "2", "1.7320508", "120", "0", "0.014", "1000", discharge};
}

void Press(CalculationWindow& window, const QStringList& texts) {
  for (int k = 0; k < texts.size(); ++k) window.Boxes()[k]->setText(texts[k]);
  Child<QPushButton>(&window, "Command1")->click();
}

// "Box=text" types into a limit box of the panel; "Lining=id" picks a lining;
// "ClosedRule=k" picks the k-th clearance rule (0 by kind of section).
void SetLimit(CheckPanel* panel, const QString& edit) {
  const QString box = edit.section('=', 0, 0);
  const QString text = edit.section('=', 1);
  if (box == "ClosedRule") {
    Child<QComboBox>(panel, "ClosedRule")->setCurrentIndex(text.toInt());
    return;
  }
  if (box != "Lining") {
    Child<QLineEdit>(panel, qPrintable(box))->setText(text);
    return;
  }
  auto* lining = Child<QComboBox>(panel, "Lining");
  const auto linings = UsualMaximumVelocities();
  for (size_t k = 0; k < linings.size(); ++k) {
    if (Q(linings[k].id) != text) continue;
    lining->setCurrentIndex(int(k) + 1);
    emit lining->activated(int(k) + 1);
    return;
  }
  qFatal("no lining %s", qPrintable(text));
}

// Green for 满足, red for 不满足, grey for 提示.
bool ColouredAs(const QLabel* status) {
  const QColor c = status->palette().color(QPalette::WindowText);
  if (status->text() == "满足") return c.green() > 2 * c.red() && c.green() > 2 * c.blue();
  if (status->text() == "不满足") return c.red() > 2 * c.green() && c.red() > 2 * c.blue();
  return status->text() == "提示" && c.red() == c.green() && c.green() == c.blue() &&
         c.red() > 60 && c.red() < 200;
}

QString Run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(30000) || process.exitCode() != 0) {
    qWarning("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
    return QString();
  }
  return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of a book: pdftotext of the PDF, the character data of the ODT's
// content.xml, which must parse.
QString BookText(const QString& path) {
  if (path.endsWith(".pdf")) return Run("pdftotext", {"-layout", path, "-"});
  const QString xml = Run("python3", {"-c",
                                      "import sys, zipfile; sys.stdout.buffer.write("
                                      "zipfile.ZipFile(sys.argv[1]).read('content.xml'))",
                                      path});
  QXmlStreamReader reader(xml);
  QString text;
  while (!reader.atEnd()) {
    if (reader.readNext() == QXmlStreamReader::Characters) text += reader.text();
    if (reader.isEndElement() && reader.name() == QStringLiteral("p")) text += '\n';
  }
  if (reader.hasError()) qWarning("content.xml: %s", qPrintable(reader.errorString()));
  return reader.hasError() ? QString() : text;
}

}  // namespace

class CheckPanelTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { QApplication::setQuitOnLastWindowClosed(false); }
  void checksOfTheLastPress_data();
  void checksOfTheLastPress();
  void caseTableHasARowPerReport();
  void faultyBoxMarked_data();
  void faultyBoxMarked();
  void bookFromTheWindow_data();
  void bookFromTheWindow();
};

void CheckPanelTest::checksOfTheLastPress_data() {
  QTest::addColumn<QString>("window");
  QTest::addColumn<QStringList>("boxes");
  QTest::addColumn<QStringList>("limits");    // set after the press: the panel checks again
  QTest::addColumn<QStringList>("expected");  // "row=status" shown, "row" not shown
  QTest::addColumn<bool>("clearanceLimits");  // the clearance boxes offered
  // Form21's worked case: V = 1.03719 m/s, Fr = 0.361.
  const QStringList form21 = Worked("Form21");
  QTest::newRow("open channel")
      << "Form21" << form21 << QStringList()
      << QStringList{"regime=满足",       "froude=提示", "critical_depth=提示",
                     "search_limit=满足", "velocity",    "clearance_area"}
      << false;
  QTest::newRow("too slow to keep silt moving")
      << "Form21" << form21 << QStringList{"VelocityMin=1.1"} << QStringList{"velocity=不满足"}
      << false;
  QTest::newRow("fast enough") << "Form21" << form21 << QStringList{"VelocityMin=1"}
                               << QStringList{"velocity=满足"} << false;
  // Light loam at R = 0.743 m: 0.60·0.743^0.25 = 0.557 m/s.
  QTest::newRow("scours light loam") << "Form21" << form21 << QStringList{"Lining=light-loam"}
                                     << QStringList{"velocity=不满足"} << false;
  QTest::newRow("near-critical band widened") << "Form21" << form21 << QStringList{"FroudeLow=0.3"}
                                              << QStringList{"regime=不满足"} << false;
  QTest::newRow("within concrete")
      << "Form21" << form21 << QStringList{"VelocityMin=0.5", "Lining=concrete"}
      << QStringList{"velocity=满足"} << false;
  // The city gate at Q = 13: 19.507 % of the area and 0.759 m over the water; at
  // Q = 14: 14.062 % and 0.604 m.
  QTest::newRow("tunnel clear") << "Form23" << CityGate("13") << QStringList()
                                << QStringList{"regime=满足", "clearance_area=满足",
                                               "clearance_height=满足", "roof_chord=满足"}
                                << true;
  QTest::newRow("tunnel area short")
      << "Form23" << CityGate("14") << QStringList()
      << QStringList{"clearance_area=不满足", "clearance_height=满足"} << true;
  QTest::newRow("area rule raised")
      << "Form23" << CityGate("13") << QStringList{"ClearanceArea=20"}
      << QStringList{"clearance_area=不满足", "clearance_height=满足"} << true;
  QTest::newRow("height rule raised")
      << "Form23" << CityGate("13") << QStringList{"ClearanceHeight=0.8"}
      << QStringList{"clearance_area=满足", "clearance_height=不满足"} << true;
  QTest::newRow("height rule lowered")
      << "Form23" << CityGate("14") << QStringList{"ClearanceArea=14", "ClearanceHeight=0.6"}
      << QStringList{"clearance_area=满足", "clearance_height=满足"} << true;
  // Above the capacity of the tunnel: refused, only the box read in part is told.
  QTest::newRow("refused, read in part")
      << "Form23" << CityGate("20x") << QStringList()
      << QStringList{"partial_read_Q=不满足", "regime", "clearance_area"} << false;
  // A pipe: judged by its fill ratio, the tunnel's boxes not offered; the tunnel
  // rule chosen offers them.
  QTest::newRow("pipe") << "Form24" << QStringList{"", "0.5", "0.013", "1000", "0.7"}
                        << QStringList() << QStringList{"fill_ratio=不满足", "clearance_area"}
                        << false;
  // A box culvert: its clearance shown, not judged, until the tunnel rule is chosen.
  const QStringList culvert = {"2", "2", "0.014", "1000", "3"};
  QTest::newRow("culvert, no rule chosen")
      << "Form28" << culvert << QStringList() << QStringList{"clearance=提示", "clearance_area"}
      << false;
  QTest::newRow("culvert, tunnel rule")
      << "Form28" << culvert << QStringList{"ClosedRule=1"}
      << QStringList{"clearance_area=满足", "clearance_height=满足", "clearance"} << true;
  QTest::newRow("slope typed as i")
      << "Form21" << QStringList{"2", "1.5", "0.025", "0.0005", "5"} << QStringList()
      << QStringList{"slope_text_I=不满足", "velocity=不满足", "regime=提示"} << false;
  QTest::newRow("refused") << "Form23" << CityGate("20") << QStringList()
                           << QStringList{"regime", "partial_read_Q", "clearance_area"} << false;
}

void CheckPanelTest::faultyBoxMarked_data() {
  QTest::addColumn<QStringList>("boxes");
  QTest::addColumn<int>("marked");  // index of the box marked, -1 none
  QTest::newRow("slope as i") << QStringList{"2", "1.5", "0.025", "0.0005", "5"} << 3;
  QTest::newRow("slope as a fraction") << QStringList{"2", "1.5", "0.025", "1/1000", "5"} << 3;
  QTest::newRow("input-error block") << QStringList{"O.5", "1.5", "0.025", "1000", "5"} << 0;
  QTest::newRow("read in full") << QStringList{"2", "1.5", "0.025", "1000", "5"} << -1;
}

// The box a check fails is framed in red with the check as its tool tip; the
// next press takes the mark away from a box typed right.
void CheckPanelTest::faultyBoxMarked() {
  QFETCH(QStringList, boxes);
  QFETCH(int, marked);
  CalculationWindow form(Entry("Form21"));
  Press(form, {"2", "1.5", "0.025", "1000", "2OOO"});  // the discharge box marked first
  QVERIFY(form.Boxes()[4]->property("fault").toBool());
  Press(form, boxes);
  for (int k = 0; k < int(form.Boxes().size()); ++k) {
    const QLineEdit* box = form.Boxes()[size_t(k)];
    QCOMPARE(box->property("fault").toBool(), k == marked);
    QCOMPARE(box->styleSheet().contains("border"), k == marked);
    if (k == marked) QVERIFY2(box->toolTip().contains(boxes[k]), qPrintable(box->toolTip()));
  }
}

void CheckPanelTest::checksOfTheLastPress() {
  QFETCH(QString, window);
  QFETCH(QStringList, boxes);
  QFETCH(QStringList, limits);
  QFETCH(QStringList, expected);
  QFETCH(bool, clearanceLimits);
  CalculationWindow form(Entry(qPrintable(window)));
  // The worked case first, so that a refused press must take its rows away.
  Press(form, Worked(form.Entry().name));
  Press(form, boxes);
  CheckPanel* panel = form.Checks();
  for (const QString& edit : limits) SetLimit(panel, edit);
  for (const QString& want : expected) {
    const QString row = want.section('=', 0, 0);
    auto* status = panel->findChild<QLabel*>(row + "Status");
    auto* figures = panel->findChild<QLabel*>(row + "Text");
    if (!want.contains('=')) {
      QVERIFY2(status == nullptr, qPrintable(row));
      continue;
    }
    QVERIFY2(status != nullptr && figures != nullptr, qPrintable(row));
    QCOMPARE(row + "=" + status->text(), want);
    QVERIFY2(ColouredAs(status), qPrintable(want));
    // The figures stand beside the status, which they do not repeat.
    QVERIFY(!figures->text().isEmpty());
    QVERIFY(!figures->text().endsWith(status->text()));
  }
  QCOMPARE(!Child<QLineEdit>(panel, "ClearanceArea")->isHidden(), clearanceLimits);
  QCOMPARE(!Child<QLineEdit>(panel, "ClearanceHeight")->isHidden(), clearanceLimits);
  const bool none = panel->Shown().empty();
  QCOMPARE(panel->findChild<QLabel*>("CheckHint") != nullptr, none);
  // Clearing the pane clears the panel.
  Child<QAction>(&form, "CLEAN")->trigger();
  QVERIFY(panel->Shown().empty());
  QVERIFY(panel->findChild<QLabel*>("CheckHint") != nullptr);
}

// One row per report, none for a refused press; sorted by a header click, in
// both directions; copied and saved as the table is shown; cleared with the pane.
void CheckPanelTest::caseTableHasARowPerReport() {
  CalculationWindow form(Entry("Form21"));
  QStringList boxes = Worked("Form21");
  for (const char* q : {"8", "0", "3", "5"}) {  // Q = 0 is refused
    boxes.last() = q;
    Press(form, boxes);
  }
  Child<QAction>(&form, "CASES")->trigger();
  CaseTableWindow* cases = form.Cases();
  QVERIFY(QTest::qWaitForWindowExposed(cases));
  QTableWidget* view = cases->View();
  QCOMPARE(view->rowCount(), 3);
  const int flow = int(CaseColumn::Discharge);
  const auto column = [view](int c) {
    QStringList cells;
    for (int r = 0; r < view->rowCount(); ++r) cells << view->item(r, c)->text();
    return cells;
  };
  QCOMPARE(column(int(CaseColumn::Regime)), (QStringList{"缓流", "缓流", "缓流"}));
  QHeaderView* header = view->horizontalHeader();
  const QPoint depthHeader(header->sectionViewportPosition(int(CaseColumn::Depth)) + 5, 5);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, depthHeader);
  QCOMPARE(column(flow), (QStringList{"2.99999", "4.99991", "8.00009"}));
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, depthHeader);
  QCOMPARE(column(flow), (QStringList{"8.00009", "4.99991", "2.99999"}));

  Child<QPushButton>(cases, "CopyCases")->click();
  const QStringList pasted = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
  QCOMPARE(pasted.size(), 4);
  QCOMPARE(pasted[1].split('\t').value(flow), QString("8.00009"));

  QTemporaryDir dir;
  const QString path = dir.filePath("成果汇总表.csv");
  QCOMPARE(cases->SaveCsv(path), QString());
  QFile file(path);
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
  const QStringList lines = QString::fromUtf8(bytes.mid(3)).split("\r\n", Qt::SkipEmptyParts);
  QCOMPARE(lines.size(), 4);
  QStringList headers;
  for (std::string_view h : CaseHeaders()) headers << Q(h);
  QCOMPARE(lines[0].split(','), headers);
  QVERIFY(headers.contains("流态"));
  QCOMPARE(lines[3].split(',').value(flow), QString("2.99999"));
  QVERIFY(!cases->SaveCsv(dir.filePath("missing/cases.csv")).isEmpty());

  Child<QAction>(&form, "CLEAN")->trigger();
  QCOMPARE(view->rowCount(), 0);
  Press(form, boxes);
  QCOMPARE(view->rowCount(), 1);
}

void CheckPanelTest::bookFromTheWindow_data() {
  QTest::addColumn<QString>("suffix");
  QTest::newRow("PDF") << "pdf";
  QTest::newRow("ODT") << "odt";
}

// The book of every case in the pane, with the checks at the panel's limits.
void CheckPanelTest::bookFromTheWindow() {
  QFETCH(QString, suffix);
  CalculationWindow form(Entry("Form23"));
  Child<QLineEdit>(&form, std::string(form.Entry().projectBox).c_str())->setText("渠首隧洞");
  Press(form, CityGate("13"));
  Press(form, CityGate("20"));  // refused: not a case of the book
  Press(form, CityGate("14"));
  SetLimit(form.Checks(), "ClearanceArea=19");
  QTemporaryDir dir;
  const QString path = dir.filePath("book." + suffix);
  QCOMPARE(form.WriteBookTo(path), QString());
  QVERIFY(QFile(path).size() > 0);
  const QString text = BookText(path);
  QVERIFY(text.contains("渠首隧洞"));
  QVERIFY(text.contains("水力计算书"));
  QVERIFY(text.contains("城门洞形隧洞均匀流水深计算成果表"));
  QVERIFY(text.contains("净空面积比=19.507%（要求≥19.000%，用户设定） 满足"));
  QVERIFY(text.contains("净空面积比=14.062%（要求≥19.000%，用户设定） 不满足"));
  QVERIFY(text.contains("流态：缓流（Fr<0.80） 满足"));
  QCOMPARE(text.count("流态："), 2);
  // The check table: value, limit, then their unit, then the verdict.
  const QString cells = QString(text).remove(QRegularExpression("\\s"));
  QVERIFY(cells.contains("计算值限值单位结论"));
  QVERIFY(cells.contains("净空面积19.50719%满足"));
  QVERIFY(cells.contains("净空面积14.06219%不满足"));
  QVERIFY(!form.WriteBookTo(dir.filePath("missing/book." + suffix)).isEmpty());
}

QTEST_MAIN(CheckPanelTest)
#include "CheckPanelTest.moc"
