#include "shell/sheet_dialogs.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace dravik::shell {
namespace {

class StandardDialogs : public SheetDialogs {
public:
    QString saveFileName(QWidget* parent, const QString& proposed) override {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("保存计算书"), proposed,
                                            QStringLiteral("PDF 文件 (*.pdf)"));
    }
    bool setUpPrinter(QWidget* parent, QPrinter& printer) override {
        QPrintDialog dialog(&printer, parent);
        dialog.setWindowTitle(QStringLiteral("打印计算书"));
        return dialog.exec() == QDialog::Accepted;
    }
};

std::unique_ptr<SheetDialogs>& current() {
    static std::unique_ptr<SheetDialogs> dialogs = std::make_unique<StandardDialogs>();
    return dialogs;
}

}  // namespace

SheetDialogs& sheetDialogs() { return *current(); }

void setSheetDialogs(std::unique_ptr<SheetDialogs> dialogs) {
    current() = dialogs ? std::move(dialogs) : std::make_unique<StandardDialogs>();
}

}  // namespace dravik::shell
