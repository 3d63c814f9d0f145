// tarnwick: the desktop program. It opens the splash window and runs until the
// last window closes.
#include <QApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/Version.h"
#include "ui/Artwork.h"
#include "ui/Localisation.h"
#include "ui/Shell.h"
#include "ui/SplashWindow.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tarnwick"));
  QApplication::setApplicationVersion(QLatin1String(tarnwick::kVersion));
  QApplication::setWindowIcon(QIcon(tarnwick::ui::ProgramIcon(64)));
  if (!tarnwick::ui::InstallQtChinese(app)) {
    qWarning(
        "Qt's Chinese translations are not installed (qt6-translations-l10n): "
        "Qt's own menus and dialogs stay English");
  }

  tarnwick::ui::Shell shell;
  tarnwick::ui::SplashWindow* splash = shell.ShowSplash();
  // A session that ended by a crash or a kill left its cases aside: offer them.
  QTimer::singleShot(0, &shell, [&shell] { shell.OfferRestore(); });

  // Start-up measurement: with TARNWICK_STARTUP_PROBE set, the wall-clock time of
  // the splash's first paint is printed (nanoseconds since the epoch); with the
  // value "exit" the program then ends.
  if (const char* probe = std::getenv("TARNWICK_STARTUP_PROBE")) {
    const bool exitAfter = std::strcmp(probe, "exit") == 0;
    QObject::connect(splash, &tarnwick::ui::SplashWindow::firstPainted, &app, [exitAfter] {
      const auto now = std::chrono::system_clock::now().time_since_epoch();
      std::printf("splash painted %lld\n",
                  static_cast<long long>(
                      std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
      std::fflush(stdout);
      if (exitAfter) QCoreApplication::exit(0);
    });
  }
  return QApplication::exec();
}
