#include "ReportPrinting.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>
#include <optional>

#include "BookParts.h"
#include "WindowDecor.h"
#include "core/ResultPane.h"

namespace tarnwick::ui {

namespace {

// 2 cm clear on every side of the page.
constexpr double kMarginInches = 2.0 / 2.54;

double PointsToPixels(double points, const QPaintDevice& device) {
  return points / 72.0 * device.logicalDpiY();
}

// `text` cut into lines of at most `columns` cells, a character never split.
std::vector<std::string> Wrapped(const std::string& text, int columns) {
  std::vector<std::string> lines(1);
  int used = 0;
  const QString all = QString::fromStdString(text);
  for (qsizetype k = 0; k < all.size(); ++k) {
    QString ch(all[k]);
    if (all[k].isHighSurrogate() && k + 1 < all.size()) ch += all[++k];
    const std::string utf8 = ch.toStdString();
    const int width = DisplayColumns(utf8);
    if (used + width > columns && used > 0) {
      lines.emplace_back("    ");  // a continued check stands indented under its start
      used = 4;
    }
    lines.back() += utf8;
    used += width;
  }
  return lines;
}

PrintBlock BlockOf(const CaseRecord& record, int columns) {
  PrintBlock block;
  for (const std::string& line : record.printed) block.push_back({line});
  if (!record.IsReport() || record.checks.empty()) return block;
  block.push_back({"工程校核:"});
  for (const Check& check : record.checks) {
    const std::string verdict(StatusText(check.status));
    std::string body = check.text;
    if (body.size() > verdict.size() &&
        body.compare(body.size() - verdict.size(), verdict.size(), verdict) == 0) {
      body.erase(body.size() - verdict.size());
    }
    while (!body.empty() && body.back() == ' ') body.pop_back();
    std::vector<std::string> lines = Wrapped("  " + body, columns);
    for (std::size_t k = 0; k + 1 < lines.size(); ++k) block.push_back({lines[k]});
    PrintLine last{lines.back() + " "};
    if (check.status == CheckStatus::Fail) last.alarmFrom = last.text.size();
    last.text += verdict;
    block.push_back(std::move(last));
  }
  return block;
}

}  // namespace

std::vector<PrintBlock> PrintBlocks(std::span<const CaseRecord> records, int columns) {
  std::vector<PrintBlock> blocks;
  for (const CaseRecord& record : records) blocks.push_back(BlockOf(record, columns));
  return blocks;
}

double ReportPointSize(const std::vector<std::string>& lines, double width, double cellEm) {
  int columns = 1;
  for (const std::string& line : lines) columns = std::max(columns, DisplayColumns(line));
  const double fits = width / (cellEm * columns);
  return std::max(4.0, std::min(10.0, std::floor(fits * 2.0) / 2.0));
}

namespace {

std::vector<PrintBlock> LinesAsBlocks(const std::vector<std::string>& lines) {
  std::vector<PrintBlock> blocks;
  for (const std::string& line : lines) blocks.push_back({{line}});
  return blocks;
}

}  // namespace

ReportSheet::ReportSheet(const QString& heading, const QString& subheading,
                         const std::vector<std::string>& lines, double pointSize,
                         QPaintDevice& device, const QRectF& area)
    : ReportSheet(heading, subheading, LinesAsBlocks(lines), pointSize, device, area) {}

ReportSheet::ReportSheet(const QString& heading, const QString& subheading,
                         const std::vector<PrintBlock>& blocks, double pointSize,
                         QPaintDevice& device, const QRectF& area)
    : heading_(heading), subheading_(subheading), body_(PaneFont()), area_(area) {
  body_.setPointSizeF(pointSize);
  alarm_ = body_;
  alarm_.setBold(true);
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

  const auto fits = [this](double height) {
    return std::max<std::size_t>(1, static_cast<std::size_t>(std::floor(height / pitch_)));
  };
  std::size_t room = fits(area_.height() - HeaderHeight());
  const std::size_t page = fits(area_.height());
  pageStarts_.push_back(0);
  for (const PrintBlock& block : blocks) {
    // A block that fits a page but not the rest of this one begins the next.
    if (block.size() > room && block.size() <= page && room < page) {
      pageStarts_.push_back(lines_.size());
      room = page;
    }
    for (const PrintLine& line : block) {
      if (room == 0) {
        pageStarts_.push_back(lines_.size());
        room = page;
      }
      lines_.push_back(grid.LayOut(QString::fromStdString(line.text)));
      alarmColumns_.push_back(line.alarmFrom < line.text.size()
                                  ? DisplayColumns(line.text.substr(0, line.alarmFrom))
                                  : -1);
      --room;
    }
  }
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
  for (std::size_t k = pageStarts_[p]; k < end; ++k, y += pitch_) {
    const QPointF origin(area_.left(), y + ascent_);
    const int from = alarmColumns_[k];
    std::vector<GridGlyph> plain = lines_[k], alarm;
    if (from >= 0) {
      const auto cut = std::find_if(plain.begin(), plain.end(),
                                    [from](const GridGlyph& g) { return g.column >= from; });
      alarm.assign(cut, plain.end());
      plain.erase(cut, plain.end());
    }
    painter.setFont(body_);
    painter.setPen(Qt::black);
    DrawGridLine(painter, plain, origin);
    painter.setFont(alarm_);
    painter.setPen(Qt::red);
    DrawGridLine(painter, alarm, origin);
  }
  painter.restore();
}

void ReportSheet::PaintFoot(QPainter& painter, int page, const QString& project,
                            const QDate& date) const {
  painter.save();
  // The book's face: its glyphs map back to the ideographs in a PDF's text.
  QFont foot(book::kBookFace);
  foot.setPointSizeF(9.0);
  painter.setFont(foot);
  painter.setPen(Qt::black);
  const double height = QFontMetricsF(foot, painter.device()).lineSpacing();
  // Half way down the bottom margin, which is as deep as the left one.
  const QRectF band(area_.left(), area_.bottom() + 0.5 * area_.left() - 0.5 * height, area_.width(),
                    height);
  painter.drawText(band, Qt::AlignLeft | Qt::AlignVCenter, project);
  painter.drawText(band, Qt::AlignHCenter | Qt::AlignVCenter,
                   QStringLiteral("第 %1 页 共 %2 页").arg(page + 1).arg(PageCount()));
  painter.drawText(band, Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("打印日期 ") + date.toString(QStringLiteral("yyyy-MM-dd")));
  painter.restore();
}

void PrintReports(QPrinter& printer, const QString& heading, const QString& subheading,
                  const std::vector<std::string>& lines) {
  PrintReports(printer, heading, subheading, LinesAsBlocks(lines));
}

void PrintReports(QPrinter& printer, const QString& heading, const QString& subheading,
                  const std::vector<PrintBlock>& blocks, const QDate& date) {
  std::vector<std::string> lines;
  for (const PrintBlock& block : blocks) {
    for (const PrintLine& line : block) lines.push_back(line.text);
  }
  const double margin = kMarginInches * printer.logicalDpiY();
  const QRectF area(margin, margin, printer.width() - 2.0 * margin,
                    printer.height() - 2.0 * margin);
  // The cell of the face the printer gets, in em, to size the print to the page.
  QFont probe = PaneFont();
  probe.setPointSizeF(10.0);
  const double cellEm = CellGrid(probe, &printer, false).Cell() / PointsToPixels(10.0, printer);
  const double widthPoints = area.width() / printer.logicalDpiX() * 72.0;
  const ReportSheet sheet(heading, subheading, blocks, ReportPointSize(lines, widthPoints, cellEm),
                          printer, area);
  QPainter painter(&printer);
  for (int page = 0; page < sheet.PageCount(); ++page) {
    if (page > 0) printer.newPage();
    sheet.PaintPage(painter, page);
    sheet.PaintFoot(painter, page, heading, date);
  }
}

}  // namespace tarnwick::ui
