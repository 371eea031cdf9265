// What the five windows of the program have in common: a fixed client area
// and a place among the open windows of the WindowManager.
#pragma once

#include <QWidget>

namespace dravik::shell {

class WindowManager;

class ProgramWindow : public QWidget {
    Q_OBJECT
public:
    ProgramWindow(WindowManager& manager, const QString& name);

    const QString& windowName() const { return name_; }
    // False once the load step closed the window again before it was shown.
    bool wantsToBeShown() const { return wantsToBeShown_; }

    // Places the window at the centre of its screen.
    void centreOnScreen();

protected:
    WindowManager& manager() { return manager_; }
    // Closes this window from its own load step, before it is ever shown.
    void closeDuringLoad();
    void closeEvent(QCloseEvent* event) override;

private:
    WindowManager& manager_;
    QString name_;
    bool wantsToBeShown_ = true;
};

}  // namespace dravik::shell
