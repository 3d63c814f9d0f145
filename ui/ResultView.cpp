#include "ResultView.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "WindowDecor.h"

namespace tarnwick::ui {

namespace {

// Room between the frame and the first cell and line.
constexpr int kMargin = 4;

}  // namespace

ResultView::ResultView(QWidget* parent) : QAbstractScrollArea(parent) {
  setFont(PaneFont());
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setCursor(Qt::IBeamCursor);
  QPalette pal = palette();
  pal.setColor(QPalette::Base, Qt::white);
  pal.setColor(QPalette::Text, Qt::black);
  setPalette(pal);
  viewport()->setAutoFillBackground(true);
  viewport()->setBackgroundRole(QPalette::Base);
  Relayout();
}

int ResultView::LinePitchAt(int pixels) {
  // The ideographic em square and a quarter em between lines: Latin descenders
  // stay clear of the next line, and the pitch does not follow the face's own
  // (often generous) line spacing, so the pane shows the same lines in any face.
  return static_cast<int>(std::ceil(1.25 * pixels));
}

void ResultView::SetPixelSize(int pixels) {
  QFont face = font();
  face.setPixelSize(pixels);
  setFont(face);
}

void ResultView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) Relayout();
}

void ResultView::Relayout() {
  const int em = QFontInfo(font()).pixelSize();
  grid_ = std::make_unique<CellGrid>(font(), viewport(), true);
  cell_ = grid_->Cell();
  pitch_ = LinePitchAt(em);
  // The em square centred in the pitch; its baseline 0.88 em below its top.
  ascent_ = static_cast<int>(std::lround(0.5 * (pitch_ - em) + 0.88 * em));
  widestColumns_ = 0;
  for (Line& line : lines_) {
    line.glyphs = grid_->LayOut(line.text);
    widestColumns_ = std::max(widestColumns_, GridColumns(line.glyphs));
  }
  UpdateScrollBars();
  updateGeometry();
  viewport()->update();
}

int ResultView::VisibleLineCount() const {
  return std::max(0, (viewport()->height() - 2 * kMargin) / pitch_);
}

int ResultView::HeightFor(int lines) const {
  return lines * pitch_ + 2 * kMargin + 2 * frameWidth();
}

QSize ResultView::sizeHint() const {
  const int scrollBar = verticalScrollBar()->sizeHint().width();
  return {static_cast<int>(std::ceil(80 * cell_)) + 2 * kMargin + 2 * frameWidth() + scrollBar,
          HeightFor(12)};
}

void ResultView::UpdateScrollBars() {
  const int shown = std::max(1, VisibleLineCount());
  verticalScrollBar()->setRange(0, std::max(0, ShownLineCount() - shown));
  verticalScrollBar()->setPageStep(shown);
  verticalScrollBar()->setSingleStep(1);
  const int width = static_cast<int>(std::ceil(widestColumns_ * cell_)) + 2 * kMargin;
  horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
  horizontalScrollBar()->setPageStep(viewport()->width());
  horizontalScrollBar()->setSingleStep(static_cast<int>(cell_));
}

void ResultView::AppendLines(const std::vector<std::string>& lines, std::size_t from) {
  if (from >= lines.size()) return;
  for (std::size_t k = from; k < lines.size(); ++k) {
    Line line{QString::fromStdString(lines[k]), {}};
    line.glyphs = grid_->LayOut(line.text);
    widestColumns_ = std::max(widestColumns_, GridColumns(line.glyphs));
    lines_.push_back(std::move(line));
  }
  UpdateScrollBars();
  // Keep the newest report in view: the pane ends on its last line.
  verticalScrollBar()->setValue(verticalScrollBar()->maximum());
  viewport()->update();
}

void ResultView::ClearLines() {
  lines_.clear();
  widestColumns_ = 0;
  anchor_ = cursor_ = Place{};
  UpdateScrollBars();
  viewport()->update();
}

QString ResultView::toPlainText() const {
  QStringList texts;
  for (const Line& line : lines_) texts << line.text;
  return texts.join(QLatin1Char('\n'));
}

QString ResultView::ShownText() const {
  if (lines_.empty()) return QString();
  return toPlainText() + QLatin1Char('\n');
}

QString ResultView::SelectedText() const {
  const Place from = std::min(anchor_, cursor_);
  const Place to = std::max(anchor_, cursor_);
  QString text;
  for (int k = from.line; k <= to.line && k < ShownLineCount(); ++k) {
    const std::vector<GridGlyph>& glyphs = lines_[static_cast<std::size_t>(k)].glyphs;
    const int first = k == from.line ? from.index : 0;
    const int last = k == to.line ? to.index : static_cast<int>(glyphs.size());
    if (k > from.line) text += QLatin1Char('\n');
    for (int i = first; i < last; ++i) text += glyphs[static_cast<std::size_t>(i)].text;
  }
  return text;
}

void ResultView::selectAll() {
  if (lines_.empty()) return;
  anchor_ = Place{};
  cursor_ = Place{ShownLineCount() - 1, static_cast<int>(lines_.back().glyphs.size())};
  viewport()->update();
}

void ResultView::copy() const {
  if (HasSelection()) QApplication::clipboard()->setText(SelectedText());
}

QMenu* ResultView::CreateContextMenu() {
  auto* menu = new QMenu(this);
  // The words of Qt's own text boxes, so the pane's menu reads like theirs.
  const auto caption = [](const char* text, QKeySequence::StandardKey key) {
    return QCoreApplication::translate("QWidgetTextControl", text) + QLatin1Char('\t') +
           QKeySequence(key).toString(QKeySequence::NativeText);
  };
  QAction* copyAction = menu->addAction(caption("&Copy", QKeySequence::Copy));
  copyAction->setEnabled(HasSelection());
  connect(copyAction, &QAction::triggered, this, &ResultView::copy);
  menu->addSeparator();
  QAction* all = menu->addAction(caption("Select All", QKeySequence::SelectAll));
  all->setEnabled(!lines_.empty());
  connect(all, &QAction::triggered, this, &ResultView::selectAll);
  return menu;
}

void ResultView::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = CreateContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

ResultView::Place ResultView::PlaceAt(QPoint point) const {
  if (lines_.empty()) return Place{};
  const int row = static_cast<int>(std::floor((point.y() - kMargin) / double(pitch_)));
  const int line = std::clamp(verticalScrollBar()->value() + row, 0, ShownLineCount() - 1);
  const double column = (point.x() + horizontalScrollBar()->value() - kMargin) / cell_;
  const std::vector<GridGlyph>& glyphs = lines_[static_cast<std::size_t>(line)].glyphs;
  int index = 0;
  // Before the character whose middle is right of the point.
  while (index < static_cast<int>(glyphs.size()) &&
         glyphs[static_cast<std::size_t>(index)].column +
                 0.5 * glyphs[static_cast<std::size_t>(index)].cells <=
             column) {
    ++index;
  }
  return Place{line, index};
}

void ResultView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
  cursor_ = PlaceAt(event->position().toPoint());
  if (!(event->modifiers() & Qt::ShiftModifier)) anchor_ = cursor_;
  selecting_ = true;
  viewport()->update();
}

void ResultView::mouseMoveEvent(QMouseEvent* event) {
  if (!selecting_) return QAbstractScrollArea::mouseMoveEvent(event);
  const QPoint point = event->position().toPoint();
  // Dragged past the top or bottom, the pane scrolls with the selection.
  if (point.y() < 0) verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
  if (point.y() > viewport()->height()) {
    verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  }
  cursor_ = PlaceAt(point);
  viewport()->update();
}

void ResultView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mouseReleaseEvent(event);
  selecting_ = false;
  QClipboard* clipboard = QApplication::clipboard();
  if (HasSelection() && clipboard->supportsSelection()) {
    clipboard->setText(SelectedText(), QClipboard::Selection);
  }
}

// A double click selects the figure or word under the mouse: the run of
// characters between blanks.
void ResultView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || lines_.empty()) return;
  const Place at = PlaceAt(event->position().toPoint());
  const std::vector<GridGlyph>& glyphs = lines_[static_cast<std::size_t>(at.line)].glyphs;
  const auto blank = [&glyphs](int i) {
    return glyphs[static_cast<std::size_t>(i)].text == QLatin1String(" ");
  };
  int first = std::min(at.index, static_cast<int>(glyphs.size()) - 1);
  if (first < 0 || blank(first)) return;
  int last = first;
  while (first > 0 && !blank(first - 1)) --first;
  while (last < static_cast<int>(glyphs.size()) && !blank(last)) ++last;
  anchor_ = Place{at.line, first};
  cursor_ = Place{at.line, last};
  viewport()->update();
}

void ResultView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    copy();
  } else if (event->matches(QKeySequence::SelectAll)) {
    selectAll();
  } else if (event->matches(QKeySequence::MoveToStartOfDocument)) {
    verticalScrollBar()->setValue(0);
  } else if (event->matches(QKeySequence::MoveToEndOfDocument)) {
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
  } else {
    // Arrows and page keys scroll; anything else (Enter) goes to the window.
    QAbstractScrollArea::keyPressEvent(event);
  }
}

void ResultView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  const bool atEnd = verticalScrollBar()->value() == verticalScrollBar()->maximum();
  UpdateScrollBars();
  if (atEnd) verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void ResultView::PaintSelection(QPainter& painter, int line, int y) const {
  const Place from = std::min(anchor_, cursor_);
  const Place to = std::max(anchor_, cursor_);
  if (!HasSelection() || line < from.line || line > to.line) return;
  const std::vector<GridGlyph>& glyphs = lines_[static_cast<std::size_t>(line)].glyphs;
  const int first = line == from.line ? from.index : 0;
  const int last = line == to.line ? to.index : static_cast<int>(glyphs.size());
  const auto columnOf = [&glyphs](int i) {
    return i < static_cast<int>(glyphs.size()) ? glyphs[static_cast<std::size_t>(i)].column
                                               : GridColumns(glyphs);
  };
  // A selection running on past the end of a line takes one cell for the break.
  const int endColumn = columnOf(last) + (line < to.line ? 1 : 0);
  const double x0 = kMargin - horizontalScrollBar()->value();
  painter.fillRect(
      QRectF(x0 + columnOf(first) * cell_, y, (endColumn - columnOf(first)) * cell_, pitch_),
      palette().color(QPalette::Highlight));
}

void ResultView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.setFont(font());
  const int first = verticalScrollBar()->value();
  const int count = viewport()->height() / pitch_ + 2;
  const double x0 = kMargin - horizontalScrollBar()->value();
  const Place from = std::min(anchor_, cursor_);
  const Place to = std::max(anchor_, cursor_);
  for (int k = first; k < std::min(ShownLineCount(), first + count); ++k) {
    const int y = kMargin + (k - first) * pitch_;
    PaintSelection(painter, k, y);
    const bool selected = HasSelection() && k >= from.line && k <= to.line;
    painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
    if (!selected) {
      DrawGridLine(painter, lines_[static_cast<std::size_t>(k)].glyphs, QPointF(x0, y + ascent_));
      continue;
    }
    // Characters inside the selection in the highlighted colour, the rest plain.
    const std::vector<GridGlyph>& glyphs = lines_[static_cast<std::size_t>(k)].glyphs;
    const int a = k == from.line ? from.index : 0;
    const int b = k == to.line ? to.index : static_cast<int>(glyphs.size());
    const auto part = [&glyphs](int i, int j) {
      return std::vector<GridGlyph>(glyphs.begin() + i, glyphs.begin() + j);
    };
    const int n = static_cast<int>(glyphs.size());
    DrawGridLine(painter, part(std::min(a, b), std::min(b, n)), QPointF(x0, y + ascent_));
    painter.setPen(palette().color(QPalette::Text));
    DrawGridLine(painter, part(0, std::min(a, n)), QPointF(x0, y + ascent_));
    DrawGridLine(painter, part(std::min(b, n), n), QPointF(x0, y + ascent_));
  }
}

}  // namespace tarnwick::ui
