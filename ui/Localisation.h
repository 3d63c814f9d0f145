// Qt's own texts in the program's language: the standard context menus of the
// input boxes, the print dialog and the buttons of the message boxes would
// otherwise be English beside the Chinese windows.
#pragma once

class QCoreApplication;

namespace tarnwick::ui {

// Loads Qt's Simplified Chinese translations from Qt's translations folder and
// installs them into `app`, whatever the user's locale: every window of the
// program is Chinese. False when the translations are not installed.
bool InstallQtChinese(QCoreApplication& app);

}  // namespace tarnwick::ui
