// Writing the pictures in their stored formats. Each writer reads the file
// back and returns an error message if it is not what the program expects,
// or an empty string.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include <optional>

namespace dravik::draw_pictures {

// Windows BMP, 24 bits per pixel, uncompressed.
QString writeBmp(const QImage& image, const QString& path);

// Baseline JPEG at full colour resolution and the finest quantisation. If `border` is given, every pixel on the edge
// of the decoded file must lie within `tolerance` of it in each channel.
QString writeJpeg(const QImage& image, const QString& path, std::optional<QColor> border, int tolerance);

// Windows icon with a single 24-bit image and an all-opaque mask.
QString writeIco(const QImage& image, const QString& path);

QString writePng(const QImage& image, const QString& path);

}  // namespace dravik::draw_pictures
