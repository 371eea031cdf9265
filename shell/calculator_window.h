// The calculator window that the four section shapes share: inputs, "计算",
// back to the choice of type, and exit. What differs between the shapes is
// data: the section's input table and formula, and the window's layout.
#pragma once

#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "sections/section_shape.h"
#include "sheet/calculation_sheet.h"
#include "shell/layout_builder.h"
#include "shell/program_window.h"
#include "shell/sheet_settings.h"

class QComboBox;
class QLineEdit;

namespace dravik::shell {

class CalculatorWindow : public ProgramWindow {
    Q_OBJECT
public:
    CalculatorWindow(WindowManager& manager, const sections::SectionShape& shape);

    QComboBox* input(const QString& name) const;
    QLineEdit* result(sections::Result result) const;

    // The calculation sheet of the field texts as they stand now, with the
    // title block and check of the window's 计算书信息 once entered.
    sheet::CalculationSheet calculationSheet() const;

    // "打印计算书…", "保存计算书…" and "复制计算结果": each presses "计算"
    // first, as the button does, so the sheet matches the window.
    void printCalculationSheet();
    void saveCalculationSheet();
    void copyCalculationResults();
    // "计算书信息…": asks for the title block and the requirements. False
    // when cancelled.
    bool askSheetInfo();

private:
    // Entry points, named after the controls they serve (see ProgramWindow).
    void Form_Load();
    void run_Click();       // "计算"
    void Command1_Click();  // "改类型《" / "换类型《"
    void exit_Click();      // "退出"

    void fillChoiceLists();
    void showDefaultTexts();
    void calculateAndShowResults();
    void markFieldsNotReadAsShown();
    void backToShapeChoice();
    void nameForAccessibility();
    // The sheet's three commands in the window's context menu and as
    // shortcuts that work whichever control has the focus.
    void addSheetCommands();
    std::vector<std::string> fieldTexts() const;
    // Asks for the 计算书信息 before the window's first print or save.
    bool haveSheetInfo();
    // The file name proposed for the sheet, in the folder last used.
    QString proposedSheetPath(const sheet::CalculationSheet& sheet) const;

    const sections::SectionShape& shape_;
    BuiltControls controls_;
    std::optional<SheetInfo> sheetInfo_;  // none until first entered in this window
};

}  // namespace dravik::shell
