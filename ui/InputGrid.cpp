#include "InputGrid.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <map>
#include <set>
#include <string>

namespace tarnwick::ui {

namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

struct Cell {
  int row = 0;
  int slot = 0;  // label, box and unit column triple
};

// "B2" -> "B": the quantity a box holds, whichever part of the section it is for.
std::string_view Stem(std::string_view symbol) {
  while (!symbol.empty() && symbol.back() >= '0' && symbol.back() <= '9') symbol.remove_suffix(1);
  return symbol;
}

// Boxes without a row flow left to right and then down, three to a row in the
// wide windows so they stay short. Boxes with a row stand in it; a box holding
// the quantity of a box in an earlier row goes under that box, the others take
// the next free places.
std::vector<Cell> Cells(const std::vector<BoxSpec>& boxes) {
  const bool grouped =
      std::any_of(boxes.begin(), boxes.end(), [](const BoxSpec& b) { return b.row >= 0; });
  std::vector<Cell> cells;
  if (!grouped) {
    const int columns = boxes.size() >= 9 ? 3 : 2;
    for (std::size_t k = 0; k < boxes.size(); ++k) {
      cells.push_back({static_cast<int>(k) / columns, static_cast<int>(k) % columns});
    }
    return cells;
  }
  int lastRow = 0;
  for (const BoxSpec& b : boxes) lastRow = std::max(lastRow, b.row);
  std::map<std::string_view, int> slotOfStem;
  std::map<int, std::set<int>> taken;
  for (const BoxSpec& b : boxes) {
    const int row = b.row >= 0 ? b.row : lastRow + 1;
    const std::string_view stem = Stem(b.symbol);
    int slot = 0;
    const auto known = slotOfStem.find(stem);
    if (!stem.empty() && known != slotOfStem.end() && !taken[row].contains(known->second)) {
      slot = known->second;
    } else {
      while (taken[row].contains(slot)) ++slot;
    }
    taken[row].insert(slot);
    if (!stem.empty()) slotOfStem.emplace(stem, slot);
    cells.push_back({row, slot});
  }
  return cells;
}

// The label, with the hint under it when the box has one.
QWidget* LabelCell(const BoxSpec& entry, QLineEdit* box, QWidget* frame) {
  auto* label = new QLabel(Q(entry.label), frame);
  label->setBuddy(box);
  if (entry.hint.empty()) return label;
  auto* cell = new QWidget(frame);
  auto* stack = new QVBoxLayout(cell);
  stack->setContentsMargins(0, 0, 0, 0);
  stack->setSpacing(0);
  label->setParent(cell);
  stack->addWidget(label);
  auto* hint = new QLabel(Q(entry.hint), cell);
  QFont small = hint->font();
  small.setPointSizeF(small.pointSizeF() * 0.85);
  hint->setFont(small);
  stack->addWidget(hint);
  return cell;
}

}  // namespace

InputGrid BuildInputGrid(const std::vector<BoxSpec>& boxes, QWidget* frame) {
  InputGrid grid;
  grid.layout = new QGridLayout;
  const std::vector<Cell> cells = Cells(boxes);
  for (std::size_t k = 0; k < boxes.size(); ++k) {
    const BoxSpec& entry = boxes[k];
    auto* box = new QLineEdit(frame);
    box->setObjectName(Q(entry.name));
    box->setMinimumWidth(90);
    if (!entry.toolTip.empty()) box->setToolTip(Q(entry.toolTip));
    const int column = cells[k].slot * 3;
    grid.layout->addWidget(LabelCell(entry, box, frame), cells[k].row, column,
                           Qt::AlignRight | Qt::AlignVCenter);
    grid.layout->addWidget(box, cells[k].row, column + 1);
    if (!entry.unit.empty()) {
      auto* unit = new QLabel(Q(entry.unit), frame);
      unit->setObjectName(Q(entry.name) + QStringLiteral("Unit"));
      unit->setBuddy(box);
      grid.layout->addWidget(unit, cells[k].row, column + 2, Qt::AlignLeft | Qt::AlignVCenter);
    }
    grid.boxes.push_back(box);
  }
  // Room for the widest unit of the window and a gap before the next label, in
  // every slot, so the slots of all rows line up.
  int unitColumn = 0;
  for (const BoxSpec& entry : boxes) {
    unitColumn = std::max(unitColumn, frame->fontMetrics().horizontalAdvance(Q(entry.unit)));
  }
  unitColumn += 14;
  for (const Cell& cell : cells) grid.layout->setColumnMinimumWidth(cell.slot * 3 + 2, unitColumn);
  return grid;
}

void MarkFaultyBoxes(const std::vector<BoxSpec>& descriptions, const std::vector<QLineEdit*>& boxes,
                     const std::vector<Check>& checks) {
  for (std::size_t k = 0; k < descriptions.size() && k < boxes.size(); ++k) {
    const BoxSpec& described = descriptions[k];
    QStringList faults;
    for (const Check& c : checks) {
      if (c.status != CheckStatus::Fail || c.box.empty()) continue;
      if (c.box == described.symbol || c.box == described.name)
        faults << QString::fromStdString(c.text);
    }
    QLineEdit* box = boxes[k];
    box->setProperty("fault", !faults.isEmpty());
    box->setStyleSheet(
        faults.isEmpty() ? QString() : QStringLiteral("QLineEdit { border: 2px solid #c80000; }"));
    box->setToolTip(faults.isEmpty() ? Q(described.toolTip) : faults.join(QLatin1Char('\n')));
  }
}

}  // namespace tarnwick::ui
