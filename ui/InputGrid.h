// The input boxes of a calculation window laid out from its table row: a label,
// the box and its unit in each cell of a grid. Boxes the table groups into rows
// (one per part of a compound section) stand in those rows, like quantities of
// the parts one under another; the others flow in reading order.
#pragma once

#include <vector>

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

}  // namespace tarnwick::ui
