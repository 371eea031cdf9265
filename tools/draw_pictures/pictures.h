// The program's pictures. Each is drawn at its stored pixel size, or at
// `scale` times that size for screens of that many device pixels per pixel:
// the same drawing, rendered finer, not an enlarged copy.
#pragma once

#include <QImage>
#include <QPainter>
#include <QSize>

namespace pictures {

// The window icon, `size` x `size` pixels: 32 is the stored icon; the icon
// theme gets every size the desktop asks for, each drawn at that size.
QImage drawWindowIcon(int size = 32);
inline constexpr int kIconThemeSizes[] = {16, 24, 32, 48, 64, 128, 256};

// The logo (465 x 308) and the section diagrams, `scale` times as fine.
QImage drawLogo(int scale = 1);
QImage drawRectangleSection(int scale = 1);
QImage drawLSection(int scale = 1);
QImage drawFlangedSection(int scale = 1);
QImage drawZSection(int scale = 1);

// The section diagrams as drawings: each paints its picture, in the
// picture's pixel coordinates, with `painter` (antialiased, on the ground
// colour). Drawn by these, the stored pictures come out pixel for pixel; a
// printer or PDF painter scaled to the picture's size draws them sharp at
// any resolution.
inline constexpr QSize kRectangleSectionSize{168, 181};
inline constexpr QSize kLSectionSize{189, 165};
inline constexpr QSize kFlangedSectionSize{208, 162};
inline constexpr QSize kZSectionSize{300, 184};
void paintRectangleSection(QPainter& painter);
void paintLSection(QPainter& painter);
void paintFlangedSection(QPainter& painter);
void paintZSection(QPainter& painter);

}  // namespace pictures
