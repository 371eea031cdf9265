#include "pictures/drawings.h"

#include "pictures/style.h"

namespace dravik::pictures {
namespace {

using enum layouts::StoredPicture;

// The one map from a picture to its file and its drawing.
constexpr Drawing kDrawings[] = {
    {Logo, "logo.jpg", kLogoSize, paintLogo},
    {SectionRectangle, "section_rectangle.bmp", kRectangleSectionSize, paintRectangleSection},
    {SectionL, "section_l.bmp", kLSectionSize, paintLSection},
    {SectionFlanged, "section_flanged.jpg", kFlangedSectionSize, paintFlangedSection},
    {SectionZ, "section_z.jpg", kZSectionSize, paintZSection},
};

}  // namespace

std::span<const Drawing> drawings() { return kDrawings; }

const Drawing* drawingOf(layouts::StoredPicture which) {
    for (const Drawing& drawing : kDrawings) {
        if (drawing.picture == which) return &drawing;
    }
    return nullptr;
}

// 32-bit RGB without alpha, `scale` times as wide and high as the picture.
QImage draw(const Drawing& drawing, int scale) {
    QImage image(drawing.size * scale, QImage::Format_RGB32);
    image.fill(kGround);
    QPainter painter;
    beginPainting(painter, image, scale);
    drawing.paint(painter);
    painter.end();
    return image;
}

}  // namespace dravik::pictures
