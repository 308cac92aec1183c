#pragma once
// The program's logo: a cube seen from above at an angle, its far faces tinted and its hidden
// edges dashed, painted by the same body painter as the view. On a transparent background, so
// it serves as a picture in the small windows as well as an icon.
#include <QImage>

namespace solifa {

// The logo as a size x size image; an empty image for a size of 0 or less.
QImage DrawLogo(int size);

} // namespace solifa
