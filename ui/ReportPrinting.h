// Printing the reports of a calculation window: a heading (the project name and
// the result caption), then the pane's lines in the pane's CJK monospace face, so
// the report columns line up on paper as on screen.
#pragma once

#include <QString>
#include <memory>
#include <string>
#include <vector>

class QPrinter;
class QTextDocument;

namespace tarnwick::ui {

// The printed document: heading, subheading, a blank line, then one block per
// report line in the pane face at `pointSize`.
std::unique_ptr<QTextDocument> ReportDocument(const QString& heading, const QString& subheading,
                                             const std::vector<std::string>& lines,
                                             double pointSize);

// The largest print size up to 10 pt at which the longest line fits `width`
// points, in steps of half a point.
double ReportPointSize(const std::vector<std::string>& lines, double width);

void PrintReports(QPrinter& printer, const QString& heading, const QString& subheading,
                  const std::vector<std::string>& lines);

}  // namespace tarnwick::ui
