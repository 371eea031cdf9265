// The yardstick for dravik's start-up: the least a Qt Widgets program does to
// put a window of the start-up window's size on the screen. Same Qt, same
// platform plugin, no style, fonts, pictures or layouts of our own.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(671, 559);
    window.show();
    return QApplication::exec();
}
