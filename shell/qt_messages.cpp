#include "shell/qt_messages.h"

#include <QMessageLogContext>
#include <QString>
#include <QtGlobal>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "launch/command_line.h"
#include "launch/program_texts.h"

namespace dravik::shell {
namespace {

bool keepAll = false;
QtMessageHandler qtHandler = nullptr;
std::atomic<bool> started{false};

bool isOurs(const QMessageLogContext& context) {
    return context.category != nullptr && std::strncmp(context.category, "dravik", 6) == 0;
}

void write(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (qtHandler != nullptr) {
        qtHandler(type, context, message);
    } else {
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    }
}

void handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg && !started.load()) {
        if (keepAll) write(QtWarningMsg, context, message);
        std::fwrite(launch::texts::kNoDesktop.data(), 1, launch::texts::kNoDesktop.size(), stderr);
        std::_Exit(launch::kStatusNoDesktop);
    }
    if (keepAll || isOurs(context) || type == QtFatalMsg) write(type, context, message);
}

}  // namespace

void installMessageHandler(bool keepQtMessages) {
    keepAll = keepQtMessages;
    qtHandler = qInstallMessageHandler(handle);
}

void platformStarted() { started.store(true); }

}  // namespace dravik::shell
