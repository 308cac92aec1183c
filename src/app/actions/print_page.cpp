#include "app/actions/print_page.h"

#include <QImage>
#include <QPainter>

namespace solifa {

bool PrintPicturePage(QPaintDevice& device, const QImage& image, const QSizeF& size) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // The painter's origin is the top-left corner of the paintable area; one scale for each
    // direction maps that area onto the user units, as the two lengths of the page do not
    // need to keep the area's proportions.
    painter.scale(device.width() / kPageUnitsWide, device.height() / kPageUnitsHigh);
    // Without this hint a PDF printer gets the picture as a JPEG, whose blur mixes the
    // picture's few flat colours into thousands and fringes its one-pixel lines.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.drawImage(PrintedPictureRect(size), image);
    return painter.end();
}

} // namespace solifa
