#include "shell/window_manager.h"

#include <cstddef>
#include <string_view>

#include "sections/shapes.h"
#include "shell/calculator_window.h"
#include "shell/program_window.h"
#include "shell/start_window.h"
#include "shell/trace.h"

Q_LOGGING_CATEGORY(windowTrace, "dravik.windows", QtWarningMsg)

namespace dravik::shell {

WindowManager::WindowManager(QObject* parent) : QObject(parent) {}

WindowManager::~WindowManager() {
    for (auto& [name, window] : open_) delete window.data();
}

void WindowManager::start() { show(kStartWindowName); }

ProgramWindow* WindowManager::create(const QString& name) {
    if (name == kStartWindowName) return new StartWindow(*this);
    const QByteArray utf8 = name.toUtf8();
    const std::string_view wanted(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    const sections::SectionShape* shape = sections::findShape(wanted);
    if (shape == nullptr || shape->windowName != wanted) return nullptr;
    return new CalculatorWindow(*this, *shape);
}

void WindowManager::show(const QString& name) {
    if (ended_) return;
    ProgramWindow* window = this->window(name);
    if (window == nullptr) {
        window = create(name);
        if (window == nullptr) return;
        open_[name] = window;
        qCDebug(windowTrace) << "opened" << name;
        window->centreOnScreen();
    }
    window->show();
    window->activateWindow();
    qCDebug(windowTrace) << "shown" << name;
}

void WindowManager::close(ProgramWindow* window) {
    if (window == nullptr || this->window(window->windowName()) != window) return;
    forget(window);
    window->hide();
    // Deferred: the window may be closing itself from one of its own handlers.
    window->deleteLater();
    endIfNoWindowLeft();
}

void WindowManager::windowClosedByUser(ProgramWindow* window) {
    if (this->window(window->windowName()) != window) return;
    forget(window);  // Qt hides and deletes it (WA_DeleteOnClose)
    endIfNoWindowLeft();
}

void WindowManager::endProgram() {
    if (ended_) return;
    std::map<QString, QPointer<ProgramWindow>> windows;
    windows.swap(open_);
    for (auto& [name, window] : windows) {
        if (window == nullptr) continue;
        qCDebug(windowTrace) << "closed" << name;
        window->hide();
        window->deleteLater();
    }
    ended_ = true;
    qCDebug(windowTrace) << "ended";
    emit programEnded();
}

ProgramWindow* WindowManager::window(const QString& name) const {
    auto it = open_.find(name);
    return it == open_.end() ? nullptr : it->second.data();
}

QStringList WindowManager::openWindows() const {
    QStringList names;
    for (const auto& [name, window] : open_) {
        if (window != nullptr) names << name;
    }
    return names;
}

void WindowManager::forget(ProgramWindow* window) {
    open_.erase(window->windowName());
    qCDebug(windowTrace) << "closed" << window->windowName();
}

void WindowManager::endIfNoWindowLeft() {
    if (openWindows().isEmpty()) endProgram();
}

}  // namespace dravik::shell
