#include "ExportActions.h"

#include <QAction>
#include <QFileDialog>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QToolBar>

namespace tarnwick::ui {

namespace {

void ExportWithDialog(QMainWindow* window, const QString& title, const QString& base,
                      const ExportKind& kind) {
  const QString dot = QLatin1Char('.') + kind.suffix;
  QString file = QFileDialog::getSaveFileName(window, title, base + dot, kind.filter);
  if (file.isEmpty()) return;
  if (!file.endsWith(dot, Qt::CaseInsensitive)) file += dot;
  if (!kind.write(file)) {
    QMessageBox::warning(window, title, QStringLiteral("无法写入文件：%1").arg(file));
  }
}

}  // namespace

ExportKind PngExport(std::function<bool(const QString&)> write) {
  return {"ExportPng", QStringLiteral("导出PNG图片"), QStringLiteral("PNG 图片 (*.png)"),
          QStringLiteral("png"), std::move(write)};
}

ExportKind SvgExport(std::function<bool(const QString&)> write) {
  return {"ExportSvg", QStringLiteral("导出SVG图形"), QStringLiteral("SVG 图形 (*.svg)"),
          QStringLiteral("svg"), std::move(write)};
}

QList<QAction*> AddExportActions(QMainWindow* window, QMenu* file, const QString& title,
                                 std::function<QString()> base, std::vector<ExportKind> kinds) {
  QToolBar* bar = window->addToolBar(QStringLiteral("导出"));
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  QList<QAction*> actions;
  for (ExportKind& kind : kinds) {
    auto* action = new QAction(kind.caption + QStringLiteral("…"), window);
    action->setObjectName(QString::fromLatin1(kind.name));
    QObject::connect(action, &QAction::triggered, window, [window, title, base, kind] {
      ExportWithDialog(window, title, base(), kind);
    });
    file->addAction(action);
    bar->addAction(action);
    actions << action;
  }
  file->addSeparator();
  QObject::connect(file->addAction(QStringLiteral("关闭(&C)")), &QAction::triggered, window,
                   &QWidget::close);
  return actions;
}

}  // namespace tarnwick::ui
