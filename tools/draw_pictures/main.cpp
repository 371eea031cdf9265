// draw_pictures OUTPUT_DIR
//
// Draws the program's window icon, logo and section diagrams and writes them
// to OUTPUT_DIR in the formats the program embeds.

#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QGuiApplication>
#include <QTextStream>

#include <functional>
#include <vector>

#include "image_files.h"
#include "pictures.h"
#include "style.h"

int main(int argc, char** argv) {
    // No display is needed: everything is drawn into images.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);

    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2 || args[1].startsWith(QLatin1Char('-'))) {
        err << "usage: draw_pictures OUTPUT_DIR\n";
        return 2;
    }
    const QDir dir(args[1]);
    if (!QDir().mkpath(dir.absolutePath())) {
        err << "draw_pictures: cannot create " << dir.absolutePath() << '\n';
        return 1;
    }

    const QFontInfo font(pictures::letterFont());
    if (font.family() != QStringLiteral("DejaVu Sans")) {
        err << "draw_pictures: the font \"DejaVu Sans\" is missing (got \"" << font.family()
            << "\"); install fonts-dejavu-core so the letters come out as committed\n";
        return 1;
    }

    constexpr int kGroundTolerance = 2;
    const QImage icon = pictures::drawWindowIcon();
    struct Output {
        QString name;
        std::function<QString(const QString&)> write;
    };
    std::vector<Output> outputs{
        {"dravik.ico", [&](const QString& path) { return pictures::writeIco(icon, path); }},
        {"logo.jpg",
         [](const QString& path) { return pictures::writeJpeg(pictures::drawLogo(), path, std::nullopt, 0); }},
        {"section_rectangle.bmp",
         [](const QString& path) { return pictures::writeBmp(pictures::drawRectangleSection(), path); }},
        {"section_l.bmp", [](const QString& path) { return pictures::writeBmp(pictures::drawLSection(), path); }},
        {"section_flanged.jpg",
         [](const QString& path) {
             return pictures::writeJpeg(pictures::drawFlangedSection(), path, pictures::kGround, kGroundTolerance);
         }},
        {"section_z.jpg",
         [](const QString& path) {
             return pictures::writeJpeg(pictures::drawZSection(), path, pictures::kGround, kGroundTolerance);
         }},
    };
    // The application icon for the icon theme: icons/dravik-<size>.png.
    for (int size : pictures::kIconThemeSizes) {
        outputs.push_back({QStringLiteral("icons/dravik-%1.png").arg(size), [size](const QString& path) {
                               return pictures::writePng(pictures::drawWindowIcon(size), path);
                           }});
    }
    // The pictures the windows show, drawn again for screens with two and
    // three device pixels per pixel: hidpi/<stored file's stem>@<scale>x.png.
    const struct {
        const char* stem;
        QImage (*draw)(int scale);
    } finer[] = {
        {"logo", pictures::drawLogo},          {"section_rectangle", pictures::drawRectangleSection},
        {"section_l", pictures::drawLSection}, {"section_flanged", pictures::drawFlangedSection},
        {"section_z", pictures::drawZSection},
    };
    for (const auto& picture : finer) {
        for (int scale : {2, 3}) {
            outputs.push_back(
                {QStringLiteral("hidpi/%1@%2x.png").arg(QLatin1String(picture.stem)).arg(scale),
                 [&picture, scale](const QString& path) { return pictures::writePng(picture.draw(scale), path); }});
        }
    }

    int failures = 0;
    for (const auto& output : outputs) {
        const QString path = dir.filePath(output.name);
        if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
            err << "draw_pictures: cannot create the directory of " << path << '\n';
            ++failures;
        } else if (const QString error = output.write(path); !error.isEmpty()) {
            err << "draw_pictures: " << error << '\n';
            ++failures;
        } else {
            err << "wrote " << path << '\n';
        }
    }
    return failures == 0 ? 0 : 1;
}
