// A picture stretched to fill its control's rectangle, proportions not kept.
#pragma once

#include <QImage>
#include <QWidget>

namespace dravik::shell {

// Paints its image scaled to the whole widget on every paint, so the image
// is held once (it may point straight at the embedded pixels) instead of also
// as a converted pixmap and a scaled copy.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(QImage image, QWidget* parent);

    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

}  // namespace dravik::shell
