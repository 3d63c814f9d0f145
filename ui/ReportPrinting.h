// Printing the reports of a calculation window: a heading (the project name and
// the result caption), then the pane's lines in the pane's CJK monospace face, so
// the report columns line up on paper as on screen.
#pragma once

#include <QString>
#include <string>
#include <vector>

class QPrinter;

namespace tarnwick::ui {

void PrintReports(QPrinter& printer, const QString& heading, const QString& subheading,
                  const std::vector<std::string>& lines);

}  // namespace tarnwick::ui
