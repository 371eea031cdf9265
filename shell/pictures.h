// The program's pictures, embedded already decoded.
#pragma once

#include <QIcon>
#include <QImage>

#include "layouts/windows.h"

namespace dravik::shell {

// The stored picture, as its file holds it (the icons, logo and section
// diagrams are decoded at build time; see tools/embed_pictures). The image
// reads the embedded pixels in place, without a copy. A null image for
// NoPicture.
QImage picture(layouts::StoredPicture which);

// The scale of the drawing to show on a screen with `devicePixelRatio`
// device pixels per pixel: 1 (the stored picture) up to a ratio of 1, above
// that the smallest finer drawing at least that fine (2 for 1.25, 1.5 and 2;
// 3 for 2.5 and 3), and the finest one beyond it; the picture box scales it
// down smoothly to the screen.
int drawnScaleFor(qreal devicePixelRatio);

// The picture drawn at `scale` times its stored size (see drawnScaleFor),
// decoded on each call: the stored picture for 1, a null image for a scale
// that was not drawn or for NoPicture.
QImage drawnPicture(layouts::StoredPicture which, int scale);

// The largest size of the window icon on a screen with `devicePixelRatio`
// device pixels per pixel: 64 pixels per started device pixel (64 up to a
// ratio of 1, 128 up to 2, 192 up to 3 …).
int largestWindowIconSize(qreal devicePixelRatio);

// The window icon: the application icon at each size it is drawn at (16 to
// 256 pixels) up to largestWindowIconSize() of the application's ratio, the
// 32-pixel one being the stored icon's image. Desktops take the larger sizes
// from the icon theme the program installs.
QIcon windowIcon();

// The resource path of the decoded pixels of a stored picture file
// ("logo.jpg" -> ":/pictures/logo.jpg.rgb32").
QString decodedPicturePath(const QString& storedFileName);

}  // namespace dravik::shell
