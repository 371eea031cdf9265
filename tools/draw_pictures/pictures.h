// The program's pictures. Each is drawn at its stored pixel size, or at
// `scale` times that size for screens of that many device pixels per pixel:
// the same drawing, rendered finer, not an enlarged copy.
#pragma once

#include <QImage>

namespace pictures {

// The window icon, `size` x `size` pixels: 32 is the stored icon; the icon
// theme gets every size the desktop asks for, each drawn at that size.
QImage drawWindowIcon(int size = 32);
inline constexpr int kIconThemeSizes[] = {16, 24, 32, 48, 64, 128, 256};

QImage drawLogo(int scale = 1);              // 465 x 308
QImage drawRectangleSection(int scale = 1);  // 168 x 181
QImage drawLSection(int scale = 1);          // 189 x 165
QImage drawFlangedSection(int scale = 1);    // 208 x 162
QImage drawZSection(int scale = 1);          // 300 x 184

}  // namespace pictures
