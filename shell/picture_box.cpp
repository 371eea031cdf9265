#include "shell/picture_box.h"

#include <QPainter>

#include "shell/pictures.h"

namespace dravik::shell {

PictureBox::PictureBox(layouts::StoredPicture picture, QWidget* parent) : QWidget(parent), picture_(picture) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, picture != layouts::StoredPicture::NoPicture);
}

const QImage& PictureBox::image() const {
    if (!loaded_) {
        image_ = shell::picture(picture_);
        loaded_ = true;
    }
    return image_;
}

void PictureBox::paintEvent(QPaintEvent* /*event*/) {
    if (image().isNull()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), image());
}

}  // namespace dravik::shell
