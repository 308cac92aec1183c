#pragma once
// The program's logo: a cube seen from above at an angle, its far faces tinted and its hidden
// edges dashed, painted by the same body painter as the view. On a transparent background, so
// it serves as a picture in the small windows as well as an icon.
#include <QImage>

class QPaintDevice;

namespace solifa {

// The logo as a size x size image; an empty image for a size of 0 or less.
QImage DrawLogo(int size);

// Paints the logo of size x size pixels onto a paint device: an image, or an SVG drawing for
// an icon that scales.
void PaintLogo(QPaintDevice* device, int size);

} // namespace solifa
