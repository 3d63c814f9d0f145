// The cell grid of the report pane and the printed reports. A report lines up
// its figures on Tab columns counted in cells, a Chinese or full-width character
// taking two (core's DisplayColumns). Drawn as a run of text, the columns hold
// only in a face whose Latin letters are exactly half as wide as its Chinese
// characters; drawn here, every character stands at its column times the cell
// width, centred in its cells, whatever face the system supplies.
#pragma once

#include <QFontMetricsF>
#include <QHash>
#include <QPointF>
#include <QString>
#include <vector>

class QPaintDevice;
class QPainter;

namespace tarnwick::ui {

struct GridGlyph {
  QString text;    // one character; a surrogate pair stays together
  int column = 0;  // first cell, from 0
  int cells = 1;   // 1, or 2 for a character DisplayColumns counts as two
  double x = 0.0;  // left of the glyph from the start of the line: centred in its cells
};

// The grid of one face on one paint device.
class CellGrid {
 public:
  // Rounded to whole pixels for the screen, so every column starts on one.
  CellGrid(const QFont& font, const QPaintDevice* device, bool wholePixels);

  // The width of a cell: no Latin glyph of the face wider, nor half a Chinese one.
  double Cell() const { return cell_; }
  // The characters of `line` on the grid; blanks take their cells but are not drawn.
  std::vector<GridGlyph> LayOut(const QString& line) const;

 private:
  struct Placed {
    int cells = 1;
    double offset = 0.0;  // of the glyph within its cells
  };
  const Placed& Place(const QString& character) const;

  QFontMetricsF metrics_;
  bool wholePixels_;
  double cell_ = 0.0;
  // A report repeats a few dozen characters: each is measured once.
  mutable QHash<QString, Placed> placed_;
};

// Columns of a line: the cell after its last character.
int GridColumns(const std::vector<GridGlyph>& glyphs);

// Draws the glyphs of one line, its first cell's left edge at origin.x() and its
// baseline at origin.y(), in the painter's font and pen.
void DrawGridLine(QPainter& painter, const std::vector<GridGlyph>& glyphs, QPointF origin);

}  // namespace tarnwick::ui
