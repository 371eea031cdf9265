#include "shell/second_copy.h"

#include <QMessageBox>

#include "launch/instance_guard.h"
#include "layouts/windows.h"
#include "shell/qt_text.h"
#include "shell/trace.h"

namespace dravik::shell {

bool refuseIfAnotherCopyRuns(launch::InstanceGuard& guard) {
    if (!guard.anotherCopyRunning()) return false;
    QMessageBox box(QMessageBox::NoIcon, qs(layouts::kProgramTitle), qs(layouts::kAlreadyRunningMessage),
                    QMessageBox::Ok);
    qCDebug(windowTrace) << "message" << box.text();
    box.exec();
    return true;
}

}  // namespace dravik::shell
