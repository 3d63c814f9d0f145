// "渠道断面": the section of the last computed case drawn to scale, with the
// water, the main dimensions, the project name as title and the critical-flow
// figures beside it; exports the sheet as PNG, SVG or PDF. One per calculation
// window, refreshed by it and closed with it.
#pragma once

#include <QMainWindow>
#include <QString>
#include <optional>

#include "sections/SectionDrawing.h"

class QAction;
class QLabel;
class QStackedWidget;

namespace tarnwick::ui {

class SectionDrawingWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit SectionDrawingWindow(QWidget* parent = nullptr);

  // `dimensions`: the section's typed dimensions, one "label value" line each.
  void ShowDrawing(const SectionDrawing& drawing, const QString& title,
                   const QStringList& dimensions = {});
  // Shown instead of a drawing when there is no case to draw.
  void ShowMessage(const QString& message);

  const std::optional<SectionDrawing>& Drawing() const { return drawing_; }
  QString Title() const { return title_; }
  QStringList Dimensions() const { return dimensions_; }
  QString Message() const;

  // Each writes the sheet to `file`; false when there is no drawing or the file
  // cannot be written.
  bool ExportPng(const QString& file) const;
  bool ExportSvg(const QString& file) const;
  bool ExportPdf(const QString& file) const;

 private:
  std::optional<SectionDrawing> drawing_;
  QString title_;
  QStringList dimensions_;
  QStackedWidget* pages_ = nullptr;
  QWidget* canvas_ = nullptr;
  QLabel* message_ = nullptr;
  QList<QAction*> exports_;
};

}  // namespace tarnwick::ui
