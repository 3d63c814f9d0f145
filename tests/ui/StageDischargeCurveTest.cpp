// The stage–discharge curve window of a calculation window: the three roads that
// open it, refresh on the next report, the message for a refused case, closing
// with its calculation window, the Qmax line of a tunnel, the mouse readout, and
// the saved picture and table, whose rows are those of tarnwick-calc --rating.
#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScatterSeries>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>
#include <cmath>

#include "WorkedCases.h"
#include "ui/BookPictures.h"
#include "ui/CalculationWindow.h"
#include "ui/Shell.h"
#include "ui/StageDischargeWindow.h"

using namespace tarnwick;
using namespace tarnwick::ui;

namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

const WorkedCase& Worked(std::string_view window) {
  for (const WorkedCase& c : WorkedCases()) {
    if (c.window == window) return c;
  }
  qFatal("no worked case");
}

void Fill(CalculationWindow& window, const WorkedCase& c) {
  for (std::size_t k = 0; k < c.boxes.size(); ++k) window.Boxes()[k]->setText(Q(c.boxes[k]));
}

QStringList Texts(const WorkedCase& c) {
  QStringList texts;
  for (std::string_view box : c.boxes) texts << Q(box);
  return texts;
}

std::vector<std::string> StdTexts(const WorkedCase& c) { return {c.boxes.begin(), c.boxes.end()}; }

void Press(CalculationWindow& window) {
  QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
}

void Trigger(CalculationWindow& window, const char* action) {
  window.findChild<QAction*>(QString::fromLatin1(action))->trigger();
}

StageDischargeWindow* ShownCurve(CalculationWindow& window) {
  StageDischargeWindow* curve = window.CurveWindow();
  return curve != nullptr && curve->isVisible() ? curve : nullptr;
}

}  // namespace

class StageDischargeCurveTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { QApplication::setQuitOnLastWindowClosed(false); }
  void opensFromMenuToolbarAndCheck1_data();
  void opensFromMenuToolbarAndCheck1();
  void refusedCaseShowsMessage();
  void refreshesOnNextReportOnly();
  void closesWithItsCalculationWindow();
  void leaveAndExitCloseTheCurve();
  void tunnelShowsQmaxLine();
  void mouseReadout();
  void exportsPictureAndTable();
  void tableMatchesCommandLine_data();
  void tableMatchesCommandLine();
  void roundTickSteps_data();
  void roundTickSteps();
};

void StageDischargeCurveTest::opensFromMenuToolbarAndCheck1_data() {
  QTest::addColumn<QString>("road");
  QTest::newRow("DRAW1 menu item") << QStringLiteral("DRAW1");
  QTest::newRow("toolbar button 7") << QStringLiteral("Toolbar1Button7");
  QTest::newRow("compute with Check1") << QStringLiteral("Check1");
}

void StageDischargeCurveTest::opensFromMenuToolbarAndCheck1() {
  QFETCH(QString, road);
  CalculationWindow window(*FindWindow("Form21"));
  window.show();
  Fill(window, Worked("Form21"));
  // A report without Check1 opens nothing.
  Press(window);
  QVERIFY(window.CurveWindow() == nullptr);
  if (road == QStringLiteral("Check1")) {
    window.findChild<QCheckBox*>(QStringLiteral("Check1"))->setChecked(true);
    Press(window);
  } else {
    window.findChild<QAction*>(road)->trigger();
  }
  StageDischargeWindow* curve = ShownCurve(window);
  QVERIFY(curve != nullptr);
  QVERIFY(curve->HasCurve());
  QCOMPARE(curve->windowTitle(), QStringLiteral("水位—流量关系曲线"));
  // No project name typed: the window caption heads the chart.
  QCOMPARE(curve->ChartTitle(), window.windowTitle());
  // The marked point is the case: 5 m³/s at its normal depth.
  const auto c = CaseOf(*FindWindow("Form21"), StdTexts(Worked("Form21")));
  QVERIFY(c.has_value());
  QCOMPARE(curve->MarkedPoint(), QPointF(5.0, c->state.h));
  // Both axes from a round start in round steps: 1, 2 or 5 × 10^k.
  for (QAbstractAxis* a : curve->View()->chart()->axes()) {
    const auto* axis = qobject_cast<QValueAxis*>(a);
    QVERIFY(axis != nullptr && axis->tickCount() >= 3);
    const double step = (axis->max() - axis->min()) / (axis->tickCount() - 1);
    const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    QVERIFY2(std::fabs(mantissa - 1.0) < 1e-6 || std::fabs(mantissa - 2.0) < 1e-6 ||
                 std::fabs(mantissa - 5.0) < 1e-6,
             qPrintable(QString::number(step)));
    QVERIFY(std::fabs(axis->min() / step - std::round(axis->min() / step)) < 1e-6);
  }
  // A second request reuses the same window.
  Trigger(window, "DRAW1");
  QCOMPARE(window.CurveWindow(), curve);
}

void StageDischargeCurveTest::refusedCaseShowsMessage() {
  // Before any report, DRAW1 takes the boxes as they stand; empty boxes are refused.
  CalculationWindow window(*FindWindow("Form24"));
  window.show();
  Trigger(window, "DRAW1");
  StageDischargeWindow* curve = ShownCurve(window);
  QVERIFY(curve != nullptr);
  QVERIFY(!curve->HasCurve());
  QVERIFY(!curve->MarkedPoint().has_value());
  QVERIFY(curve->findChild<QLabel*>(QStringLiteral("CurveMessage"))->isVisible());
  QVERIFY(!curve->View()->isVisible());
  QVERIFY(curve->View()->chart()->series().isEmpty());
  QTemporaryDir dir;
  QVERIFY(!curve->ExportPng(dir.filePath(QStringLiteral("none.png"))));
  QVERIFY(!curve->ExportCsv(dir.filePath(QStringLiteral("none.csv")), 10));
  QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("none.csv"))));

  // Typed boxes without a press: the curve of those boxes replaces the message.
  Fill(window, Worked("Form24"));
  Trigger(window, "Toolbar1Button7");
  QVERIFY(curve->HasCurve());
  QVERIFY(curve->View()->isVisible());
  QVERIFY(!curve->findChild<QLabel*>(QStringLiteral("CurveMessage"))->isVisible());
}

void StageDischargeCurveTest::refreshesOnNextReportOnly() {
  CalculationWindow window(*FindWindow("Form21"));
  window.show();
  Fill(window, Worked("Form21"));
  window.findChild<QCheckBox*>(QStringLiteral("Check1"))->setChecked(true);
  window.findChild<QLineEdit*>(QStringLiteral("Text7"))->setText(QStringLiteral("北干渠"));
  Press(window);
  StageDischargeWindow* curve = ShownCurve(window);
  QVERIFY(curve != nullptr);
  QCOMPARE(curve->ChartTitle(), QStringLiteral("北干渠"));
  const QPointF first = *curve->MarkedPoint();

  // A larger discharge: the point moves up and right, in the same window.
  window.Boxes()[4]->setText(QStringLiteral("8"));
  Press(window);
  QCOMPARE(ShownCurve(window), curve);
  const QPointF second = *curve->MarkedPoint();
  QCOMPARE(second.x(), 8.0);
  QVERIFY(second.y() > first.y());
  // The curve reaches twice the new depth.
  const auto* line = qobject_cast<QLineSeries*>(curve->View()->chart()->series().front());
  QVERIFY(line != nullptr);
  QCOMPARE(line->count(), StageDischargeWindow::kCurvePoints + 1);
  QCOMPARE(line->at(0), QPointF(0.0, 0.0));
  QCOMPARE(line->at(line->count() - 1).y(), 2.0 * second.y());

  // A press the calculator refuses leaves the curve of the last report.
  for (QLineEdit* box : window.Boxes()) box->clear();
  Press(window);
  QVERIFY(curve->HasCurve());
  QCOMPARE(*curve->MarkedPoint(), second);
  // So does DRAW1 after a report, whatever the boxes now hold.
  Trigger(window, "DRAW1");
  QCOMPARE(*curve->MarkedPoint(), second);

  // With Check1 cleared an open curve still follows the next report.
  window.findChild<QCheckBox*>(QStringLiteral("Check1"))->setChecked(false);
  Fill(window, Worked("Form21"));
  Press(window);
  QCOMPARE(*curve->MarkedPoint(), first);
}

void StageDischargeCurveTest::closesWithItsCalculationWindow() {
  auto* window = new CalculationWindow(*FindWindow("Form21"));
  window->show();
  Fill(*window, Worked("Form21"));
  Trigger(*window, "DRAW1");
  QPointer<StageDischargeWindow> curve = window->CurveWindow();
  QVERIFY(curve && curve->isVisible());
  window->close();
  QVERIFY(curve.isNull() || !curve->isVisible());
  QTRY_VERIFY(curve.isNull());

  // Closing the curve alone leaves the calculation window, which opens a new one.
  CalculationWindow other(*FindWindow("Form21"));
  other.show();
  Fill(other, Worked("Form21"));
  Trigger(other, "DRAW1");
  QPointer<StageDischargeWindow> first = other.CurveWindow();
  first->close();
  QVERIFY(other.CurveWindow() == nullptr);
  // A report right after, before the closed window is gone: nothing reopens
  // without Check1, and DRAW1 builds a new window.
  Press(other);
  QVERIFY(other.CurveWindow() == nullptr);
  Trigger(other, "DRAW1");
  QVERIFY(ShownCurve(other) != nullptr);
  QVERIFY(other.CurveWindow() != first.data());
  QTRY_VERIFY(first.isNull());
  QVERIFY(other.isVisible());
  QVERIFY(ShownCurve(other) != nullptr);
}

void StageDischargeCurveTest::leaveAndExitCloseTheCurve() {
  // "返回主选单" leaves the selection window alone; "退出" leaves no window at
  // all, so the program can end.
  for (const char* command : {"LEFT", "EXIT"}) {
    Shell shell;
    CalculationWindow* window = shell.OpenCalculation(*FindWindow("Form24"));
    Fill(*window, Worked("Form24"));
    Trigger(*window, "DRAW1");
    QPointer<StageDischargeWindow> curve = window->CurveWindow();
    QVERIFY(curve != nullptr);
    Trigger(*window, command);
    QTRY_VERIFY(curve.isNull());
    int visible = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) visible += w->isVisible() ? 1 : 0;
    QCOMPARE(visible, std::string_view(command) == "LEFT" ? 1 : 0);
    if (std::string_view(command) == "LEFT") QVERIFY(shell.Selection() != nullptr);
  }
}

void StageDischargeCurveTest::tunnelShowsQmaxLine() {
  for (const char* name : {"Form24", "Form21"}) {
    CalculationWindow window(*FindWindow(name));
    window.show();
    Fill(window, Worked(name));
    Press(window);
    Trigger(window, "DRAW1");
    StageDischargeWindow* curve = ShownCurve(window);
    QVERIFY(curve != nullptr);
    const auto c = CaseOf(*FindWindow(name), StdTexts(Worked(name)));
    QVERIFY(c.has_value());
    QLineSeries* qmax = nullptr;
    for (QAbstractSeries* s : curve->View()->chart()->series()) {
      if (s->name().startsWith(QStringLiteral("满洞流量 Qmax")))
        qmax = qobject_cast<QLineSeries*>(s);
    }
    if (!c->model.IsTunnel()) {
      QVERIFY2(qmax == nullptr, name);
      continue;
    }
    QVERIFY2(qmax != nullptr, name);
    const double q = *c->model.fullSectionDischarge;
    QCOMPARE(qmax->name(),
             QStringLiteral("满洞流量 Qmax = %1 m³/s").arg(QString::number(q, 'f', 3)));
    // Vertical, from the invert to the crown.
    QCOMPARE(qmax->count(), 2);
    QCOMPARE(qmax->at(0), QPointF(q, 0.0));
    QCOMPARE(qmax->at(1), QPointF(q, c->model.crown));
  }
}

void StageDischargeCurveTest::mouseReadout() {
  CalculationWindow window(*FindWindow("Form21"));
  window.show();
  Fill(window, Worked("Form21"));
  Press(window);
  Trigger(window, "DRAW1");
  StageDischargeWindow* curve = ShownCurve(window);
  QVERIFY(curve != nullptr);
  QVERIFY(QTest::qWaitForWindowExposed(curve));
  const double h = curve->MarkedPoint()->y();

  // At the case depth the curve carries the case discharge, 5 m³/s, to within
  // the interpolation between neighbouring depths.
  curve->ShowReadoutAtDepth(h);
  const QString text = curve->Readout();
  QVERIFY2(text.startsWith(QStringLiteral("水深 h = %1 m").arg(QString::number(h, 'f', 3))),
           qPrintable(text));
  const double q =
      text.section(QStringLiteral("流量 Q = "), 1).section(QLatin1Char(' '), 0, 0).toDouble();
  QVERIFY2(std::abs(q - 5.0) < 0.01, qPrintable(text));
  // Above the curve there is nothing to read.
  curve->ShowReadoutAtDepth(3.0 * h);
  QVERIFY(!curve->Readout().contains(QStringLiteral("流量 Q")));

  // The mouse over the computed point reads about its depth.
  QChart* chart = curve->View()->chart();
  const QPointF inChart = chart->mapToPosition(*curve->MarkedPoint(), chart->series().front());
  const QPoint inView = curve->View()->mapFromScene(chart->mapToScene(inChart));
  QWidget* viewport = curve->View()->viewport();
  QMouseEvent move(QEvent::MouseMove, QPointF(inView), viewport->mapToGlobal(QPointF(inView)),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &move);
  QVERIFY2(curve->Readout().contains(QStringLiteral("流量 Q")), qPrintable(curve->Readout()));
  const double shownDepth = curve->Readout()
                                .section(QStringLiteral("水深 h = "), 1)
                                .section(QLatin1Char(' '), 0, 0)
                                .toDouble();
  QVERIFY2(std::abs(shownDepth - h) < 0.02 * h, qPrintable(curve->Readout()));
}

void StageDischargeCurveTest::exportsPictureAndTable() {
  CalculationWindow window(*FindWindow("Form24"));
  window.show();
  Fill(window, Worked("Form24"));
  Press(window);
  Trigger(window, "DRAW1");
  StageDischargeWindow* curve = ShownCurve(window);
  QVERIFY(curve != nullptr);
  QTemporaryDir dir;
  const QString png = dir.filePath(QStringLiteral("curve.png"));
  QVERIFY(curve->ExportPng(png));
  QVERIFY(QFileInfo(png).size() > 0);
  const QImage image(png);
  QVERIFY(!image.isNull());
  QCOMPARE(image.size(), curve->View()->size() * curve->View()->devicePixelRatio());

  const QString csv = dir.filePath(QStringLiteral("curve.csv"));
  QVERIFY(curve->ExportCsv(csv, StageDischargeWindow::kCurvePoints));
  QFile file(csv);
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  QCOMPARE(bytes, QByteArray::fromStdString(curve->Csv(StageDischargeWindow::kCurvePoints)));
  QVERIFY(bytes.startsWith("depth,area,perimeter,hydraulic_radius,velocity,discharge,"));
  QCOMPARE(bytes.count('\n'), StageDischargeWindow::kCurvePoints + 1);
}

void StageDischargeCurveTest::tableMatchesCommandLine_data() {
  QTest::addColumn<QString>("window");
  QTest::addColumn<int>("rows");
  QTest::newRow("Form21, 50 rows") << QStringLiteral("Form21") << 50;
  QTest::newRow("Form21, 1 row") << QStringLiteral("Form21") << 1;
  QTest::newRow("Form24, 200 rows") << QStringLiteral("Form24") << 200;
  QTest::newRow("Form23, 37 rows") << QStringLiteral("Form23") << 37;
}

void StageDischargeCurveTest::tableMatchesCommandLine() {
  QFETCH(QString, window);
  QFETCH(int, rows);
  const WorkedCase& c = Worked(window.toStdString());
  CalculationWindow calc(*FindWindow(window.toStdString()));
  calc.show();
  Fill(calc, c);
  Press(calc);
  Trigger(calc, "DRAW1");
  StageDischargeWindow* curve = ShownCurve(calc);
  QVERIFY(curve != nullptr && curve->HasCurve());

  QProcess tool;
  tool.start(QStringLiteral(TARNWICK_CALC_PATH),
             QStringList{window, QStringLiteral("--rating"), QString::number(rows)} + Texts(c));
  QVERIFY(tool.waitForFinished(10000));
  QCOMPARE(tool.exitCode(), 0);
  const QByteArray expected = tool.readAllStandardOutput();
  QCOMPARE(expected.count('\n'), rows + 1);

  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("table.csv"));
  QVERIFY(curve->ExportCsv(path, rows));
  QFile file(path);
  QVERIFY(file.open(QIODevice::ReadOnly));
  QCOMPARE(file.readAll(), expected);
}

// The book's curve: ticks 1, 2 or 5 × 10^k apart, the least not under span/count.
void StageDischargeCurveTest::roundTickSteps_data() {
  QTest::addColumn<double>("span");
  QTest::addColumn<double>("step");
  const double rows[][2] = {{7.0, 2.0},     {1.0, 0.2}, {0.37, 0.1}, {10.0, 2.0},
                            {600.0, 200.0}, {4.9, 1.0}, {5.0, 1.0},  {0.0123, 0.005}};
  for (const auto& r : rows) QTest::newRow(qPrintable(QString::number(r[0]))) << r[0] << r[1];
}

void StageDischargeCurveTest::roundTickSteps() {
  QFETCH(double, span);
  QFETCH(double, step);
  QVERIFY(std::fabs(RoundTickStep(span, 5) - step) < 1e-12 * step);
}

QTEST_MAIN(StageDischargeCurveTest)
#include "StageDischargeCurveTest.moc"
