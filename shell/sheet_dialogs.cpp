#include "shell/sheet_dialogs.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "sheet/sheet_texts.h"
#include "shell/qt_text.h"
#include "shell/sheet_info_dialog.h"

namespace dravik::shell {
namespace {

namespace texts = sheet::texts;

class StandardDialogs : public SheetDialogs {
public:
    QString saveFileName(QWidget* parent, const QString& proposed) override {
        return QFileDialog::getSaveFileName(parent, qs(texts::kSaveTitle), proposed, qs(texts::kPdfFilter));
    }
    bool setUpPrinter(QWidget* parent, QPrinter& printer) override {
        QPrintDialog dialog(&printer, parent);
        dialog.setWindowTitle(qs(texts::kPrintTitle));
        return dialog.exec() == QDialog::Accepted;
    }
};

std::unique_ptr<SheetDialogs>& current() {
    static std::unique_ptr<SheetDialogs> dialogs = std::make_unique<StandardDialogs>();
    return dialogs;
}

}  // namespace

bool SheetDialogs::askSheetInfo(QWidget* parent, SheetInfo& info) { return runSheetInfoDialog(parent, info); }

SheetDialogs& sheetDialogs() { return *current(); }

void setSheetDialogs(std::unique_ptr<SheetDialogs> dialogs) {
    current() = dialogs ? std::move(dialogs) : std::make_unique<StandardDialogs>();
}

}  // namespace dravik::shell
