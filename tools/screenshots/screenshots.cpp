// Renders each of the five windows, as it first appears, to a PNG file
// (start.png, azpjl.png, lxzjzpjl.png, yzpjl.png, zxzjzpjl.png):
//   dravik-screenshots OUTPUT_DIR
// Runs on any Qt platform, the offscreen one included.
#include <QApplication>
#include <QDir>
#include <QTextStream>

#include "sections/shapes.h"
#include "shell/appearance.h"
#include "shell/program_window.h"
#include "shell/qt_text.h"
#include "shell/window_manager.h"

using namespace dravik;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: dravik-screenshots OUTPUT_DIR\n";
        return 2;
    }
    shell::prepareApplication(app);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        err << "cannot create " << out.path() << "\n";
        return 1;
    }
    QStringList names{shell::kStartWindowName};
    for (const sections::SectionShape* shape : sections::allShapes()) names << shell::qs(shape->windowName);
    int failures = 0;
    for (const QString& name : names) {
        shell::WindowManager windows;
        windows.show(name);
        shell::ProgramWindow* window = windows.window(name);
        if (window == nullptr) {
            err << "could not open " << name << "\n";
            ++failures;
            continue;
        }
        QApplication::processEvents();
        const QString base = name == shell::kStartWindowName ? QStringLiteral("start") : name;
        const QString file = out.filePath(base + QStringLiteral(".png"));
        if (!window->grab().save(file)) {
            err << "could not write " << file << "\n";
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
