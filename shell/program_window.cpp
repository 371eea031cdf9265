#include "shell/program_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
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

}  // namespace dravik::shell
