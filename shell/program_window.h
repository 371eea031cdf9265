// What the five windows of the program have in common: a fixed client area,
// a place among the open windows of the WindowManager, and Enter on a focused
// button.
#pragma once

#include <QWidget>

namespace dravik::shell {

class WindowManager;

class ProgramWindow : public QWidget {
    Q_OBJECT
public:
    ProgramWindow(WindowManager& manager, const QString& name);

    const QString& windowName() const { return name_; }

    // Places the window at the centre of its screen.
    void centreOnScreen();

protected:
    WindowManager& manager() { return manager_; }
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    WindowManager& manager_;
    QString name_;
};

}  // namespace dravik::shell
