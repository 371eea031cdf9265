// The program's pictures, embedded already decoded.
#pragma once

#include <QIcon>
#include <QImage>
#include <QList>

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

// The sizes of the window icon on a screen with `devicePixelRatio` device
// pixels per pixel. Up to a ratio of 1, the 32-pixel icon alone: the window
// system copies every size into the window's properties before the window is
// shown, and the four other small sizes cost some 400 KB of start-up memory
// (desktops take any size from the icon theme the program installs). Above
// 1, every drawn size up to 64 pixels per started device pixel (16 to 128 up
// to a ratio of 3, all up to 256 beyond).
QList<int> windowIconSizes(qreal devicePixelRatio);

// The window icon: the application icon at windowIconSizes() of the
// application's ratio, each as drawn; the 32-pixel one is the stored icon's
// image.
QIcon windowIcon();

// The resource path of the decoded pixels of a stored picture file
// ("logo.jpg" -> ":/pictures/logo.jpg.rgb32").
QString decodedPicturePath(const QString& storedFileName);

}  // namespace dravik::shell
