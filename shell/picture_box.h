// A picture stretched to fill its control's rectangle, proportions not kept.
#pragma once

#include <QImage>
#include <QWidget>

#include "layouts/windows.h"

namespace dravik::shell {

// Paints its stored picture scaled to the whole widget on every paint, so the
// image is held once (it points straight at the embedded pixels) instead of
// also as a converted pixmap and a scaled copy. The embedded pixels are first
// read at the first paint: until the window is on the screen, none of their
// pages need to be in memory.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(layouts::StoredPicture picture, QWidget* parent);

    const QImage& image() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    layouts::StoredPicture picture_;
    mutable QImage image_;
    mutable bool loaded_ = false;
};

}  // namespace dravik::shell
