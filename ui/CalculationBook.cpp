#include "CalculationBook.h"

#include <QDate>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "BookParts.h"
#include "SectionSheet.h"
#include "WindowDecor.h"
#include "core/RatingTable.h"
#include "sections/SectionDrawing.h"

namespace tarnwick::ui {

namespace book {
// WenQuanYi Zen Hei maps each glyph to one character only, so the text taken
// from the PDF (a search, a copy, pdftotext) reads as written; the Noto CJK faces
// share glyphs between ideographs and the Kangxi radicals, which PDF readers then
// return instead of the ideographs.
const QString kBookFace = QStringLiteral("WenQuanYi Zen Hei");
const QString kBookMonoFace = QStringLiteral("WenQuanYi Zen Hei Mono");
}  // namespace book

namespace {

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// Manning's formula and the quantities every report derives from it.
const QStringList kManningFormulas = {
    QStringLiteral("Q = C·W·√(R·I)，C = R^(1/6)/n（曼宁公式，即 Q = W·R^(2/3)·I^(1/2)/n）"),
    QStringLiteral("R = W/X，V = Q/W，E = h + V²/(2g)，g = 9.81 m/s²"),
    QStringLiteral("正常水深：以 Q1(h) = Q 二分求解，|Q1 − Q| < 0.0001 m³/s")};

// The width of a picture on the page, in 96-dpi pixels (11.6 cm).
constexpr double kPictureWidth = 440.0;

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
  QFont font(book::kBookFace);
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

QImage DrawingImage(const SectionCase& c, const QString& title) {
  QImage image(int(kSheetWidth * 1.5), int(kSheetHeight * 1.5), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  PaintSheet(p, QRectF(0, 0, image.width(), image.height()), DrawingOf(c), title, {});
  return image;
}

// The inputs as typed, with their labels and units. A box text is booked as one
// cell whatever it holds (a tab or a line break included), so no text can move
// the boxes after it.
std::vector<QStringList> InputRows(const WindowSpec& w, const std::vector<std::string>& texts) {
  std::vector<QStringList> rows;
  for (size_t k = 0; k < w.boxes.size(); ++k) {
    const BoxSpec& box = w.boxes[k];
    QString value = k < texts.size() ? QString::fromStdString(texts[k]).trimmed() : QString();
    if (box.role == BoxRole::Slope && !value.isEmpty()) value = QStringLiteral("1/") + value;
    rows.push_back({Q(box.label) + Q(box.hint), value, Q(box.unit)});
  }
  return rows;
}

void CaseSection(book::Writer& out, int number, const CaseRecord& r, const QString& project,
                 const QString& note) {
  const WindowSpec& w = *r.reporting;
  const FamilySpec& family = FamilyOf(w.family);
  out.CaseHeading(QStringLiteral("%1  %2").arg(number).arg(Q(w.caption)));
  if (!note.isEmpty()) out.Note(note);
  out.Paragraph(QStringLiteral("断面类型：") + Q(family.optionText));
  const PressResult& result = r.press;
  if (result.sectionCase) {
    out.Heading(QStringLiteral("断面图"));
    out.Picture(DrawingImage(*result.sectionCase, project),
                QStringLiteral("drawing%1.png").arg(number), kPictureWidth);
  }
  out.Heading(QStringLiteral("输入数据"));
  out.Table({QStringLiteral("输入项"), QStringLiteral("数值"), QStringLiteral("单位")},
            InputRows(w, r.reportingTexts));
  out.Heading(QStringLiteral("计算公式"));
  for (const QString& f : kManningFormulas) out.Paragraph(f);
  for (std::string_view f : family.formulas) out.Paragraph(Q(f));
  out.Heading(QStringLiteral("计算成果"));
  out.Report(r.printed);
  if (!r.checks.empty()) {
    out.Heading(QStringLiteral("工程校核"));
    for (const Check& c : r.checks) out.Paragraph(QString::fromStdString(c.text));
  }
  if (result.sectionCase) {
    out.Heading(QStringLiteral("水位—流量关系曲线"));
    out.Picture(CurveImage(*result.sectionCase), QStringLiteral("curve%1.png").arg(number),
                kPictureWidth);
  }
}

}  // namespace

std::unique_ptr<CalculationBook> CalculationBook::Open(const QString& path, const QString& project,
                                                       std::optional<size_t> cases,
                                                       QString& error) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  std::unique_ptr<CalculationBook> b(new CalculationBook);
  b->project_ = project;
  if (suffix == QStringLiteral("pdf")) {
    b->writer_ = book::PdfWriter(path, project, error);
  } else if (suffix == QStringLiteral("odt")) {
    b->writer_ = book::OdtWriter(path, project, error);
  } else {
    error = QStringLiteral("the book is written as .pdf or .odt, not '%1'").arg(suffix);
  }
  if (!b->writer_) return nullptr;
  QStringList lines = {QStringLiteral("日期：") + QDate::currentDate().toString(Qt::ISODate)};
  lines << (cases ? QStringLiteral("计算案例数：%1    计算程序：%2").arg(*cases).arg(kProductTitle)
                  : QStringLiteral("计算程序：%1").arg(kProductTitle));
  b->writer_->TitlePage(project, lines);
  return b;
}

CalculationBook::~CalculationBook() = default;

void CalculationBook::Add(const CaseRecord& record, const QString& note) {
  if (record.reporting == nullptr || !record.IsReport()) return;
  CaseSection(*writer_, ++booked_, record, project_, note);
}

QString CalculationBook::Commit() {
  writer_->Paragraph(QStringLiteral("（本计算书共 %1 个算例，完）").arg(booked_));
  return writer_->Finish();
}

QString WriteCalculationBook(const QString& path, const QString& project,
                             std::span<const CaseRecord> cases) {
  const size_t reports = size_t(std::count_if(cases.begin(), cases.end(), [](const CaseRecord& c) {
    return c.reporting != nullptr && c.IsReport();
  }));
  QString error;
  const std::unique_ptr<CalculationBook> book =
      CalculationBook::Open(path, project, reports, error);
  if (!book) return error;
  for (const CaseRecord& c : cases) book->Add(c);
  return book->Commit();
}

}  // namespace tarnwick::ui
