// Dravik: the boundary-column reinforcement calculator.
#include <malloc.h>

#include <QApplication>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "book/book_options.h"
#include "launch/command_line.h"
#include "launch/display_reach.h"
#include "launch/instance_guard.h"
#include "launch/program_texts.h"
#include "shell/appearance.h"
#include "shell/font_warmup.h"
#include "shell/qt_messages.h"
#include "shell/second_copy.h"
#include "shell/sheet_book.h"
#include "shell/window_manager.h"

namespace {

constexpr int kExitBadUsage = 2;

std::vector<std::string_view> argumentsAfterName(int argc, char* argv[]) { return {argv + 1, argv + argc}; }

// Writes `text` to standard output; says why on standard error when it cannot.
int printAndExit(const std::string& text) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0) return 0;
    const std::string message = std::string(dravik::launch::texts::kCannotWriteOutput) + std::strerror(errno) + "\n";
    std::fputs(message.c_str(), stderr);
    return kExitBadUsage;
}

bool loggingRulesSet() {
    const char* rules = std::getenv("QT_LOGGING_RULES");
    return rules != nullptr && *rules != '\0';
}

}  // namespace

int main(int argc, char* argv[]) {
    // Before anything else: these need no display and ignore another copy.
    switch (dravik::launch::earlyRequest(argumentsAfterName(argc, argv))) {
        case dravik::launch::EarlyRequest::Help:
            return printAndExit(
                dravik::launch::usageText(DRAVIK_VERSION, dravik::launch::programBesideThisOne("dravik-batch")));
        case dravik::launch::EarlyRequest::Version: return printAndExit(dravik::launch::versionText(DRAVIK_VERSION));
        case dravik::launch::EarlyRequest::None: break;
    }

    // A book of calculation sheets: no window, no desktop, no single-copy
    // guard; Qt's own notes stay off the terminal as for the windows.
    if (dravik::book::isBookRequest(argumentsAfterName(argc, argv))) {
        dravik::shell::installMessageHandler(loggingRulesSet());
        return dravik::shell::runSheetBook(argc, argv);
    }

    // The rest of the command line, read as Qt will read it, and the desktop
    // the windows go to: both refused here rather than by a Qt abort.
    const dravik::launch::CommandLine line = dravik::launch::readCommandLine(argumentsAfterName(argc, argv));
    if (line.unknownOption) {
        std::fputs(dravik::launch::unknownOptionMessage(*line.unknownOption).c_str(), stderr);
        return kExitBadUsage;
    }
    dravik::shell::installMessageHandler(line.verbose || loggingRulesSet());
    dravik::launch::DesktopCheck desktop(line.platform, line.display);
    if (!desktop.reachable()) {
        std::fputs(dravik::launch::texts::kNoDesktop.data(), stderr);
        return dravik::launch::kStatusNoDesktop;
    }

    // One malloc arena for all threads: the font configuration loaded on the
    // warm-up thread then lives in the main heap, whose freed blocks the
    // windows reuse, instead of in an arena of its own. That saves some
    // sixty first-touch page faults before the first window is on the screen.
    mallopt(M_ARENA_MAX, 1);
    dravik::shell::FontConfigurationWarmUp fonts;
    QApplication app(argc, argv);  // takes Qt's own options out of argv
    dravik::shell::platformStarted();
    desktop.letGo();
    fonts.finish();
    dravik::shell::prepareApplication(app);
    QApplication::setApplicationVersion(QStringLiteral(DRAVIK_VERSION));

    // Held until the program ends.
    dravik::launch::InstanceGuard guard;
    if (guard.isOff()) {
        std::fputs(dravik::launch::texts::kGuardOff.data(), stderr);
    }
    if (dravik::shell::refuseIfAnotherCopyRuns(guard)) return 0;

    dravik::shell::WindowManager windows;
    QObject::connect(&windows, &dravik::shell::WindowManager::programEnded, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    windows.start();
    return QApplication::exec();
}
