// The dialog 计算书信息: the title block's fields and the optional
// requirements of the check, filled from what was remembered.
#pragma once

#include "shell/sheet_settings.h"

class QWidget;

namespace dravik::shell {

// Shows the dialog over `parent` with `info`'s texts; on OK writes what was
// entered back to `info` and returns true.
bool runSheetInfoDialog(QWidget* parent, SheetInfo& info);

}  // namespace dravik::shell
