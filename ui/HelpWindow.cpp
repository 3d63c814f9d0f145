#include "HelpWindow.h"

#include <QLabel>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>

#include "Artwork.h"

namespace tarnwick::ui {

const QStringList& HelpNotes() {
  static const QStringList notes = {
      QStringLiteral("运行时应注意以下几点："),
      QStringLiteral("1、渠底纵坡输入纵坡分母值，如1/1000则输入1000。"),
      QStringLiteral("2、输入数据时用鼠标或键盘中的“Tab”键在输入数据框中定位或移动。"),
      QStringLiteral(
          "3、运行中可采用菜单命令或工具栏按钮命令进行操作，按钮命令在鼠标停留时有功能提示。"),
      QStringLiteral("4、本软件可连续计算若干组数据，限于界面范围只能显示出前六组数据计算结果，"
                     "建议超出六组后将显示的前六组结果清除后继续计算，以便使用。"),
  };
  return notes;
}

void PrintHelpNotes(QPrinter& printer) {
  QTextDocument document;
  QFont font(QStringLiteral("Noto Sans CJK SC"));
  font.setPointSize(12);
  document.setDefaultFont(font);
  document.setPlainText(HelpNotes().join(QLatin1Char('\n')));
  document.print(&printer);
}

HelpWindow::HelpWindow(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("Form3"));
  setWindowTitle(QStringLiteral("帮助文件"));
  setAttribute(Qt::WA_DeleteOnClose);

  QAction* print = menuBar()->addAction(QStringLiteral("打印(&P)"));
  print->setObjectName(QStringLiteral("PRINT"));
  QAction* exit = menuBar()->addAction(QStringLiteral("退出(&E)"));
  exit->setObjectName(QStringLiteral("EXIT"));
  connect(print, &QAction::triggered, this, &HelpWindow::Print);
  connect(exit, &QAction::triggered, this, &QWidget::close);

  QToolBar* bar = addToolBar(kToolbarTitle);
  bar->setObjectName(QStringLiteral("Toolbar1"));
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  QAction* button1 = bar->addAction(ToolbarIcon(ToolIcon::Print), QStringLiteral("打印"));
  button1->setObjectName(QStringLiteral("Toolbar1Button1"));
  QAction* button2 = bar->addAction(ToolbarIcon(ToolIcon::Exit), QStringLiteral("退出"));
  button2->setObjectName(QStringLiteral("Toolbar1Button2"));
  connect(button1, &QAction::triggered, this, &HelpWindow::Print);
  connect(button2, &QAction::triggered, this, &QWidget::close);

  auto* label = new QLabel(HelpNotes().join(QLatin1Char('\n')), this);
  label->setObjectName(QStringLiteral("Label1"));
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setMargin(12);
  QFont font = label->font();
  font.setPixelSize(15);
  label->setFont(font);
  setCentralWidget(label);
  resize(560, 300);
  UseCjkFaceWhereNeeded(this);
}

void HelpWindow::Print() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, this);
  dialog.setWindowTitle(windowTitle());
  if (dialog.exec() == QDialog::Accepted) PrintHelpNotes(printer);
}

}  // namespace tarnwick::ui
