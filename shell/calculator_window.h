// The calculator window that the four section shapes share: inputs, "计算",
// back to the choice of type, and exit. What differs between the shapes is
// data: the section's input table and formula, and the window's layout.
#pragma once

#include <QStringList>

#include "sections/section_shape.h"
#include "shell/layout_builder.h"
#include "shell/program_window.h"

class QComboBox;
class QLineEdit;

namespace dravik::shell {

class CalculatorWindow : public ProgramWindow {
    Q_OBJECT
public:
    CalculatorWindow(WindowManager& manager, const sections::SectionShape& shape);

    QComboBox* input(const QString& name) const;
    QLineEdit* result(sections::Result result) const;

private:
    // Entry points, named after the controls they serve (see ProgramWindow).
    void Form_Load();
    void run_Click();       // "计算"
    void Command1_Click();  // "改类型《" / "换类型《"
    void exit_Click();      // "退出"

    void fillChoiceLists();
    void showDefaultTexts();
    void calculateAndShowResults();
    void backToShapeChoice();
    void nameForAccessibility();

    const sections::SectionShape& shape_;
    BuiltControls controls_;
};

}  // namespace dravik::shell
