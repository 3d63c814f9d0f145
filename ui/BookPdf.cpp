// The PDF book, painted chapter by chapter: each chapter is laid out in a document
// of its own, cut into A4 pages and painted onto the writer with one painter, then
// let go with its pictures. The book is laid out twice: the first pass (the
// paginator) paints nothing and finds the page of every heading and the total,
// which the second prints in the contents and in the foot of every page.
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
// A block property: the block is a heading of the contents.
constexpr int kContentsHeading = QTextFormat::UserProperty + 2;
constexpr double kCellPadding = 3.0;  // inside each table cell, points

QTextCharFormat Body() { return Font(kBookFace, 10.5); }

// The insertions of one table or report as one change: the document is laid out
// again once for it, not once a cell or a character, which made a long book's
// time grow with the square of its cases.
class EditBlock {
 public:
  explicit EditBlock(QTextCursor& cursor) : cursor_(cursor) { cursor_.beginEditBlock(); }
  ~EditBlock() { cursor_.endEditBlock(); }
  EditBlock(const EditBlock&) = delete;
  EditBlock& operator=(const EditBlock&) = delete;

 private:
  QTextCursor& cursor_;
};

QFont MonoFont() {
  QFont font(kBookMonoFace);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPointSizeF(8.0);
  return font;
}

class Pdf : public Writer {
 public:
  Pdf(const QString& project, bool paint) : writer_(&device_), paint_(paint) {
    writer_.setPageSize(QPageSize(QPageSize::A4));
    writer_.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    writer_.setTitle(project + QStringLiteral(" 水力计算书"));
    writer_.setCreator(kProductTitle);
    const QRect paint_rect = writer_.pageLayout().paintRectPixels(writer_.resolution());
    footer_ = 0.8 / 2.54 * writer_.resolution();
    page_ = QSizeF(paint_rect.width(), paint_rect.height() - footer_);
  }

  QString Open(const QString& path) {
    if (QString why = device_.Open(path); !why.isEmpty()) return why;
    if (!painter_.begin(&writer_)) return QStringLiteral("the PDF cannot be started");
    return {};
  }

  void Cover(const CoverPage& cover) override {
    Start();
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    centred.setTopMargin(150);
    cursor_.setBlockFormat(centred);
    cursor_.insertText(cover.project, Font(kBookFace, 24, true));
    centred.setTopMargin(24);
    cursor_.insertBlock(centred, Font(kBookFace, 20, true));
    cursor_.insertText(cover.title);
    centred.setTopMargin(60);
    cursor_.insertBlock(centred);
    Table({}, Pairs(cover.fields));
    centred.setTopMargin(40);
    cursor_.insertBlock(centred, Font(kBookFace, 12, true));
    cursor_.insertText(QStringLiteral("签  署"));
    cursor_.insertBlock();
    Table({}, Pairs(cover.signatures));
  }

  void Contents(const std::vector<ContentsLine>& lines) override {
    Start();
    QTextBlockFormat title;
    title.setAlignment(Qt::AlignHCenter);
    title.setBottomMargin(12);
    cursor_.setBlockFormat(title);
    cursor_.insertText(QStringLiteral("目  录"), Font(kBookFace, 15, true));
    for (const ContentsLine& line : lines) {
      QTextBlockFormat block;
      const double indent = line.level > 1 ? writer_.resolution() / 4.0 : 0.0;
      block.setLeftMargin(indent);
      // Tab stops are in 96-dpi pixels from the indent; short of the margin, so
      // the number stays on its line. The paginator lays out a number too, so
      // both passes take the same lines.
      const double stop = (page_.width() - indent) * 96.0 / writer_.resolution() - 2.0;
      block.setTabPositions({QTextOption::Tab(stop, QTextOption::RightTab)});
      cursor_.insertBlock(block, Font(kBookFace, line.level > 1 ? 10.5 : 12, line.level == 1));
      cursor_.insertText(line.text + QStringLiteral("\t") +
                         QString::number(line.page > 0 ? line.page : 99));
    }
  }

  void Chapter(const QString& text) override {
    Start();
    QTextBlockFormat block;
    block.setBottomMargin(6);
    block.setProperty(kKeepWithNext, true);
    block.setProperty(kContentsHeading, true);
    cursor_.setBlockFormat(block);
    cursor_.insertText(text, Font(kBookFace, 15, true));
  }

  void PageHeading(const QString& text) override {
    Start();
    QTextBlockFormat block;
    block.setBottomMargin(6);
    block.setProperty(kKeepWithNext, true);
    block.setProperty(kContentsHeading, true);
    cursor_.setBlockFormat(block);
    cursor_.insertText(text, Font(kBookFace, 12, true));
  }

  void Heading(const QString& text) override {
    QTextBlockFormat block;
    block.setTopMargin(12);
    block.setBottomMargin(6);
    block.setProperty(kKeepWithNext, true);
    block.setProperty(kContentsHeading, true);
    cursor_.insertBlock(block, Font(kBookFace, 12, true));
    cursor_.insertText(text);
  }

  void Paragraph(const QString& text) override {
    cursor_.insertBlock(QTextBlockFormat(), Body());
    cursor_.insertText(text);
  }

  void Caption(const QString& text) override {
    QTextBlockFormat block;
    block.setProperty(kKeepWithNext, true);
    cursor_.insertBlock(block, Body());
    cursor_.insertText(text);
  }

  void Note(const QString& text) override {
    QTextCharFormat format = Font(kBookFace, 10.5, true);
    format.setForeground(QColor(200, 0, 0));
    cursor_.insertBlock(QTextBlockFormat(), format);
    cursor_.insertText(text);
  }

  void Table(const QStringList& header, const std::vector<QStringList>& rows,
             const std::vector<bool>& alarm = {}) override {
    if (rows.empty() && header.isEmpty()) return;
    const EditBlock edit(cursor_);
    // The empty block before the table goes with it as a caption before it does.
    QTextBlockFormat before;
    before.setProperty(kKeepWithNext, cursor_.blockFormat().boolProperty(kKeepWithNext));
    cursor_.insertBlock(before);
    QTextTableFormat format;
    format.setCellPadding(kCellPadding);
    format.setBorder(0.5);
    const int head = header.isEmpty() ? 0 : 1;
    format.setHeaderRowCount(head);
    const int columns = header.isEmpty() ? int(rows.front().size()) : int(header.size());
    QTextTable* table = cursor_.insertTable(int(rows.size()) + head, columns, format);
    for (int col = 0; col < header.size(); ++col) {
      table->cellAt(0, col).firstCursorPosition().insertText(header[col],
                                                             Font(kBookFace, 10.5, true));
    }
    QTextCharFormat red = Font(kBookFace, 10.5, true);
    red.setForeground(QColor(200, 0, 0));
    for (size_t row = 0; row < rows.size(); ++row) {
      const bool alarmed = row < alarm.size() && alarm[row];
      for (int col = 0; col < rows[row].size() && col < columns; ++col) {
        const bool last = col + 1 == rows[row].size();
        table->cellAt(int(row) + head, col)
            .firstCursorPosition()
            .insertText(rows[row][col], alarmed && last ? red : Body());
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
    cursor_.insertBlock(QTextBlockFormat());
    cursor_.insertImage(format);
  }

  // Every line but the last goes with the next: the block is never cut by a page.
  void Report(const std::vector<std::string>& lines) override {
    const EditBlock edit(cursor_);
    for (size_t k = 0; k < lines.size(); ++k) {
      GridLine(QString::fromStdString(lines[k]), k + 1 < lines.size());
    }
  }

  QString Finish() override {
    PaintPages();
    if (!paint_) return {};
    if (!painter_.end()) return QStringLiteral("the PDF cannot be finished");
    return device_.Commit();
  }

  std::vector<int> HeadingPages() const override { return headingPages_; }
  int Pages() const override { return pages_; }
  void SetTotalPages(int total) override { total_ = total; }

 private:
  // A new document for the next part; the one before is painted and let go.
  void Start() {
    PaintPages();
    doc_ = std::make_unique<QTextDocument>();
    // A book is written once: no undo history to keep for every insertion.
    doc_->setUndoRedoEnabled(false);
    doc_->setUseDesignMetrics(true);
    doc_->setDefaultFont(Body().font());
    // No layout while the part is written (PaintPages makes it once): Qt lays a
    // document out again after every change, which grows with its length.
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
      bool frame = false;
      std::vector<double> rowTops = {};  // a table's rows, where it may be cut
    };
    std::vector<Item> items;
    const QAbstractTextDocumentLayout* layout = doc_->documentLayout();
    for (auto it = doc_->rootFrame()->begin(); !it.atEnd(); ++it) {
      if (QTextFrame* frame = it.currentFrame()) {
        Item item{layout->frameBoundingRect(frame), false, true};
        if (const auto* table = qobject_cast<QTextTable*>(frame)) {
          for (int row = 1; row < table->rows(); ++row) {
            const QTextBlock first = table->cellAt(row, 0).firstCursorPosition().block();
            item.rowTops.push_back(layout->blockBoundingRect(first).top() - kCellPadding);
          }
        }
        items.push_back(std::move(item));
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
        // Taller than a page even from the top of one (a long table): it runs on
        // from where it stands and is cut at the last row that fits.
        if (items[k].rect.height() > h && items[k].rect.top() < tops.back() + h) {
          double cut = tops.back() + h;
          for (const double row : items[k].rowTops) {
            if (row > tops.back() && row <= tops.back() + h) cut = row;
          }
          tops.push_back(cut);
          continue;
        }
        // The item goes down with every one before it that must stay with it.
        size_t first = k;
        while (first > 0 && items[first - 1].keepWithNext &&
               items[first - 1].rect.top() > tops.back()) {
          --first;
        }
        // A table's frame is drawn from a little above its rect, into the empty
        // block it stands after: the page begins with that block.
        if (items[first].frame && first > 0 && items[first - 1].rect.top() > tops.back()) --first;
        // Not above the foot of the item before, which would be drawn on both pages.
        double top = items[first].rect.top();
        if (first > 0) {
          top = std::max(tops.back(), std::min(top, items[first - 1].rect.bottom() + 1.0));
        }
        tops.push_back(top > tops.back() ? top : tops.back() + h);
      }
    }
    return tops;
  }

  void PaintPages() {
    if (!doc_) return;
    doc_->documentLayout()->setPaintDevice(&writer_);
    // Laid out as one long page, cut into pages by PageTops.
    doc_->setTextWidth(page_.width());
    const std::vector<double> tops = PageTops();
    QAbstractTextDocumentLayout* layout = doc_->documentLayout();
    for (QTextBlock b = doc_->begin(); b.isValid(); b = b.next()) {
      if (!b.blockFormat().boolProperty(kContentsHeading)) continue;
      const double top = layout->blockBoundingRect(b).top();
      const auto after = std::upper_bound(tops.begin(), tops.end(), top);
      headingPages_.push_back(pages_ + int(after - tops.begin()));
    }
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    for (size_t k = 0; k < tops.size(); ++k) {
      ++pages_;
      if (!paint_) continue;
      if (pages_ > 1) writer_.newPage();
      const double bottom = k + 1 < tops.size() ? std::min(tops[k + 1], tops[k] + page_.height())
                                                : tops[k] + page_.height();
      const QRectF view(0, tops[k], page_.width(), bottom - tops[k]);
      painter_.save();
      painter_.translate(0, -view.top());
      painter_.setClipRect(view);
      // Blocks that only touch the cut are drawn on their own page alone: the
      // text of a clipped block would still be in the page's text.
      context.clip = view.adjusted(0, 1, 0, -1);
      layout->draw(&painter_, context);
      painter_.restore();
      painter_.setFont(Body().font());
      const QString foot = total_ > 0 ? QStringLiteral("第 %1 页 共 %2 页").arg(pages_).arg(total_)
                                      : QStringLiteral("第 %1 页").arg(pages_);
      painter_.drawText(QRectF(0, page_.height(), page_.width(), footer_),
                        Qt::AlignHCenter | Qt::AlignBottom, foot);
    }
    cursor_ = QTextCursor();
    doc_.reset();
  }

  static std::vector<QStringList> Pairs(const std::vector<std::pair<QString, QString>>& pairs) {
    std::vector<QStringList> rows;
    for (const auto& [key, value] : pairs) rows.push_back({key, value});
    return rows;
  }

  // A line of the report on the pane's cell grid: a Latin character takes one
  // cell, any other two. The face's own wide characters are not quite two Latin
  // advances, so they are spaced out to exactly two, as a share of their advance
  // that holds at any resolution the book is laid out at.
  void GridLine(const QString& line, bool keepWithNext) {
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
    QTextBlockFormat block;
    block.setProperty(kKeepWithNext, keepWithNext);
    cursor_.insertBlock(block, narrow);
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
  bool paint_ = true;
  int pages_ = 0;
  int total_ = 0;
  std::vector<int> headingPages_;
};

}  // namespace

std::unique_ptr<Writer> PdfWriter(const QString& path, const QString& project, QString& error) {
  auto pdf = std::make_unique<Pdf>(project, true);
  error = pdf->Open(path);
  if (!error.isEmpty()) {
    error = QStringLiteral("cannot write ") + path + QStringLiteral(": ") + error;
    return nullptr;
  }
  return pdf;
}

std::unique_ptr<Writer> PdfPaginator() { return std::make_unique<Pdf>(QString(), false); }

}  // namespace tarnwick::ui::book
