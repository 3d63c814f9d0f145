// The 导出 actions of a drawing window: one a kind of file, each in the window's
// 文件 menu and on an 导出 toolbar, asking for a file name (its suffix added when
// left out) and saying so when the file cannot be written; 关闭 after them.
#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;

namespace tarnwick::ui {

struct ExportKind {
  const char* name;                           // the action's object name, e.g. "ExportPng"
  QString caption;                            // "导出PNG图片"
  QString filter;                             // "PNG 图片 (*.png)"
  QString suffix;                             // "png"
  std::function<bool(const QString&)> write;  // false when the file was not written
};

ExportKind PngExport(std::function<bool(const QString&)> write);
ExportKind SvgExport(std::function<bool(const QString&)> write);

// `title` heads the dialogs ("导出水面线"); `base` gives the file name offered.
QList<QAction*> AddExportActions(QMainWindow* window, QMenu* file, const QString& title,
                                 std::function<QString()> base, std::vector<ExportKind> kinds);

}  // namespace tarnwick::ui
