#include "ReportPrinting.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "WindowDecor.h"
#include "core/ResultPane.h"

namespace tarnwick::ui {

namespace {

// 2 cm clear on every side of the page.
constexpr double kMarginInches = 2.0 / 2.54;

double PointsToPixels(double points, const QPaintDevice& device) {
  return points / 72.0 * device.logicalDpiY();
}

}  // namespace

double ReportPointSize(const std::vector<std::string>& lines, double width, double cellEm) {
  int columns = 1;
  for (const std::string& line : lines) columns = std::max(columns, DisplayColumns(line));
  const double fits = width / (cellEm * columns);
  return std::max(4.0, std::min(10.0, std::floor(fits * 2.0) / 2.0));
}

ReportSheet::ReportSheet(const QString& heading, const QString& subheading,
                         const std::vector<std::string>& lines, double pointSize,
                         QPaintDevice& device, const QRectF& area)
    : heading_(heading), subheading_(subheading), body_(PaneFont()), area_(area) {
  body_.setPointSizeF(pointSize);
  headingFont_ = QFont(CjkFace());
  headingFont_.setPointSizeF(15.0);
  headingFont_.setBold(true);
  subheadingFont_ = headingFont_;
  subheadingFont_.setPointSizeF(12.0);
  headingHeight_ = QFontMetricsF(headingFont_, &device).lineSpacing();
  subheadingHeight_ = QFontMetricsF(subheadingFont_, &device).lineSpacing();

  // The pane's grid and pitch, at the printer's resolution and unrounded.
  const CellGrid grid(body_, &device, false);
  const double em = PointsToPixels(pointSize, device);
  cell_ = grid.Cell();
  pitch_ = 1.25 * em;
  ascent_ = 0.5 * (pitch_ - em) + 0.88 * em;
  for (const std::string& line : lines) {
    lines_.push_back(grid.LayOut(QString::fromStdString(line)));
  }

  const auto fits = [this](double height) {
    return std::max<std::size_t>(1, static_cast<std::size_t>(std::floor(height / pitch_)));
  };
  std::size_t start = 0;
  double room = area_.height() - HeaderHeight();
  do {
    pageStarts_.push_back(start);
    start += fits(room);
    room = area_.height();
  } while (start < lines_.size());
}

double ReportSheet::HeaderHeight() const {
  return headingHeight_ + subheadingHeight_ + pitch_;  // a blank line under the heading
}

void ReportSheet::PaintPage(QPainter& painter, int page) const {
  if (page < 0 || page >= PageCount()) return;
  painter.save();
  painter.setPen(Qt::black);
  double y = area_.top();
  if (page == 0) {
    painter.setFont(headingFont_);
    painter.drawText(QRectF(area_.left(), y, area_.width(), headingHeight_),
                     Qt::AlignHCenter | Qt::AlignTop, heading_);
    y += headingHeight_;
    painter.setFont(subheadingFont_);
    painter.drawText(QRectF(area_.left(), y, area_.width(), subheadingHeight_),
                     Qt::AlignHCenter | Qt::AlignTop, subheading_);
    y = area_.top() + HeaderHeight();
  }
  const auto p = static_cast<std::size_t>(page);
  const std::size_t end = p + 1 < pageStarts_.size() ? pageStarts_[p + 1] : lines_.size();
  painter.setFont(body_);
  for (std::size_t k = pageStarts_[p]; k < end; ++k, y += pitch_) {
    DrawGridLine(painter, lines_[k], QPointF(area_.left(), y + ascent_));
  }
  painter.restore();
}

void PrintReports(QPrinter& printer, const QString& heading, const QString& subheading,
                  const std::vector<std::string>& lines) {
  const double margin = kMarginInches * printer.logicalDpiY();
  const QRectF area(margin, margin, printer.width() - 2.0 * margin,
                    printer.height() - 2.0 * margin);
  // The cell of the face the printer gets, in em, to size the print to the page.
  QFont probe = PaneFont();
  probe.setPointSizeF(10.0);
  const double cellEm = CellGrid(probe, &printer, false).Cell() / PointsToPixels(10.0, printer);
  const double widthPoints = area.width() / printer.logicalDpiX() * 72.0;
  const ReportSheet sheet(heading, subheading, lines, ReportPointSize(lines, widthPoints, cellEm),
                          printer, area);
  QPainter painter(&printer);
  for (int page = 0; page < sheet.PageCount(); ++page) {
    if (page > 0) printer.newPage();
    sheet.PaintPage(painter, page);
  }
}

}  // namespace tarnwick::ui
