// A second yardstick for dravik's start-up: the bare window plus one group box
// with a caption. Qt lays out a group box's contents from its caption's font
// metrics as soon as the caption is set, so this window loads the system's
// font configuration and the first font before it is mapped, as every window
// with a captioned group box does. A label alone would not show that cost:
// a label measures its text only when it is first painted, after the map.
#include <QApplication>
#include <QGroupBox>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(671, 559);
    auto* box = new QGroupBox(QStringLiteral("Step 1"), &window);
    box->setGeometry(8, 32, 521, 481);
    window.show();
    return QApplication::exec();
}
