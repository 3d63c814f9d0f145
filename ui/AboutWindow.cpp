#include "AboutWindow.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

#include "Artwork.h"
#include "SystemInfo.h"
#include "WindowDecor.h"
#include "core/Version.h"

namespace tarnwick::ui {

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
  setWindowTitle(QStringLiteral("关于我的软件 "));

  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("picIcon"));
  icon->setPixmap(ProgramIcon(64));
  auto* title = new QLabel(kProductTitle, this);
  title->setObjectName(QStringLiteral("lblTitle"));
  QFont titleFont = title->font();
  titleFont.setPixelSize(24);
  titleFont.setBold(true);
  title->setFont(titleFont);
  auto* version = new QLabel(QStringLiteral("版本V") + QLatin1String(kVersion), this);
  version->setObjectName(QStringLiteral("lblVersion"));
  auto* description = new QLabel(
      QStringLiteral("Tarnwick 是为灌溉渠道、输水隧洞和管道设计人员编写的均匀流水力计算程序："
                     "按曼宁公式由流量求正常水深，或由水深求流量，适用于八类共十二种断面。"
                     "V%1 版采用 Qt 图形界面，可在多种操作系统上运行。")
          .arg(QLatin1String(kVersion)),
      this);
  description->setObjectName(QStringLiteral("lblDescription"));
  description->setWordWrap(true);
  description->setMinimumWidth(320);

  auto* ok = new QPushButton(QStringLiteral("确定"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setDefault(true);
  auto* sysInfo = new QPushButton(QStringLiteral("系统信息(&S)..."), this);
  sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
  connect(ok, &QPushButton::clicked, this, &QDialog::close);
  connect(sysInfo, &QPushButton::clicked, this, &AboutWindow::ShowSystemInformation);

  auto* layout = new QGridLayout(this);
  layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
  layout->addWidget(title, 0, 1);
  layout->addWidget(version, 1, 1);
  layout->addWidget(description, 2, 1);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(sysInfo);
  buttons->addStretch(1);
  layout->addLayout(buttons, 0, 2, 3, 1);
  UseCjkFaceWhereNeeded(this);
}

void AboutWindow::ShowSystemInformation() {
  const std::unique_ptr<RegistryAccess> registry = SystemRegistry();
  SysInfoPlatform platform;
  platform.fileExists = [](const QString& path) { return QFileInfo::exists(path); };
  platform.start = [](const QString& path) { return QProcess::startDetached(path, {}); };
  platform.showUnavailable = [this] {
    QMessageBox::information(this, windowTitle(), kSysInfoUnavailable, QMessageBox::Ok);
  };
  StartSysInfo(*registry, platform);
}

}  // namespace tarnwick::ui
