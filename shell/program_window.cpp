#include "shell/program_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "shell/window_manager.h"

namespace dravik::shell {

ProgramWindow::ProgramWindow(WindowManager& manager, const QString& name)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      manager_(manager),
      name_(name) {
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose);
}

// Centred in the screen's work area, so that a panel never covers part of the
// window. What is centred is the client area: the window manager's frame is
// not known before it first frames the window, and moving the window once it
// is would make it jump.
void ProgramWindow::centreOnScreen() {
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
}

void ProgramWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    manager_.windowClosedByUser(this);
}

// Enter and keypad Enter press the focused push button, as Space already does.
// Qt's push buttons take Enter only as a dialog's (auto-)default button, which
// is drawn with a thicker frame and its caption moved; these windows are no
// dialogs and their buttons keep their look. The key comes here when the
// focused widget did not use it; an input field's Enter never arrives here
// with a button in focus, so it still does nothing.
void ProgramWindow::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool enter = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && modifiers == 0;
    auto* button = qobject_cast<QPushButton*>(focusWidget());
    if (enter && button != nullptr && button->isEnabled()) {
        button->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace dravik::shell
