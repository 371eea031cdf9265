// Where Qt's log messages go. The program's own (categories "dravik.*") are
// written as Qt writes them; Qt's own warnings (a missing XDG_RUNTIME_DIR,
// say) are English notes for developers and stay off a user's terminal
// unless asked for.
#pragma once

namespace dravik::shell {

// Installs the message handler. `keepQtMessages` (--verbose, or a
// QT_LOGGING_RULES setting) writes every message as Qt would.
void installMessageHandler(bool keepQtMessages);

// Until this is called, a fatal message means that Qt could not start its
// platform: the handler then writes the no-desktop line and ends the program
// with status 1 instead of letting Qt abort. Called once QApplication stands.
void platformStarted();

}  // namespace dravik::shell
