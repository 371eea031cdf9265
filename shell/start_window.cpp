#include "shell/start_window.h"

#include <QPushButton>
#include <QRadioButton>

#include "sections/shapes.h"
#include "shell/qt_text.h"
#include "shell/window_manager.h"

namespace dravik::shell {
namespace {

constexpr int kOptionCount = 4;

}  // namespace

StartWindow::StartWindow(WindowManager& manager) : ProgramWindow(manager, kStartWindowName) {
    setWindowTitle(qs(layouts::kStartCaption));
    controls_ = buildLayout(this, layouts::kStartWindow);
    connect(controls_.get<QPushButton>(QStringLiteral("Command1")), &QPushButton::clicked, this,
            &StartWindow::Command1_Click);
    connect(controls_.get<QPushButton>(QStringLiteral("Command2")), &QPushButton::clicked, this,
            &StartWindow::Command2_Click);
    Form_Load();
}

QRadioButton* StartWindow::option(int index) const {
    return controls_.get<QRadioButton>(QStringLiteral("Option%1").arg(index));
}

// Whether another copy runs is settled once in main(), before this window
// can exist (see second_copy.h).
void StartWindow::Form_Load() { option(1)->setChecked(true); }

void StartWindow::Command1_Click() {
    // Option i opens the calculator of the i-th section shape.
    const auto shapes = sections::allShapes();
    for (int i = 1; i <= kOptionCount; ++i) {
        if (!option(i)->isChecked()) continue;
        manager().show(qs(shapes[static_cast<std::size_t>(i - 1)]->windowName));
        manager().close(this);
        return;
    }
}

void StartWindow::Command2_Click() { manager().endProgram(); }

}  // namespace dravik::shell
