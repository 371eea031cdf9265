// What the five windows of the program have in common: a fixed client area,
// a place among the open windows of the WindowManager, and Enter on a focused
// button.
//
// The handlers of every window follow one naming convention: Form_Load is the
// load step, run in the constructor once the controls exist, and
// <control>_Click is the click handler of the button of that name in the
// window's layout records (run_Click for "run", Command1_Click for
// "Command1"); the code finds the button itself by its role in the records.
// The handlers are thin entry points: each calls the functions, named for
// what they do, that hold the work.
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
