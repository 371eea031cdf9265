// The program's pictures, each drawn at its stored pixel size.
#pragma once

#include <QImage>

namespace pictures {

QImage drawWindowIcon();        // 32 x 32
QImage drawLogo();              // 465 x 308
QImage drawRectangleSection();  // 168 x 181
QImage drawLSection();          // 189 x 165
QImage drawFlangedSection();    // 208 x 162
QImage drawZSection();          // 300 x 184

}  // namespace pictures
