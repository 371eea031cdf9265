#include "image_files.h"

#include "jpeg_encoder.h"

#include <QByteArray>
#include <QFile>
#include <QtEndian>

#include <cstdint>
#include <cstdlib>

namespace dravik::draw_pictures {
namespace {

void appendU16LittleEndian(QByteArray& out, std::uint16_t value) {
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void appendU32LittleEndian(QByteArray& out, std::uint32_t value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

std::uint32_t readU32LittleEndian(const QByteArray& data, qsizetype offset) {
    return qFromLittleEndian<std::uint32_t>(data.constData() + offset);
}
std::uint16_t readU16LittleEndian(const QByteArray& data, qsizetype offset) {
    return qFromLittleEndian<std::uint16_t>(data.constData() + offset);
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

QString writeFile(const QString& path, const QByteArray& data) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return path + QStringLiteral(": cannot open for writing");
    if (file.write(data) != data.size()) return path + QStringLiteral(": write failed");
    return {};
}

}  // namespace

QString writeBmp(const QImage& image, const QString& path) {
    // Qt writes an image without alpha channel as a 24-bit BI_RGB bitmap.
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    if (!rgb.save(path, "BMP")) return path + QStringLiteral(": cannot write BMP");

    const QByteArray data = readAll(path);
    if (data.size() < 54 || !data.startsWith("BM")) return path + QStringLiteral(": not a BMP file");
    const auto width = static_cast<std::int32_t>(readU32LittleEndian(data, 18));
    const auto height = static_cast<std::int32_t>(readU32LittleEndian(data, 22));
    const std::uint16_t bitsPerPixel = readU16LittleEndian(data, 28);
    const std::uint32_t compression = readU32LittleEndian(data, 30);
    if (width != image.width() || std::abs(height) != image.height())
        return path + QStringLiteral(": stored size differs");
    if (bitsPerPixel != 24) return path + QStringLiteral(": %1 bits per pixel, expected 24").arg(bitsPerPixel);
    if (compression != 0) return path + QStringLiteral(": compressed (%1), expected BI_RGB").arg(compression);
    const qsizetype rowBytes = (static_cast<qsizetype>(width) * 3 + 3) / 4 * 4;
    if (data.size() < readU32LittleEndian(data, 10) + rowBytes * image.height())
        return path + QStringLiteral(": pixel data too short");
    if (QImage(path).convertToFormat(QImage::Format_RGB32) != rgb)
        return path + QStringLiteral(": pixels read back differ");
    return {};
}

QString writeJpeg(const QImage& image, const QString& path, std::optional<QColor> border, int tolerance) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QString encoderError;
    const QByteArray jpeg = encodeJpeg(rgb, encoderError);
    if (jpeg.isEmpty()) return path + QStringLiteral(": ") + encoderError;
    if (QString error = writeFile(path, jpeg); !error.isEmpty()) return error;

    const QImage decoded = QImage(path, "JPEG").convertToFormat(QImage::Format_RGB32);
    if (decoded.size() != image.size()) return path + QStringLiteral(": stored size differs");
    // With every quantisation step 1 the decoded pixels stay within a few
    // levels of the drawing; more means the encoder is broken.
    constexpr int kMaxDeviation = 6;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* drawn = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        const auto* stored = reinterpret_cast<const QRgb*>(decoded.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            if (std::abs(qRed(drawn[x]) - qRed(stored[x])) > kMaxDeviation ||
                std::abs(qGreen(drawn[x]) - qGreen(stored[x])) > kMaxDeviation ||
                std::abs(qBlue(drawn[x]) - qBlue(stored[x])) > kMaxDeviation)
                return path + QStringLiteral(": decoded pixel (%1, %2) far from the drawing").arg(x).arg(y);
        }
    }
    if (!border) return {};
    auto close = [&](int x, int y) {
        const QColor c = decoded.pixelColor(x, y);
        return std::abs(c.red() - border->red()) <= tolerance && std::abs(c.green() - border->green()) <= tolerance &&
               std::abs(c.blue() - border->blue()) <= tolerance;
    };
    for (int x = 0; x < decoded.width(); ++x) {
        if (!close(x, 0) || !close(x, decoded.height() - 1))
            return path + QStringLiteral(": border pixel in column %1 off the ground colour").arg(x);
    }
    for (int y = 0; y < decoded.height(); ++y) {
        if (!close(0, y) || !close(decoded.width() - 1, y))
            return path + QStringLiteral(": border pixel in row %1 off the ground colour").arg(y);
    }
    return {};
}

QString writeIco(const QImage& image, const QString& path) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width();
    const int height = rgb.height();
    if (width > 256 || height > 256) return path + QStringLiteral(": too large for an icon");

    const qsizetype colourRow = (static_cast<qsizetype>(width) * 3 + 3) / 4 * 4;
    const qsizetype maskRow = (width + 31) / 32 * 4;
    const auto imageBytes = static_cast<std::uint32_t>((colourRow + maskRow) * height);
    constexpr std::uint32_t kHeaderBytes = 6 + 16;
    constexpr std::uint32_t kInfoBytes = 40;

    QByteArray out;
    // ICONDIR
    appendU16LittleEndian(out, 0);  // reserved
    appendU16LittleEndian(out, 1);  // icon
    appendU16LittleEndian(out, 1);  // one image
    // ICONDIRENTRY
    out.append(static_cast<char>(width == 256 ? 0 : width));
    out.append(static_cast<char>(height == 256 ? 0 : height));
    out.append('\0');               // no palette
    out.append('\0');               // reserved
    appendU16LittleEndian(out, 1);  // planes
    appendU16LittleEndian(out, 24);
    appendU32LittleEndian(out, kInfoBytes + imageBytes);
    appendU32LittleEndian(out, kHeaderBytes);
    // BITMAPINFOHEADER: the height counts the colour rows and the mask rows.
    appendU32LittleEndian(out, kInfoBytes);
    appendU32LittleEndian(out, static_cast<std::uint32_t>(width));
    appendU32LittleEndian(out, static_cast<std::uint32_t>(height * 2));
    appendU16LittleEndian(out, 1);
    appendU16LittleEndian(out, 24);
    appendU32LittleEndian(out, 0);  // BI_RGB
    appendU32LittleEndian(out, imageBytes);
    appendU32LittleEndian(out, 0);
    appendU32LittleEndian(out, 0);
    appendU32LittleEndian(out, 0);
    appendU32LittleEndian(out, 0);
    // Colour rows, bottom up, blue-green-red.
    for (int y = height - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        QByteArray row(colourRow, '\0');
        for (int x = 0; x < width; ++x) {
            row[x * 3 + 0] = static_cast<char>(qBlue(line[x]));
            row[x * 3 + 1] = static_cast<char>(qGreen(line[x]));
            row[x * 3 + 2] = static_cast<char>(qRed(line[x]));
        }
        out.append(row);
    }
    // AND mask: all zero, every pixel opaque.
    out.append(QByteArray(maskRow * height, '\0'));

    if (QString error = writeFile(path, out); !error.isEmpty()) return error;
    const QImage back = QImage(path, "ICO").convertToFormat(QImage::Format_RGB32);
    if (back != rgb) return path + QStringLiteral(": pixels read back differ");
    return {};
}

QString writePng(const QImage& image, const QString& path) {
    if (!image.convertToFormat(QImage::Format_RGB32).save(path, "PNG"))
        return path + QStringLiteral(": cannot write PNG");
    return {};
}

}  // namespace dravik::draw_pictures
