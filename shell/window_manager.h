// The three window operations that carry all navigation: show a window,
// close a window, end the program.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <map>

#include "layouts/windows.h"
#include "shell/qt_text.h"

namespace dravik::shell {

class ProgramWindow;

// The name of the start-up window, as its layout records give it; calculator
// windows go by their section's window name ("azpjl" …).
inline const QString kStartWindowName = qs(layouts::kStartWindow.windowName);

class WindowManager : public QObject {
    Q_OBJECT
public:
    explicit WindowManager(QObject* parent = nullptr);
    ~WindowManager() override;

    // Opens the program: shows the start-up window.
    void start();

    // Show a window: if it is closed, create it (its load step runs in its
    // constructor), then make it visible, centred, modeless and without owner.
    void show(const QString& windowName);

    // Close a window: hide and discard it. When no window is left open, the
    // program ends. Callers show the next window before closing this one.
    void close(ProgramWindow* window);

    // End the program at once: every window goes away without its closing
    // step and without a question.
    void endProgram();

    // The window `name` if it is open, otherwise nullptr.
    ProgramWindow* window(const QString& name) const;
    // Names of the open windows.
    QStringList openWindows() const;
    bool hasEnded() const { return ended_; }

    // Called by a window whose close box was used.
    void windowClosedByUser(ProgramWindow* window);

signals:
    // The program has ended: the event loop, if running, should stop.
    void programEnded();

private:
    ProgramWindow* create(const QString& name);
    void forget(ProgramWindow* window);
    void endIfNoWindowLeft();

    std::map<QString, QPointer<ProgramWindow>> open_;
    bool ended_ = false;
};

}  // namespace dravik::shell
