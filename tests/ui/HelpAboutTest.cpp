// Help and About: their texts, printing the notes, single instances, and the
// system-information look-up with a stand-in registry.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <map>

#include "TestSupport.h"
#include "ui/AboutWindow.h"
#include "ui/HelpWindow.h"
#include "ui/SystemInfo.h"

using namespace tarnwick::ui;

namespace {

// A registry held in memory: key -> value name -> data. Counts open keys so a
// look-up that forgets to close its key is caught.
class FakeRegistry : public RegistryAccess {
 public:
  std::map<QString, std::map<QString, RegistryData>> keys;
  int openKeys = 0;
  QStringList opened;

  bool OpenKey(RegistryRoot, const QString& keyName) override {
    opened << keyName;
    const auto it = keys.find(keyName);
    if (it == keys.end()) return false;
    current_ = &it->second;
    ++openKeys;
    return true;
  }
  bool QueryValue(const QString& valueName, RegistryData& data) override {
    const auto it = current_->find(valueName);
    if (it == current_->end()) return false;
    data = it->second;
    return true;
  }
  void CloseKey() override { --openKeys; }

 private:
  std::map<QString, RegistryData>* current_ = nullptr;
};

const QString kMsinfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

struct Recorder {
  QStringList started;
  QStringList checked;
  int unavailable = 0;
  bool startSucceeds = true;
  QStringList existingFiles;

  SysInfoPlatform Platform() {
    return {[this](const QString& p) {
              checked << p;
              return existingFiles.contains(p);
            },
            [this](const QString& p) {
              started << p;
              return startSucceeds;
            },
            [this] { ++unavailable; }};
  }
};

}  // namespace

class HelpAboutTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { QApplication::setQuitOnLastWindowClosed(false); }
  void getKeyValue_data();
  void getKeyValue();
  void startSysInfo();
  void aboutTexts();
  void sysInfoButtonWithoutRegistry();
  void helpTexts();
  void helpPrintsToPdf();
  void helpExitClosesOnlyHelp();
};

void HelpAboutTest::getKeyValue_data() {
  QTest::addColumn<int>("type");
  QTest::addColumn<QString>("stored");
  QTest::addColumn<quint32>("number");
  QTest::addColumn<bool>("found");
  QTest::addColumn<QString>("text");
  const QString nul(QChar(u'\0'));
  QTest::newRow("string with NUL")
      << 1 << "C:\\msinfo32.exe" + nul << 0u << true << "C:\\msinfo32.exe";
  QTest::newRow("string without NUL") << 1 << "C:\\a.exe" << 0u << true << "C:\\a.exe";
  QTest::newRow("only the last NUL") << 1 << "ab" + nul + nul << 0u << true << "ab" + nul;
  QTest::newRow("empty string") << 1 << QString() << 0u << true << QString();
  QTest::newRow("double word") << 4 << QString() << 4096u << true << "4096";
  QTest::newRow("largest double word") << 4 << QString() << 4294967295u << true << "4294967295";
  QTest::newRow("fills the buffer")
      << 1 << QString(1024, u'x') << 0u << true << QString(1024, u'x');
  QTest::newRow("beyond the buffer") << 1 << QString(1025, u'x') << 0u << false << QString();
}

void HelpAboutTest::getKeyValue() {
  QFETCH(int, type);
  QFETCH(QString, stored);
  QFETCH(quint32, number);
  QFETCH(bool, found);
  QFETCH(QString, text);
  FakeRegistry registry;
  registry.keys[kMsinfoKey][QStringLiteral("PATH")] = RegistryData{type, stored, number};
  const KeyValue value =
      GetKeyValue(registry, RegistryRoot::LocalMachine, kMsinfoKey, QStringLiteral("PATH"));
  QCOMPARE(value.found, found);
  QCOMPARE(value.text, text);
  QCOMPARE(registry.openKeys, 0);

  // A missing value in a present key, and a missing key.
  const KeyValue noValue =
      GetKeyValue(registry, RegistryRoot::LocalMachine, kMsinfoKey, QStringLiteral("OTHER"));
  QVERIFY(!noValue.found);
  QVERIFY(noValue.text.isEmpty());
  QCOMPARE(registry.openKeys, 0);
  const KeyValue noKey =
      GetKeyValue(registry, RegistryRoot::LocalMachine, kLocationKey, QStringLiteral("PATH"));
  QVERIFY(!noKey.found);
  QVERIFY(noKey.text.isEmpty());
}

void HelpAboutTest::startSysInfo() {
  const QString nul(QChar(u'\0'));
  {  // The viewer's path is registered: started at once.
    FakeRegistry registry;
    registry.keys[kMsinfoKey][QStringLiteral("PATH")] = {1, "C:\\Tools\\msinfo32.exe" + nul, 0};
    Recorder r;
    StartSysInfo(registry, r.Platform());
    QCOMPARE(r.started, QStringList{"C:\\Tools\\msinfo32.exe"});
    QCOMPARE(r.unavailable, 0);
    QCOMPARE(registry.opened, QStringList{kMsinfoKey});
  }
  {  // Only the folder is registered and the viewer is there.
    FakeRegistry registry;
    registry.keys[kLocationKey][QStringLiteral("MSINFO")] = {1, "C:\\Shared" + nul, 0};
    Recorder r;
    r.existingFiles << "C:\\Shared\\MSINFO32.EXE";
    StartSysInfo(registry, r.Platform());
    QCOMPARE(r.checked, QStringList{"C:\\Shared\\MSINFO32.EXE"});
    QCOMPARE(r.started, QStringList{"C:\\Shared\\MSINFO32.EXE"});
    QCOMPARE(r.unavailable, 0);
  }
  {  // The folder is registered but the viewer is missing.
    FakeRegistry registry;
    registry.keys[kLocationKey][QStringLiteral("MSINFO")] = {1, "C:\\Shared", 0};
    Recorder r;
    StartSysInfo(registry, r.Platform());
    QVERIFY(r.started.isEmpty());
    QCOMPARE(r.unavailable, 1);
  }
  {  // Neither value: the message and nothing else.
    FakeRegistry registry;
    Recorder r;
    StartSysInfo(registry, r.Platform());
    QVERIFY(r.started.isEmpty());
    QVERIFY(r.checked.isEmpty());
    QCOMPARE(r.unavailable, 1);
    QCOMPARE(registry.opened, (QStringList{kMsinfoKey, kLocationKey}));
  }
  {  // Registered, but starting it fails.
    FakeRegistry registry;
    registry.keys[kMsinfoKey][QStringLiteral("PATH")] = {1, "C:\\gone.exe", 0};
    Recorder r;
    r.startSucceeds = false;
    StartSysInfo(registry, r.Platform());
    QCOMPARE(r.started, QStringList{"C:\\gone.exe"});
    QCOMPARE(r.unavailable, 1);
  }
}

void HelpAboutTest::aboutTexts() {
  AboutWindow about;
  QCOMPARE(about.windowTitle(), QString("关于我的软件 "));
  QCOMPARE(Child<QLabel>(&about, "lblTitle")->text(), QString("Tarnwick"));
  QCOMPARE(Child<QLabel>(&about, "lblVersion")->text(), QString("版本V2.0.1"));
  QVERIFY(!Child<QLabel>(&about, "lblDescription")->text().isEmpty());
  QVERIFY(!Child<QLabel>(&about, "picIcon")->pixmap().isNull());
  QCOMPARE(Child<QPushButton>(&about, "cmdOK")->text(), QString("确定"));
  QCOMPARE(Child<QPushButton>(&about, "cmdSysInfo")->text(), QString("系统信息(&S)..."));
  QVERIFY(!about.isModal());
}

void HelpAboutTest::sysInfoButtonWithoutRegistry() {
#ifdef Q_OS_WIN
  QSKIP("this computer has a registry");
#endif
  auto* about = new AboutWindow;
  about->show();
  QString message;
  QTimer::singleShot(0, [&message] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box != nullptr) {
      message = box->text();
      box->accept();
    }
  });
  Child<QPushButton>(about, "cmdSysInfo")->click();
  QCOMPARE(message, QString("此时系统信息不可用"));
  QVERIFY(about->isVisible());
  Child<QPushButton>(about, "cmdOK")->click();
  QVERIFY(!about->isVisible());
}

void HelpAboutTest::helpTexts() {
  HelpWindow help;
  QCOMPARE(help.windowTitle(), QString("帮助文件"));
  const QString expected = QStringLiteral(
      "运行时应注意以下几点：\n"
      "1、渠底纵坡输入纵坡分母值，如1/1000则输入1000。\n"
      "2、输入数据时用鼠标或键盘中的“Tab”键在输入数据框中定位或移动。\n"
      "3、运行中可采用菜单命令或工具栏按钮命令进行操作，按钮命令在鼠标停留时有功能提示。\n"
      "4、本软件可连续计算若干组数据，限于界面范围只能显示出前六组数据计算结果，"
      "建议超出六组后将显示的前六组结果清除后继续计算，以便使用。");
  QCOMPARE(Child<QLabel>(&help, "Label1")->text(), expected);
  QCOMPARE(Child<QAction>(&help, "PRINT")->text(), QString("打印(&P)"));
  QCOMPARE(Child<QAction>(&help, "EXIT")->text(), QString("退出(&E)"));
  const QList<QAction*> buttons = Child<QToolBar>(&help, "Toolbar1")->actions();
  QCOMPARE(buttons.size(), 2);
  QCOMPARE(buttons[0]->text(), QString("打印"));
  QCOMPARE(buttons[1]->text(), QString("退出"));
}

void HelpAboutTest::helpPrintsToPdf() {
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  const QString path = dir.filePath("help.pdf");
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  PrintHelpNotes(printer);
  QFile pdf(path);
  QVERIFY(pdf.open(QIODevice::ReadOnly));
  QVERIFY(pdf.read(5) == "%PDF-");
  QVERIFY(pdf.size() > 1000);
}

void HelpAboutTest::helpExitClosesOnlyHelp() {
  auto* help = new HelpWindow;
  auto* about = new AboutWindow;
  help->show();
  about->show();
  Child<QAction>(help, "Toolbar1Button2")->trigger();
  QVERIFY(!help->isVisible());
  QVERIFY(about->isVisible());
  about->close();
}

QTEST_MAIN(HelpAboutTest)
#include "HelpAboutTest.moc"
