#include "ResultView.h"

#include <QTextCursor>

#include "WindowDecor.h"

namespace tarnwick::ui {

ResultView::ResultView(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setWordWrapMode(QTextOption::NoWrap);
  setFont(PaneFont());
  setUndoRedoEnabled(false);
  QPalette pal = palette();
  pal.setColor(QPalette::Base, Qt::white);
  pal.setColor(QPalette::Text, Qt::black);
  setPalette(pal);
}

void ResultView::AppendLines(const std::vector<std::string>& lines, std::size_t from) {
  if (from >= lines.size()) return;
  QString text;
  for (std::size_t k = from; k < lines.size(); ++k) {
    if (k > from) text += QLatin1Char('\n');
    text += QString::fromStdString(lines[k]);
  }
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  cursor.beginEditBlock();
  if (shownLines_ > 0) cursor.insertBlock();
  cursor.insertText(text);
  cursor.endEditBlock();
  shownLines_ += static_cast<int>(lines.size() - from);
  // Keep the newest report in view: the pane ends on its last line.
  moveCursor(QTextCursor::End);
  ensureCursorVisible();
}

void ResultView::ClearLines() {
  clear();
  shownLines_ = 0;
}

QString ResultView::ShownText() const {
  if (shownLines_ == 0) return QString();
  return toPlainText() + QLatin1Char('\n');
}

}  // namespace tarnwick::ui
