// The section drawing window of a calculation window (opened from the menu, the
// toolbar or after a press with Check2 ticked, refreshed by the next press, gone
// with its calculation window), its exports, and printing of the pane.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

#include "TestSupport.h"
#include "core/Hydraulics.h"
#include "core/ResultPane.h"
#include "ui/CalculationWindow.h"
#include "ui/CheckPanel.h"
#include "ui/ReportPrinting.h"
#include "ui/ResultView.h"
#include "ui/SectionDrawingWindow.h"
#include "ui/SectionSheet.h"

using namespace tarnwick;
using namespace tarnwick::ui;

namespace {

// Flat-bottom rectangle 2 m wide, n = 0.025, i = 1/1000, Q = 5 m³/s.
const QStringList kRectangle = {"2", "0", "0.025", "1000", "5"};

std::unique_ptr<CalculationWindow> Open(const char* name, const QStringList& texts) {
  auto window = std::make_unique<CalculationWindow>(*FindWindow(name));
  window->setAttribute(Qt::WA_DeleteOnClose, false);
  for (int k = 0; k < texts.size(); ++k) window->Boxes()[k]->setText(texts[k]);
  window->show();
  return window;
}

void Press(CalculationWindow& window) {
  window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
}

QAction* Action(CalculationWindow& window, const char* name) {
  QAction* action = window.findChild<QAction*>(QString::fromLatin1(name));
  if (action == nullptr) qFatal("no action %s", name);
  return action;
}

QByteArray Head(const QString& file, int bytes) {
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.read(bytes);
}

}  // namespace

class SectionDrawingTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { QApplication::setQuitOnLastWindowClosed(false); }
  void opensFromMenuToolbarAndCheck2();
  void refreshesOnNextPressAndClosesWithItsWindow();
  void refusedBoxesGiveAMessageNotADrawing();
  void rectangleFiguresBesideTheDrawing();
  void compoundFiguresAreForTheWholeSection();
  void titleFromProjectNameOrCaption();
  void typedDimensionsBesideTheDrawing();
  void exportsWriteFiles();
  void printsThePaneToPdf_data();
  void printsThePaneToPdf();
  void printCommandsOfferThePrintDialog();
  void printedColumnsLineUp();
};

void SectionDrawingTest::opensFromMenuToolbarAndCheck2() {
  {  // DRAW2 before any press: the case of the boxes as they stand.
    auto window = Open("Form21", kRectangle);
    QVERIFY(window->SectionDrawing() == nullptr);
    Action(*window, "DRAW2")->trigger();
    QVERIFY(window->SectionDrawing() != nullptr);
    QVERIFY(window->SectionDrawing()->Drawing().has_value());
    QCOMPARE(window->Pane()->ShownLineCount(), 0);  // drawing prints nothing
  }
  {
    auto window = Open("Form23", {"3", "2", "1.7320508", "120", "0", "0.014", "1000", "8"});
    Action(*window, "Toolbar1Button6")->trigger();
    QVERIFY(window->SectionDrawing() != nullptr);
    QVERIFY(window->SectionDrawing()->Drawing()->tunnel);
  }
  {  // A press opens the drawing only with Check2 ticked.
    auto window = Open("Form21", kRectangle);
    Press(*window);
    QVERIFY(window->SectionDrawing() == nullptr);
    window->findChild<QCheckBox*>(QStringLiteral("Check2"))->setChecked(true);
    Press(*window);
    QVERIFY(window->SectionDrawing() != nullptr);
    QVERIFY(window->SectionDrawing()->isVisible());
  }
}

void SectionDrawingTest::refreshesOnNextPressAndClosesWithItsWindow() {
  auto window = Open("Form21", kRectangle);
  window->findChild<QCheckBox*>(QStringLiteral("Check2"))->setChecked(true);
  Press(*window);
  QPointer<SectionDrawingWindow> drawing = window->SectionDrawing();
  QVERIFY(drawing);
  const double first = drawing->Drawing()->level;
  // The next press with Check2 cleared still refreshes the open drawing.
  window->findChild<QCheckBox*>(QStringLiteral("Check2"))->setChecked(false);
  window->Boxes()[4]->setText(QStringLiteral("8"));
  Press(*window);
  QCOMPARE(window->SectionDrawing(), drawing.data());
  const std::vector<std::string> texts = {"2", "0", "0.025", "1000", "8"};
  const double second = CaseOf(*FindWindow("Form21"), texts)->state.h;
  QVERIFY(second > first);
  QCOMPARE(drawing->Drawing()->level, second);
  QCOMPARE(drawing->Drawing()->discharge, 8.0);
  // A refused press leaves the last drawing as it was.
  window->Boxes()[0]->setText(QStringLiteral("0"));
  Press(*window);
  QCOMPARE(drawing->Drawing()->level, second);

  window->close();
  QVERIFY(!drawing || !drawing->isVisible());
}

void SectionDrawingTest::refusedBoxesGiveAMessageNotADrawing() {
  auto window = Open("Form21", {"0", "1.5", "0.025", "1000", "5"});
  Action(*window, "DRAW2")->trigger();
  SectionDrawingWindow* drawing = window->SectionDrawing();
  QVERIFY(drawing != nullptr);
  QVERIFY(!drawing->Drawing().has_value());
  QVERIFY(drawing->Message().contains(QStringLiteral("无法计算")));
  QTemporaryDir dir;
  QVERIFY(!drawing->ExportPng(dir.filePath(QStringLiteral("none.png"))));
  QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("none.png"))));
  // Once the boxes are corrected, a press draws.
  window->Boxes()[0]->setText(QStringLiteral("2"));
  Press(*window);
  QVERIFY(drawing->Drawing().has_value());
  QVERIFY(drawing->Message().isEmpty());
}

void SectionDrawingTest::rectangleFiguresBesideTheDrawing() {
  auto window = Open("Form21", kRectangle);
  Press(*window);
  Action(*window, "DRAW2")->trigger();
  const SectionDrawing& d = *window->SectionDrawing()->Drawing();
  QVERIFY(d.criticalDepth.has_value());
  const double hc = std::cbrt(5.0 * 5.0 / (9.810001 * 2.0 * 2.0));
  QVERIFY2(std::fabs(*d.criticalDepth - hc) < 1e-6, qPrintable(QString::number(*d.criticalDepth)));
  const double froude = d.velocity / std::sqrt(kGravity * d.area / d.surfaceWidth);
  QCOMPARE(d.froude, froude);
  const QStringList lines = FactLines(d);
  // The symbols of the checks and the book: hc, h, W.
  QVERIFY(lines.contains(QStringLiteral("临界水深 hc = %1 m").arg(hc, 0, 'f', 3)));
  QVERIFY(lines.contains(QStringLiteral("正常水深 h = %1 m").arg(d.level, 0, 'f', 3)));
  QVERIFY(lines.contains(QStringLiteral("过水断面面积 W = %1 m²").arg(d.area, 0, 'f', 3)));
  const Check& critical = window->Checks()->Shown().front();
  QVERIFY2(critical.text.starts_with("临界水深hc="), critical.text.c_str());
  QVERIFY(lines.contains(QStringLiteral("弗劳德数 Fr = %1").arg(froude, 0, 'f', 3)));
  QVERIFY(
      lines.contains(froude < 1.0 ? QStringLiteral("流态：缓流") : QStringLiteral("流态：急流")));
}

void SectionDrawingTest::compoundFiguresAreForTheWholeSection() {
  auto window = Open(
      "Form11", {"4", "1.5", "2", "0.025", "10", "2", "0.035", "8", "2.5", "0.04", "2000", "60"});
  Action(*window, "DRAW2")->trigger();
  const SectionDrawing& d = *window->SectionDrawing()->Drawing();
  QVERIFY(d.wholeSection);
  QVERIFY(FactLines(d).contains(QStringLiteral("（以上各值均按全断面计算）")));
  auto plain = Open("Form21", kRectangle);
  Action(*plain, "DRAW2")->trigger();
  QVERIFY(!FactLines(*plain->SectionDrawing()->Drawing())
               .join(QString())
               .contains(QStringLiteral("全断面")));
}

void SectionDrawingTest::titleFromProjectNameOrCaption() {
  auto window = Open("Form21", kRectangle);
  Action(*window, "DRAW2")->trigger();
  QCOMPARE(window->SectionDrawing()->Title(), QStringLiteral("平底矩形渠、平底梯形渠断面图"));
  window->findChild<QLineEdit*>(QStringLiteral("Text7"))->setText(QStringLiteral("  东干渠  "));
  Press(*window);
  QCOMPARE(window->SectionDrawing()->Title(), QStringLiteral("东干渠"));
  QVERIFY(window->SectionDrawing()->windowTitle().contains(QStringLiteral("东干渠")));
  auto tunnel = Open("Form34", {"3", "2", "1.7320508", "120", "0", "0.014", "1000", "2.5"});
  Action(*tunnel, "DRAW2")->trigger();
  QCOMPARE(tunnel->SectionDrawing()->Title(), QStringLiteral("城门洞形隧洞断面图"));
  QCOMPARE(tunnel->PrintHeading(), QStringLiteral("城门洞形隧洞流量计算"));
  QCOMPARE(window->PrintHeading(), QStringLiteral("东干渠"));
}

// The boxes that size the section, as read, and only those.
void SectionDrawingTest::typedDimensionsBesideTheDrawing() {
  auto flat = Open("Form21", {"2", " 0 ", "0.025", "1000", "5"});
  Action(*flat, "DRAW2")->trigger();
  QCOMPARE(flat->SectionDrawing()->Dimensions(),
           QStringList({QStringLiteral("渠 底 宽 B= 2"), QStringLiteral("边    坡 M= 0")}));
  // The trapezoid's width box stays empty and is no dimension.
  auto arc = Open("Form2", {"2", "1.5", "0.025", "1000", "5", ""});
  Action(*arc, "DRAW2")->trigger();
  QCOMPARE(arc->SectionDrawing()->Dimensions(),
           QStringList({QStringLiteral("底弧半径 R= 2"), QStringLiteral("边    坡 M= 1.5")}));
  auto tunnel = Open("Form34", {"3", "2", "1.7320508", "120", "0", "0.014", "1000", "2.5"});
  Press(*tunnel);
  tunnel->Boxes()[0]->setText(QStringLiteral("9"));  // typed after the press: not drawn
  Action(*tunnel, "DRAW2")->trigger();
  const QStringList dims = tunnel->SectionDrawing()->Dimensions();
  QCOMPARE(dims.size(), 5);
  QCOMPARE(dims.front(), QStringLiteral("隧洞宽度 B= 3"));
  QCOMPARE(dims.at(2), QStringLiteral("顶拱半径R1= 1.7320508"));
}

void SectionDrawingTest::exportsWriteFiles() {
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  for (const char* name : {"Form2", "Form23"}) {
    auto window =
        Open(name, QString::fromLatin1(name) == QStringLiteral("Form2")
                       ? QStringList{"2", "1.5", "0.025", "1000", "5", ""}
                       : QStringList{"3", "2", "1.7320508", "120", "0", "0.014", "1000", "8"});
    window->findChild<QCheckBox*>(QStringLiteral("Check2"))->setChecked(true);
    Press(*window);
    SectionDrawingWindow* drawing = window->SectionDrawing();
    QVERIFY(drawing != nullptr);
    const QString stem = dir.filePath(QString::fromLatin1(name));
    QVERIFY(drawing->ExportPng(stem + ".png"));
    QVERIFY(drawing->ExportSvg(stem + ".svg"));
    QVERIFY(drawing->ExportPdf(stem + ".pdf"));
    const QImage png(stem + ".png");
    QCOMPARE(png.size(), QSize(int(2 * kSheetWidth), int(2 * kSheetHeight)));
    // Not a blank sheet: the boundary is drawn in black somewhere.
    bool inked = false;
    for (int y = 0; y < png.height() && !inked; y += 2) {
      for (int x = 0; x < png.width() && !inked; x += 2) inked = qGray(png.pixel(x, y)) < 40;
    }
    QVERIFY(inked);
    QVERIFY(Head(stem + ".svg", 4096).contains("<svg"));
    QVERIFY(Head(stem + ".svg", 4096).contains("<path") || QFile(stem + ".svg").size() > 2000);
    QVERIFY(Head(stem + ".pdf", 5).startsWith("%PDF"));
    QVERIFY(QFile(stem + ".pdf").size() > 1000);
  }
}

void SectionDrawingTest::printsThePaneToPdf_data() {
  QTest::addColumn<QString>("window");
  QTest::addColumn<QStringList>("texts");
  QTest::addColumn<int>("presses");
  QTest::addColumn<QString>("failed");  // a check's text not met, "" for none
  QTest::newRow("one case, all met") << "Form21" << kRectangle << 1 << "";
  QTest::newRow("discharge read in part, many pages")
      << "Form21" << QStringList{"2", "1.5", "0.025", "1000", "2OOO"} << 14
      << "流量Q的文本“2OOO”只读取了2";
  QTest::newRow("tunnel") << "Form23"
                          << QStringList{"3", "2", "1.7320508", "120", "0", "0.014", "1000", "8"}
                          << 9 << "";
}

// Each case's block (the report, 工程校核 and its checks) stands whole on one
// page; every page names the project and gives its number of the whole and the
// date; a requirement not met reads 不满足.
void SectionDrawingTest::printsThePaneToPdf() {
  QFETCH(QString, window);
  QFETCH(QStringList, texts);
  QFETCH(int, presses);
  QFETCH(QString, failed);
  auto form = Open(qPrintable(window), texts);
  form->findChild<QLineEdit*>(QString::fromUtf8(form->Entry().projectBox.data(),
                                                qsizetype(form->Entry().projectBox.size())))
      ->setText(QStringLiteral("东干渠一期"));
  for (int k = 0; k < presses; ++k) Press(*form);
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("reports.pdf"));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(file);
  form->PrintTo(printer);
  QProcess text;
  text.start("pdftotext", {"-layout", file, "-"});
  QVERIFY(text.waitForFinished(30000) && text.exitCode() == 0);
  // The pane's CJK face shares glyphs with the Kangxi radicals, which the text
  // taken from the PDF may then hold: each mapped back to its ideograph.
  QString all;
  for (const QChar ch : QString::fromUtf8(text.readAllStandardOutput())) {
    const bool radical = ch.unicode() >= 0x2F00 && ch.unicode() <= 0x2FDF;
    all += radical ? QString(ch).normalized(QString::NormalizationForm_KC) : QString(ch);
  }
  QStringList pages = all.split('\f');
  if (pages.back().trimmed().isEmpty()) pages.removeLast();
  const QString date = QDate::currentDate().toString("yyyy-MM-dd");
  int blocks = 0;
  for (int p = 0; p < pages.size(); ++p) {
    const QString& page = pages[p];
    QVERIFY2(page.contains("东干渠一期"), qPrintable(page));
    // pdftotext may drop the narrow blanks between the words.
    QVERIFY2(
        QString(page).remove(' ').contains(QString("第%1页共%2页").arg(p + 1).arg(pages.size())),
        qPrintable(page));
    QVERIFY(page.contains(date));
    // Whole blocks: as many banners as check headings and last checks.
    const int banners = int(page.count("成果表"));
    QCOMPARE(int(page.count("工程校核")), banners);
    QCOMPARE(int(page.count("水深搜索")), banners);
    QCOMPARE(int(page.count("不满足")), failed.isEmpty() ? 0 : banners);
    if (!failed.isEmpty()) QCOMPARE(int(page.count(failed)), banners);
    QCOMPARE(int(page.count("流态：")), banners);
    blocks += banners;
  }
  QCOMPARE(blocks, presses);
  QCOMPARE(pages.size() > 1, presses > 4);
}

void SectionDrawingTest::printCommandsOfferThePrintDialog() {
  for (const char* command : {"PRINT", "Toolbar1Button2"}) {
    auto window = Open("Form21", kRectangle);
    Press(*window);
    QString seen;
    QTimer::singleShot(0, [&seen] {
      QWidget* modal = QApplication::activeModalWidget();
      if (auto* dialog = qobject_cast<QPrintDialog*>(modal)) {
        seen = dialog->windowTitle();
        dialog->reject();
      } else if (modal != nullptr) {
        modal->close();
      }
    });
    Action(*window, command)->trigger();
    QCOMPARE(seen, QStringLiteral("打印计算结果"));
  }
}

// Laid out at a printer's resolution, every character of a report line stands
// at its column times one cell: Chinese characters and full-width signs take
// exactly two cells, so labels printed at the same Tab column line up; lines
// that do not fit one page go on to the next, none outside the margins.
void SectionDrawingTest::printedColumnsLineUp() {
  auto window = Open("Form23", {"3", "2", "1.7320508", "120", "4", "0.014", "1000", "8"});
  Press(*window);
  window->Boxes()[7]->setText(QStringLiteral("99"));  // the capacity block
  Press(*window);
  std::vector<std::string> lines;
  for (const QString& line : window->Pane()->ShownText().split(QLatin1Char('\n'))) {
    lines.push_back(line.toStdString());
  }
  QVERIFY(lines.size() > 10);
  QCOMPARE(ReportPointSize(lines, 481.0), 10.0);
  QCOMPARE(ReportPointSize({std::string(120, '-')}, 481.0), 8.0);
  QCOMPARE(ReportPointSize({std::string(120, '-')}, 481.0, 0.6), 6.5);
  for (int resolution : {96, 300, 600, 1200}) {
    const QSize a4(qRound(8.27 * resolution), qRound(11.69 * resolution));
    const double margin = 2.0 / 2.54 * resolution;
    const QRectF area(margin, margin, a4.width() - 2 * margin, a4.height() - 2 * margin);
    TextRecorder recorder(a4, resolution);
    const ReportSheet sheet(QStringLiteral("东干渠"), QStringLiteral("成果"), lines, 10.0, recorder,
                            area);
    QCOMPARE(sheet.PageCount(), 1);
    {
      QPainter painter(&recorder);
      sheet.PaintPage(painter, 0);
    }
    const double cell = sheet.CellWidth();
    std::map<long, std::vector<TextRecorder::Piece>> drawn;  // by baseline
    for (const TextRecorder::Piece& p : recorder.Pieces())
      drawn[std::lround(p.at.y())].push_back(p);
    drawn.erase(drawn.begin());  // the heading
    drawn.erase(drawn.begin());  // the subheading
    const long top = drawn.begin()->first;
    int checked = 0;
    for (auto& [baseline, pieces] : drawn) {
      std::sort(pieces.begin(), pieces.end(),
                [](const auto& a, const auto& b) { return a.at.x() < b.at.x(); });
      const QString line = QString::fromStdString(
          lines[std::size_t(std::lround(double(baseline - top) / sheet.LinePitch()))]);
      std::size_t i = 0;
      int column = 0;
      for (const QChar ch : line) {
        const int cells = ch.unicode() < 128 ? 1 : 2;
        if (ch != ' ') {
          QVERIFY(i < pieces.size());
          const TextRecorder::Piece& p = pieces[i++];
          QCOMPARE(p.text, QString(ch));
          const double left = p.at.x() - 0.5 * (cells * cell - p.advance);
          if (std::fabs(left - (area.left() + column * cell)) > 0.5) {  // half a device pixel
            QFAIL(qPrintable(QStringLiteral("%1 dpi, %2, column %3: x %4, expected %5")
                                 .arg(resolution)
                                 .arg(line)
                                 .arg(column)
                                 .arg(left)
                                 .arg(area.left() + column * cell)));
          }
          ++checked;
        }
        column += cells;
      }
    }
    QVERIFY(checked > 200);
    // A cell of the CJK monospace face is half an em: 5 pt at 10 pt.
    QVERIFY2(std::fabs(cell - 5.0 / 72.0 * resolution) < 0.05 * cell,
             qPrintable(QString::number(cell)));

    // Ten times the reports run over pages, every line inside the margins.
    std::vector<std::string> many;
    for (int k = 0; k < 10; ++k) many.insert(many.end(), lines.begin(), lines.end());
    TextRecorder pages(a4, resolution);
    const ReportSheet long_(QStringLiteral("东干渠"), QStringLiteral("成果"), many, 10.0, pages,
                            area);
    QVERIFY(long_.PageCount() > 1);
    QPainter painter(&pages);
    for (int page = 0; page < long_.PageCount(); ++page) long_.PaintPage(painter, page);
    painter.end();
    std::size_t drawnCharacters = 0;
    for (const TextRecorder::Piece& p : pages.Pieces()) {
      QVERIFY(p.at.y() > area.top() && p.at.y() < area.bottom());
      if (p.text.size() == 1) ++drawnCharacters;
    }
    std::size_t characters = 0;
    for (const std::string& line : many) {
      characters += std::size_t(QString::fromStdString(line).remove(' ').size());
    }
    QCOMPARE(drawnCharacters, characters);
  }
}

QTEST_MAIN(SectionDrawingTest)
#include "SectionDrawingTest.moc"
