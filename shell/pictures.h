// The program's pictures, embedded already decoded.
#pragma once

#include <QIcon>
#include <QImage>

#include "layouts/windows.h"

namespace dravik::shell {

// The stored picture, as its file holds it (the icon, logo and section
// diagrams are decoded at build time; see tools/embed_pictures). The image
// reads the embedded pixels in place, without a copy. A null image for
// NoPicture.
QImage picture(layouts::StoredPicture which);

// The window icon.
QIcon windowIcon();

// The resource path of the decoded pixels of a stored picture file
// ("logo.jpg" -> ":/pictures/logo.jpg.rgb32").
QString decodedPicturePath(const QString& storedFileName);

}  // namespace dravik::shell
