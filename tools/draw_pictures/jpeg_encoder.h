// Baseline JPEG, written by libjpeg-turbo: three components at full colour
// resolution (4:4:4), every quantisation step 1. Qt's JPEG writer halves the
// colour resolution, which turns the thin coloured lines of the diagrams
// grey; this keeps them.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace dravik::draw_pictures {

// The JPEG file of `image`, or an empty array with `error` set.
QByteArray encodeJpeg(const QImage& image, QString& error);

}  // namespace dravik::draw_pictures
