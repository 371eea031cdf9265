// Decodes the stored pictures at build time into raw 32-bit pixels, so that
// the program shows them without image plugins, libjpeg or decoding at start:
//   embed_pictures OUTPUT_DIR PICTURE...
// Each PICTURE becomes OUTPUT_DIR/<its file name>.rgb32: the 4 bytes "DRP1",
// width and height as 32-bit little-endian numbers, 4 bytes of padding, then
// the rows top to bottom, each pixel 0xFFRRGGBB in the machine's byte order
// (QImage::Format_RGB32).
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QTextStream>
#include <QtEndian>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        err << "usage: embed_pictures OUTPUT_DIR PICTURE...\n";
        return 2;
    }
    const QDir out(args[1]);
    if (!QDir().mkpath(out.path())) {
        err << "cannot create " << out.path() << "\n";
        return 1;
    }
    for (const QString& path : args.mid(2)) {
        QImageReader reader(path);
        const QImage image = reader.read().convertToFormat(QImage::Format_RGB32);
        if (image.isNull()) {
            err << path << ": " << reader.errorString() << "\n";
            return 1;
        }
        QByteArray bytes("DRP1");
        char number[4];
        qToLittleEndian<quint32>(static_cast<quint32>(image.width()), number);
        bytes.append(number, 4);
        qToLittleEndian<quint32>(static_cast<quint32>(image.height()), number);
        bytes.append(number, 4);
        bytes.append(4, '\0');
        for (int y = 0; y < image.height(); ++y) {
            bytes.append(reinterpret_cast<const char*>(image.constScanLine(y)), image.width() * 4);
        }
        QFile file(out.filePath(QFileInfo(path).fileName() + QStringLiteral(".rgb32")));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            err << "cannot write " << file.fileName() << "\n";
            return 1;
        }
    }
    return 0;
}
