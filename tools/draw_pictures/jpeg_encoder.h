// A small baseline JPEG encoder: three components without chroma
// subsampling and every quantisation step 1. Qt's JPEG writer halves the
// colour resolution, which turns the thin coloured lines of the diagrams
// grey; this keeps them.
#pragma once

#include <QByteArray>
#include <QImage>

namespace pictures {

QByteArray encodeJpeg(const QImage& image);

}  // namespace pictures
