// The calculation-window frame: the same report as the command line for the same
// box texts, accumulation and clearing, keyboard, menus, toolbar, the arc-bottom
// shape buttons and the column alignment of the output pane.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRect>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

#include "TestSupport.h"
#include "WorkedCases.h"
#include "ui/CalculationWindow.h"
#include "ui/FlowGroup.h"
#include "ui/Localisation.h"
#include "ui/ResultView.h"
#include "ui/WindowDecor.h"

using namespace tarnwick;
using namespace tarnwick::ui;

namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// What the command-line companion prints for the same window and box texts.
QString CalcOutput(std::string_view window, const QStringList& boxes) {
  QProcess calc;
  calc.start(QStringLiteral(TARNWICK_CALC_PATH), QStringList{Q(window)} + boxes);
  if (!calc.waitForFinished(10000)) qFatal("tarnwick-calc did not finish");
  return QString::fromUtf8(calc.readAllStandardOutput());
}

void Fill(CalculationWindow& window, const QStringList& texts) {
  for (int k = 0; k < texts.size(); ++k) window.Boxes()[k]->setText(texts[k]);
}

QStringList Texts(const WorkedCase& c) {
  QStringList texts;
  for (std::string_view box : c.boxes) texts << Q(box);
  return texts;
}

const WindowSpec& Entry(const char* name) { return *FindWindow(name); }

}  // namespace

class CalculationWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() { QVERIFY(InstallQtChinese(*qApp)); }
  void init() { QApplication::setQuitOnLastWindowClosed(false); }
  void workedCaseMatchesCommandLine_data();
  void workedCaseMatchesCommandLine();
  void twoPressesTwoReports();
  void clearOnEmptyPane();
  void paneKeepsNewestInViewAndCopies();
  void enterInBoxComputes();
  void tabWalksBoxesInReadingOrder();
  void menusAndToolbar();
  void shapeButtons_data();
  void shapeButtons();
  void paneColumnsLineUp();
  void paneDrawsOnTheCellGrid_data();
  void paneDrawsOnTheCellGrid();
  void qtTextsAreChinese();
  void unitsBesideBoxes_data();
  void unitsBesideBoxes();
  void defaultSizeShowsReports_data();
  void defaultSizeShowsReports();
  void compoundBoxesStandByPart_data();
  void compoundBoxesStandByPart();
  void flowGroupWhereTheTableSays();
};

void CalculationWindowTest::workedCaseMatchesCommandLine_data() {
  QTest::addColumn<int>("index");
  for (std::size_t k = 0; k < WorkedCases().size(); ++k) {
    QTest::newRow(std::string(WorkedCases()[k].window).c_str()) << int(k);
  }
}

void CalculationWindowTest::workedCaseMatchesCommandLine() {
  QFETCH(int, index);
  const WorkedCase& c = WorkedCases()[index];
  const WindowSpec* entry = FindWindow(c.window);
  QVERIFY(entry != nullptr);
  QCOMPARE(c.boxes.size(), entry->boxes.size());
  // Every window computes and offers its section: no window of the table is a stub.
  QVERIFY(entry->run != nullptr);
  CalculationWindow window(*entry);
  window.show();
  // The arc-bottom windows open on the trapezoidal shape, which empties the boxes
  // it owns; the worked case types them afterwards, as a user would.
  Fill(window, Texts(c));
  QTest::mouseClick(Child<QPushButton>(&window, "Command1"), Qt::LeftButton);
  const QString shown = window.Pane()->ShownText();
  QVERIFY(!shown.isEmpty());
  QCOMPARE(shown, CalcOutput(c.window, Texts(c)));
}

void CalculationWindowTest::twoPressesTwoReports() {
  // Any window that computes in this build will do; all share the frame.
  for (const WindowSpec& entry : Windows()) {
    const WorkedCase* worked = nullptr;
    for (const WorkedCase& c : WorkedCases()) {
      if (c.window == entry.name) worked = &c;
    }
    QVERIFY(worked != nullptr);
    CalculationWindow window(entry);
    Fill(window, Texts(*worked));
    auto* command = Child<QPushButton>(&window, "Command1");
    command->click();
    const QString once = window.Pane()->ShownText();
    command->click();
    QCOMPARE(window.Pane()->ShownText(), once + once);
    QCOMPARE(window.Pane()->ShownText(),
             CalcOutput(entry.name, Texts(*worked)) + CalcOutput(entry.name, Texts(*worked)));
    // Cleared, the next report starts at the top again.
    Child<QAction>(&window, "Toolbar1Button1")->trigger();
    command->click();
    QCOMPARE(window.Pane()->ShownText(), once);
    return;
  }
  QFAIL("no window in the table");
}

void CalculationWindowTest::paneKeepsNewestInViewAndCopies() {
  for (const WindowSpec& entry : Windows()) {
    CalculationWindow window(entry);
    window.resize(800, 600);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // Ten reports overflow the pane; the last one stays in view.
    for (int k = 0; k < 10; ++k) Child<QPushButton>(&window, "Command1")->click();
    QScrollBar* bar = window.Pane()->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), bar->maximum());
    QCOMPARE(window.Pane()->ShownLineCount(), 30);
    ResultView* pane = window.Pane();
    const QString shown = pane->ShownText();
    // A click in the text shows no text cursor: the pane looks as before, also
    // after the time a cursor would take to blink.
    QApplication::setActiveWindow(&window);
    QTest::qWait(20);
    const QImage before = pane->viewport()->grab().toImage();
    QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, QPoint(40, 30));
    QVERIFY(pane->hasFocus());
    QCOMPARE(pane->viewport()->grab().toImage(), before);
    QTest::qWait(QApplication::cursorFlashTime() / 2 + 50);
    QCOMPARE(pane->viewport()->grab().toImage(), before);
    // Read only: typing into it changes nothing.
    QTest::keyClicks(pane, "12x");
    QTest::keyClick(pane, Qt::Key_Backspace);
    QTest::keyClick(pane, Qt::Key_Delete);
    QCOMPARE(pane->ShownText(), shown);
    // Yet selectable and copyable: from the keyboard,
    QApplication::clipboard()->clear();
    QTest::keyClick(pane, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(pane, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text() + "\n", shown);
    // from the context menu,
    QApplication::clipboard()->clear();
    const auto trigger = [pane](int index) {
      std::unique_ptr<QMenu> menu(pane->CreateContextMenu());
      QList<QAction*> actions = menu->actions();
      actions.removeIf([](QAction* a) { return a->isSeparator(); });
      QVERIFY(actions.value(index) != nullptr && actions[index]->isEnabled());
      actions[index]->trigger();
    };
    trigger(1);  // Select All
    trigger(0);  // Copy
    QCOMPARE(QApplication::clipboard()->text() + "\n", shown);
    // and by dragging the mouse down one line from the start of the top line.
    const QPoint start(4 + int(0.2 * pane->CellWidth()), 4 + pane->LinePitch() / 2);
    QTest::mousePress(pane->viewport(), Qt::LeftButton, {}, start);
    QTest::mouseMove(pane->viewport(), start + QPoint(0, pane->LinePitch()));
    QTest::mouseRelease(pane->viewport(), Qt::LeftButton, {}, start + QPoint(0, pane->LinePitch()));
    QCOMPARE(pane->SelectedText(), shown.split('\n')[bar->value()] + "\n");
    return;
  }
  QFAIL("no window in the table");
}

void CalculationWindowTest::clearOnEmptyPane() {
  CalculationWindow window(Entry("Form24"));
  window.Boxes()[1]->setText("1");
  Child<QAction>(&window, "CLEAN")->trigger();
  QCOMPARE(window.Pane()->ShownText(), QString());
  QCOMPARE(window.Pane()->toPlainText(), QString());
  QCOMPARE(window.Boxes()[1]->text(), QString("1"));
}

void CalculationWindowTest::enterInBoxComputes() {
  for (const WindowSpec& entry : Windows()) {
    CalculationWindow window(entry);
    window.show();
    QTest::keyClick(window.Boxes().back(), Qt::Key_Return);
    // An empty window reads every box as 0: the input-error block.
    QCOMPARE(window.Pane()->ShownText(),
             QString("===========================\n数据输入错误,请重新输入！\n"
                     "===========================\n"));
    QVERIFY(Child<QPushButton>(&window, "Command1")->isDefault());
  }
}

void CalculationWindowTest::tabWalksBoxesInReadingOrder() {
  for (const WindowSpec& entry : Windows()) {
    CalculationWindow window(entry);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // In the arc-bottom windows Text9 is out of the tab order until Option1.
    std::vector<QLineEdit*> expected;
    for (QLineEdit* box : window.Boxes()) {
      if (box->focusPolicy() & Qt::TabFocus) expected.push_back(box);
    }
    expected.front()->setFocus();
    for (std::size_t k = 1; k < expected.size(); ++k) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), expected[k]);
    }
    // Then the compute button.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("Command1"));
  }
}

void CalculationWindowTest::menusAndToolbar() {
  CalculationWindow window(Entry("Form36"));
  QCOMPARE(Child<QMenu>(&window, "FILE")->title(), QString("文件(&F)"));
  QCOMPARE(Child<QMenu>(&window, "DRAW")->title(), QString("图形(&D)"));
  const char* actions[][2] = {
      {"CLEAN", "清除结果(&C)"}, {"PRINT", "打印(&P)"},          {"LEFT", "返回主选单(&L)"},
      {"EXIT", "退出(&E)"},      {"DRAW1", "水位-流量关系曲线"}, {"DRAW2", "渠道断面"},
      {"ABOUT", "关于(&A)"},     {"HELP", "帮助(&H)"},           {"NEW", "新建(&N)"},
      {"OPEN", "打开(&O)…"},     {"SAVE", "保存(&S)"},           {"SAVEAS", "另存为(&A)…"},
      {"UNDO", "撤销(&U)"}};
  for (const auto& a : actions) QCOMPARE(Child<QAction>(&window, a[0])->text(), QString(a[1]));
  QCOMPARE(Child<QMenu>(&window, "EDIT")->title(), QString("编辑(&E)"));
  QCOMPARE(Child<QMenu>(&window, "RECENT")->title(), QString("最近打开的文件(&R)"));
  QCOMPARE(Child<QAction>(&window, "SAVE")->shortcut(), QKeySequence(QKeySequence::Save));
  QCOMPARE(Child<QAction>(&window, "OPEN")->shortcut(), QKeySequence(QKeySequence::Open));
  QCOMPARE(Child<QAction>(&window, "UNDO")->shortcut(), QKeySequence(QKeySequence::Undo));
  QCOMPARE(window.menuBar()->actions().size(), 5);

  const QList<QAction*> buttons = Child<QToolBar>(&window, "Toolbar1")->actions();
  QCOMPARE(buttons.size(), 9);
  const char* tips[] = {
      "清除屏幕计算结果", "打印计算结果",          "返回主选取单", "退出系统", nullptr,
      "绘制渠道断面",     "绘制水位—流量关系曲线", nullptr,        "帮助"};
  for (int k = 0; k < 9; ++k) {
    QCOMPARE(buttons[k]->isSeparator(), tips[k] == nullptr);
    if (tips[k] != nullptr) QCOMPARE(buttons[k]->toolTip(), QString(tips[k]));
  }
  QCOMPARE(Child<QWidget>(&window, "Frame2")->property("title").toString(),
           QString("扩展功能选择"));
  QCOMPARE(Child<QCheckBox>(&window, "Check1")->text(), QString("生成水位—流量关系曲线"));
  QCOMPARE(Child<QCheckBox>(&window, "Check2")->text(), QString("生成渠道断面图形"));
  QCOMPARE(Child<QPushButton>(&window, "Command1")->text(), QString("确 定"));
  QCOMPARE(Child<QWidget>(&window, "Frame1")->property("title").toString(),
           QString("基本参数输入"));
}

void CalculationWindowTest::shapeButtons_data() {
  QTest::addColumn<QString>("window");
  QTest::addColumn<QColor>("readOnly");
  QTest::newRow("Form2") << "Form2" << QColor(255, 224, 192);
  QTest::newRow("Form31") << "Form31" << QColor(192, 255, 255);
}

void CalculationWindowTest::shapeButtons() {
  QFETCH(QString, window);
  QFETCH(QColor, readOnly);
  CalculationWindow form(Entry(qPrintable(window)));
  auto* option1 = Child<QRadioButton>(&form, "Option1");
  auto* option2 = Child<QRadioButton>(&form, "Option2");
  auto* slope = Child<QLineEdit>(&form, "Text3");
  auto* width = Child<QLineEdit>(&form, "Text9");
  QCOMPARE(option1->text(), QString("矩形渠"));
  QCOMPARE(option2->text(), QString("梯形渠"));
  const auto base = [](QLineEdit* box) { return box->palette().color(QPalette::Base); };
  const auto tabStop = [](QLineEdit* box) { return bool(box->focusPolicy() & Qt::TabFocus); };

  // Opening state: trapezoidal.
  QVERIFY(option2->isChecked());
  QVERIFY(width->isReadOnly());
  QCOMPARE(base(width), readOnly);
  QVERIFY(!tabStop(width));
  QVERIFY(!slope->isReadOnly());
  QVERIFY(tabStop(slope));
  for (QRadioButton* option : {option1, option2}) {
    QVERIFY(option->autoFillBackground());
    QCOMPARE(option->palette().color(option->backgroundRole()), readOnly);
  }

  width->setText("3");
  option1->click();
  QCOMPARE(slope->text(), QString("0"));
  QVERIFY(slope->isReadOnly());
  QCOMPARE(base(slope), readOnly);
  QVERIFY(!tabStop(slope));
  QVERIFY(!width->isReadOnly());
  QCOMPARE(base(width), QColor(Qt::white));
  QVERIFY(tabStop(width));
  QCOMPARE(width->text(), QString("3"));  // the width is kept
  QVERIFY(width->hasFrame());

  slope->setText("1.5");
  option2->click();
  QCOMPARE(slope->text(), QString());
  QCOMPARE(width->text(), QString());
  QVERIFY(width->isReadOnly());
  QCOMPARE(base(width), readOnly);
  QVERIFY(!slope->isReadOnly());
  QCOMPARE(base(slope), QColor(Qt::white));
  QVERIFY(tabStop(slope));
  QVERIFY(!tabStop(width));

  // The buttons only prepare boxes: nothing is printed.
  QCOMPARE(form.Pane()->ShownText(), QString());
}

void CalculationWindowTest::paneColumnsLineUp() {
  // Every character the reports and captions use must take exactly its column
  // count of Latin cells, or the Tab columns drift.
  const QFontMetricsF metrics(PaneFont());
  const double cell = metrics.horizontalAdvance(QLatin1Char('0'));
  QVERIFY(cell > 0);
  QString sample = QStringLiteral(
      "=*.-+0123456789 ABCDEFGHIJKLMNOPQRSTUVWXYZ/()%"
      "abcdefghijklmnopqrstuvwxyz！，、：（）“”Ｕ");
  for (const WindowSpec& entry : Windows()) {
    sample += Q(entry.resultCaption) + Q(entry.caption);
    for (const BoxSpec& box : entry.boxes) sample += Q(box.label);
  }
  for (const WorkedCase& c : WorkedCases()) {
    sample += CalcOutput(c.window, Texts(c));
  }
  sample.remove(QLatin1Char('\n'));
  for (const QChar ch : sample) {
    const int columns = ch.unicode() < 128 ? 1 : 2;
    QCOMPARE(metrics.horizontalAdvance(ch), columns * cell);
  }
  // A whole line measures its column count: four Chinese characters, two each.
  const QString line = QStringLiteral("糙率N= .025             纵坡I= 1/ 1000");
  QCOMPARE(metrics.horizontalAdvance(line), (line.size() + 4) * cell);
}

void CalculationWindowTest::paneDrawsOnTheCellGrid_data() {
  QTest::addColumn<QString>("face");
  QTest::addColumn<int>("pixels");
  QTest::addColumn<bool>("exact");  // a face whose Chinese characters are two Latin cells
  QTest::newRow("CJK monospace") << "Noto Sans Mono CJK SC" << 16 << true;
  QTest::newRow("Latin monospace") << "DejaVu Sans Mono" << 16 << false;
  QTest::newRow("proportional") << "DejaVu Sans" << 15 << false;
}

// Whatever the face, every character of a report line with Chinese characters
// is drawn centred in its cells, a Chinese or full-width character taking two,
// and no glyph spills out of its cells.
void CalculationWindowTest::paneDrawsOnTheCellGrid() {
  QFETCH(QString, face);
  QFETCH(int, pixels);
  QFETCH(bool, exact);
  CalculationWindow window(Entry("Form23"));
  Fill(window, {"3", "2", "1.7320508", "120", "4", "0.014", "1000", "8"});
  Child<QPushButton>(&window, "Command1")->click();
  window.resize(1100, 900);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  ResultView* pane = window.Pane();
  QFont font(face);
  font.setPixelSize(pixels);
  pane->setFont(font);
  pane->verticalScrollBar()->setValue(0);
  const double cell = pane->CellWidth();
  TextRecorder recorder(pane->size(), pane->logicalDpiY());
  pane->render(&recorder);
  std::map<long, std::vector<TextRecorder::Piece>> drawnLines;  // by baseline
  for (const TextRecorder::Piece& p : recorder.Pieces())
    drawnLines[std::lround(p.at.y())].push_back(p);
  const QStringList shown = pane->ShownText().split('\n');
  QVERIFY(drawnLines.size() >= 8);
  const long top = drawnLines.begin()->first;  // the banner, the first line
  for (auto& [baseline, pieces] : drawnLines) {
    std::sort(pieces.begin(), pieces.end(),
              [](const auto& a, const auto& b) { return a.at.x() < b.at.x(); });
    const QString& line = shown[std::lround(double(baseline - top) / pane->LinePitch())];
    std::size_t i = 0;
    int column = 0;
    double origin = 0.0;
    for (const QChar ch : line) {
      const int cells = ch.unicode() < 128 ? 1 : 2;
      if (ch != ' ') {
        QVERIFY(i < pieces.size());
        const TextRecorder::Piece& p = pieces[i++];
        QCOMPARE(p.text, QString(ch));
        QVERIFY2(p.advance <= cells * cell + 0.01, qPrintable(line));
        const double left = p.at.x() - 0.5 * (cells * cell - p.advance);
        if (i == 1) origin = left - column * cell;
        // Centring is rounded to whole pixels on screen: half a pixel each way.
        QVERIFY2(std::fabs(left - (origin + column * cell)) <= 1.0,
                 qPrintable(QString("%1: column %2").arg(line).arg(column)));
        if (exact) QCOMPARE(p.at.x(), origin + column * cell);
      }
      column += cells;
    }
    QCOMPARE(i, pieces.size());
  }
}

// Qt's own texts beside the program's: the standard menu of an input box, the
// main window's toolbar menu and a message box's button.
void CalculationWindowTest::qtTextsAreChinese() {
  CalculationWindow window(Entry("Form21"));
  QStringList boxMenu;
  std::unique_ptr<QMenu> menu(window.Boxes()[0]->createStandardContextMenu());
  for (QAction* action : menu->actions()) {
    if (!action->isSeparator()) boxMenu << action->text().section(QLatin1Char('\t'), 0, 0);
  }
  QCOMPARE(boxMenu, (QStringList{"撤消(&U)", "重做(&R)", "剪切(&T)", "复制(&C)", "粘贴(&P)", "删除",
                                 "全选"}));
  QStringList paneMenu;
  std::unique_ptr<QMenu> paneActions(window.Pane()->CreateContextMenu());
  for (QAction* action : paneActions->actions()) {
    if (!action->isSeparator()) paneMenu << action->text();
  }
  QCOMPARE(paneMenu, (QStringList{"复制(&C)\tCtrl+C", "全选\tCtrl+A"}));
  std::unique_ptr<QMenu> windowMenu(window.createPopupMenu());
  QCOMPARE(windowMenu->actions().size(), 1);
  QCOMPARE(windowMenu->actions()[0]->text(), QString("工具栏"));

  // Printing an empty pane says so in a message box.
  QString button;
  QTimer::singleShot(0, [&button] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      button = box->buttons().value(0)->text();
      box->accept();
    }
  });
  window.PrintResults();
  QCOMPARE(button, QString("确定"));
}

void CalculationWindowTest::unitsBesideBoxes_data() {
  QTest::addColumn<QString>("window");
  QTest::addColumn<QString>("box");
  QTest::addColumn<QString>("label");
  QTest::addColumn<QString>("unit");  // empty: a pure number, no unit shown
  const char* rows[][4] = {
      {"Form21", "Text2", "渠 底 宽 B=", "m"},    {"Form21", "Text3", "边    坡 M=", ""},
      {"Form21", "Text4", "糙    率 n=", ""},     {"Form21", "Text5", "纵    坡 I=", ""},
      {"Form21", "Text6", "流    量 Q=", "m³/s"}, {"Form32", "Text6", "水    深 H=", "m"},
      {"Form23", "Text4", "顶拱圆心角A1=", "°"},  {"Form35", "Text1", "平底板宽度B=", "m"},
      {"Form12", "Text3", "深槽高度H1=", "m"},    {"Form11", "Text12", "流    量 Q=", "m³/s"},
  };
  for (const auto& r : rows) {
    QTest::newRow(qPrintable(QString("%1 %2").arg(r[0], r[1]))) << r[0] << r[1] << r[2] << r[3];
  }
}

// The unit stands right of its box, on its line; the label left of it is unchanged.
void CalculationWindowTest::unitsBesideBoxes() {
  QFETCH(QString, window);
  QFETCH(QString, box);
  QFETCH(QString, label);
  QFETCH(QString, unit);
  CalculationWindow form(Entry(qPrintable(window)));
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  auto* edit = Child<QLineEdit>(&form, qPrintable(box));
  QLabel* buddyLabel = nullptr;
  QLabel* unitLabel = nullptr;
  for (QLabel* l : form.findChildren<QLabel*>()) {
    if (l->buddy() != edit) continue;
    (l->objectName().endsWith("Unit") ? unitLabel : buddyLabel) = l;
  }
  QVERIFY(buddyLabel != nullptr);
  QCOMPARE(buddyLabel->text(), label);
  QVERIFY(buddyLabel->mapTo(&form, QPoint()).x() < edit->mapTo(&form, QPoint()).x());
  if (unit.isEmpty()) {
    QVERIFY(unitLabel == nullptr);
    return;
  }
  QVERIFY(unitLabel != nullptr);
  QCOMPARE(unitLabel->text(), unit);
  const QRect boxRect(edit->mapTo(&form, QPoint()), edit->size());
  const QRect unitRect(unitLabel->mapTo(&form, QPoint()), unitLabel->size());
  QVERIFY(unitRect.left() >= boxRect.right());
  QVERIFY(unitRect.top() < boxRect.center().y() && unitRect.bottom() > boxRect.center().y());
}

void CalculationWindowTest::defaultSizeShowsReports_data() {
  QTest::addColumn<QRect>("available");  // the screen less a 40 px task bar
  QTest::addColumn<int>("lines");
  QTest::newRow("1920x1080") << QRect(0, 0, 1920, 1040) << 36;
  QTest::newRow("1366x768") << QRect(0, 0, 1366, 728) << 24;
}

// At the size a window opens at, the pane shows six flat-bottom reports on a
// full-HD screen and four on a 1366x768 one, and the window, title bar
// included, fits the screen; enlarged, all the growth goes to the pane.
void CalculationWindowTest::defaultSizeShowsReports() {
  QFETCH(QRect, available);
  QFETCH(int, lines);
  for (const WindowSpec& entry : Windows()) {
    CalculationWindow window(entry);
    window.FitToScreen(available);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(10);
    const QString name = Q(entry.name);
    QVERIFY2(window.Pane()->VisibleLineCount() >= lines,
             qPrintable(name + ": " + QString::number(window.Pane()->VisibleLineCount())));
    QVERIFY2(window.height() + 40 <= available.height(), qPrintable(name));
    QVERIFY2(window.width() <= available.width(), qPrintable(name));
    const QSize pane = window.Pane()->size();
    window.resize(window.size() + QSize(120, 150));
    QTest::qWait(10);
    QCOMPARE(window.Pane()->size(), pane + QSize(120, 150));
  }
}

void CalculationWindowTest::compoundBoxesStandByPart_data() {
  QTest::addColumn<QString>("window");
  QTest::newRow("Form11") << "Form11";
  QTest::newRow("Form12") << "Form12";
}

// One line per part of the section: the main channel, the left and the right
// flood plain, then slope and discharge or depth; widths, slopes and roughnesses
// of the parts one under another; Tab still walks Text1 to Text12.
void CalculationWindowTest::compoundBoxesStandByPart() {
  QFETCH(QString, window);
  CalculationWindow form(Entry(qPrintable(window)));
  form.show();
  QApplication::setActiveWindow(&form);
  QVERIFY(QTest::qWaitForWindowActive(&form));
  const QStringList lines[] = {{"Text1", "Text2", "Text3", "Text4"},
                               {"Text5", "Text6", "Text7"},
                               {"Text8", "Text9", "Text10"},
                               {"Text11", "Text12"}};
  const auto at = [&form](const QString& name) {
    return Child<QLineEdit>(&form, qPrintable(name))->mapTo(&form, QPoint());
  };
  int previousY = -1;
  for (const QStringList& line : lines) {
    QVERIFY(at(line[0]).y() > previousY);
    previousY = at(line[0]).y();
    for (int k = 1; k < line.size(); ++k) {
      QCOMPARE(at(line[k]).y(), previousY);
      QVERIFY(at(line[k]).x() > at(line[k - 1]).x());
    }
  }
  const QStringList columns[] = {
      {"Text1", "Text5", "Text8"}, {"Text2", "Text6", "Text9"}, {"Text4", "Text7", "Text10"}};
  for (const QStringList& column : columns) {
    QCOMPARE(at(column[1]).x(), at(column[0]).x());
    QCOMPARE(at(column[2]).x(), at(column[0]).x());
  }
  Child<QLineEdit>(&form, "Text1")->setFocus();
  for (int k = 2; k <= 12; ++k) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text%1").arg(k));
  }
}

// The 流量组合 group stands in the windows the table gives a flow combination
// (the open channels' depth windows) and nowhere else; filled and pressed, the
// pane shows what the command line prints with --increased auto --least.
void CalculationWindowTest::flowGroupWhereTheTableSays() {
  int withGroup = 0;
  for (const WorkedCase& c : WorkedCases()) {
    const WindowSpec& entry = *FindWindow(c.window);
    CalculationWindow window(entry);
    QCOMPARE(window.Flows() != nullptr, TakesFlows(entry));
    if (window.Flows() == nullptr) continue;
    ++withGroup;
    Fill(window, Texts(c));
    // A least discharge of a third of the design discharge typed.
    QString least;
    for (std::size_t k = 0; k < entry.boxes.size(); ++k) {
      if (entry.boxes[k].role == BoxRole::Discharge)
        least = QString::number(window.Boxes()[k]->text().toDouble() / 3.0, 'g', 6);
    }
    window.Flows()->Least()->setText(least);
    Child<QPushButton>(&window, "Command1")->click();
    const QString shown = window.Pane()->ShownText();
    QVERIFY(shown.contains(QStringLiteral("流量组合计算成果表")));
    QCOMPARE(shown,
             CalcOutput(c.window, QStringList{QStringLiteral("--increased"), QStringLiteral("auto"),
                                              QStringLiteral("--least"), least} +
                                      Texts(c)));
  }
  QCOMPARE(withGroup, 5);

  // The design frame of an open channel has the group too: B/h = 2 sized for
  // the increased discharge prints as --size-for increased does.
  CalculationWindow design(FamilyOf(FindWindow("Form21")->family));
  QVERIFY(design.Flows() != nullptr);
  design.ChooseMode(int(design.Modes().size()) - 2);  // 给定宽深比求断面
  QCOMPARE(design.Modes()[std::size_t(design.ChosenMode())].mode, DesignMode::Ratio);
  Fill(design, {"", "1.5", "0.025", "1000", ""});
  design.DesignDischarge()->setText("5");
  design.Flows()->Least()->setText("1.5");
  Child<QCheckBox>(&design, "Check3")->setChecked(true);
  Child<QPushButton>(&design, "Command1")->click();
  QCOMPARE(design.Pane()->ShownText(),
           CalcOutput("Form21", {"--ratio", "2", "--increased", "auto", "--least", "1.5",
                                 "--size-for", "increased", "", "1.5", "0.025", "1000", "5"}));
  QVERIFY(CalculationWindow(FamilyOf(FindWindow("Form23")->family)).Flows() == nullptr);
}

QTEST_MAIN(CalculationWindowTest)
#include "CalculationWindowTest.moc"
