// The project commands of the 文件 menu, shared by every calculation window:
// 新建, 打开, 保存, 另存为, 工程信息 (the book's cover) and 最近打开的文件 on the
// session's project, and the question asked before unsaved cases are lost.
#pragma once

#include <QString>
#include <QStringList>

class QMenu;
class QWidget;

namespace tarnwick::ui {

class Session;

// Whether the session's unsaved cases may go: true without any, or when the
// user saves them or chooses not to (保存/不保存); false on 取消 or a failed save.
// Only the program's session asks.
bool MayDiscard(QWidget* parent, Session& session, const QString& title = QStringLiteral("退出"));

// Saves to the session's file, or asks for one (always with `choose`); a failed
// save says why. True when saved.
bool SaveProject(QWidget* parent, Session& session, bool choose);
// Opens a project file after MayDiscard; a refused file is named with the place
// and the problem and changes nothing; differences of recomputed cases are listed.
bool OpenProject(QWidget* parent, Session& session, const QString& path);

// The files opened or saved last, newest first (QSettings), and remembering one.
QStringList RecentProjects();
void RememberProject(const QString& path);

// Adds 新建、打开、保存、另存为、工程信息、最近打开的文件 to `file`, acting on `session`.
void AddProjectActions(QMenu* file, QWidget* owner, Session& session);

}  // namespace tarnwick::ui
