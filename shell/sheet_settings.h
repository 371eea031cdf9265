// What the user enters about a calculation sheet beyond the window's fields
// (计算书信息), and what is remembered of it from one sheet to the next: the
// title block but the member id and date, the requirements, and the folder
// a sheet was last saved in. Kept per user in the XDG config location
// ($XDG_CONFIG_HOME/Dravik/dravik.ini).
#pragma once

#include <QSettings>
#include <QString>
#include <memory>

#include "review/design_check.h"
#include "review/title_block.h"

namespace dravik::shell {

struct SheetInfo {
    review::TitleBlock titleBlock;
    review::Requirements requirements;
};

// The settings file of the program.
std::unique_ptr<QSettings> programSettings();

// The remembered information, with today's date and no member id.
SheetInfo rememberedSheetInfo();

// Remembers `info`, all but the member id and the date.
void rememberSheetInfo(const SheetInfo& info);

// The folder a sheet was last saved in; the documents folder at first.
QString lastSheetFolder();
void rememberSheetFolder(const QString& folder);

}  // namespace dravik::shell
