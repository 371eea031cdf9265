#include "shell/qt_chinese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace dravik::shell {

void installQtChineseTexts(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

}  // namespace dravik::shell
