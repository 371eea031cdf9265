#include "shell/start_window.h"

#include <QPushButton>
#include <QRadioButton>

#include "shell/qt_text.h"
#include "shell/window_manager.h"

namespace dravik::shell {

StartWindow::StartWindow(WindowManager& manager) : ProgramWindow(manager, kStartWindowName) {
    setWindowTitle(qs(layouts::kStartCaption));
    controls_ = buildLayout(this, layouts::kStartWindow);
    connect(controls_.get<QPushButton>(layouts::Role::OpenCalculator), &QPushButton::clicked, this,
            &StartWindow::Command1_Click);
    connect(controls_.get<QPushButton>(layouts::Role::EndProgram), &QPushButton::clicked, this,
            &StartWindow::Command2_Click);
    Form_Load();
}

QRadioButton* StartWindow::option(int index) const {
    return controls_.get<QRadioButton>(QStringLiteral("Option%1").arg(index));
}

// Whether another copy runs is settled once in main(), before this window
// can exist (see second_copy.h).
void StartWindow::Form_Load() { selectFirstShape(); }

void StartWindow::Command1_Click() { openChosenCalculator(); }

void StartWindow::Command2_Click() { manager().endProgram(); }

void StartWindow::selectFirstShape() {
    controls_.get<QRadioButton>(qs(layouts::kShapeChoices[0].option))->setChecked(true);
}

void StartWindow::openChosenCalculator() {
    for (const layouts::ShapeChoice& choice : layouts::kShapeChoices) {
        if (!controls_.get<QRadioButton>(qs(choice.option))->isChecked()) continue;
        manager().show(qs(choice.window));
        manager().close(this);
        return;
    }
}

}  // namespace dravik::shell
