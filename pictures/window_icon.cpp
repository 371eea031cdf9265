// Window icon: a cartoon dog's face, yellow with orange ears and eye patch,
// on a light background, designed on a 32 x 32 grid. Each size is drawn from
// the shapes at four times that size and scaled down, which antialiases the
// small shapes better than drawing at the size itself.

#include <QPainterPath>

#include "pictures/drawings.h"
#include "pictures/style.h"

namespace dravik::pictures {
namespace {

const QColor kBackground{233, 241, 249};
const QColor kFace{252, 214, 58};
const QColor kMuzzle{255, 240, 176};
const QColor kOrange{238, 128, 28};
const QColor kInk{74, 40, 18};

QPainterPath ear(bool left) {
    // A floppy ear hanging from the top of the head down the side.
    const double s = left ? -1.0 : 1.0;
    QPainterPath path;
    path.moveTo(16.0 + s * 4.0, 7.0);
    path.cubicTo(16.0 + s * 11.0, 4.5, 16.0 + s * 15.5, 8.0, 16.0 + s * 15.0, 15.5);
    path.cubicTo(16.0 + s * 14.6, 20.5, 16.0 + s * 12.5, 22.5, 16.0 + s * 10.5, 21.0);
    path.cubicTo(16.0 + s * 9.0, 19.0, 16.0 + s * 9.5, 14.0, 16.0 + s * 7.5, 11.0);
    path.closeSubpath();
    return path;
}

}  // namespace

QImage drawWindowIcon(int size) {
    constexpr double kGrid = 32.0;
    constexpr int kOversample = 4;
    QImage large(size * kOversample, size * kOversample, QImage::Format_RGB32);
    large.fill(kBackground);

    QPainter painter;
    beginPainting(painter, large);
    painter.scale(size * kOversample / kGrid, size * kOversample / kGrid);
    QPen ink(kInk, 1.0);
    ink.setJoinStyle(Qt::RoundJoin);
    ink.setCapStyle(Qt::RoundCap);

    // Head.
    painter.setPen(ink);
    painter.setBrush(kFace);
    painter.drawEllipse(QPointF(16.0, 17.5), 10.0, 10.0);

    // Ears over the sides of the head.
    painter.setBrush(kOrange);
    painter.drawPath(ear(true));
    painter.drawPath(ear(false));

    // Orange patch round the right eye.
    painter.setPen(Qt::NoPen);
    painter.setBrush(kOrange);
    painter.drawEllipse(QPointF(19.8, 14.6), 3.4, 3.6);

    // Muzzle.
    painter.setBrush(kMuzzle);
    painter.drawEllipse(QPointF(16.0, 22.2), 6.0, 4.4);

    // Eyes with a highlight.
    painter.setBrush(kInk);
    painter.drawEllipse(QPointF(12.2, 15.0), 1.5, 1.8);
    painter.drawEllipse(QPointF(19.8, 15.0), 1.5, 1.8);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(12.7, 14.4), 0.55, 0.55);
    painter.drawEllipse(QPointF(20.3, 14.4), 0.55, 0.55);

    // Nose and mouth.
    QPainterPath nose;
    nose.moveTo(13.6, 19.4);
    nose.cubicTo(13.6, 18.3, 18.4, 18.3, 18.4, 19.4);
    nose.cubicTo(18.4, 20.6, 16.9, 21.5, 16.0, 21.5);
    nose.cubicTo(15.1, 21.5, 13.6, 20.6, 13.6, 19.4);
    painter.setBrush(kInk);
    painter.drawPath(nose);
    QPainterPath mouth;
    mouth.moveTo(16.0, 21.4);
    mouth.lineTo(16.0, 23.2);
    mouth.moveTo(12.8, 23.0);
    mouth.cubicTo(13.8, 24.6, 15.4, 24.4, 16.0, 23.2);
    mouth.cubicTo(16.6, 24.4, 18.2, 24.6, 19.2, 23.0);
    painter.setPen(QPen(kInk, 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(mouth);
    painter.end();

    return large.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace dravik::pictures
