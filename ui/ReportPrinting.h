// Printing the reports of a calculation window: a heading (the project name and
// the result caption), then the pane's lines on the pane's cell grid
// (CellGrid.h), so the report columns line up on paper as on screen, in
// whatever face the printer's fonts supply.
#pragma once

#include <QFont>
#include <QRectF>
#include <QString>
#include <string>
#include <vector>

#include "CellGrid.h"

class QPaintDevice;
class QPainter;
class QPrinter;

namespace tarnwick::ui {

// The printed pages laid out for one paint device (a printer, or an image): the
// heading and subheading over the first page, a blank line, then the report
// lines page after page inside `area` (device pixels).
class ReportSheet {
 public:
  ReportSheet(const QString& heading, const QString& subheading,
              const std::vector<std::string>& lines, double pointSize, QPaintDevice& device,
              const QRectF& area);

  int PageCount() const { return static_cast<int>(pageStarts_.size()); }
  void PaintPage(QPainter& painter, int page) const;
  double CellWidth() const { return cell_; }   // device pixels
  double LinePitch() const { return pitch_; }  // device pixels

 private:
  double HeaderHeight() const;

  QString heading_;
  QString subheading_;
  QFont body_;
  QFont headingFont_;
  QFont subheadingFont_;
  QRectF area_;
  double cell_ = 0.0;
  double pitch_ = 0.0;
  double ascent_ = 0.0;
  double headingHeight_ = 0.0;
  double subheadingHeight_ = 0.0;
  std::vector<std::vector<GridGlyph>> lines_;
  std::vector<std::size_t> pageStarts_;  // first line of each page
};

// The largest print size up to 10 pt at which the longest line fits `width`
// points, in steps of half a point, for a face whose cell is `cellEm` em wide.
double ReportPointSize(const std::vector<std::string>& lines, double width, double cellEm = 0.5);

void PrintReports(QPrinter& printer, const QString& heading, const QString& subheading,
                  const std::vector<std::string>& lines);

}  // namespace tarnwick::ui
