// The calculation book from the command line. The book is laid out and painted
// by tarnwick-book, the desktop build's headless writer installed beside
// tarnwick-calc; the command stays free of any window library and hands the
// cases over on the writer's standard input.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "sections/Checks.h"
#include "sections/WindowCatalog.h"

namespace tarnwick {

// Writes the book of `cases` (box texts each) of `window` to `path`. False, with
// one line on `err`, when no book was written.
// The checks in the book are made against `limits`.
bool WriteBook(const std::string& path, const std::string& project, const WindowSpec& window,
               const std::vector<std::vector<std::string>>& cases, const CheckLimits& limits,
               std::ostream& err);

}  // namespace tarnwick
