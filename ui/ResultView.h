// Picture1, the output pane of a calculation window: the report lines of the
// window's ResultPane on white, every character at its column of a cell grid
// (CellGrid.h), so the Tab columns of the reports line up in whatever face is
// found. Read only, without a text cursor; the text can be selected with the
// mouse or Ctrl+A and copied with Ctrl+C or the context menu.
#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <memory>
#include <string>
#include <vector>

#include "CellGrid.h"

class QMenu;

namespace tarnwick::ui {

class ResultView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit ResultView(QWidget* parent = nullptr);

  // Appends lines[from..] and scrolls so the newest line is in view.
  void AppendLines(const std::vector<std::string>& lines, std::size_t from);
  void ClearLines();
  // The shown text, each line ended by '\n' (empty when nothing is shown).
  QString ShownText() const;
  // The shown lines joined by '\n'.
  QString toPlainText() const;
  int ShownLineCount() const { return static_cast<int>(lines_.size()); }

  QString SelectedText() const;
  void selectAll();
  void copy() const;
  // Copy and Select All, in Qt's own (translated) words.
  QMenu* CreateContextMenu();

  // The pane face (the widget's font) at a pixel size; the grid follows the face.
  void SetPixelSize(int pixels);
  double CellWidth() const { return cell_; }
  int LinePitch() const { return pitch_; }
  // The line pitch of the pane face at a pixel size.
  static int LinePitchAt(int pixels);
  // Whole lines the viewport shows.
  int VisibleLineCount() const;
  // Height of the pane (frame included) that shows `lines` whole lines.
  int HeightFor(int lines) const;
  // Twelve lines of 80 columns.
  QSize sizeHint() const override;

 protected:
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  struct Line {
    QString text;
    std::vector<GridGlyph> glyphs;
  };
  // A place between characters: before glyph `index` of line `line`.
  struct Place {
    int line = 0;
    int index = 0;
    auto operator<=>(const Place&) const = default;
  };

  void Relayout();
  void UpdateScrollBars();
  Place PlaceAt(QPoint point) const;
  bool HasSelection() const { return anchor_ != cursor_; }
  void PaintSelection(QPainter& painter, int line, int y) const;

  std::unique_ptr<CellGrid> grid_;
  double cell_ = 8.0;
  int pitch_ = 20;
  int ascent_ = 16;
  int widestColumns_ = 0;
  std::vector<Line> lines_;
  Place anchor_;
  Place cursor_;
  bool selecting_ = false;
};

}  // namespace tarnwick::ui
