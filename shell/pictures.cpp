#include "shell/pictures.h"

#include <QImage>
#include <QPixmapCache>
#include <QResource>
#include <QtEndian>
#include <cstring>

namespace dravik::shell {
namespace {

constexpr qsizetype kHeaderSize = 16;  // "DRP1", width, height, padding

QString storedFileName(layouts::StoredPicture which) {
    switch (which) {
        case layouts::StoredPicture::Logo: return QStringLiteral("logo.jpg");
        case layouts::StoredPicture::SectionRectangle: return QStringLiteral("section_rectangle.bmp");
        case layouts::StoredPicture::SectionL: return QStringLiteral("section_l.bmp");
        case layouts::StoredPicture::SectionFlanged: return QStringLiteral("section_flanged.jpg");
        case layouts::StoredPicture::SectionZ: return QStringLiteral("section_z.jpg");
        case layouts::StoredPicture::NoPicture: break;
    }
    return {};
}

// Reads the decoded pixels that the build embedded for a stored file; kept
// in the pixmap cache, since every window shows the same pictures afresh.
QPixmap decoded(const QString& fileName) {
    QPixmap pixmap;
    const QString path = decodedPicturePath(fileName);
    if (QPixmapCache::find(path, &pixmap)) return pixmap;
    const QResource resource(path);
    const QByteArray bytes = resource.uncompressedData();
    if (bytes.size() < kHeaderSize || !bytes.startsWith("DRP1")) return {};
    const auto width = qFromLittleEndian<quint32>(bytes.constData() + 4);
    const auto height = qFromLittleEndian<quint32>(bytes.constData() + 8);
    if (width == 0 || height == 0 || width > 4096 || height > 4096 ||
        bytes.size() != kHeaderSize + qsizetype(width) * qsizetype(height) * 4) {
        return {};
    }
    QImage image(int(width), int(height), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        std::memcpy(image.scanLine(y), bytes.constData() + kHeaderSize + qsizetype(y) * width * 4, width * 4);
    }
    pixmap = QPixmap::fromImage(std::move(image));
    QPixmapCache::insert(path, pixmap);
    return pixmap;
}

}  // namespace

QString decodedPicturePath(const QString& storedFileName) {
    return QStringLiteral(":/pictures/") + storedFileName + QStringLiteral(".rgb32");
}

QPixmap picture(layouts::StoredPicture which) {
    const QString file = storedFileName(which);
    return file.isEmpty() ? QPixmap() : decoded(file);
}

QIcon windowIcon() { return QIcon(decoded(QStringLiteral("dravik.ico"))); }

}  // namespace dravik::shell
