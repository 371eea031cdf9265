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
#include "pictures/drawings.h"
#include "pictures/style.h"

using namespace dravik;

namespace {

// A picture in its stored format: BMP or JPEG, as its file name says. The
// diagrams' edges are the windows' face colour, which their JPEG files must
// keep within this much in each channel.
constexpr int kGroundTolerance = 2;

QString writeStored(const pictures::Drawing& drawing, const QString& path) {
    const QImage image = pictures::draw(drawing);
    if (path.endsWith(QLatin1String(".bmp"))) return draw_pictures::writeBmp(image, path);
    const bool diagram = drawing.picture != layouts::StoredPicture::Logo;
    return draw_pictures::writeJpeg(image, path, diagram ? std::optional(pictures::kGround) : std::nullopt,
                                    diagram ? kGroundTolerance : 0);
}

}  // namespace

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

    struct Output {
        QString name;
        std::function<QString(const QString&)> write;
    };
    std::vector<Output> outputs{
        {"dravik.ico", [](const QString& path) { return draw_pictures::writeIco(pictures::drawWindowIcon(), path); }}};
    // The pictures the windows show, each also drawn for screens with two
    // and three device pixels per pixel: hidpi/<stored file's stem>@<scale>x.png.
    for (const pictures::Drawing& drawing : pictures::drawings()) {
        const QString file = QString::fromUtf8(drawing.storedFile.data(), qsizetype(drawing.storedFile.size()));
        outputs.push_back({file, [&drawing](const QString& path) { return writeStored(drawing, path); }});
        for (int scale : pictures::kFinerScales) {
            outputs.push_back({QStringLiteral("hidpi/%1@%2x.png").arg(file.section(QLatin1Char('.'), 0, 0)).arg(scale),
                               [&drawing, scale](const QString& path) {
                                   return draw_pictures::writePng(pictures::draw(drawing, scale), path);
                               }});
        }
    }
    // The application icon for the icon theme: icons/dravik-<size>.png.
    for (int size : pictures::kIconThemeSizes) {
        outputs.push_back({QStringLiteral("icons/dravik-%1.png").arg(size), [size](const QString& path) {
                               return draw_pictures::writePng(pictures::drawWindowIcon(size), path);
                           }});
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
