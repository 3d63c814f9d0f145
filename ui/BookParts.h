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
#include <vector>

namespace tarnwick::ui::book {

class Writer {
 public:
  virtual ~Writer() = default;
  // The title page: the project, "水力计算书", then lines of body text.
  virtual void TitlePage(const QString& project, const QStringList& lines) = 0;
  // A case begins on a new page under its heading; the previous one is complete.
  virtual void CaseHeading(const QString& text) = 0;
  virtual void Heading(const QString& text) = 0;
  virtual void Paragraph(const QString& text) = 0;
  // A remark the reader must not miss (a stored case that differs from now).
  virtual void Note(const QString& text) = 0;
  virtual void Table(const QStringList& header, const std::vector<QStringList>& rows) = 0;
  // A picture `width` 96-dpi pixels wide on the page, kept under `name`.
  virtual void Picture(const QImage& image, const QString& name, double width) = 0;
  // The report on the pane's grid of cells, line by line.
  virtual void Report(const std::vector<std::string>& lines) = 0;
  // The last paragraph written, the book finished and put under its name:
  // empty, or why it could not be written whole.
  virtual QString Finish() = 0;
};

// The writers open the book's file beside its name; `error` says why not.
std::unique_ptr<Writer> PdfWriter(const QString& path, const QString& project, QString& error);
std::unique_ptr<Writer> OdtWriter(const QString& path, const QString& project, QString& error);

// The report's fixed-pitch face, shared by both formats.
extern const QString kBookFace;
extern const QString kBookMonoFace;

}  // namespace tarnwick::ui::book
