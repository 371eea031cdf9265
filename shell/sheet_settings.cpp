#include "shell/sheet_settings.h"

#include <QDate>
#include <QStandardPaths>

#include "shell/qt_text.h"

namespace dravik::shell {
namespace {

// Requirements by the names they are remembered under.
struct RequirementKey {
    const char* key;
    std::string review::Requirements::*member;
};
constexpr RequirementKey kRequirementKeys[] = {
    {"concreteGrade", &review::Requirements::concreteGrade},
    {"hoopSteel", &review::Requirements::hoopSteel},
    {"lambdaV", &review::Requirements::lambdaV},
    {"rhoMin", &review::Requirements::rhoMin},
};

QString sheetKey(std::string_view key) { return QStringLiteral("sheet/") + qs(key); }

}  // namespace

std::unique_ptr<QSettings> programSettings() {
    // The INI format in the user scope is $XDG_CONFIG_HOME/<organisation>/<application>.ini.
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Dravik"),
                                       QStringLiteral("dravik"));
}

SheetInfo rememberedSheetInfo() {
    const auto settings = programSettings();
    SheetInfo info;
    for (const review::TitleField& field : review::titleFields()) {
        if (field.remembered)
            info.titleBlock.*field.member = settings->value(sheetKey(field.key)).toString().toStdString();
    }
    info.titleBlock.date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    for (const RequirementKey& key : kRequirementKeys)
        info.requirements.*key.member = settings->value(sheetKey(key.key)).toString().toStdString();
    return info;
}

void rememberSheetInfo(const SheetInfo& info) {
    const auto settings = programSettings();
    for (const review::TitleField& field : review::titleFields()) {
        if (field.remembered) settings->setValue(sheetKey(field.key), qs(info.titleBlock.*field.member));
    }
    for (const RequirementKey& key : kRequirementKeys)
        settings->setValue(sheetKey(key.key), qs(info.requirements.*key.member));
}

QString lastSheetFolder() {
    const QString folder = programSettings()->value(QStringLiteral("sheet/lastFolder")).toString();
    return folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) : folder;
}

void rememberSheetFolder(const QString& folder) {
    programSettings()->setValue(QStringLiteral("sheet/lastFolder"), folder);
}

}  // namespace dravik::shell
