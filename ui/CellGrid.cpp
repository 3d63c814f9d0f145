#include "CellGrid.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <string_view>

#include "core/ResultPane.h"

namespace tarnwick::ui {

double CellWidth(const QFontMetricsF& metrics, bool wholePixels) {
  double cell = 0.0;
  for (char16_t c = 0x21; c < 0x7F; ++c) cell = std::max(cell, metrics.horizontalAdvance(QChar(c)));
  // 水 stands for the Chinese characters, Ｕ for the full-width signs.
  for (const char16_t c : {u'\u6C34', u'\uFF35'}) {
    cell = std::max(cell, 0.5 * metrics.horizontalAdvance(QChar(c)));
  }
  return wholePixels ? std::ceil(cell - 1e-6) : cell;
}

std::vector<GridGlyph> LayOutOnGrid(const QString& line, const QFontMetricsF& metrics,
                                    double cell, bool wholePixels) {
  std::vector<GridGlyph> glyphs;
  int column = 0;
  for (qsizetype k = 0; k < line.size();) {
    const qsizetype length = line.at(k).isHighSurrogate() && k + 1 < line.size() ? 2 : 1;
    GridGlyph g;
    g.text = line.mid(k, length);
    const QByteArray utf8 = g.text.toUtf8();
    g.cells = DisplayColumns(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
    g.column = column;
    double offset = 0.5 * (g.cells * cell - metrics.horizontalAdvance(g.text));
    if (wholePixels) offset = std::round(offset);
    g.x = column * cell + std::max(0.0, offset);
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
