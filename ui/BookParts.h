// The parts a calculation book is made of, as its layout hands them to the writer
// of one format. The layout (CalculationBook.cpp) is written once; the PDF writer
// paints each case's pages as soon as the case is complete and the ODT writer
// streams each case into the package, so neither holds more than one case.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tarnwick::ui::book {

// The cover: the fields a review asks for, a blank line where one is not given.
struct CoverPage {
  QString project;                                  // 工程名称
  QString title;                                    // 计算书名称
  std::vector<std::pair<QString, QString>> fields;  // 工程编号, 设计阶段, 设计单位, 日期…
  std::vector<std::pair<QString, QString>> signatures;  // 计算, 校核, 审核, 审定: name or blank
};

// A line of the table of contents; `page` 0 where the writer does not paginate.
struct ContentsLine {
  int level = 1;
  QString text;
  int page = 0;
};

class Writer {
 public:
  virtual ~Writer() = default;
  virtual void Cover(const CoverPage& cover) = 0;
  virtual void Contents(const std::vector<ContentsLine>& lines) = 0;
  // A chapter begins on a new page under its numbered heading.
  virtual void Chapter(const QString& text) = 0;
  // A heading that begins a new page: a case's results with their pictures, so
  // the pictures of one case only are held at a time.
  virtual void PageHeading(const QString& text) = 0;
  virtual void Heading(const QString& text) = 0;
  virtual void Paragraph(const QString& text) = 0;
  // A caption that stays on the page of what follows it.
  virtual void Caption(const QString& text) = 0;
  // A remark the reader must not miss (a stored case that differs from now).
  virtual void Note(const QString& text) = 0;
  // `alarm[k]`: row k's last cell in bold red (a requirement not met).
  virtual void Table(const QStringList& header, const std::vector<QStringList>& rows,
                     const std::vector<bool>& alarm = {}) = 0;
  // A picture `width` 96-dpi pixels wide on the page, kept under `name`.
  virtual void Picture(const QImage& image, const QString& name, double width) = 0;
  // The report on the pane's grid of cells, line by line, kept on one page.
  virtual void Report(const std::vector<std::string>& lines) = 0;
  // The last paragraph written, the book finished and put under its name:
  // empty, or why it could not be written whole.
  virtual QString Finish() = 0;
  // A paginating writer: the page of each Chapter and Heading written, in order,
  // and the pages written so far; the total to print in the foot of each page.
  virtual std::vector<int> HeadingPages() const { return {}; }
  virtual int Pages() const { return 0; }
  virtual void SetTotalPages(int) {}
};

// The writers open the book's file beside its name; `error` says why not.
std::unique_ptr<Writer> PdfWriter(const QString& path, const QString& project, QString& error);
// A PDF laid out and paginated but written nowhere: the first of two passes,
// which finds the pages of the headings and the total.
std::unique_ptr<Writer> PdfPaginator();
std::unique_ptr<Writer> OdtWriter(const QString& path, const QString& project, QString& error);

// The report's fixed-pitch face, shared by both formats.
extern const QString kBookFace;
extern const QString kBookMonoFace;

}  // namespace tarnwick::ui::book
