// Dravik: the boundary-column reinforcement calculator.
#include <malloc.h>

#include <QApplication>
#include <cstdio>

#include "shell/appearance.h"
#include "shell/font_warmup.h"
#include "shell/instance_guard.h"
#include "shell/second_copy.h"
#include "shell/window_manager.h"

int main(int argc, char* argv[]) {
    // One malloc arena for all threads: the font configuration loaded on the
    // warm-up thread then lives in the main heap, whose freed blocks the
    // windows reuse, instead of in an arena of its own. That saves some
    // sixty first-touch page faults before the first window is on the screen.
    mallopt(M_ARENA_MAX, 1);
    dravik::shell::FontConfigurationWarmUp fonts;
    QApplication app(argc, argv);
    fonts.finish();
    dravik::shell::prepareApplication(app);
    QApplication::setApplicationVersion(QStringLiteral(DRAVIK_VERSION));

    // Held until the program ends.
    dravik::shell::InstanceGuard guard;
    if (guard.isOff()) {
        std::fputs("dravik：没有只属于本用户的目录可放锁文件，本次不检查是否已有另一份程序在运行。\n", stderr);
    }
    if (dravik::shell::refuseIfAnotherCopyRuns(guard)) return 0;

    dravik::shell::WindowManager windows;
    QObject::connect(&windows, &dravik::shell::WindowManager::programEnded, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    windows.start();
    return QApplication::exec();
}
