#include "SectionDrawingWindow.h"

#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintEvent>
#include <QPainter>
#include <QPdfWriter>
#include <QStackedWidget>
#include <QSvgGenerator>

#include "ExportActions.h"
#include "SectionSheet.h"
#include "WindowDecor.h"

namespace tarnwick::ui {

namespace {

// Paints the window's sheet, scaled to the widget.
class SheetCanvas : public QWidget {
 public:
  explicit SheetCanvas(const SectionDrawingWindow* owner, QWidget* parent)
      : QWidget(parent), owner_(owner) {
    setMinimumSize(static_cast<int>(kSheetWidth * 0.8), static_cast<int>(kSheetHeight * 0.8));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
  }
  QSize sizeHint() const override {
    return {static_cast<int>(kSheetWidth), static_cast<int>(kSheetHeight)};
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!owner_->Drawing()) return;
    QPainter painter(this);
    PaintSheet(painter, QRectF(rect()), *owner_->Drawing(), owner_->Title(), owner_->Dimensions());
  }

 private:
  const SectionDrawingWindow* owner_;
};

}  // namespace

SectionDrawingWindow::SectionDrawingWindow(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("SectionDrawing"));
  setWindowFlag(Qt::Window);
  setWindowTitle(QStringLiteral("渠道断面"));
  setAttribute(Qt::WA_DeleteOnClose);

  pages_ = new QStackedWidget(this);
  canvas_ = new SheetCanvas(this, pages_);
  canvas_->setObjectName(QStringLiteral("SectionSheet"));
  message_ = new QLabel(pages_);
  message_->setObjectName(QStringLiteral("SectionMessage"));
  message_->setAlignment(Qt::AlignCenter);
  message_->setWordWrap(true);
  message_->setMargin(24);
  pages_->addWidget(canvas_);
  pages_->addWidget(message_);
  setCentralWidget(pages_);

  const auto write = [this](bool (SectionDrawingWindow::*w)(const QString&) const) {
    return [this, w](const QString& file) { return (this->*w)(file); };
  };
  exports_ = AddExportActions(
      this, menuBar()->addMenu(QStringLiteral("文件(&F)")), QStringLiteral("导出渠道断面图"),
      [this] { return title_; },
      {PngExport(write(&SectionDrawingWindow::ExportPng)),
       SvgExport(write(&SectionDrawingWindow::ExportSvg)),
       {"ExportPdf", QStringLiteral("导出PDF文档"), QStringLiteral("PDF 文档 (*.pdf)"),
        QStringLiteral("pdf"), write(&SectionDrawingWindow::ExportPdf)}});
  resize(static_cast<int>(kSheetWidth), static_cast<int>(kSheetHeight) + 60);
  UseCjkFaceWhereNeeded(this);
}

void SectionDrawingWindow::ShowDrawing(const SectionDrawing& drawing, const QString& title,
                                       const QStringList& dimensions) {
  drawing_ = drawing;
  title_ = title;
  dimensions_ = dimensions;
  setWindowTitle(QStringLiteral("渠道断面 — %1").arg(title));
  for (QAction* action : exports_) action->setEnabled(true);
  pages_->setCurrentWidget(canvas_);
  canvas_->update();
}

void SectionDrawingWindow::ShowMessage(const QString& message) {
  drawing_.reset();
  title_.clear();
  dimensions_.clear();
  setWindowTitle(QStringLiteral("渠道断面"));
  message_->setText(message);
  UseCjkFaceWhereNeeded(message_);
  for (QAction* action : exports_) action->setEnabled(false);
  pages_->setCurrentWidget(message_);
}

QString SectionDrawingWindow::Message() const { return drawing_ ? QString() : message_->text(); }

bool SectionDrawingWindow::ExportPng(const QString& file) const {
  if (!drawing_) return false;
  // Twice the sheet size, sharp enough for a report page.
  QImage image(static_cast<int>(2 * kSheetWidth), static_cast<int>(2 * kSheetHeight),
               QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    PaintSheet(painter, QRectF(image.rect()), *drawing_, title_, dimensions_);
  }
  return image.save(file, "PNG");
}

bool SectionDrawingWindow::ExportSvg(const QString& file) const {
  if (!drawing_) return false;
  QSvgGenerator svg;
  svg.setFileName(file);
  svg.setSize(QSize(static_cast<int>(kSheetWidth), static_cast<int>(kSheetHeight)));
  svg.setViewBox(QRectF(0, 0, kSheetWidth, kSheetHeight));
  svg.setTitle(title_);
  QPainter painter;
  if (!painter.begin(&svg)) return false;
  PaintSheet(painter, QRectF(0, 0, kSheetWidth, kSheetHeight), *drawing_, title_, dimensions_);
  return painter.end();
}

bool SectionDrawingWindow::ExportPdf(const QString& file) const {
  if (!drawing_) return false;
  QPdfWriter pdf(file);
  pdf.setTitle(title_);
  pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
  QPainter painter;
  if (!painter.begin(&pdf)) return false;
  const QRect page = pdf.pageLayout().paintRectPixels(pdf.resolution());
  PaintSheet(painter, QRectF(0, 0, page.width(), page.height()), *drawing_, title_, dimensions_);
  return painter.end();
}

}  // namespace tarnwick::ui
