// Picture1, the output pane of a calculation window: the report lines of the
// window's ResultPane on white, in a monospace face where every non-ASCII
// character takes exactly two Latin cells, so the Tab columns of the report
// line up. Read only; the text can be selected and copied.
#pragma once

#include <QPlainTextEdit>
#include <string>
#include <vector>

namespace tarnwick::ui {

class ResultView : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit ResultView(QWidget* parent = nullptr);

  // Appends lines[from..] and scrolls so the newest line is in view.
  void AppendLines(const std::vector<std::string>& lines, std::size_t from);
  void ClearLines();
  // The shown text, each line ended by '\n' (empty when nothing is shown).
  QString ShownText() const;
  int ShownLineCount() const { return shownLines_; }

 private:
  int shownLines_ = 0;
};

}  // namespace tarnwick::ui
