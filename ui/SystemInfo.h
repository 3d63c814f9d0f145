// The About window's system-information button: find the system-information
// viewer through the Windows registry and start it. The registry is reached
// through a small interface so the value handling can be checked without one.
#pragma once

#include <QString>
#include <functional>
#include <memory>

namespace tarnwick::ui {

enum class RegistryRoot { LocalMachine };

// Registry value types the viewer look-up meets.
inline constexpr int kRegistryString = 1;
inline constexpr int kRegistryDword = 4;
// The value buffer holds this many characters; a longer value cannot be read.
inline constexpr int kValueBufferCharacters = 1024;

struct RegistryData {
  int type = kRegistryString;
  QString text;        // string data as stored, possibly ending in a NUL
  quint32 number = 0;  // double-word data
};

class RegistryAccess {
 public:
  virtual ~RegistryAccess() = default;
  virtual bool OpenKey(RegistryRoot root, const QString& keyName) = 0;
  // Reads a value of the open key; false when it cannot be read.
  virtual bool QueryValue(const QString& valueName, RegistryData& data) = 0;
  virtual void CloseKey() = 0;
};

struct KeyValue {
  bool found = false;
  QString text;
};

// One value as text: a string without its terminating NUL, a double word as its
// decimal number. Not found (and empty) when the key or value cannot be read.
KeyValue GetKeyValue(RegistryAccess& registry, RegistryRoot root, const QString& keyName,
                     const QString& valueName);

// What starting the viewer needs from the system.
struct SysInfoPlatform {
  std::function<bool(const QString& path)> fileExists;
  std::function<bool(const QString& path)> start;  // detached; false if it failed
  std::function<void()> showUnavailable;           // the "not available" message
};

inline const QString kSysInfoUnavailable = QStringLiteral("此时系统信息不可用");

void StartSysInfo(RegistryAccess& registry, const SysInfoPlatform& platform);

// The registry of this computer; on systems without one every key is missing.
std::unique_ptr<RegistryAccess> SystemRegistry();

}  // namespace tarnwick::ui
