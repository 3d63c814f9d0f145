#include "CalculationBook.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QRawFont>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "SectionSheet.h"
#include "WindowDecor.h"
#include "core/RatingTable.h"
#include "core/ResultPane.h"
#include "sections/SectionDrawing.h"

namespace tarnwick::ui {

namespace {

// WenQuanYi Zen Hei maps each glyph to one character only, so the text taken
// from the PDF (a search, a copy, pdftotext) reads as written; the Noto CJK faces
// share glyphs between ideographs and the Kangxi radicals, which PDF readers then
// return instead of the ideographs.
const QString kBookFace = QStringLiteral("WenQuanYi Zen Hei");
const QString kBookMonoFace = QStringLiteral("WenQuanYi Zen Hei Mono");

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// Manning's formula and the quantities every report derives from it.
const QStringList kManningFormulas = {
    QStringLiteral("Q = C·W·√(R·I)，C = R^(1/6)/n（曼宁公式，即 Q = W·R^(2/3)·I^(1/2)/n）"),
    QStringLiteral("R = W/X，V = Q/W，E = h + V²/(2g)，g = 9.81 m/s²"),
    QStringLiteral("正常水深：以 Q1(h) = Q 二分求解，|Q1 − Q| < 0.0001 m³/s")};

QTextCharFormat Font(const QString& family, double points, bool bold = false) {
  QTextCharFormat format;
  QFont font(family);
  font.setPointSizeF(points);
  font.setBold(bold);
  format.setFont(font);
  return format;
}

QTextCharFormat Body() { return Font(kBookFace, 10.5); }

QFont MonoFont() {
  QFont font(kBookMonoFace);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPointSizeF(8.0);
  return font;
}

// The report on the pane's cell grid: a Latin character takes one cell, any other
// two. The face's own wide characters are not quite two Latin advances, so they
// are spaced out to exactly two, as a share of their advance that holds at any
// resolution the book is laid out at.
void GridLine(QTextCursor& cursor, const QString& line) {
  static const QFont font = MonoFont();
  static const double widePercent = [] {
    const QRawFont raw = QRawFont::fromFont(font);
    const QList<quint32> glyphs = raw.glyphIndexesForString(QStringLiteral("0水"));
    const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
    return 100.0 * 2.0 * advances[0].x() / advances[1].x();
  }();
  QTextCharFormat narrow;
  narrow.setFont(font);
  QTextCharFormat wide = narrow;
  QFont spaced = font;
  spaced.setLetterSpacing(QFont::PercentageSpacing, widePercent);
  wide.setFont(spaced);
  cursor.insertBlock(QTextBlockFormat(), narrow);
  for (const QChar c : line) {
    const bool isWide = DisplayColumns(QString(c).toStdString()) == 2;
    cursor.insertText(QString(c), isWide ? wide : narrow);
  }
}

void Heading(QTextCursor& cursor, const QString& text, double points, bool newPage = false) {
  QTextBlockFormat block;
  block.setTopMargin(newPage ? 0 : 12);
  block.setBottomMargin(6);
  if (newPage) block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
  cursor.insertBlock(block, Font(kBookFace, points, true));
  cursor.insertText(text);
}

void Paragraph(QTextCursor& cursor, const QString& text, const QTextCharFormat& format = Body()) {
  cursor.insertBlock(QTextBlockFormat(), format);
  cursor.insertText(text);
}

// The stage–discharge curve as a picture: discharge across, depth up, the case
// marked.
QImage CurveImage(const SectionCase& c) {
  const std::vector<RatingPoint> curve =
      RatingCurve(RatingDepths(RatingTop(c), 200), c.model.evaluate);
  QImage image(1200, 700, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF plot(140, 40, 1000, 560);
  double qMax = 0.0, hMax = 0.0;
  for (const RatingPoint& pt : curve) {
    qMax = std::max(qMax, pt.discharge);
    hMax = std::max(hMax, pt.depth);
  }
  if (qMax <= 0.0 || hMax <= 0.0) return image;
  const auto at = [&](double q, double h) {
    return QPointF(plot.left() + plot.width() * q / qMax, plot.bottom() - plot.height() * h / hMax);
  };
  QFont font(kBookFace);
  font.setPixelSize(22);
  p.setFont(font);
  p.setPen(QPen(Qt::gray, 1));
  for (int k = 0; k <= 5; ++k) {
    const double f = k / 5.0;
    p.drawLine(at(qMax * f, 0), at(qMax * f, hMax));
    p.drawLine(at(0, hMax * f), at(qMax, hMax * f));
    p.drawText(QRectF(at(qMax * f, 0) + QPointF(-60, 8), QSizeF(120, 30)), Qt::AlignHCenter,
               QString::number(qMax * f, 'g', 4));
    p.drawText(QRectF(at(0, hMax * f) + QPointF(-130, -15), QSizeF(120, 30)), Qt::AlignRight,
               QString::number(hMax * f, 'f', 2));
  }
  p.setPen(Qt::black);
  p.drawText(QRectF(plot.left(), plot.bottom() + 45, plot.width(), 40), Qt::AlignHCenter,
             QStringLiteral("流量 Q (m³/s)"));
  p.drawText(QRectF(0, 0, 300, 34), Qt::AlignLeft, QStringLiteral("水深 H (m)"));
  QPainterPath path;
  path.moveTo(at(curve.front().discharge, curve.front().depth));
  for (const RatingPoint& pt : curve) path.lineTo(at(pt.discharge, pt.depth));
  p.setPen(QPen(QColor(0, 90, 200), 3));
  p.drawPath(path);
  p.setBrush(QColor(220, 40, 40));
  p.setPen(Qt::NoPen);
  p.drawEllipse(at(c.discharge, c.state.h), 8, 8);
  return image;
}

QImage DrawingImage(const SectionCase& c, const QString& title, const QStringList& dimensions) {
  QImage image(int(kSheetWidth * 1.5), int(kSheetHeight * 1.5), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  PaintSheet(p, QRectF(0, 0, image.width(), image.height()), DrawingOf(c), title, dimensions);
  return image;
}

void Image(QTextCursor& cursor, QTextDocument& doc, const QImage& image, const QString& name) {
  doc.addResource(QTextDocument::ImageResource, QUrl(name), image);
  QTextImageFormat format;
  format.setName(name);
  format.setWidth(440);
  format.setHeight(440.0 * image.height() / image.width());
  cursor.insertBlock();
  cursor.insertImage(format);
}

// The inputs as typed and read, with their units.
void InputTable(QTextCursor& cursor, const WindowSpec& w, const std::vector<std::string>& texts) {
  QTextTableFormat format;
  format.setCellPadding(3);
  format.setBorder(0.5);
  format.setHeaderRowCount(1);
  QTextTable* table = cursor.insertTable(int(w.boxes.size()) + 1, 3, format);
  const QStringList header = {QStringLiteral("输入项"), QStringLiteral("数值"),
                              QStringLiteral("单位")};
  for (int col = 0; col < 3; ++col)
    table->cellAt(0, col).firstCursorPosition().insertText(header[col], Body());
  for (size_t k = 0; k < w.boxes.size(); ++k) {
    const BoxSpec& box = w.boxes[k];
    QString value = k < texts.size() ? QString::fromStdString(texts[k]).trimmed() : QString();
    if (box.role == BoxRole::Slope && !value.isEmpty()) value = QStringLiteral("1/") + value;
    const int row = int(k) + 1;
    table->cellAt(row, 0).firstCursorPosition().insertText(Q(box.label) + Q(box.hint), Body());
    table->cellAt(row, 1).firstCursorPosition().insertText(value, Body());
    table->cellAt(row, 2).firstCursorPosition().insertText(Q(box.unit), Body());
  }
  cursor.movePosition(QTextCursor::End);
}

void CaseSection(QTextCursor& cursor, QTextDocument& doc, int number, const CaseRecord& r,
                 const QString& project) {
  const WindowSpec& w = *r.reporting;
  const FamilySpec& family = FamilyOf(w.family);
  Heading(cursor, QStringLiteral("%1  %2").arg(number).arg(Q(w.caption)), 15, true);
  Paragraph(cursor, QStringLiteral("断面类型：") + Q(family.optionText));
  const PressResult& result = r.press;
  if (result.sectionCase) {
    Heading(cursor, QStringLiteral("断面图"), 12);
    Image(cursor, doc, DrawingImage(*result.sectionCase, project, {}),
          QStringLiteral("drawing%1.png").arg(number));
  }
  Heading(cursor, QStringLiteral("输入数据"), 12);
  cursor.insertBlock();
  InputTable(cursor, w, r.reportingTexts);
  Heading(cursor, QStringLiteral("计算公式"), 12);
  for (const QString& f : kManningFormulas) Paragraph(cursor, f);
  for (std::string_view f : family.formulas) Paragraph(cursor, Q(f));
  Heading(cursor, QStringLiteral("计算成果"), 12);
  for (const std::string& line : r.printed) GridLine(cursor, QString::fromStdString(line));
  if (!r.checks.empty()) {
    Heading(cursor, QStringLiteral("工程校核"), 12);
    for (const Check& c : r.checks) Paragraph(cursor, QString::fromStdString(c.text));
  }
  if (result.sectionCase) {
    Heading(cursor, QStringLiteral("水位—流量关系曲线"), 12);
    Image(cursor, doc, CurveImage(*result.sectionCase), QStringLiteral("curve%1.png").arg(number));
  }
}

}  // namespace

std::unique_ptr<QTextDocument> BookDocument(const QString& project,
                                            std::span<const CaseRecord> cases) {
  auto doc = std::make_unique<QTextDocument>();
  doc->setUseDesignMetrics(true);
  doc->setDefaultFont(Body().font());
  QTextCursor cursor(doc.get());
  QTextBlockFormat title;
  title.setAlignment(Qt::AlignHCenter);
  title.setTopMargin(180);
  cursor.setBlockFormat(title);
  cursor.insertText(project, Font(kBookFace, 24, true));
  title.setTopMargin(24);
  cursor.insertBlock(title, Font(kBookFace, 20, true));
  cursor.insertText(QStringLiteral("水力计算书"));
  cursor.insertBlock(title, Body());
  cursor.insertText(QStringLiteral("日期：") + QDate::currentDate().toString(Qt::ISODate));
  cursor.insertBlock(title, Body());
  cursor.insertText(
      QStringLiteral("计算案例数：%1    计算程序：%2").arg(cases.size()).arg(kProductTitle));
  int number = 0;
  for (const CaseRecord& c : cases) {
    if (c.reporting != nullptr) CaseSection(cursor, *doc, ++number, c, project);
  }
  return doc;
}

QString WriteCalculationBook(const QString& path, const QString& project,
                             std::span<const CaseRecord> cases) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix != QStringLiteral("pdf") && suffix != QStringLiteral("odt")) {
    return QStringLiteral("the book is written as .pdf or .odt, not '%1'").arg(suffix);
  }
  // An unwritable place is found before the book is laid out.
  QFile probe(path);
  const bool existed = probe.exists();
  if (!probe.open(QIODevice::WriteOnly | QIODevice::Append)) {
    return QStringLiteral("cannot write ") + path + QStringLiteral(": ") + probe.errorString();
  }
  probe.close();
  if (!existed) probe.remove();
  const auto doc = BookDocument(project, cases);
  if (suffix == QStringLiteral("odt")) {
    QTextDocumentWriter writer(path, "odf");
    return writer.write(doc.get()) ? QString() : QStringLiteral("cannot write ") + path;
  }
  QPdfWriter writer(path);
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
  writer.setTitle(project + QStringLiteral(" 水力计算书"));
  writer.setCreator(kProductTitle);
  doc->print(&writer);
  // QPdfWriter reports no failure of its own: an unwritable path leaves no file.
  return QFileInfo(path).size() > 0 ? QString() : QStringLiteral("cannot write ") + path;
}

}  // namespace tarnwick::ui
