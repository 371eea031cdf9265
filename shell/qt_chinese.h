// Qt's own texts (the OK button of a message box, the edit menu of a field)
// in Simplified Chinese, like every other text of the program.
#pragma once

class QCoreApplication;

namespace dravik::shell {

// Installs Qt's Simplified Chinese translation of its own texts
// (qtbase_zh_CN.qm from the system's Qt translations, Debian package
// qt6-translations-l10n) whatever the locale: the program's user interface is
// Chinese everywhere. Without the file Qt's texts stay English; nothing else
// changes.
void installQtChineseTexts(QCoreApplication& app);

}  // namespace dravik::shell
