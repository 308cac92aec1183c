#pragma once
// The printed page: the output picture centred across a drawing area of 21.1 x 29.7 units,
// 2 units below its top, at the size it has on the display. On an A4 sheet a unit is about
// one centimetre.
#include <QRectF>
#include <QSizeF>

class QImage;
class QPaintDevice;

namespace solifa {

inline constexpr double kPageUnitsWide = 21.1;
inline constexpr double kPageUnitsHigh = 29.7;
inline constexpr double kPictureTop = 2.0;

// A length in twips (1/1440 inch) in centimetres.
inline double CentimetresFromTwips(double twips) {
    return twips / 1440.0 * 2.54;
}

// Where a picture of `size` (in units) stands on the page: centred across, 2 units down.
// A picture wider than the page gets a negative left edge and is cut off on both sides alike.
inline QRectF PrintedPictureRect(const QSizeF& size) {
    return QRectF((kPageUnitsWide - size.width()) / 2, kPictureTop, size.width(), size.height());
}

// Paints one page on `device` (a printer, or any paint device in tests): its paintable area is
// mapped to 21.1 x 29.7 units and `image` is stretched into PrintedPictureRect(size). Ending
// the painter sends the page. False when painting could not begin or end.
bool PrintPicturePage(QPaintDevice& device, const QImage& image, const QSizeF& size);

} // namespace solifa
