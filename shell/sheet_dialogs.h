// The dialogs the calculation sheet asks the user through: where to save
// it, which printer to use, and the sheet's title block and requirements.
// Replaceable, so that the window tests can answer them without a user.
#pragma once

#include <QString>
#include <memory>

#include "shell/sheet_settings.h"

class QPrinter;
class QWidget;

namespace dravik::shell {

class SheetDialogs {
public:
    virtual ~SheetDialogs() = default;
    // The file to save the sheet in, starting from `proposed`; empty when
    // the user cancels.
    virtual QString saveFileName(QWidget* parent, const QString& proposed) = 0;
    // Lets the user choose and set up `printer`; false when cancelled.
    virtual bool setUpPrinter(QWidget* parent, QPrinter& printer) = 0;
    // Asks for the sheet's title block and requirements, starting from
    // `info`; false when cancelled.
    virtual bool askSheetInfo(QWidget* parent, SheetInfo& info);
};

// The dialogs in use: Qt's file and print dialogs unless replaced.
SheetDialogs& sheetDialogs();

// Replaces the dialogs; nullptr brings Qt's back.
void setSheetDialogs(std::unique_ptr<SheetDialogs> dialogs);

}  // namespace dravik::shell
