#include "shell/embedded_pictures.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QResource>
#include <QtEndian>
#include <cmath>
#include <cstring>
#include <iterator>

#include "pictures/drawings.h"

namespace dravik::shell {
namespace {

constexpr qsizetype kHeaderSize = 16;  // "DRP1", width, height, padding

// The window icon at one device pixel per pixel: the stored icon's size.
constexpr int kStandardIconSize = 32;
// The largest icon a window offers, per started device pixel per pixel.
constexpr int kLargestIconPerDevicePixel = 64;

// The stored file of `which`, empty for NoPicture.
QString storedFileName(layouts::StoredPicture which) {
    const pictures::Drawing* drawing = pictures::drawingOf(which);
    return drawing == nullptr ? QString()
                              : QString::fromUtf8(drawing->storedFile.data(), qsizetype(drawing->storedFile.size()));
}

// The decoded pixels that the build embedded for a stored file, read in
// place: the resource is stored uncompressed and its rows are 4-byte words.
QImage decoded(const QString& fileName) {
    const QResource resource(decodedPicturePath(fileName));
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression) return {};
    const uchar* data = resource.data();
    const qint64 size = resource.size();
    if (size < kHeaderSize || std::memcmp(data, "DRP1", 4) != 0) return {};
    const auto width = qFromLittleEndian<quint32>(data + 4);
    const auto height = qFromLittleEndian<quint32>(data + 8);
    if (width == 0 || height == 0 || width > 4096 || height > 4096 ||
        size != kHeaderSize + qint64(width) * qint64(height) * 4) {
        return {};
    }
    const uchar* pixels = data + kHeaderSize;
    const QImage image(pixels, int(width), int(height), int(width) * 4, QImage::Format_RGB32);
    // QImage wants 32-bit aligned pixel data; copy in the unlikely case it is not.
    return reinterpret_cast<quintptr>(pixels) % 4 == 0 ? image : image.copy();
}

}  // namespace

QString decodedPicturePath(const QString& storedFileName) {
    return QStringLiteral(":/pictures/") + storedFileName + QStringLiteral(".rgb32");
}

QImage picture(layouts::StoredPicture which) {
    const QString file = storedFileName(which);
    return file.isEmpty() ? QImage() : decoded(file);
}

int drawnScaleFor(qreal devicePixelRatio) {
    if (devicePixelRatio <= 1.0) return 1;
    for (int scale : pictures::kFinerScales) {
        if (scale >= devicePixelRatio) return scale;
    }
    return std::end(pictures::kFinerScales)[-1];
}

QImage drawnPicture(layouts::StoredPicture which, int scale) {
    if (scale == 1) return picture(which);
    const QString file = storedFileName(which);
    if (file.isEmpty()) return {};
    const QString stem = file.left(file.lastIndexOf(QLatin1Char('.')));
    // Stored as drawn (PNG, read by Qt's built-in reader): decoded only on
    // a screen that shows it.
    const QImage drawn(QStringLiteral(":/pictures/hidpi/%1@%2x.png").arg(stem).arg(scale));
    return drawn.isNull() ? drawn : drawn.convertToFormat(QImage::Format_RGB32);
}

QList<int> windowIconSizes(qreal devicePixelRatio) {
    if (devicePixelRatio <= 1.0) return {kStandardIconSize};
    const int largest = kLargestIconPerDevicePixel * static_cast<int>(std::ceil(devicePixelRatio));
    QList<int> sizes;
    for (int size : pictures::kIconThemeSizes) {
        if (size <= largest) sizes << size;
    }
    return sizes;
}

QIcon windowIcon() {
    QIcon icon;
    for (int size : windowIconSizes(qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0))
        icon.addPixmap(QPixmap::fromImage(decoded(QStringLiteral("dravik-%1.png").arg(size))));
    return icon;
}

}  // namespace dravik::shell
