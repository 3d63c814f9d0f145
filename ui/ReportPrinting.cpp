#include "ReportPrinting.h"

#include <QAbstractTextDocumentLayout>
#include <QPrinter>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

#include <algorithm>
#include <cmath>

#include "WindowDecor.h"
#include "core/ResultPane.h"

namespace tarnwick::ui {

namespace {

// QTextDocument::print keeps 2 cm clear on every side of the page.
constexpr double kPrintMarginPoints = 2.0 / 2.54 * 72.0;

}  // namespace

double ReportPointSize(const std::vector<std::string>& lines, double width) {
  int columns = 1;
  for (const std::string& line : lines) columns = std::max(columns, DisplayColumns(line));
  // A Latin cell of the pane face is half an em wide.
  const double fits = width / (0.5 * columns);
  return std::max(4.0, std::min(10.0, std::floor(fits * 2.0) / 2.0));
}

std::unique_ptr<QTextDocument> ReportDocument(const QString& heading, const QString& subheading,
                                             const std::vector<std::string>& lines,
                                             double pointSize) {
  QFont mono = PaneFont();
  mono.setPointSizeF(pointSize);
  QFont headingFont(QStringLiteral("Noto Sans CJK SC"));
  headingFont.setPointSizeF(15.0);
  headingFont.setBold(true);
  QFont subheadingFont = headingFont;
  subheadingFont.setPointSizeF(12.0);

  auto document = std::make_unique<QTextDocument>();
  // The font's own advances rather than screen-hinted ones: in the pane face a
  // Chinese character is two Latin cells wide, so the columns line up on paper.
  document->setUseDesignMetrics(true);
  document->setDefaultFont(mono);
  QTextOption noWrap = document->defaultTextOption();
  noWrap.setWrapMode(QTextOption::NoWrap);
  document->setDefaultTextOption(noWrap);

  QTextCursor cursor(document.get());
  QTextBlockFormat centred;
  centred.setAlignment(Qt::AlignHCenter);
  QTextCharFormat headingFormat;
  headingFormat.setFont(headingFont);
  cursor.setBlockFormat(centred);
  cursor.insertText(heading, headingFormat);
  QTextCharFormat subheadingFormat;
  subheadingFormat.setFont(subheadingFont);
  cursor.insertBlock(centred);
  cursor.insertText(subheading, subheadingFormat);
  cursor.insertBlock(centred);  // a blank line under the heading

  QTextBlockFormat plain;
  plain.setAlignment(Qt::AlignLeft);
  QTextCharFormat body;
  body.setFont(mono);
  for (const std::string& line : lines) {
    cursor.insertBlock(plain, body);
    cursor.insertText(QString::fromStdString(line), body);
  }
  return document;
}

void PrintReports(QPrinter& printer, const QString& heading, const QString& subheading,
                  const std::vector<std::string>& lines) {
  const double width =
      printer.pageLayout().paintRect(QPageLayout::Point).width() - 2.0 * kPrintMarginPoints;
  const auto document = ReportDocument(heading, subheading, lines, ReportPointSize(lines, width));
  // Laid out on the printer itself, page by page, with 2 cm margins.
  document->documentLayout()->setPaintDevice(&printer);
  document->setPageSize(QSizeF(printer.width(), printer.height()));
  QTextFrameFormat frame = document->rootFrame()->frameFormat();
  frame.setMargin(kPrintMarginPoints / 72.0 * printer.logicalDpiY());
  document->rootFrame()->setFrameFormat(frame);
  document->print(&printer);
}

}  // namespace tarnwick::ui
