#include "shell/picture_box.h"

#include <QPainter>

#include "shell/embedded_pictures.h"

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

const QImage& PictureBox::finerImage(qreal devicePixelRatio) {
    const QSize deviceSize(qRound(width() * devicePixelRatio), qRound(height() * devicePixelRatio));
    if (finerRatio_ != devicePixelRatio || finer_.size() != deviceSize) {
        const QImage drawn = drawnPicture(picture_, drawnScaleFor(devicePixelRatio));
        finer_ = drawn.isNull() ? drawn : drawn.scaled(deviceSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        finer_.setDevicePixelRatio(devicePixelRatio);
        finerRatio_ = devicePixelRatio;
    }
    return finer_;
}

void PictureBox::paintEvent(QPaintEvent* /*event*/) {
    const qreal ratio = devicePixelRatioF();
    const QImage& shown = ratio > 1.0 ? finerImage(ratio) : image();
    if (shown.isNull()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), shown);
}

}  // namespace dravik::shell
