// The program's pictures and the code that draws them. Each picture is drawn
// at its stored pixel size, or at `scale` times that size for screens of that
// many device pixels per pixel: the same drawing, rendered finer, not an
// enlarged copy. tools/draw_pictures writes them to assets/, from which the
// program embeds them; the calculation sheet draws its diagram afresh, sharp
// at the page's resolution.
#pragma once

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QSize>
#include <span>
#include <string_view>

#include "layouts/windows.h"

namespace dravik::pictures {

// A picture the windows show: where it is stored and how it is drawn.
struct Drawing {
    layouts::StoredPicture picture;
    // Its file in assets/ ("section_rectangle.bmp"); the file's stem names
    // the finer drawings (hidpi/section_rectangle@2x.png).
    std::string_view storedFile;
    QSize size;  // of the stored picture, in pixels
    // Paints the picture in its pixel coordinates with `painter`, which is
    // antialiased. Drawn by this, the stored picture comes out pixel for
    // pixel; a printer or PDF painter scaled to the picture's size draws it
    // sharp at any resolution.
    void (*paint)(QPainter& painter);
};

// Every picture the windows show: the logo and the four section diagrams.
std::span<const Drawing> drawings();

// The drawing of `which`; nullptr for NoPicture.
const Drawing* drawingOf(layouts::StoredPicture which);

// The picture drawn `scale` times as fine, on the windows' face colour.
QImage draw(const Drawing& drawing, int scale = 1);

// While an instance lives, the section drawings write each dimension with
// its value ("a = 400") instead of the letter alone, a vertical one turned to
// read from below, as on a drawing. The calculation sheet labels its diagram
// so; the windows' pictures keep their letters. Instances do not nest, and
// the drawings are painted on one thread.
class DimensionValues {
public:
    explicit DimensionValues(QHash<QString, QString> values);
    ~DimensionValues();
    DimensionValues(const DimensionValues&) = delete;
    DimensionValues& operator=(const DimensionValues&) = delete;

    // The values in force, or nullptr.
    static const QHash<QString, QString>* current();

private:
    QHash<QString, QString> values_;
};

// The scales every picture is drawn at besides its stored size, finest last.
inline constexpr int kFinerScales[] = {2, 3};

// The window icon, `size` x `size` pixels: 32 is the stored icon; the icon
// theme gets every size the desktop asks for, each drawn at that size.
QImage drawWindowIcon(int size = 32);
inline constexpr int kIconThemeSizes[] = {16, 24, 32, 48, 64, 128, 256};

}  // namespace dravik::pictures
