// Printing the reports of a calculation window: a heading (the project name and
// the result caption), then each case's report on the pane's cell grid
// (CellGrid.h), so the report columns line up on paper as on screen, in
// whatever face the printer's fonts supply, followed by the case's checks. A
// case's block is kept on one page; every page bears the project name, its
// number "第 X 页 共 Y 页" and the date in its foot.
#pragma once

#include <QDate>
#include <QFont>
#include <QRectF>
#include <QString>
#include <span>
#include <string>
#include <vector>

#include "CellGrid.h"
#include "sections/CaseRecord.h"

class QPaintDevice;
class QPainter;
class QPrinter;

namespace tarnwick::ui {

// One printed line; from byte `alarmFrom` on, the verdict of a requirement not
// met, drawn in bold red as in the book.
struct PrintLine {
  std::string text;
  std::size_t alarmFrom = std::string::npos;
};
// The lines kept together on one page where a page holds them.
using PrintBlock = std::vector<PrintLine>;

// Each case's block: the lines its press printed, then "工程校核:" and its checks
// (requirement, value, verdict), a check longer than `columns` cells wrapped.
std::vector<PrintBlock> PrintBlocks(std::span<const CaseRecord> records, int columns = 72);

// The printed pages laid out for one paint device (a printer, or an image): the
// heading and subheading over the first page, a blank line, then the blocks
// page after page inside `area` (device pixels); a block that does not fit the
// rest of a page begins the next, one longer than a page runs on.
class ReportSheet {
 public:
  ReportSheet(const QString& heading, const QString& subheading,
              const std::vector<PrintBlock>& blocks, double pointSize, QPaintDevice& device,
              const QRectF& area);
  // Every line a block of its own: the lines run on from page to page.
  ReportSheet(const QString& heading, const QString& subheading,
              const std::vector<std::string>& lines, double pointSize, QPaintDevice& device,
              const QRectF& area);

  int PageCount() const { return static_cast<int>(pageStarts_.size()); }
  void PaintPage(QPainter& painter, int page) const;
  // The foot of a page under `area`: the project, 第 X 页 共 Y 页, the date.
  void PaintFoot(QPainter& painter, int page, const QString& project, const QDate& date) const;
  double CellWidth() const { return cell_; }   // device pixels
  double LinePitch() const { return pitch_; }  // device pixels

 private:
  double HeaderHeight() const;

  QString heading_;
  QString subheading_;
  QFont body_;
  QFont alarm_;
  QFont headingFont_;
  QFont subheadingFont_;
  QRectF area_;
  double cell_ = 0.0;
  double pitch_ = 0.0;
  double ascent_ = 0.0;
  double headingHeight_ = 0.0;
  double subheadingHeight_ = 0.0;
  std::vector<std::vector<GridGlyph>> lines_;
  std::vector<int> alarmColumns_;        // of each line; -1 where none
  std::vector<std::size_t> pageStarts_;  // first line of each page
};

// The largest print size up to 10 pt at which the longest line fits `width`
// points, in steps of half a point, for a face whose cell is `cellEm` em wide.
double ReportPointSize(const std::vector<std::string>& lines, double width, double cellEm = 0.5);

void PrintReports(QPrinter& printer, const QString& heading, const QString& subheading,
                  const std::vector<PrintBlock>& blocks, const QDate& date = QDate::currentDate());
void PrintReports(QPrinter& printer, const QString& heading, const QString& subheading,
                  const std::vector<std::string>& lines);

}  // namespace tarnwick::ui
