#include "shell/picture_box.h"

#include <QPainter>

namespace dravik::shell {

PictureBox::PictureBox(QImage image, QWidget* parent) : QWidget(parent), image_(std::move(image)) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, !image_.isNull());
}

void PictureBox::paintEvent(QPaintEvent* /*event*/) {
    if (image_.isNull()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), image_);
}

}  // namespace dravik::shell
