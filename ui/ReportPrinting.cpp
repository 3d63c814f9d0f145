#include "ReportPrinting.h"

#include <QPrinter>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include "WindowDecor.h"

namespace tarnwick::ui {

void PrintReports(QPrinter& printer, const QString& heading, const QString& subheading,
                  const std::vector<std::string>& lines) {
  // The pane face at a print size: 10 pt keeps an 80-column report line inside
  // an A4 page, every Latin cell still exactly half a Chinese one.
  QFont mono = PaneFont();
  mono.setPointSizeF(10.0);
  QFont headingFont(QStringLiteral("Noto Sans CJK SC"));
  headingFont.setPointSizeF(15.0);
  headingFont.setBold(true);
  QFont subheadingFont = headingFont;
  subheadingFont.setPointSizeF(12.0);

  QTextDocument document;
  document.setDefaultFont(mono);
  QTextOption noWrap = document.defaultTextOption();
  noWrap.setWrapMode(QTextOption::NoWrap);
  document.setDefaultTextOption(noWrap);

  QTextCursor cursor(&document);
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
  document.print(&printer);
}

}  // namespace tarnwick::ui
