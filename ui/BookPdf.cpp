// The PDF book, painted case by case: each case is laid out in a document of its
// own, cut into A4 pages and painted onto the writer with one painter, then let
// go with its pictures, so the book is written in the memory of one case.
#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <vector>

#include "BookFile.h"
#include "BookParts.h"
#include "WindowDecor.h"
#include "core/ResultPane.h"

namespace tarnwick::ui::book {

namespace {

QTextCharFormat Font(const QString& family, double points, bool bold = false) {
  QTextCharFormat format;
  QFont font(family);
  font.setPointSizeF(points);
  font.setBold(bold);
  format.setFont(font);
  return format;
}

// A block property: the block goes onto the page of the one after it.
constexpr int kKeepWithNext = QTextFormat::UserProperty + 1;

QTextCharFormat Body() { return Font(kBookFace, 10.5); }

QFont MonoFont() {
  QFont font(kBookMonoFace);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPointSizeF(8.0);
  return font;
}

class Pdf : public Writer {
 public:
  explicit Pdf(const QString& project) : writer_(&device_) {
    writer_.setPageSize(QPageSize(QPageSize::A4));
    writer_.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    writer_.setTitle(project + QStringLiteral(" 水力计算书"));
    writer_.setCreator(kProductTitle);
  }

  QString Open(const QString& path) {
    if (QString why = device_.Open(path); !why.isEmpty()) return why;
    if (!painter_.begin(&writer_)) return QStringLiteral("the PDF cannot be started");
    const QRect paint = writer_.pageLayout().paintRectPixels(writer_.resolution());
    footer_ = 0.8 / 2.54 * writer_.resolution();
    page_ = QSizeF(paint.width(), paint.height() - footer_);
    return {};
  }

  void TitlePage(const QString& project, const QStringList& lines) override {
    Start();
    QTextBlockFormat title;
    title.setAlignment(Qt::AlignHCenter);
    title.setTopMargin(180);
    cursor_.setBlockFormat(title);
    cursor_.insertText(project, Font(kBookFace, 24, true));
    title.setTopMargin(24);
    cursor_.insertBlock(title, Font(kBookFace, 20, true));
    cursor_.insertText(QStringLiteral("水力计算书"));
    for (const QString& line : lines) {
      cursor_.insertBlock(title, Body());
      cursor_.insertText(line);
    }
  }

  void CaseHeading(const QString& text) override {
    Start();
    QTextBlockFormat block;
    block.setBottomMargin(6);
    cursor_.setBlockFormat(block);
    cursor_.insertText(text, Font(kBookFace, 15, true));
  }

  void Heading(const QString& text) override {
    QTextBlockFormat block;
    block.setTopMargin(12);
    block.setBottomMargin(6);
    block.setProperty(kKeepWithNext, true);
    cursor_.insertBlock(block, Font(kBookFace, 12, true));
    cursor_.insertText(text);
  }

  void Paragraph(const QString& text) override {
    cursor_.insertBlock(QTextBlockFormat(), Body());
    cursor_.insertText(text);
  }

  void Note(const QString& text) override {
    QTextCharFormat format = Font(kBookFace, 10.5, true);
    format.setForeground(QColor(200, 0, 0));
    cursor_.insertBlock(QTextBlockFormat(), format);
    cursor_.insertText(text);
  }

  void Table(const QStringList& header, const std::vector<QStringList>& rows) override {
    cursor_.insertBlock();
    QTextTableFormat format;
    format.setCellPadding(3);
    format.setBorder(0.5);
    format.setHeaderRowCount(1);
    QTextTable* table = cursor_.insertTable(int(rows.size()) + 1, int(header.size()), format);
    for (int col = 0; col < header.size(); ++col) {
      table->cellAt(0, col).firstCursorPosition().insertText(header[col], Body());
    }
    for (size_t row = 0; row < rows.size(); ++row) {
      for (int col = 0; col < rows[row].size(); ++col) {
        table->cellAt(int(row) + 1, col).firstCursorPosition().insertText(rows[row][col], Body());
      }
    }
    cursor_.movePosition(QTextCursor::End);
  }

  void Picture(const QImage& image, const QString& name, double width) override {
    doc_->addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(width);
    format.setHeight(width * image.height() / image.width());
    cursor_.insertBlock();
    cursor_.insertImage(format);
  }

  void Report(const std::vector<std::string>& lines) override {
    for (const std::string& line : lines) GridLine(QString::fromStdString(line));
  }

  QString Finish() override {
    PaintPages();
    if (!painter_.end()) return QStringLiteral("the PDF cannot be finished");
    return device_.Commit();
  }

 private:
  // A new document for the next part; the one before is painted and let go.
  void Start() {
    PaintPages();
    doc_ = std::make_unique<QTextDocument>();
    doc_->documentLayout()->setPaintDevice(&writer_);
    doc_->setUseDesignMetrics(true);
    doc_->setDefaultFont(Body().font());
    // Laid out as one long page, cut into pages by PageTops.
    doc_->setTextWidth(page_.width());
    QTextFrameFormat frame = doc_->rootFrame()->frameFormat();
    frame.setMargin(0);
    doc_->rootFrame()->setFrameFormat(frame);
    cursor_ = QTextCursor(doc_.get());
  }

  // Where each page begins in the document: a paragraph or table that would cross
  // the foot of a page begins the next one, and a heading goes with what follows
  // it. Only what is taller than a page is cut.
  std::vector<double> PageTops() const {
    struct Item {
      QRectF rect;
      bool keepWithNext = false;
    };
    std::vector<Item> items;
    const QAbstractTextDocumentLayout* layout = doc_->documentLayout();
    for (auto it = doc_->rootFrame()->begin(); !it.atEnd(); ++it) {
      if (QTextFrame* frame = it.currentFrame()) {
        items.push_back({layout->frameBoundingRect(frame)});
      } else {
        const QTextBlock block = it.currentBlock();
        items.push_back(
            {layout->blockBoundingRect(block), block.blockFormat().boolProperty(kKeepWithNext)});
      }
    }
    const double h = page_.height();
    std::vector<double> tops = {0.0};
    for (size_t k = 0; k < items.size(); ++k) {
      while (items[k].rect.bottom() > tops.back() + h) {
        double top = items[k].rect.top();
        if (k > 0 && items[k - 1].keepWithNext && items[k - 1].rect.top() > tops.back()) {
          top = items[k - 1].rect.top();
        }
        tops.push_back(top > tops.back() ? top : tops.back() + h);
      }
    }
    return tops;
  }

  void PaintPages() {
    if (!doc_) return;
    const std::vector<double> tops = PageTops();
    QAbstractTextDocumentLayout* layout = doc_->documentLayout();
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    for (size_t k = 0; k < tops.size(); ++k) {
      if (pages_++ > 0) writer_.newPage();
      const double bottom = k + 1 < tops.size() ? std::min(tops[k + 1], tops[k] + page_.height())
                                                : tops[k] + page_.height();
      const QRectF view(0, tops[k], page_.width(), bottom - tops[k]);
      painter_.save();
      painter_.translate(0, -view.top());
      painter_.setClipRect(view);
      context.clip = view;
      layout->draw(&painter_, context);
      painter_.restore();
      if (pages_ > 1) {
        painter_.setFont(Body().font());
        painter_.drawText(QRectF(0, page_.height(), page_.width(), footer_),
                          Qt::AlignRight | Qt::AlignBottom, QString::number(pages_));
      }
    }
    cursor_ = QTextCursor();
    doc_.reset();
  }

  // A line of the report on the pane's cell grid: a Latin character takes one
  // cell, any other two. The face's own wide characters are not quite two Latin
  // advances, so they are spaced out to exactly two, as a share of their advance
  // that holds at any resolution the book is laid out at.
  void GridLine(const QString& line) {
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
    cursor_.insertBlock(QTextBlockFormat(), narrow);
    for (const QChar c : line) {
      const bool isWide = DisplayColumns(QString(c).toStdString()) == 2;
      cursor_.insertText(QString(c), isWide ? wide : narrow);
    }
  }

  AtomicDevice device_;
  QPdfWriter writer_;
  QPainter painter_;
  std::unique_ptr<QTextDocument> doc_;
  QTextCursor cursor_;
  QSizeF page_;
  double footer_ = 0.0;
  int pages_ = 0;
};

}  // namespace

std::unique_ptr<Writer> PdfWriter(const QString& path, const QString& project, QString& error) {
  auto pdf = std::make_unique<Pdf>(project);
  error = pdf->Open(path);
  if (!error.isEmpty()) {
    error = QStringLiteral("cannot write ") + path + QStringLiteral(": ") + error;
    return nullptr;
  }
  return pdf;
}

}  // namespace tarnwick::ui::book
