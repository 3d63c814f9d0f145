#include "CellGrid.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <string_view>

#include "core/ResultPane.h"

namespace tarnwick::ui {

CellGrid::CellGrid(const QFont& font, const QPaintDevice* device, bool wholePixels)
    : metrics_(font, device), wholePixels_(wholePixels) {
  for (char16_t c = 0x21; c < 0x7F; ++c) {
    cell_ = std::max(cell_, metrics_.horizontalAdvance(QChar(c)));
  }
  // 水 stands for the Chinese characters, Ｕ for the full-width signs.
  for (const char16_t c : {u'\u6C34', u'\uFF35'}) {
    cell_ = std::max(cell_, 0.5 * metrics_.horizontalAdvance(QChar(c)));
  }
  if (wholePixels_) cell_ = std::ceil(cell_ - 1e-6);
}

const CellGrid::Placed& CellGrid::Place(const QString& character) const {
  auto it = placed_.find(character);
  if (it != placed_.end()) return *it;
  Placed placed;
  const QByteArray utf8 = character.toUtf8();
  placed.cells =
      DisplayColumns(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
  placed.offset =
      std::max(0.0, 0.5 * (placed.cells * cell_ - metrics_.horizontalAdvance(character)));
  if (wholePixels_) placed.offset = std::round(placed.offset);
  return *placed_.insert(character, placed);
}

std::vector<GridGlyph> CellGrid::LayOut(const QString& line) const {
  std::vector<GridGlyph> glyphs;
  glyphs.reserve(static_cast<size_t>(line.size()));
  int column = 0;
  for (qsizetype k = 0; k < line.size();) {
    const qsizetype length = line.at(k).isHighSurrogate() && k + 1 < line.size() ? 2 : 1;
    GridGlyph g;
    g.text = line.mid(k, length);
    const Placed& placed = Place(g.text);
    g.cells = placed.cells;
    g.column = column;
    g.x = column * cell_ + placed.offset;
    column += g.cells;
    glyphs.push_back(std::move(g));
    k += length;
  }
  return glyphs;
}

int GridColumns(const std::vector<GridGlyph>& glyphs) {
  return glyphs.empty() ? 0 : glyphs.back().column + glyphs.back().cells;
}

void DrawGridLine(QPainter& painter, const std::vector<GridGlyph>& glyphs, QPointF origin) {
  for (const GridGlyph& g : glyphs) {
    if (g.text == QLatin1String(" ")) continue;
    painter.drawText(QPointF(origin.x() + g.x, origin.y()), g.text);
  }
}

}  // namespace tarnwick::ui
