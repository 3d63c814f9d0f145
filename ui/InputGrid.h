// The input boxes of a calculation window laid out from its table row: a label,
// the box and its unit in each cell of a grid. Boxes the table groups into rows
// (one per part of a compound section) stand in those rows, like quantities of
// the parts one under another; the others flow in reading order.
#pragma once

#include <vector>

#include "sections/Checks.h"
#include "sections/WindowCatalog.h"

class QGridLayout;
class QLineEdit;
class QWidget;

namespace tarnwick::ui {

struct InputGrid {
  QGridLayout* layout = nullptr;
  std::vector<QLineEdit*> boxes;  // in the table's order, which is the Tab order
};

InputGrid BuildInputGrid(const std::vector<BoxSpec>& boxes, QWidget* frame);

// Marks each box a failed check names (Check::box, the box's symbol or name) with
// a red frame and the check's text as its tool tip, and restores every other box
// to its table tool tip; all from the checks and the table, for any window.
void MarkFaultyBoxes(const std::vector<BoxSpec>& descriptions, const std::vector<QLineEdit*>& boxes,
                     const std::vector<Check>& checks);

}  // namespace tarnwick::ui
