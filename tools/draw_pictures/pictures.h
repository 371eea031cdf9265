// The program's pictures, each drawn at its stored pixel size.
#pragma once

#include <QImage>
#include <QPainter>
#include <QSize>

namespace pictures {

QImage drawWindowIcon();  // 32 x 32
QImage drawLogo();        // 465 x 308
QImage drawRectangleSection();
QImage drawLSection();
QImage drawFlangedSection();
QImage drawZSection();

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
