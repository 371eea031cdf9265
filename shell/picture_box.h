// A picture stretched to fill its control's rectangle, proportions not kept.
#pragma once

#include <QImage>
#include <QWidget>

#include "layouts/windows.h"

namespace dravik::shell {

// At one device pixel per pixel, paints its stored picture scaled to the
// whole widget on every paint, so the image is held once (it points straight
// at the embedded pixels) instead of also as a converted pixmap and a scaled
// copy. The embedded pixels are first read at the first paint: until the
// window is on the screen, none of their pages need to be in memory.
//
// On a screen with more device pixels per pixel it shows the picture drawn
// at least that fine (see drawnScaleFor), scaled down smoothly once to the
// widget's size in device pixels and then painted pixel for pixel, so the
// picture is as sharp as the screen. The finer drawing is only decoded there.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(layouts::StoredPicture picture, QWidget* parent);

    // The stored picture, as its file holds it.
    const QImage& image() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    layouts::StoredPicture picture_;
    mutable QImage image_;
    mutable bool loaded_ = false;
    // The finer drawing scaled to the widget in device pixels, and the
    // device pixel ratio it was made for.
    QImage finer_;
    qreal finerRatio_ = 0.0;

    const QImage& finerImage(qreal devicePixelRatio);
};

}  // namespace dravik::shell
