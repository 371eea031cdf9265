// The start-up window 欢迎使用: choose a section type, then enter the
// calculation or quit.
#pragma once

#include "shell/layout_builder.h"
#include "shell/program_window.h"

class QRadioButton;

namespace dravik::shell {

class StartWindow : public ProgramWindow {
    Q_OBJECT
public:
    explicit StartWindow(WindowManager& manager);

    QRadioButton* option(int index) const;  // Option1 … Option4, from 1

private:
    // Entry points, named after the controls they serve (see ProgramWindow).
    void Form_Load();
    void Command1_Click();  // "进入计算》"
    void Command2_Click();  // "退出程序"

    void selectFirstShape();
    void openChosenCalculator();

    BuiltControls controls_;
};

}  // namespace dravik::shell
