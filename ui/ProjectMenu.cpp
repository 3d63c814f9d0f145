#include "ProjectMenu.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>

#include "CoverDialog.h"
#include "Session.h"

namespace tarnwick::ui {

namespace {

constexpr int kRecentCount = 8;
const QString kRecentKey = QStringLiteral("recentProjects");
const QString kFilter = QStringLiteral("Tarnwick 工程文件 (*.tarnwick.json *.json)");

QAction* NamedAction(QWidget* owner, const char* name, const QString& caption,
                     const QKeySequence& keys = {}) {
  auto* action = new QAction(caption, owner);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(keys);
  return action;
}

void FillRecent(QMenu* recent, QWidget* owner, Session& session) {
  recent->clear();
  const QStringList paths = RecentProjects();
  for (int k = 0; k < paths.size(); ++k) {
    QAction* a = recent->addAction(
        QStringLiteral("&%1 %2").arg(k + 1).arg(QDir::toNativeSeparators(paths[k])));
    const QString path = paths[k];
    QObject::connect(a, &QAction::triggered, owner,
                     [owner, &session, path] { OpenProject(owner, session, path); });
  }
  if (paths.isEmpty()) recent->addAction(QStringLiteral("（无）"))->setEnabled(false);
}

}  // namespace

bool MayDiscard(QWidget* parent, Session& session, const QString& title) {
  if (!session.IsProgramSession() || !session.Dirty() || !session.HasCases()) return true;
  QMessageBox box(QMessageBox::Question, title,
                  QStringLiteral("工程“%1”中有尚未保存的计算结果。\n是否先保存？")
                      .arg(session.TitleMark().chopped(1)),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
  box.setObjectName(QStringLiteral("UnsavedQuestion"));
  box.button(QMessageBox::Save)->setText(QStringLiteral("保存"));
  box.button(QMessageBox::Discard)->setText(QStringLiteral("不保存"));
  box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
  box.setDefaultButton(QMessageBox::Save);
  switch (box.exec()) {
    case QMessageBox::Save: return SaveProject(parent, session, false);
    case QMessageBox::Discard: return true;
    default: return false;
  }
}

bool SaveProject(QWidget* parent, Session& session, bool choose) {
  QString path = session.Path();
  if (choose || path.isEmpty()) {
    const QString name = session.Current().name.empty()
                             ? QStringLiteral("工程")
                             : QString::fromStdString(session.Current().name);
    path = QFileDialog::getSaveFileName(parent, QStringLiteral("保存工程"),
                                        name + QStringLiteral(".tarnwick.json"), kFilter);
    if (path.isEmpty()) return false;
    if (!path.endsWith(QStringLiteral(".json"))) path += QStringLiteral(".tarnwick.json");
  }
  const QString why = session.Save(path);
  if (!why.isEmpty()) {
    QMessageBox::warning(parent, QStringLiteral("保存工程"),
                         QStringLiteral("工程未能保存，原文件保持不变。\n%1").arg(why));
    return false;
  }
  RememberProject(path);
  return true;
}

bool OpenProject(QWidget* parent, Session& session, const QString& path) {
  if (path.isEmpty() || !MayDiscard(parent, session, QStringLiteral("打开工程"))) return false;
  const ProjectRead read = session.Open(path);
  if (!read.project) {
    QMessageBox::warning(parent, QStringLiteral("打开工程"),
                         QStringLiteral("无法打开工程文件，未作任何改动。\n%1")
                             .arg(QString::fromStdString(read.error)));
    return false;
  }
  RememberProject(path);
  if (!read.differences.empty()) {
    QStringList lines;
    for (const std::string& d : read.differences) lines << QString::fromStdString(d);
    QMessageBox::information(parent, QStringLiteral("打开工程"),
                             QStringLiteral("以下算例按本程序重新计算的结果与文件中保存的不同，窗口"
                                            "中显示的是重新计算的结果：\n\n") +
                                 lines.join(QLatin1Char('\n')));
  }
  return true;
}

QStringList RecentProjects() { return QSettings().value(kRecentKey).toStringList(); }

void RememberProject(const QString& path) {
  QSettings settings;
  QStringList paths = settings.value(kRecentKey).toStringList();
  paths.removeAll(path);
  paths.prepend(path);
  while (paths.size() > kRecentCount) paths.removeLast();
  settings.setValue(kRecentKey, paths);
}

void AddProjectActions(QMenu* file, QWidget* owner, Session& session) {
  QAction* create = NamedAction(owner, "NEW", QStringLiteral("新建(&N)"), QKeySequence::New);
  QAction* open = NamedAction(owner, "OPEN", QStringLiteral("打开(&O)…"), QKeySequence::Open);
  QAction* save = NamedAction(owner, "SAVE", QStringLiteral("保存(&S)"), QKeySequence::Save);
  QAction* saveAs = NamedAction(owner, "SAVEAS", QStringLiteral("另存为(&A)…"),
                                QKeySequence(QStringLiteral("Ctrl+Shift+S")));
  QAction* cover = NamedAction(owner, "COVER", QStringLiteral("工程信息(&I)…"), QKeySequence());
  file->addActions({create, open, save, saveAs, cover});
  QMenu* recent = file->addMenu(QStringLiteral("最近打开的文件(&R)"));
  recent->setObjectName(QStringLiteral("RECENT"));
  file->addSeparator();
  QObject::connect(recent, &QMenu::aboutToShow, owner,
                   [recent, owner, &session] { FillRecent(recent, owner, session); });
  FillRecent(recent, owner, session);
  QObject::connect(create, &QAction::triggered, owner, [owner, &session] {
    if (MayDiscard(owner, session, QStringLiteral("新建工程"))) session.New();
  });
  QObject::connect(open, &QAction::triggered, owner, [owner, &session] {
    OpenProject(
        owner, session,
        QFileDialog::getOpenFileName(owner, QStringLiteral("打开工程"), QString(), kFilter));
  });
  QObject::connect(cover, &QAction::triggered, owner, [owner, &session] {
    CoverDialog dialog(session, owner);
    dialog.exec();
  });
  QObject::connect(save, &QAction::triggered, owner,
                   [owner, &session] { SaveProject(owner, session, false); });
  QObject::connect(saveAs, &QAction::triggered, owner,
                   [owner, &session] { SaveProject(owner, session, true); });
}

}  // namespace tarnwick::ui
