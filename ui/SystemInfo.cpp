#include "SystemInfo.h"

#include <QSettings>

namespace tarnwick::ui {

KeyValue GetKeyValue(RegistryAccess& registry, RegistryRoot root, const QString& keyName,
                     const QString& valueName) {
  if (!registry.OpenKey(root, keyName)) return {};
  KeyValue result;
  RegistryData data;
  if (registry.QueryValue(valueName, data)) {
    if (data.type == kRegistryDword) {
      result = {true, QString::number(data.number)};
    } else if (data.text.size() <= kValueBufferCharacters) {
      QString text = data.text;
      if (text.endsWith(QChar(u'\0'))) text.chop(1);
      result = {true, text};
    }
  }
  registry.CloseKey();
  return result;
}

void StartSysInfo(RegistryAccess& registry, const SysInfoPlatform& platform) {
  QString path;
  const KeyValue direct = GetKeyValue(registry, RegistryRoot::LocalMachine,
                                      QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                                      QStringLiteral("PATH"));
  if (direct.found) {
    path = direct.text;
  } else {
    const KeyValue folder = GetKeyValue(
        registry, RegistryRoot::LocalMachine,
        QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"), QStringLiteral("MSINFO"));
    if (folder.found) {
      const QString candidate = folder.text + QStringLiteral("\\MSINFO32.EXE");
      if (platform.fileExists(candidate)) path = candidate;
    }
  }
  if (path.isEmpty() || !platform.start(path)) platform.showUnavailable();
}

namespace {

// Systems without a registry: every key is missing.
class NoRegistry : public RegistryAccess {
 public:
  bool OpenKey(RegistryRoot, const QString&) override { return false; }
  bool QueryValue(const QString&, RegistryData&) override { return false; }
  void CloseKey() override {}
};

#ifdef Q_OS_WIN
class WindowsRegistry : public RegistryAccess {
 public:
  bool OpenKey(RegistryRoot, const QString& keyName) override {
    settings_ = std::make_unique<QSettings>(QStringLiteral("HKEY_LOCAL_MACHINE\\") + keyName,
                                            QSettings::NativeFormat);
    return settings_->status() == QSettings::NoError &&
           !(settings_->childKeys().isEmpty() && settings_->childGroups().isEmpty());
  }
  bool QueryValue(const QString& valueName, RegistryData& data) override {
    if (!settings_ || !settings_->contains(valueName)) return false;
    const QVariant value = settings_->value(valueName);
    if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::UInt) {
      data.type = kRegistryDword;
      data.number = value.toUInt();
    } else {
      data.type = kRegistryString;
      data.text = value.toString();
    }
    return true;
  }
  void CloseKey() override { settings_.reset(); }

 private:
  std::unique_ptr<QSettings> settings_;
};
#endif

}  // namespace

std::unique_ptr<RegistryAccess> SystemRegistry() {
#ifdef Q_OS_WIN
  return std::make_unique<WindowsRegistry>();
#else
  return std::make_unique<NoRegistry>();
#endif
}

}  // namespace tarnwick::ui
